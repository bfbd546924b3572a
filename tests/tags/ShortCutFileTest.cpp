// "TagsShortCuts.dat": read at start-up, written as twelve lines at shutdown,
// and what hand-edited or damaged lines do.
#include "ShortCutTestWindow.h"
#include "TestRegistry.h"
#include "tags/ShortCutSlots.h"
#include "ui/EditBox.h"
#include "ui/ListBox.h"

#include <QDir>
#include <QFileInfo>
#include <QTest>

using namespace Qt::StringLiterals;
using shortcuttest::Window;
using shortcuttest::Slots;
using shortcuttest::slotsOf;

namespace {
const QString FileName = u"TagsShortCuts.dat"_s;
}

class ShortCutFileTest : public QObject {
    Q_OBJECT
private slots:
    void readsTwelveLines_data();
    void readsTwelveLines();
    void loadingNeverWritesTheFile_data();
    void loadingNeverWritesTheFile();
    void writesTwelveLines_data();
    void writesTwelveLines();
    void writesChangedSlots();
    void failedWriteIsReported();
    void damagedLineIsKeptButNeverPasted_data();
    void damagedLineIsKeptButNeverPasted();
    void damagedLineIsReplacedWhenTheSlotChanges();
};

void ShortCutFileTest::readsTwelveLines_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<Slots>("slotTexts");

    QTest::newRow("no file") << QByteArray() << Slots();
    QTest::newRow("empty file") << ""_ba << Slots();
    QTest::newRow("twelve empty lines") << QByteArray("\r\n").repeated(12) << Slots();
    QTest::newRow("five lines") << "1\r\n\r\n34\r\n-1\r\n70\r\n"_ba
                                << slotsOf({u"1"_s, {}, u"34"_s, u"-1"_s, u"70"_s});
    QTest::newRow("fifteen lines")
        << "0\r\n1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n10\r\n11\r\n12\r\n13\r\n14\r\n"_ba
        << slotsOf({u"0"_s, u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s,
                 u"6"_s, u"7"_s, u"8"_s, u"9"_s, u"10"_s, u"11"_s});
    QTest::newRow("last line without its break") << "29\r\n34"_ba << slotsOf({u"29"_s, u"34"_s});
    QTest::newRow("lone CR ends a line") << "29\r34\r\n"_ba << slotsOf({u"29"_s, u"34"_s});
    QTest::newRow("lone LF stays in the line") << "29\n34\r\n1\r\n"_ba << slotsOf({u"29\n34"_s, u"1"_s});
    QTest::newRow("Shift_JIS text") << "\x82\xa0\r\n3\r\n"_ba << slotsOf({u"あ"_s, u"3"_s});
}

void ShortCutFileTest::readsTwelveLines()
{
    QFETCH(QByteArray, file);
    QFETCH(Slots, slotTexts);
    Window w(71, file);
    QCOMPARE(w.shortCuts().ShortCuts, slotTexts);
}

void ShortCutFileTest::loadingNeverWritesTheFile_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::newRow("no file") << QByteArray();
    QTest::newRow("five lines") << "1\r\n\r\n34\r\n-1\r\n70\r\n"_ba;
    QTest::newRow("fifteen lines") << QByteArray("7\r\n").repeated(15);
}

void ShortCutFileTest::loadingNeverWritesTheFile()
{
    QFETCH(QByteArray, file);
    Window w(71, file);
    QCOMPARE(w.fixture().bytes(FileName), file);
    QCOMPARE(w.fixture().exists(FileName), !file.isNull());
}

void ShortCutFileTest::writesTwelveLines_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QByteArray>("written");

    QTest::newRow("no file: twelve empty lines") << QByteArray() << QByteArray("\r\n").repeated(12);
    QTest::newRow("five lines")
        << "1\r\n\r\n34\r\n-1\r\n70\r\n"_ba << "1\r\n\r\n34\r\n-1\r\n70\r\n"_ba + QByteArray("\r\n").repeated(7);
    QTest::newRow("fifteen lines")
        << "0\r\n1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n10\r\n11\r\n12\r\n13\r\n14\r\n"_ba
        << "0\r\n1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n10\r\n11\r\n"_ba;
    QTest::newRow("last line gets its break") << "29"_ba << "29\r\n"_ba + QByteArray("\r\n").repeated(11);
    QTest::newRow("lone CR becomes CR LF") << "29\r34\r\n"_ba << "29\r\n34\r\n"_ba + QByteArray("\r\n").repeated(10);
    const QByteArray odd = "2.5\r\n-2\r\n40000\r\n 3\r\n+3\r\n1e2\r\n&H10\r\n\x82\xa0\r\n"
                           "\x81\r\n29\n30\r\n03\r\n\xff\xfe\r\n"_ba;
    QTest::newRow("hand-edited lines come back unchanged") << odd << odd;
}

void ShortCutFileTest::writesTwelveLines()
{
    QFETCH(QByteArray, file);
    QFETCH(QByteArray, written);
    Window w(71, file);
    QString why = u"untouched"_s;
    QVERIFY(w.shortCuts().save(&why));
    QCOMPARE(why, u"untouched"_s);
    QCOMPARE(w.fixture().bytes(FileName), written);
}

