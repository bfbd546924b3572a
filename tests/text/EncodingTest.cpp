// Documents in their own encoding: which encoding reading decides on, what
// the bytes read as, and that an unedited document writes back byte for byte
// in every encoding, invalid bytes, escape sequences and line ends included.
#include "TestRegistry.h"
#include "text/Detect.h"
#include "text/Encoding.h"
#include "text/LineEnds.h"
#include "text/TextFile.h"

#include <QHash>
#include <QSet>
#include <QRandomGenerator>
#include <QTest>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

QString kept(QByteArrayView bytes)
{
    QString s;
    for (char c : bytes)
        s += QChar(0xDC00 + uchar(c));
    return s;
}

// ISO-2022-JP written readably: {K} ESC $ B, {@} ESC $ @, {A} ESC ( B, {R} ESC ( J, {I} ESC ( I.
QByteArray jis(QByteArray s)
{
    return s.replace("{K}", "\x1B$B").replace("{@}", "\x1B$@").replace("{A}", "\x1B(B")
        .replace("{R}", "\x1B(J").replace("{I}", "\x1B(I");
}

QString name(Encoding e) { return encoding::name(e); }

} // namespace

class EncodingTest : public QObject {
    Q_OBJECT

private slots:
    void readsCharactersAsBrowsersDo_data()
    {
        QTest::addColumn<Encoding>("e");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::addColumn<qsizetype>("firstInvalid");
        QTest::addColumn<qsizetype>("invalid");

        const Encoding euc = Encoding::EucJp, iso = Encoding::Iso2022Jp, utf8 = Encoding::Utf8;
        auto row = [](const char *what, Encoding e, const QByteArray &bytes, const QString &text,
                      qsizetype first = -1, qsizetype count = 0) {
            QTest::addRow("%s: %s", qPrintable(name(e)), what) << e << bytes << text << first << count;
        };
        row("NEC-selected IBM kanji ED40", Encoding::ShiftJis, "\xED\x40", u"纊"_s);
        row("hiragana A4A2", euc, "\xA4\xA2", u"あ"_s);
        row("half-width katakana 8EB1", euc, "\x8E\xB1", u"ｱ"_s);
        row("NEC circled digit ADA1", euc, "\xAD\xA1", u"①"_s);
        row("A1C1 is the fullwidth tilde", euc, "\xA1\xC1", u"\uFF5E"_s);
        row("NEC-selected IBM kanji F9A1", euc, "\xF9\xA1", u"纊"_s);
        row("NEC-selected IBM symbol FCFE", euc, "\xFC\xFE", u"\uFF02"_s);
        row("JIS X 0212 kanji 8FB0A1", euc, "\x8F\xB0\xA1", u"丂"_s);
        row("ASCII after kanji", euc, "\xA4\xA2" "a\r\n", u"あa\r\n"_s);
        row("unassigned code", euc, "a\xA9\xA1", u"a"_s + kept("\xA9\xA1"), 1, 2);
        row("8E before ASCII", euc, "\x8E" "A", kept("\x8E") + u"A"_s, 0, 1);
        row("three-byte code cut off", euc, "\xA4\xA2\x8F\xB0", u"あ"_s + kept("\x8F\xB0"), 2, 2);
        row("ESC $ B 2422", iso, jis("{K}$\"{A}"), u"あ"_s);
        row("ESC $ @, the older two-byte set", iso, jis("{@}$\"{A}"), kept("\x1B$@") + u"あ"_s);
        row("ESC ( J: yen sign and overline", iso, jis("{R}\\~{A}"), u"\u00A5\u203E"_s);
        row("ESC ( I: half-width katakana", iso, jis("{I}1_{A}"), u"ｱﾟ"_s);
        row("NEC circled digit 2D21", iso, jis("{K}-!{A}"), u"①"_s);
        row("NEC-selected IBM kanji 7921", iso, jis("{K}y!{A}"), u"纊"_s);
        row("another set's escape and its bytes", iso, "\x1B$(D0!", kept("\x1B$(D") + u"0!"_s, 0, 4);
        row("8-bit byte", iso, "a\x80", u"a"_s + kept("\x80"), 1, 1);
        row("hiragana E38182", utf8, "\xE3\x81\x82", u"あ"_s);
        row("four bytes", utf8, "\xF0\x9F\x98\x80", u"\U0001F600"_s);
        row("overlong slash", utf8, "\xC0\xAF", kept("\xC0\xAF"), 0, 2);
        row("overlong three bytes", utf8, "\xE0\x80\xAF", kept("\xE0\x80\xAF"), 0, 3);
        row("encoded surrogate", utf8, "\xED\xA0\x80", kept("\xED\xA0\x80"), 0, 3);
        row("above U+10FFFF", utf8, "\xF4\x90\x80\x80", kept("\xF4\x90\x80\x80"), 0, 4);
        row("cut off at the end", utf8, "a\xE3\x81", u"a"_s + kept("\xE3\x81"), 1, 2);
        row("cut off by ASCII", utf8, "\xE3\x81" "a", kept("\xE3\x81") + u"a"_s, 0, 2);
        row("stray continuation byte", utf8, "\x80\xE3\x81\x82", kept("\x80") + u"あ"_s, 0, 1);
        row("invalid byte after a byte order mark", utf8, "\xEF\xBB\xBF" "a\xFF", u"a"_s + kept("\xFF"), 4, 1);
        row("a second byte order mark is a character", utf8, "\xEF\xBB\xBF\xEF\xBB\xBF" "a", u"\uFEFFa"_s);
    }

    void readsCharactersAsBrowsersDo()
    {
        QFETCH(Encoding, e);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QFETCH(qsizetype, firstInvalid);
        QFETCH(qsizetype, invalid);
        const encoding::Decoded d = encoding::decode(e, bytes);
        QCOMPARE(d.text, text);
        QCOMPARE(d.firstKeptByte, firstInvalid);
        QCOMPARE(d.keptByteCount, invalid);
        QCOMPARE(encoding::encode(d.encoding, d.text).bytes, bytes);
    }
};

TESSARA_TEST_CLASS(EncodingTest)
#include "EncodingTest.moc"
