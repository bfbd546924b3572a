// The dialog's four commands, its message boxes and HitSelected, on a real
// main window with the dialog opened through the main window's command.
#include "AddressSpaceLimit.h"
#include "SearchWindow.h"
#include "TestRegistry.h"
#include "text/TextFile.h"
#include "ui/Button.h"
#include "ui/LineBox.h"

#include <QTest>


using namespace Qt::StringLiterals;
using namespace searchboxes;

namespace
{
enum class Command { Down, Up, Replace, ReplaceAll, Cancel, TypeWord, TypeReplacement, EditByHand };
enum class Focus { EditTxt, Dialog, Unchecked };
} // namespace
Q_DECLARE_METATYPE(Command)
Q_DECLARE_METATYPE(Focus)
Q_DECLARE_METATYPE(MsgBox)

namespace
{
Button *buttonFor(SearchFrm *dlg, QChar press)
{
    switch (press.unicode()) {
    case u'D':
        return dlg->SearchCmd;
    case u'U':
        return dlg->ReSearchCmd;
    case u'R':
        return dlg->ReplaceCmd;
    case u'A':
        return dlg->AllReplaceCmd;
    default:
        return nullptr;
    }
}

QString titleFor(QChar press)
{
    switch (press.unicode()) {
    case u'D':
        return u"検索"_s;
    case u'U':
        return u"逆検索"_s;
    case u'R':
        return u"置換"_s;
    default:
        return u"全置換"_s;
    }
}
} // namespace

class SearchCommandsTest : public QObject
{
    Q_OBJECT

  private slots:
    // Every row of the HitSelected table and of the message box table: a
    // setup (caret, then presses that leave a hit), the caret moved by hand,
    // one command, then the boxes shown, the text, the selection,
    // HitSelected and where the focus is.
    void commandLeavesStateAndTells_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("with");
        QTest::addColumn<qsizetype>("setupCaret");
        QTest::addColumn<QString>("setup");
        QTest::addColumn<qsizetype>("caret"); // -1: as the setup left it
        QTest::addColumn<Command>("command");
        QTest::addColumn<MsgAnswer>("answer");
        QTest::addColumn<QList<MsgBox>>("boxes");
        QTest::addColumn<QString>("after");
        QTest::addColumn<qsizetype>("selStart");
        QTest::addColumn<qsizetype>("selLength");
        QTest::addColumn<qint16>("hit");
        QTest::addColumn<Focus>("focus");

        const QList<MsgBox> none;
        const qsizetype keep = -1;
        const auto ok = MsgAnswer::Ok;

        QTest::newRow("下を検索 with an empty word")
            << u"abc"_s << QString() << QString() << qsizetype(0) << QString() << qsizetype(1)
            << Command::Down << ok << QList{emptyWord(u"検索"_s)} << u"abc"_s << qsizetype(1) << qsizetype(0)
            << qint16(0) << Focus::Dialog;
        QTest::newRow("上を検索 with an empty word")
            << u"abc"_s << QString() << QString() << qsizetype(0) << QString() << qsizetype(1) << Command::Up
            << ok << QList{emptyWord(u"逆検索"_s)} << u"abc"_s << qsizetype(1) << qsizetype(0) << qint16(0)
            << Focus::Dialog;
        QTest::newRow("置換 with an empty word")
            << u"abc"_s << QString() << u"x"_s << qsizetype(0) << QString() << qsizetype(1)
            << Command::Replace << ok << QList{emptyWord(u"置換"_s)} << u"abc"_s << qsizetype(1)
            << qsizetype(0) << qint16(0) << Focus::Dialog;
        QTest::newRow("全て置換 with an empty word is titled 検索")
            << u"abc"_s << QString() << u"x"_s << qsizetype(0) << QString() << qsizetype(1)
            << Command::ReplaceAll << ok << QList{emptyWord(u"検索"_s)} << u"abc"_s << qsizetype(1)
            << qsizetype(0) << qint16(0) << Focus::Dialog;

