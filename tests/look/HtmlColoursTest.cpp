// HTML colouring: the scanner's parts and states line by line, the contrast of
// both palettes, and the colours the edit box shows in both schemes.
#include "TestRegistry.h"
#include "WindowFixture.h"
#include "look/HtmlPalette.h"
#include "look/HtmlScan.h"
#include "ui/EditBox.h"

#include <QInputMethodEvent>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

using namespace Qt::StringLiterals;
using namespace htmlscan;

namespace {
// One letter per character: the part it belongs to, '.' for none.
const char Letters[] = "TAVCDRS";

QString lettersOf(const std::vector<Span> &spans, qsizetype length)
{
    QString out(length, u'.');
    for (const Span &s : spans)
        for (int i = s.start; i < s.start + s.length; ++i)
            out[i] = QLatin1Char(Letters[int(s.kind)]);
    return out;
}

// The same letters, read from the colours a line of the edit box is laid out with.
QString shownLetters(const QTextBlock &block, const htmlpalette::Palette &palette)
{
    QString out(block.length() - 1, u'.');
    for (const QTextLayout::FormatRange &r : block.layout()->formats())
        for (int k = 0; k < KindCount; ++k)
            if (r.format.foreground().color() == palette.colours[k])
                for (int i = r.start; i < r.start + r.length && i < out.size(); ++i)
                    out[i] = QLatin1Char(Letters[k]);
    return out;
}

int packed(Where where, Where after = Where::Text) { return State{where, after}.pack(); }

void showWindow(TesselFrm &frm)
{
    frm.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frm));
}
} // namespace

