// Ctrl+G in the edit box on a real window, the question answered by a script:
// the range it names, and where each answer puts the caret.
#include "TestRegistry.h"
#include "WindowFixture.h"
#include "ui/EditBox.h"
#include "ui/ListBox.h"

#include <QApplication>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {
QString numberedLines(int count)
{
    QStringList lines;
    for (int i = 1; i <= count; ++i)
        lines << u"行 "_s + QString::number(i);
    return lines.join(u"\r\n"_s);
}
} // namespace

class GoToLineTest : public QObject
{
    Q_OBJECT
  private slots:
    void ctrlGPutsTheCaretAtTheLinesStart_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("lines");     // the range the question names
        QTest::addColumn<QString>("answer"); // a null string: Cancel
        QTest::addColumn<int>("caret");     // -1: the caret stays at 1
        const QString five = u"l1\r\nl2\r\nl3\r\nl4\r\nl5"_s;
        QTest::newRow("a middle line") << five << 5 << u"3"_s << 8;
        QTest::newRow("the first line") << five << 5 << u"1"_s << 0;
        QTest::newRow("past the end: the last line") << five << 5 << u"6"_s << 16;
        QTest::newRow("far past the end") << five << 5 << u"999999999"_s << 16;
        QTest::newRow("full-width digits, leading zero") << five << 5 << u"０４"_s << 12;
        QTest::newRow("zero") << five << 5 << u"0"_s << -1;
        QTest::newRow("nothing typed") << five << 5 << u""_s << -1;
        QTest::newRow("not a number") << five << 5 << u"3a"_s << -1;
        QTest::newRow("cancelled") << five << 5 << QString() << -1;
        // A lone LF or CR stays inside its line.
        QTest::newRow("lone LF inside a line") << u"a\nb\r\nc\r\nd"_s << 3 << u"2"_s << 5;
        QTest::newRow("lone CR inside a line") << u"a\rb\r\nc"_s << 2 << u"2"_s << 5;
        QTest::newRow("only lone LFs: one line") << u"a\nbb\nccc"_s << 1 << u"3"_s << 0;
        QTest::newRow("final CR LF: an empty last line") << u"ab\r\ncd\r\n"_s << 3 << u"9"_s << 8;
        QTest::newRow("far down a long page") << numberedLines(400) << 400 << u"350"_s
                                              << int(numberedLines(349).size() + 2);
    }

    void ctrlGPutsTheCaretAtTheLinesStart()
    {
        QFETCH(QString, text);
        QFETCH(int, lines);
        QFETCH(QString, answer);
        QFETCH(int, caret);
        WindowFixture f;
        TesselFrm &frm = f.create();
        frm.show();
        QApplication::setActiveWindow(&frm);
        QVERIFY(QTest::qWaitForWindowActive(&frm));
        frm.EditTxt->setText(text);
        frm.EditTxt->setSelStart(1);
        const int scrolled = frm.EditTxt->verticalScrollBar()->value();
        // The question takes the focus while it is up.
        f.inputs.expect({u"行番号（1 ～ "_s + QString::number(lines) + u"）："_s, u"行へ移動"_s, true},
                        answer.isNull() ? std::nullopt : std::optional(answer), [&] { frm.HTMLLst->setFocus(); });
        QTest::keyPress(frm.EditTxt, Qt::Key_Control, Qt::ControlModifier);
        QTest::keyClick(frm.EditTxt, Qt::Key_G, Qt::ControlModifier);
        QTest::keyRelease(frm.EditTxt, Qt::Key_Control, {});

        VERIFY_INPUTS(f.inputs);
        QCOMPARE(frm.EditTxt->text(), text);
        QCOMPARE(frm.EditTxt->selStart(), qsizetype(caret < 0 ? 1 : caret));
        QCOMPARE(frm.EditTxt->selLength(), qsizetype(0));
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(frm.EditTxt));
        if (caret < 0)
            QCOMPARE(frm.EditTxt->verticalScrollBar()->value(), scrolled);
        else // the line is in view
            QVERIFY(frm.EditTxt->viewport()->rect().contains(frm.EditTxt->cursorRect()));
    }
};

TESSARA_TEST_CLASS(GoToLineTest)
#include "GoToLineTest.moc"
