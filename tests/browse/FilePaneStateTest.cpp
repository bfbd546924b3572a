// The file pane's state on the real controls: whether a file is chosen, the
// remembered filter item, the directory and the files listed, after each kind
// of user action.
#include "PaneFixture.h"
#include "TestRegistry.h"
#include "browse/FilePane.h"
#include "ui/ComboBox.h"
#include "ui/DirList.h"
#include "ui/DriveList.h"
#include "ui/EditBox.h"
#include "ui/FileList.h"
#include "ui/Label.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace
{
enum class Act {
    FileClick,
    FileDblClick,
    FileArrowDown,
    FileEnter,
    FileLetter,
    DriveArrowDown,
    DirDblClickSub1,
    DirEnterOnCurrent,
    DirArrowDownThenEnter,
    DirArrowDown,
    DirPathByCodeOther,
    DirPathByCodeSame,
    TailChooseHtml,
    TailChooseTxt,
    TailChooseOther,
    TailTypeLetter,
    TailArrowDown,
};

// Chooses an item of the filter combo as the drop-down list does.
void choose(ComboBox *combo, int index)
{
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}
} // namespace

Q_DECLARE_METATYPE(Act)

class FilePaneStateTest : public QObject
{
    Q_OBJECT

  private slots:
    void actionsMoveTheChosenStateAndTheFilter_data()
    {
        QTest::addColumn<int>("tailBefore");     // filter item chosen first, -1 for none
        QTest::addColumn<bool>("clickedBefore"); // a file clicked before the action
        QTest::addColumn<Act>("act");
        QTest::addColumn<int>("fileChosen");
        QTest::addColumn<int>("tailIndex");
        QTest::addColumn<QString>("dir");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("opened"); // the file Open opened, in tree/

        const QStringList html{u"a.html"_s, u"b.html"_s};
        const QStringList txt{u"c.txt"_s};
        const QStringList all{u"a.html"_s, u"b.html"_s, u"c.txt"_s, u"d.dat"_s};
        const QString tree = u"tree"_s;

        QTest::newRow("clicking a file chooses it")
            << -1 << false << Act::FileClick << 1 << 0 << tree << u"*.html"_s << html << QString();
        QTest::newRow("double-clicking a file chooses it")
            << -1 << false << Act::FileDblClick << 1 << 0 << tree << u"*.html"_s << html << u"b.html"_s;
        QTest::newRow("an arrow key in the file list chooses a file")
            << -1 << false << Act::FileArrowDown << 1 << 0 << tree << u"*.html"_s << html << QString();
        QTest::newRow("Enter in the file list keeps the choice")
            << -1 << true << Act::FileEnter << 1 << 0 << tree << u"*.html"_s << html << u"a.html"_s;
        QTest::newRow("a letter in the file list keeps the choice")
            << -1 << true << Act::FileLetter << 1 << 0 << tree << u"*.html"_s << html << QString();
        QTest::newRow("another drive lists its directory and clears the choice")
            << -1 << true << Act::DriveArrowDown << 0 << 0 << u"dvol"_s << u"*.html"_s
            << QStringList{u"v.html"_s} << QString();
        QTest::newRow("double-clicking a subdirectory opens it and clears the choice")
            << -1 << true << Act::DirDblClickSub1 << 0 << 0 << u"tree/sub1"_s << u"*.html"_s
            << QStringList{u"s.html"_s} << QString();
        QTest::newRow("Enter on the current directory lists it again and clears the choice")
            << -1 << true << Act::DirEnterOnCurrent << 0 << 0 << tree << u"*.html"_s << html << QString();
        QTest::newRow("Enter on a highlighted subdirectory opens it")
            << -1 << true << Act::DirArrowDownThenEnter << 0 << 0 << u"tree/sub1"_s << u"*.html"_s
            << QStringList{u"s.html"_s} << QString();
        QTest::newRow("moving the highlight in the directory list changes nothing")
            << -1 << true << Act::DirArrowDown << 1 << 0 << tree << u"*.html"_s << html << QString();
        QTest::newRow("a new directory set by the program clears the choice")
            << -1 << true << Act::DirPathByCodeOther << 0 << 0 << u"other"_s << u"*.html"_s
            << QStringList{u"o.html"_s} << QString();
        QTest::newRow("the same directory set by the program keeps the choice")
            << -1 << true << Act::DirPathByCodeSame << 1 << 0 << tree << u"*.html"_s << html << QString();
        QTest::newRow("choosing txt filters and clears the choice")
            << -1 << true << Act::TailChooseTxt << 0 << 1 << tree << u"*.txt"_s << txt << QString();
        QTest::newRow("choosing (その他) lists every file")
            << -1 << true << Act::TailChooseOther << 0 << 2 << tree << u"*.*"_s << all << QString();
        QTest::newRow("choosing html again after (その他) clears the choice")
            << 2 << true << Act::TailChooseHtml << 0 << 0 << tree << u"*.html"_s << html << QString();
        QTest::newRow("choosing the item already chosen keeps the choice")
            << 1 << true << Act::TailChooseTxt << 1 << 1 << tree << u"*.txt"_s << txt << QString();
        QTest::newRow("html chosen first time, remembered item 0, keeps the choice")
            << -1 << true << Act::TailChooseHtml << 1 << 0 << tree << u"*.html"_s << html << QString();
        QTest::newRow("typing before any filter was chosen brings back html")
            << -1 << true << Act::TailTypeLetter << 1 << 0 << tree << u"*.html"_s << html << QString();
        QTest::newRow("typing after txt brings back txt")
            << 1 << true << Act::TailTypeLetter << 1 << 1 << tree << u"*.txt"_s << txt << QString();
        QTest::newRow("an arrow key on the closed filter moves to the next item")
            << 1 << true << Act::TailArrowDown << 0 << 2 << tree << u"*.*"_s << all << QString();
    }