        QTest::newRow("下を検索 finds nothing after the hit; caret one past it")
            << u"abc x"_s << u"abc"_s << QString() << qsizetype(0) << u"D"_s << keep << Command::Down << ok
            << QList{notFound(u"検索"_s)} << u"abc x"_s << qsizetype(1) << qsizetype(0) << qint16(0)
            << Focus::EditTxt;
        QTest::newRow("下を検索 finds nothing from the caret")
            << u"abc x"_s << u"abc"_s << QString() << qsizetype(0) << QString() << qsizetype(2)
            << Command::Down << ok << QList{notFound(u"検索"_s)} << u"abc x"_s << qsizetype(2) << qsizetype(0)
            << qint16(0) << Focus::EditTxt;
        QTest::newRow("置換 finds nothing after the hit")
            << u"abc x"_s << u"abc"_s << u"Z"_s << qsizetype(0) << u"D"_s << keep << Command::Replace << ok
            << QList{notFound(u"置換"_s)} << u"abc x"_s << qsizetype(1) << qsizetype(0) << qint16(0)
            << Focus::EditTxt;
        QTest::newRow("全て置換 finds the word nowhere, never asks")
            << u"abc x"_s << u"abc"_s << u"Z"_s << qsizetype(0) << u"R"_s << keep << Command::ReplaceAll << ok
            << QList{notFound(u"全置換"_s)} << u"Z x"_s << qsizetype(0) << qsizetype(1) << qint16(0)
            << Focus::EditTxt;
        QTest::newRow("上を検索 with the caret at the start after a hit")
            << u"abc abc"_s << u"abc"_s << QString() << qsizetype(4) << u"D"_s << qsizetype(0) << Command::Up
            << ok << QList{notFound(u"逆検索"_s)} << u"abc abc"_s << qsizetype(0) << qsizetype(0) << qint16(0)
            << Focus::EditTxt;
        QTest::newRow("上を検索 finds nothing before the hit, which stays selected")
            << u"xabc"_s << u"abc"_s << QString() << qsizetype(0) << u"D"_s << keep << Command::Up << ok
            << QList{notFound(u"逆検索"_s)} << u"xabc"_s << qsizetype(1) << qsizetype(3) << qint16(1)
            << Focus::EditTxt;
        QTest::newRow("上を検索 finds nothing before the caret")
            << u"xabc"_s << u"abc"_s << QString() << qsizetype(0) << QString() << qsizetype(3) << Command::Up
            << ok << QList{notFound(u"逆検索"_s)} << u"xabc"_s << qsizetype(3) << qsizetype(0) << qint16(0)
            << Focus::EditTxt;
        QTest::newRow("全て置換 answered No changes nothing")
            << u"ab ab"_s << u"ab"_s << u"X"_s << qsizetype(0) << u"D"_s << keep << Command::ReplaceAll
            << MsgAnswer::No << QList{replaceAllQuestion()} << u"ab ab"_s << qsizetype(0) << qsizetype(2)
            << qint16(1) << Focus::Dialog;
        QTest::newRow("全て置換 answered Yes")
            << u"ab ab"_s << u"ab"_s << u"X"_s << qsizetype(0) << u"D"_s << keep << Command::ReplaceAll
            << MsgAnswer::Yes << QList{replaceAllQuestion()} << u"X X"_s << qsizetype(0) << qsizetype(0)
            << qint16(0) << Focus::EditTxt;
        QTest::newRow("下を検索 selects the next occurrence")
            << u"ab ab"_s << u"ab"_s << QString() << qsizetype(0) << QString() << qsizetype(1)
            << Command::Down << ok << none << u"ab ab"_s << qsizetype(3) << qsizetype(2) << qint16(1)
            << Focus::EditTxt;
        QTest::newRow("上を検索 skips the occurrence holding the caret")
            << u"abcabc"_s << u"bc"_s << QString() << qsizetype(0) << QString() << qsizetype(5) << Command::Up
            << ok << none << u"abcabc"_s << qsizetype(1) << qsizetype(2) << qint16(1) << Focus::EditTxt;
        QTest::newRow("置換 selects the inserted word")
            << u"ab ab"_s << u"ab"_s << u"XYZ"_s << qsizetype(0) << QString() << qsizetype(1)
            << Command::Replace << ok << none << u"ab XYZ"_s << qsizetype(3) << qsizetype(3) << qint16(1)
            << Focus::EditTxt;
        QTest::newRow("置換 with an empty replace word deletes")
            << u"ab ab"_s << u"ab"_s << QString() << qsizetype(0) << QString() << qsizetype(1)
            << Command::Replace << ok << none << u"ab "_s << qsizetype(3) << qsizetype(0) << qint16(1)
            << Focus::EditTxt;
        QTest::newRow("キャンセル") << u"ab"_s << u"ab"_s << QString() << qsizetype(0) << u"D"_s << keep
                                    << Command::Cancel << ok << none << u"ab"_s << qsizetype(0)
                                    << qsizetype(2) << qint16(0) << Focus::Unchecked;
        QTest::newRow("typing in the search word")
            << u"ab"_s << u"ab"_s << QString() << qsizetype(0) << u"D"_s << keep << Command::TypeWord << ok
            << none << u"ab"_s << qsizetype(0) << qsizetype(2) << qint16(0) << Focus::Dialog;
        QTest::newRow("typing in the replace word")
            << u"ab"_s << u"ab"_s << QString() << qsizetype(0) << u"D"_s << keep << Command::TypeReplacement
            << ok << none << u"ab"_s << qsizetype(0) << qsizetype(2) << qint16(1) << Focus::Dialog;
        QTest::newRow("editing and moving the caret by hand")
            << u"ab ab"_s << u"ab"_s << QString() << qsizetype(0) << u"D"_s << keep << Command::EditByHand
            << ok << none << u"ab abz"_s << qsizetype(6) << qsizetype(0) << qint16(1) << Focus::Unchecked;
    }

    void commandLeavesStateAndTells()
    {
        QFETCH(QString, text);
        QFETCH(QString, word);
        QFETCH(QString, with);
        QFETCH(qsizetype, setupCaret);
        QFETCH(QString, setup);
        QFETCH(qsizetype, caret);
        QFETCH(Command, command);
        QFETCH(MsgAnswer, answer);
        QFETCH(QList<MsgBox>, boxes);
        QFETCH(QString, after);
        QFETCH(qsizetype, selStart);
        QFETCH(qsizetype, selLength);
        QFETCH(qint16, hit);
        QFETCH(Focus, focus);

        SearchWindow w;
        QVERIFY(w.open());
        EditBox *edit = w.frm.EditTxt;
        w.dlg->SearchTxt->setText(word);
        w.dlg->ReplaceTxt->setText(with);
        w.setDocument(text, setupCaret);
        for (QChar press : setup)
            buttonFor(w.dlg, press)->click();
        QVERIFY2(setup.isEmpty() == (w.dlg->HitSelected() == 0), "the setup leaves a hit");
        if (caret >= 0)
            edit->setSelStart(caret);
        QVERIFY(w.activateDialog());
        VERIFY_BOXES(w.fixture.boxes);

        for (const MsgBox &box : boxes)
            w.fixture.boxes.expect(box, box.buttons == MsgButtons::YesNo ? answer : MsgAnswer::Ok);
        switch (command) {
        case Command::Down:
            QTest::mouseClick(w.dlg->SearchCmd, Qt::LeftButton);
            break;
        case Command::Up:
            QTest::mouseClick(w.dlg->ReSearchCmd, Qt::LeftButton);
            break;
        case Command::Replace:
            QTest::mouseClick(w.dlg->ReplaceCmd, Qt::LeftButton);
            break;
        case Command::ReplaceAll:
            QTest::mouseClick(w.dlg->AllReplaceCmd, Qt::LeftButton);
            break;
        case Command::Cancel:
            QTest::mouseClick(w.dlg->CancelCmd, Qt::LeftButton);
            break;
        case Command::TypeWord:
            QTest::keyClicks(w.dlg->SearchTxt, u"c"_s);
            break;
        case Command::TypeReplacement:
            QTest::keyClicks(w.dlg->ReplaceTxt, u"c"_s);
            break;
        case Command::EditByHand:
            QTest::keyClick(edit, Qt::Key_End);
            QTest::keyClicks(edit, u"z"_s);
            break;
        }

        VERIFY_BOXES(w.fixture.boxes);
        QCOMPARE(edit->text(), after);
        QCOMPARE(edit->selStart(), selStart);
        QCOMPARE(edit->selLength(), selLength);
        QCOMPARE(w.dlg->HitSelected(), hit);
        // Activation reaches the windows through the window system's queue.
        if (focus == Focus::EditTxt) {
            QTRY_VERIFY(w.editTxtHasFocus());
        } else if (focus == Focus::Dialog) {
            QTest::qWait(50);
            QVERIFY(w.dialogHasFocus());
        }
    }

    // Presses in a row: each press either selects (start, length) or tells
    // that the word is not found.
    void pressesWalkThroughText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qsizetype>("selStart");
        QTest::addColumn<qsizetype>("selLength");
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("with");
        QTest::addColumn<QString>("presses");
        QTest::addColumn<QStringList>("results"); // "start+length" or "none"
        QTest::addColumn<QString>("after");

        QTest::newRow("overlapping occurrences found one character apart")
            << u"aaaa"_s << qsizetype(0) << qsizetype(0) << u"aa"_s << QString() << u"DDDD"_s
            << QStringList{u"0+2"_s, u"1+2"_s, u"2+2"_s, u"none"_s} << u"aaaa"_s;
        QTest::newRow("found at the caret at the start of the text")
            << u"ab"_s << qsizetype(0) << qsizetype(0) << u"ab"_s << QString() << u"D"_s
            << QStringList{u"0+2"_s} << u"ab"_s;
        QTest::newRow("a hand selection equal to the word is found again")
            << u"ab ab"_s << qsizetype(3) << qsizetype(2) << u"ab"_s << QString() << u"DD"_s
            << QStringList{u"3+2"_s, u"none"_s} << u"ab ab"_s;
        QTest::newRow("downward does not wrap to the top")
            << u"ab ab x"_s << qsizetype(4) << qsizetype(0) << u"ab"_s << QString() << u"DD"_s
            << QStringList{u"none"_s, u"none"_s} << u"ab ab x"_s;
        QTest::newRow("upward walks back and does not wrap")
            << u"abcabc"_s << qsizetype(6) << qsizetype(0) << u"bc"_s << QString() << u"UUU"_s
            << QStringList{u"4+2"_s, u"1+2"_s, u"none"_s} << u"abcabc"_s;
        QTest::newRow("up then down finds the same occurrence's successor")
            << u"ab ab ab"_s << qsizetype(8) << qsizetype(0) << u"ab"_s << QString() << u"UUD"_s
            << QStringList{u"6+2"_s, u"3+2"_s, u"6+2"_s} << u"ab ab ab"_s;
        QTest::newRow("置換 after a hit replaces the next occurrence, not the selection")
            << u"ab ab"_s << qsizetype(0) << qsizetype(0) << u"ab"_s << u"X"_s << u"DR"_s
            << QStringList{u"0+2"_s, u"3+1"_s} << u"ab X"_s;
        QTest::newRow("置換 after 上を検索 replaces the next occurrence")
            << u"ab ab ab"_s << qsizetype(4) << qsizetype(0) << u"ab"_s << u"X"_s << u"UR"_s
            << QStringList{u"0+2"_s, u"3+1"_s} << u"ab X ab"_s;
        QTest::newRow("置換 without a hit starts at the selection's start, whatever is selected")
            << u"ab ab ab"_s << qsizetype(1) << qsizetype(3) << u"ab"_s << u"X"_s << u"R"_s
            << QStringList{u"3+1"_s} << u"ab X ab"_s;
        QTest::newRow("置換 walks one occurrence per press")
            << u"a a a"_s << qsizetype(0) << qsizetype(0) << u"a"_s << u"bb"_s << u"RRRR"_s
            << QStringList{u"0+2"_s, u"3+2"_s, u"6+2"_s, u"none"_s} << u"bb bb bb"_s;
        QTest::newRow("置換 finds the word inside the inserted replace word")
            << u"a"_s << qsizetype(0) << qsizetype(0) << u"a"_s << u"aa"_s << u"RRR"_s
            << QStringList{u"0+2"_s, u"1+2"_s, u"2+2"_s} << u"aaaa"_s;
        QTest::newRow("置換 with an empty replace word leaves the caret at the place")
            << u"x-x-x"_s << qsizetype(0) << qsizetype(0) << u"-"_s << QString() << u"RRR"_s
            << QStringList{u"1+0"_s, u"2+0"_s, u"none"_s} << u"xxx"_s;
        QTest::newRow("matching is exact: case, width and kana")
            << u"ABC ａｂｃ カ ｶ abc か"_s << qsizetype(0) << qsizetype(0) << u"abc"_s << QString() << u"DD"_s
            << QStringList{u"12+3"_s, u"none"_s} << u"ABC ａｂｃ カ ｶ abc か"_s;
        QTest::newRow("kana: カ does not find か")
            << u"か ｶ カ"_s << qsizetype(0) << qsizetype(0) << u"カ"_s << QString() << u"DD"_s
            << QStringList{u"4+1"_s, u"none"_s} << u"か ｶ カ"_s;
        QTest::newRow("positions count CR LF as two")
            << u"あい\r\nう\r\nあい"_s << qsizetype(0) << qsizetype(0) << u"あい"_s << QString() << u"DDUU"_s
            << QStringList{u"0+2"_s, u"7+2"_s, u"0+2"_s, u"none"_s} << u"あい\r\nう\r\nあい"_s;
        QTest::newRow("lone CR and LF stay characters of the text")
            << u"a\rb\nab\r\nab"_s << qsizetype(0) << qsizetype(0) << u"ab"_s << QString() << u"DDD"_s
            << QStringList{u"4+2"_s, u"8+2"_s, u"none"_s} << u"a\rb\nab\r\nab"_s;
        QTest::newRow("a word holding a line break, as code may set it")
            << u"ab\r\ncd\r\nab\r\ncd"_s << qsizetype(0) << qsizetype(0) << u"b\r\nc"_s << QString()
            << u"DDD"_s << QStringList{u"1+4"_s, u"9+4"_s, u"none"_s} << u"ab\r\ncd\r\nab\r\ncd"_s;
        QTest::newRow("replacing across lines keeps the line breaks")
            << u"あい\r\nあい\r\n"_s << qsizetype(0) << qsizetype(0) << u"い"_s << u"う\r\nえ"_s << u"RR"_s
            << QStringList{u"1+4"_s, u"8+4"_s} << u"あう\r\nえ\r\nあう\r\nえ\r\n"_s;
        QTest::newRow("全て置換 takes occurrences left to right without overlap")
            << u"aaaaa"_s << qsizetype(3) << qsizetype(1) << u"aa"_s << u"b"_s << u"A"_s
            << QStringList{u"0+0"_s} << u"bba"_s;
        QTest::newRow("全て置換 with an empty replace word deletes every occurrence")
            << u"<b>x</b>\r\n<b>y</b>"_s << qsizetype(4) << qsizetype(0) << u"<b>"_s << QString() << u"A"_s
            << QStringList{u"0+0"_s} << u"x</b>\r\ny</b>"_s;
        QTest::newRow("全て置換 then 下を検索 starts at the start of the text")
            << u"ab ab"_s << qsizetype(5) << qsizetype(0) << u"ab"_s << u"abab"_s << u"AD"_s
            << QStringList{u"0+0"_s, u"0+2"_s} << u"abab abab"_s;
    }

    void pressesWalkThroughText()
    {
        QFETCH(QString, text);
        QFETCH(qsizetype, selStart);
        QFETCH(qsizetype, selLength);
        QFETCH(QString, word);
        QFETCH(QString, with);
        QFETCH(QString, presses);
        QFETCH(QStringList, results);
        QFETCH(QString, after);
        QCOMPARE(results.size(), presses.size());

        SearchWindow w;
        QVERIFY(w.open());
        EditBox *edit = w.frm.EditTxt;
        w.dlg->SearchTxt->setText(word);
        w.dlg->ReplaceTxt->setText(with);
        w.setDocument(text, selStart, selLength);
        qint16 hit = 0;
        for (qsizetype i = 0; i < presses.size(); ++i) {
            const QChar press = presses[i];
            const bool found = results[i] != u"none"_s;
            // Not finding anything upward from inside the text keeps the last hit.
            if (found)
                hit = press == u'A' ? 0 : 1;
            else if (press != u'U' || edit->selStart() == 0)
                hit = 0;
            if (press == u'A')
                w.fixture.boxes.expect(replaceAllQuestion(), MsgAnswer::Yes);
            if (!found)
                w.fixture.boxes.expect(notFound(titleFor(press)), MsgAnswer::Ok);
            buttonFor(w.dlg, press)->click();
            VERIFY_BOXES(w.fixture.boxes);
            if (found) {
                const QString got =
                    QString::number(edit->selStart()) + u'+' + QString::number(edit->selLength());
                QCOMPARE(got, results[i]);
            }
            QCOMPARE(w.dlg->HitSelected(), hit);
        }
        QCOMPARE(edit->text(), after);
    }

    // Under an address-space limit that cannot hold the replaced text, 全て置換
    // tells the user and leaves the text as it was; the program runs on.
    void replaceAllWithoutTheMemoryKeepsTheText()
    {
#if defined(__SANITIZE_ADDRESS__)
        QSKIP("the sanitizer's allocator ends the program where an allocation would fail");
#endif
        SearchWindow w;
        QVERIFY(w.open());
        const QString text = u"a b\r\n"_s.repeated(1 << 16);
        w.setDocument(text);
        w.dlg->SearchTxt->setText(u"a"_s);
        w.dlg->ReplaceTxt->setText(QString(4000, u'x')); // 262 M characters, 524 MB
        w.fixture.boxes.expect(replaceAllQuestion(), MsgAnswer::Yes);
        w.fixture.boxes.expect(MsgBox::warning(u"メモリが足りないため、全置換できません。\r\n"_s +
                                                   TextFile::outOfMemoryReason(),
                                               u"全置換"_s),
                               MsgAnswer::Ok);
        {
            const AddressSpaceLimit limit(256 << 20);
            QVERIFY(limit.ok());
            QTest::mouseClick(w.dlg->AllReplaceCmd, Qt::LeftButton);
        }
        VERIFY_BOXES(w.fixture.boxes);
        QVERIFY(w.frm.EditTxt->textEquals(text));
    }
};

TESSARA_TEST_CLASS(SearchCommandsTest)
#include "SearchCommandsTest.moc"