class HtmlColoursTest : public QObject {
    Q_OBJECT
private slots:
    void linesScanIntoTheirParts_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("start");
        QTest::addColumn<QString>("parts");
        QTest::addColumn<int>("end");
        const int text = packed(Where::Text);
        QTest::newRow("text only") << u"本文 text"_s << text << u"......."_s << text;
        QTest::newRow("tag, attributes, end tag")
            << u"<p class=\"a\" id=b>x</p>"_s << text << u"TT.AAAAA.VVV.AA.VT.TTTT"_s << text;
        QTest::newRow("empty element") << u"<br/>"_s << text << u"TTTTT"_s << text;
        QTest::newRow("comment inside a line") << u"a<!-- b -->c"_s << text << u".CCCCCCCCCC."_s << text;
        QTest::newRow("empty comment") << u"<!-->x"_s << text << u"CCCCC."_s << text;
        QTest::newRow("comment left open") << u"<!-- a <p>"_s << text << u"CCCCCCCCCC"_s
                                           << packed(Where::Comment);
        QTest::newRow("comment closed") << u"a --> <b>"_s << packed(Where::Comment) << u"CCCCC.TTT"_s << text;
        QTest::newRow("doctype") << u"<!DOCTYPE html>"_s << text << u"DDDDDDDDDDDDDDD"_s << text;
        QTest::newRow("xml declaration") << u"<?xml v=\"1\"?>"_s << text << u"DDDDDDDDDDDDD"_s << text;
        QTest::newRow("character references")
            << u"a&amp;b&#38;&#x26;AT&T"_s << text << u".RRRRR.RRRRRRRRRRR...."_s << text;
        QTest::newRow("a lone less-than is text") << u"a < b <3 </"_s << text << u"..........."_s << text;
        QTest::newRow("value left open") << u"<a title=\"one"_s << text << u"TT.AAAAA.VVVV"_s
                                         << packed(Where::DoubleValue);
        QTest::newRow("value closed") << u"two'>x"_s << packed(Where::SingleValue) << u"VVVVT."_s << text;
        QTest::newRow("tag left open") << u"<img"_s << text << u"TTTT"_s << packed(Where::InTag);
        QTest::newRow("attributes on the next line")
            << u" src=x alt>"_s << packed(Where::InTag) << u".AAA.V.AAAT"_s << text;
        QTest::newRow("script as one")
            << u"<script>a<b;</script>"_s << text << u"TTTTTTTTSSSSTTTTTTTTT"_s << text;
        QTest::newRow("script left open")
            << u"<SCRIPT src=a>var s = \"<p>\";"_s << text << u"TTTTTTT.AAA.VTSSSSSSSSSSSSSS"_s
            << packed(Where::Script);
        QTest::newRow("script ends") << u"x</script >y"_s << packed(Where::Script) << u"STTTTTTTT.T."_s << text;
        QTest::newRow("a longer name does not end it")
            << u"</scripts>"_s << packed(Where::Script) << u"SSSSSSSSSS"_s << packed(Where::Script);
        QTest::newRow("style tag over lines") << u"<style"_s << text << u"TTTTTT"_s
                                              << packed(Where::InTag, Where::Style);
        QTest::newRow("style contents follow") << u">p{}"_s << packed(Where::InTag, Where::Style) << u"TSSS"_s
                                               << packed(Where::Style);
        QTest::newRow("end tag of style is no style") << u"</style>"_s << text << u"TTTTTTTT"_s << text;
    }
    void linesScanIntoTheirParts()
    {
        QFETCH(QString, line);
        QFETCH(int, start);
        QFETCH(QString, parts);
        QFETCH(int, end);
        std::vector<Span> spans;
        QCOMPARE(scanLine(line, State::unpack(start), &spans).pack(), end);
        QCOMPARE(lettersOf(spans, line.size()), parts);
        // The states alone come out the same without the parts.
        QCOMPARE(scanLine(line, State::unpack(start), nullptr).pack(), end);
    }

    void everyColourReadsAgainstItsBackground_data()
    {
        QTest::addColumn<bool>("dark");
        QTest::addColumn<int>("kind");
        for (bool dark : {false, true})
            for (int k = 0; k < KindCount; ++k)
                QTest::addRow("%s %c", dark ? "dark" : "normal", Letters[k]) << dark << k;
    }
    void everyColourReadsAgainstItsBackground()
    {
        QFETCH(bool, dark);
        QFETCH(int, kind);
        const htmlpalette::Palette &p = dark ? htmlpalette::dark() : htmlpalette::normal();
        // The background the edit box really has in that scheme.
        WindowFixture f;
        TesselFrm &frm = f.create();
        if (dark)
            frm.ColorCmd_Click();
        const QColor back = frm.EditTxt->palette().color(QPalette::Base);
        QCOMPARE(&htmlpalette::forBackground(back), &p);
        QVERIFY2(htmlpalette::contrastRatio(p.colours[kind], back) >= 4.5,
                 qPrintable(u"%1 on %2"_s.arg(p.colours[kind].name(), back.name())));
        QVERIFY(htmlpalette::contrastRatio(p.colours[kind], p.background) >= 4.5);
    }

    void theBoxShowsTheColoursOfItsScheme_data()
    {
        QTest::addColumn<bool>("dark");
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("parts");
        for (bool dark : {false, true}) {
            const char *scheme = dark ? "dark" : "normal";
            QTest::addRow("%s: paragraph", scheme)
                << dark << u"<p class=\"注\">本文&amp;</p>"_s << u"TT.AAAAA.VVVT..RRRRRTTTT"_s;
            QTest::addRow("%s: doctype", scheme) << dark << u"<!DOCTYPE html>"_s << u"DDDDDDDDDDDDDDD"_s;
            QTest::addRow("%s: comment", scheme) << dark << u"x<!-- 注 -->"_s << u".CCCCCCCCCC"_s;
            QTest::addRow("%s: style", scheme) << dark << u"<style>p{}</style>"_s << u"TTTTTTTSSSTTTTTTTT"_s;
        }
    }
    void theBoxShowsTheColoursOfItsScheme()
    {
        QFETCH(bool, dark);
        QFETCH(QString, line);
        QFETCH(QString, parts);
        WindowFixture f;
        TesselFrm &frm = f.create();
        frm.EditTxt->setText(line + u"\r\n"_s + line);
        showWindow(frm);
        if (dark)
            frm.ColorCmd_Click();
        const QImage shot = frm.EditTxt->viewport()->grab().toImage();
        const htmlpalette::Palette &p = dark ? htmlpalette::dark() : htmlpalette::normal();
        QCOMPARE(shownLetters(frm.EditTxt->document()->firstBlock(), p), parts);
        QCOMPARE(shownLetters(frm.EditTxt->document()->lastBlock(), p), parts);
        // And the colour reaches the screen: some pixels are the line's last part's own.
        int n = 0;
        const QColor first = p.colours[std::strchr(Letters, char(parts.back().unicode())) - Letters];
        for (int y = 0; y < shot.height(); ++y)
            for (int x = 0; x < shot.width(); ++x)
                n += shot.pixelColor(x, y) == first;
        QVERIFY(n >= 3);
    }

    void typingACommentRecoloursTheLinesShownBelow()
    {
        WindowFixture f;
        TesselFrm &frm = f.create();
        QStringList lines(8, u"<p>x</p>"_s);
        frm.EditTxt->setText(lines.join(u"\r\n"_s));
        showWindow(frm);
        frm.EditTxt->viewport()->grab();
        frm.EditTxt->setSelStart(10); // the start of the second line
        QSignalSpy change(frm.EditTxt, &EditBox::Change);
        QTest::keyClicks(frm.EditTxt, u"<!--"_s);
        frm.EditTxt->viewport()->grab();
        // Colouring is no edit: no Change event, no step to undo.
        QCOMPARE(change.size(), 4);
        QCOMPARE(frm.EditTxt->document()->availableUndoSteps(), 1);
        const QTextBlock last = frm.EditTxt->document()->lastBlock();
        QCOMPARE(shownLetters(last, htmlpalette::normal()), u"CCCCCCCC"_s);
        QCOMPARE(shownLetters(last.document()->firstBlock(), htmlpalette::normal()), u"TTT.TTTT"_s);
    }

    void onlyTheLinesShownAreColoured()
    {
        WindowFixture f;
        TesselFrm &frm = f.create();
        QStringList lines(3000, u"<p>x</p>"_s);
        lines[1] = u"<!--"_s; // never closed: every later line is comment
        frm.EditTxt->setText(lines.join(u"\r\n"_s));
        showWindow(frm);
        frm.EditTxt->viewport()->grab();
        const QTextDocument *d = frm.EditTxt->document();
        QCOMPARE(shownLetters(d->findBlockByNumber(2), htmlpalette::normal()), u"CCCCCCCC"_s);
        QVERIFY(d->lastBlock().layout()->formats().isEmpty());
        QScrollBar *bar = frm.EditTxt->verticalScrollBar();
        bar->setValue(bar->maximum());
        frm.EditTxt->viewport()->grab();
        QCOMPARE(shownLetters(d->lastBlock(), htmlpalette::normal()), u"CCCCCCCC"_s);
        QVERIFY(d->findBlockByNumber(1500).layout()->formats().isEmpty());
    }

    void inputMethodTextKeepsItsLookAndTheColours()
    {
        WindowFixture f;
        TesselFrm &frm = f.create();
        frm.EditTxt->setText(u"<p>x</p>"_s);
        showWindow(frm);
        frm.EditTxt->setSelStart(3);
        QTextCharFormat underline;
        underline.setFontUnderline(true);
        QInputMethodEvent preedit(u"にほん"_s, {{QInputMethodEvent::TextFormat, 0, 3, underline}});
        QCoreApplication::sendEvent(frm.EditTxt, &preedit);
        frm.EditTxt->viewport()->grab();
        const QTextBlock block = frm.EditTxt->document()->firstBlock();
        const QList<QTextLayout::FormatRange> shown = block.layout()->formats();
        QVERIFY(std::any_of(shown.cbegin(), shown.cend(), [](const QTextLayout::FormatRange &r) {
            return r.start == 3 && r.length == 3 && r.format.fontUnderline();
        }));
        // The end tag is coloured where it shows, past the preedit text.
        QVERIFY(std::any_of(shown.cbegin(), shown.cend(), [](const QTextLayout::FormatRange &r) {
            return r.start == 7 && r.length == 3 && r.format.foreground().color() == htmlpalette::normal().colours[0];
        }));
        QInputMethodEvent commit;
        commit.setCommitString(u"日本"_s);
        QCoreApplication::sendEvent(frm.EditTxt, &commit);
        frm.EditTxt->viewport()->grab();
        QCOMPARE(frm.EditTxt->text(), u"<p>日本x</p>"_s);
        QCOMPARE(shownLetters(block, htmlpalette::normal()), u"TTT...TTTT"_s);
    }
};

TESSARA_TEST_CLASS(HtmlColoursTest)
#include "HtmlColoursTest.moc"