    void actionsMoveTheChosenStateAndTheFilter()
    {
        QFETCH(int, tailBefore);
        QFETCH(bool, clickedBefore);
        QFETCH(Act, act);

        PaneFixture f;
        TesselFrm &frm = f.open();
        FilePane &pane = f.pane();
        frm.EditTxt->setFocus();
        if (tailBefore >= 0)
            choose(frm.TailCmb, tailBefore);
        if (clickedBefore) {
            f.click(frm.File, 0);
            QCOMPARE(pane.fileChosen(), qint16(1));
        }

        switch (act) {
        case Act::FileClick:
            f.click(frm.File, 1);
            break;
        case Act::FileDblClick:
            f.doubleClick(frm.File, 1);
            break;
        case Act::FileArrowDown:
            QTest::keyClick(frm.File, Qt::Key_Down);
            break;
        case Act::FileEnter:
            QTest::keyClick(frm.File, Qt::Key_Return);
            break;
        case Act::FileLetter:
            QTest::keyClick(frm.File, Qt::Key_Q);
            break;
        case Act::DriveArrowDown:
            QTest::keyClick(frm.Drive, Qt::Key_Down);
            break;
        case Act::DirDblClickSub1:
            f.doubleClick(frm.Dir1, f.dirRow(u"sub1"_s));
            break;
        case Act::DirEnterOnCurrent:
            QTest::keyClick(frm.Dir1, Qt::Key_Return);
            break;
        case Act::DirArrowDownThenEnter:
            QTest::keyClick(frm.Dir1, Qt::Key_Down);
            QCOMPARE(frm.Dir1->listIndex(), 0);
            QTest::keyClick(frm.Dir1, Qt::Key_Return);
            break;
        case Act::DirArrowDown:
            QTest::keyClick(frm.Dir1, Qt::Key_Down);
            break;
        case Act::DirPathByCodeOther:
            QVERIFY(frm.Dir1->setPath(f.dir(u"other"_s)));
            break;
        case Act::DirPathByCodeSame:
            QVERIFY(frm.Dir1->setPath(f.dir(u"tree"_s)));
            break;
        case Act::TailChooseHtml:
            choose(frm.TailCmb, 0);
            break;
        case Act::TailChooseTxt:
            choose(frm.TailCmb, 1);
            break;
        case Act::TailChooseOther:
            choose(frm.TailCmb, 2);
            break;
        case Act::TailTypeLetter:
            QTest::keyClick(frm.TailCmb, Qt::Key_X);
            break;
        case Act::TailArrowDown:
            QTest::keyClick(frm.TailCmb, Qt::Key_Down);
            break;
        }

        QTEST(int(pane.fileChosen()), "fileChosen");
        QTEST(int(pane.tailIndex()), "tailIndex");
        QFETCH(QString, dir);
        QCOMPARE(frm.Dir1->path(), f.dir(dir));
        QCOMPARE(frm.File->path(), f.dir(dir));
        QTEST(frm.File->pattern(), "pattern");
        QTEST(f.fileNames(), "files");
        // The combo always shows the item whose filter is in force.
        if (frm.TailCmb->listIndex() >= 0)
            QCOMPARE(frm.TailCmb->text(), frm.TailCmb->list(pane.tailIndex()));
        // The chain runs downwards only: the drive list follows no directory.
        QCOMPARE(frm.Drive->drive(), act == Act::DriveArrowDown ? u"d:"_s : u"c:"_s);
        // A double-click or Enter in the file list opens the chosen file.
        QFETCH(QString, opened);
        QCOMPARE(frm.FilenameLbl->caption(), opened.isEmpty() ? QString() : f.dir(u"tree/"_s + opened));
        VERIFY_BOXES(f.boxes);
    }
};

TESSARA_TEST_CLASS(FilePaneStateTest)
#include "FilePaneStateTest.moc"