void ShortCutFileTest::writesChangedSlots()
{
    Window w(71, "1\r\n2\r\n3\r\n"_ba);
    w.frm().HTMLLst->setListIndex(29);
    QTest::keyClick(w.frm().HTMLLst, Qt::Key_F3);
    QTest::keyClick(w.frm().HTMLLst, Qt::Key_F1, Qt::ShiftModifier);
    w.frm().HTMLLst->setListIndex(-1);
    QTest::keyClick(w.frm().HTMLLst, Qt::Key_F12, Qt::ControlModifier);
    QVERIFY(w.shortCuts().save());
    QCOMPARE(w.fixture().bytes(FileName), "\r\n2\r\n29\r\n"_ba + QByteArray("\r\n").repeated(8) + "-1\r\n"_ba);

    // The next start reads back what was written.
    Window next;
    next.fixture().write(FileName, w.fixture().bytes(FileName));
    next.shortCuts().load();
    QCOMPARE(next.shortCuts().ShortCuts, slotsOf({{}, u"2"_s, u"29"_s, {}, {}, {}, {}, {}, {}, {}, {}, u"-1"_s}));
    QCOMPARE(next.caption(), u" F1:NONE F2:項目2 F3:項目29 F4:NONE F5:NONE F6:NONE F7:NONE F8:NONE "
                             u"F9:NONE F10:NONE F11:NONE F12: "_s);
}

void ShortCutFileTest::failedWriteIsReported()
{
    // A folder where the file should be: it reads as no file and cannot be written.
    Window w;
    QVERIFY(QDir(w.fixture().startDir()).mkdir(FileName));
    w.shortCuts().load();
    QCOMPARE(w.shortCuts().ShortCuts, Slots());
    w.frm().HTMLLst->setListIndex(1);
    QTest::keyClick(w.frm().HTMLLst, Qt::Key_F1);
    QString why;
    QVERIFY(!w.shortCuts().save(&why));
    QVERIFY(!why.isEmpty());
    QVERIFY(QFileInfo(w.fixture().path(FileName)).isDir());
}

void ShortCutFileTest::damagedLineIsKeptButNeverPasted_data()
{
    QTest::addColumn<QByteArray>("line");
    // 120 entries, so that every reading of these lines as a number would find
    // an entry to paste: 2 or 3, 16, 100, 3, 29.
    QTest::newRow("fraction") << "2.5"_ba;
    QTest::newRow("whole fraction") << "3.0"_ba;
    QTest::newRow("below -1") << "-2"_ba;
    QTest::newRow("lowest 16 bits") << "-32768"_ba;
    QTest::newRow("beyond 16 bits") << "32768"_ba;
    QTest::newRow("16 bits wrapped to 3") << "65539"_ba;
    QTest::newRow("plus sign") << "+3"_ba;
    QTest::newRow("leading blank") << " 3"_ba;
    QTest::newRow("trailing blank") << "3 "_ba;
    QTest::newRow("blank") << " "_ba;
    QTest::newRow("leading zero") << "03"_ba;
    QTest::newRow("exponent") << "1e2"_ba;
    QTest::newRow("basic hex") << "&H10"_ba;
    QTest::newRow("c hex") << "0x10"_ba;
    QTest::newRow("word") << "abc"_ba;
    QTest::newRow("digits then word") << "3abc"_ba;
    QTest::newRow("full-width digits") << "\x82\x52"_ba; // "３"
    QTest::newRow("byte that is no character") << "\x81"_ba;
    QTest::newRow("two lines joined by LF") << "29\n30"_ba;
}

void ShortCutFileTest::damagedLineIsKeptButNeverPasted()
{
    QFETCH(QByteArray, line);
    const QByteArray file = "1\r\n"_ba + line + "\r\n"_ba + QByteArray("\r\n").repeated(10);
    Window w(120, file);
    QCOMPARE(w.caption(), u" F1:<htm F2:NONE F3:NONE F4:NONE F5:NONE F6:NONE F7:NONE F8:NONE "
                          u"F9:NONE F10:NONE F11:NONE F12:NONE "_s);

    w.frm().HTMLLst->setListIndex(5);
    w.frm().EditTxt->setText(u"abcdef"_s);
    w.frm().EditTxt->setSelStart(2);
    w.takeClicks();
    QTest::keyClick(w.frm().EditTxt, Qt::Key_F2);
    QCOMPARE(w.takeClicks(), QList<int>());
    QCOMPARE(w.frm().HTMLLst->listIndex(), 5);
    QCOMPARE(w.frm().EditTxt->text(), u"abcdef"_s);
    QCOMPARE(w.frm().EditTxt->selStart(), 2);
    QCOMPARE(w.frm().EditTxt->selLength(), 0);

    // Untouched, the line is written back exactly as it was read.
    QVERIFY(w.shortCuts().save());
    QCOMPARE(w.fixture().bytes(u"TagsShortCuts.dat"_s), file);
}

void ShortCutFileTest::damagedLineIsReplacedWhenTheSlotChanges()
{
    Window w(71, "2.5\r\nabc\r\n"_ba);
    w.frm().HTMLLst->setListIndex(34);
    QTest::keyClick(w.frm().HTMLLst, Qt::Key_F1);
    QTest::keyClick(w.frm().EditTxt, Qt::Key_F2, Qt::ShiftModifier);
    QCOMPARE(w.caption(), u" F1:<br> F2:NONE F3:NONE F4:NONE F5:NONE F6:NONE F7:NONE F8:NONE "
                          u"F9:NONE F10:NONE F11:NONE F12:NONE "_s);
    QVERIFY(w.shortCuts().save());
    QCOMPARE(w.fixture().bytes(u"TagsShortCuts.dat"_s), "34\r\n"_ba + QByteArray("\r\n").repeated(11));
}

TESSARA_TEST_CLASS(ShortCutFileTest)
#include "ShortCutFileTest.moc"
