// Ctrl+G in the edit box: the question, and where the caret goes for each
// answer, on a real window with the question answered by a script.
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
void send(QWidget *w, QEvent::Type type, int key, Qt::KeyboardModifiers mods)
{
    QKeyEvent e(type, key, mods);
    QCoreApplication::sendEvent(w, &e);
}

QString numberedLines(int count, const QString &end)
{
    QStringList lines;
    for (int i = 1; i <= count; ++i)
        lines << u"行 "_s + QString::number(i);
    return lines.join(end);
}
} // namespace

class GoToLineTest : public QObject
{
    Q_OBJECT
  private slots:
    void ctrlGPutsTheCaretAtTheLinesStart_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qsizetype>("lines");   // the range the question names
        QTest::addColumn<QString>("answer");    // a null string: Cancel
        QTest::addColumn<qsizetype>("caret");   // -1: the caret stays where it was (at 1)
        const QString five = u"l1\r\nl2\r\nl3\r\nl4\r\nl5"_s;
        QTest::newRow("a middle line") << five << qsizetype(5) << u"3"_s << qsizetype(8);
        QTest::newRow("the first line") << five << qsizetype(5) << u"1"_s << qsizetype(0);
        QTest::newRow("the last line") << five << qsizetype(5) << u"5"_s << qsizetype(16);
        QTest::newRow("past the end: the last line") << five << qsizetype(5) << u"6"_s << qsizetype(16);
        QTest::newRow("far past the end") << five << qsizetype(5) << u"999999999"_s << qsizetype(16);
        QTest::newRow("leading zeros") << five << qsizetype(5) << u"002"_s << qsizetype(4);
        QTest::newRow("full-width digits") << five << qsizetype(5) << u"４"_s << qsizetype(12);
        QTest::newRow("zero") << five << qsizetype(5) << u"0"_s << qsizetype(-1);
        QTest::newRow("nothing typed") << five << qsizetype(5) << u""_s << qsizetype(-1);
        QTest::newRow("not a number") << five << qsizetype(5) << u"3a"_s << qsizetype(-1);
        QTest::newRow("negative") << five << qsizetype(5) << u"-2"_s << qsizetype(-1);
        QTest::newRow("cancelled") << five << qsizetype(5) << QString() << qsizetype(-1);
        // A lone LF or CR stays inside its line: CR LF alone ends lines.
        QTest::newRow("lone LF inside a line") << u"a\nb\r\nc\r\nd"_s << qsizetype(3) << u"2"_s << qsizetype(5);
        QTest::newRow("lone CR inside a line") << u"a\rb\r\nc"_s << qsizetype(2) << u"2"_s << qsizetype(5);
        // A page written with LF line ends counts its lines by LF.
        QTest::newRow("LF page") << u"a\nbb\nccc"_s << qsizetype(3) << u"3"_s << qsizetype(5);
        QTest::newRow("final CR LF: an empty last line") << u"ab\r\ncd\r\n"_s << qsizetype(3) << u"9"_s
                                                         << qsizetype(8);
        QTest::newRow("empty text") << QString() << qsizetype(1) << u"1"_s << qsizetype(0);
        QTest::newRow("far down a long page") << numberedLines(400, u"\r\n"_s) << qsizetype(400) << u"350"_s
                                              << qsizetype(numberedLines(349, u"\r\n"_s).size() + 2);
    }

    void ctrlGPutsTheCaretAtTheLinesStart()
    {
        QFETCH(QString, text);
        QFETCH(qsizetype, lines);
        QFETCH(QString, answer);
        QFETCH(qsizetype, caret);
        WindowFixture f;
        TesselFrm &frm = f.create();
        frm.show();
        QApplication::setActiveWindow(&frm);
        QVERIFY(QTest::qWaitForWindowActive(&frm));
        frm.EditTxt->setText(text);
        frm.EditTxt->setSelStart(1);
        frm.EditTxt->setFocus();
        const int scrolled = frm.EditTxt->verticalScrollBar()->value();
        // The question takes the focus away while it is up.
        f.inputs.expect({u"行番号（1 ～ "_s + QString::number(lines) + u"）："_s, u"行へ移動"_s, true},
                        answer.isNull() ? std::nullopt : std::optional<QString>(answer),
                        [&] { frm.HTMLLst->setFocus(); });

        send(frm.EditTxt, QEvent::KeyPress, Qt::Key_Control, Qt::ControlModifier);
        send(frm.EditTxt, QEvent::KeyPress, Qt::Key_G, Qt::ControlModifier);
        send(frm.EditTxt, QEvent::KeyRelease, Qt::Key_G, Qt::ControlModifier);
        send(frm.EditTxt, QEvent::KeyRelease, Qt::Key_Control, {});

        VERIFY_INPUTS(f.inputs);
        VERIFY_BOXES(f.boxes);
        QCOMPARE(frm.EditTxt->text(), text);
        QCOMPARE(frm.EditTxt->selStart(), caret < 0 ? qsizetype(qMin<qsizetype>(1, text.size())) : caret);
        QCOMPARE(frm.EditTxt->selLength(), qsizetype(0));
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(frm.EditTxt));
        if (caret < 0)
            QCOMPARE(frm.EditTxt->verticalScrollBar()->value(), scrolled);
        else // the line is in view
            QVERIFY(frm.EditTxt->viewport()->rect().contains(frm.EditTxt->cursorRect()));
    }

    void ctrlGWithOtherModifiersAsksNothing()
    {
        WindowFixture f;
        TesselFrm &frm = f.create();
        frm.EditTxt->setText(u"a\r\nb"_s);
        for (Qt::KeyboardModifiers mods : {Qt::KeyboardModifiers(), Qt::KeyboardModifiers(Qt::ShiftModifier),
                                           Qt::ControlModifier | Qt::ShiftModifier, Qt::ControlModifier | Qt::AltModifier})
            send(frm.EditTxt, QEvent::KeyRelease, Qt::Key_G, mods);
        // Ctrl let go before G: nothing either.
        send(frm.EditTxt, QEvent::KeyPress, Qt::Key_Control, Qt::ControlModifier);
        send(frm.EditTxt, QEvent::KeyPress, Qt::Key_G, Qt::ControlModifier);
        send(frm.EditTxt, QEvent::KeyRelease, Qt::Key_Control, {});
        send(frm.EditTxt, QEvent::KeyRelease, Qt::Key_G, {});
        VERIFY_INPUTS(f.inputs);
        QCOMPARE(frm.EditTxt->selStart(), qsizetype(0));
    }
};

TESSARA_TEST_CLASS(GoToLineTest)
#include "GoToLineTest.moc"
