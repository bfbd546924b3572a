// Drives and directories that cannot be read: the user is told which and why,
// the pane stays on a directory it can read, and the edit text is untouched.
#include "PaneFixture.h"
#include "TestRegistry.h"
#include "browse/FilePane.h"
#include "ui/DirList.h"
#include "ui/DriveList.h"
#include "ui/EditBox.h"
#include "ui/FileList.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace Qt::StringLiterals;

namespace
{
enum class Failure {
    DoubleClickVanishedSubdir,
    EnterOnVanishedSubdir,
    EnterOnVanishedCurrent,
    EnterWhenStartDirectoryVanishedToo,
    ShowAFile,
    ShowAPathUnderAFile,
    RefreshVanishedListing,
};

MsgBox notice(const QString &text)
{
    return MsgBox::warning(text, u"エラー"_s);
}

const QString Document = u"<html>\r\n本文はそのまま\r\n</html>"_s;
} // namespace

Q_DECLARE_METATYPE(Failure)

class FilePaneFailureTest : public QObject
{
    Q_OBJECT

  private slots:
    void unreadableDirectoryIsToldAndThePaneStaysReadable_data()
    {
        QTest::addColumn<Failure>("failure");
        QTest::addColumn<QString>("failing"); // relative to the start directory
        QTest::addColumn<QString>("reason");
        QTest::addColumn<QString>(
            "after"); // relative to the start directory; absolute when it starts with '/'
        QTest::addColumn<int>("fileChosen");

        const QString gone = u"フォルダーが見つかりません。"_s;
        QTest::newRow("subdirectory vanished, double-clicked")
            << Failure::DoubleClickVanishedSubdir << u"tree/gone"_s << gone << u"tree"_s << 1;
        QTest::newRow("subdirectory vanished, Enter")
            << Failure::EnterOnVanishedSubdir << u"tree/gone"_s << gone << u"tree"_s << 1;
        QTest::newRow("directory shown vanished: back to the start directory")
            << Failure::EnterOnVanishedCurrent << u"tree"_s << gone << QString() << 0;
        QTest::newRow("start directory vanished too: the root")
            << Failure::EnterWhenStartDirectoryVanishedToo << u"tree"_s << gone << u"/"_s << 0;
        QTest::newRow("a file is no directory") << Failure::ShowAFile << u"tree/a.html"_s
                                                << u"フォルダーではなくファイルです。"_s << u"tree"_s << 1;
        QTest::newRow("a path under a file")
            << Failure::ShowAPathUnderAFile << u"tree/a.html/x"_s << gone << u"tree"_s << 1;
        QTest::newRow("listing re-read after its directory vanished")
            << Failure::RefreshVanishedListing << u"tree"_s << gone << QString() << 0;
    }

    void unreadableDirectoryIsToldAndThePaneStaysReadable()
    {
        QFETCH(Failure, failure);
        QFETCH(QString, failing);
        QFETCH(QString, reason);
        PaneFixture f;
        QVERIFY(QDir().mkpath(f.dir(u"tree/gone"_s)));
        TesselFrm &frm = f.open();
        frm.EditTxt->setText(Document);
        QVERIFY(f.dirRow(u"gone"_s) >= 0);
        f.click(frm.File, 0);

        const QString failingPath = f.dir(failing);
        f.boxes.expect(notice(u"フォルダー「"_s + failingPath + u"」を開けません。\r\n"_s + reason),
                       MsgAnswer::Ok);
        bool ok = true;
        switch (failure) {
        case Failure::DoubleClickVanishedSubdir:
            QVERIFY(QDir(failingPath).removeRecursively());
            f.doubleClick(frm.Dir1, f.dirRow(u"gone"_s));
            break;
        case Failure::EnterOnVanishedSubdir:
            QVERIFY(QDir(failingPath).removeRecursively());
            frm.Dir1->setListIndex(0);
            QCOMPARE(frm.Dir1->list(0), failingPath);
            QTest::keyClick(frm.Dir1, Qt::Key_Return);
            break;
        case Failure::EnterOnVanishedCurrent:
            QVERIFY(QDir(failingPath).removeRecursively());
            QTest::keyClick(frm.Dir1, Qt::Key_Return);
            break;
        case Failure::EnterWhenStartDirectoryVanishedToo:
            QVERIFY(QDir(f.startDir()).removeRecursively());
            QTest::keyClick(frm.Dir1, Qt::Key_Return);
            break;
        case Failure::ShowAFile:
        case Failure::ShowAPathUnderAFile:
            ok = f.pane().showDirectory(failingPath);
            break;
        case Failure::RefreshVanishedListing:
            QVERIFY(QDir(failingPath).removeRecursively());
            ok = f.pane().refreshFiles();
            break;
        }

        VERIFY_BOXES(f.boxes);
        QVERIFY(!ok || failure < Failure::ShowAFile);
        QFETCH(QString, after);
        const QString afterPath = after.startsWith(u'/') ? after : f.dir(after);
        QCOMPARE(frm.Dir1->path(), afterPath);
        QCOMPARE(frm.File->path(), afterPath);
        // The lists show what is there now: a vanished entry is gone.
        QCOMPARE(f.dirRow(u"gone"_s) >= 0,
                 QDir(f.dir(u"tree/gone"_s)).exists() && afterPath == f.dir(u"tree"_s));
        QStringList expectedFiles =
            QDir(afterPath).entryList({u"*.html"_s}, QDir::Files, QDir::Name | QDir::IgnoreCase);
        QCOMPARE(f.fileNames(), expectedFiles);
        QTEST(int(f.pane().fileChosen()), "fileChosen");
        QCOMPARE(frm.Drive->drive(), u"c:"_s);
        QCOMPARE(frm.EditTxt->text(), Document);
    }

    void driveThatCannotBeReadKeepsTheDriveAndDirectoryShown()
    {
        PaneFixture f;
        TesselFrm &frm = f.open();
        frm.EditTxt->setText(Document);
        f.click(frm.File, 0);
        const QString root = f.dir(u"dvol"_s);
        QVERIFY(QDir(root).removeRecursively());
        f.boxes.expect(
            notice(u"ドライブ「d:」（"_s + root + u"）を開けません。\r\nフォルダーが見つかりません。"_s),
            MsgAnswer::Ok);

        QTest::keyClick(frm.Drive, Qt::Key_Down);

        VERIFY_BOXES(f.boxes);
        QCOMPARE(frm.Drive->drive(), u"c:"_s);
        QCOMPARE(frm.Drive->currentIndex(), 0);
        QCOMPARE(frm.Dir1->path(), f.dir(u"tree"_s));
        QCOMPARE(frm.File->path(), f.dir(u"tree"_s));
        QCOMPARE(f.pane().fileChosen(), qint16(1));
        QCOMPARE(frm.EditTxt->text(), Document);

        // Once the drive is back it can be chosen as before.
        QVERIFY(QDir().mkpath(root));
        QTest::keyClick(frm.Drive, Qt::Key_Down);
        VERIFY_BOXES(f.boxes);
        QCOMPARE(frm.Drive->drive(), u"d:"_s);
        QCOMPARE(frm.Dir1->path(), root);
    }

    void directoryWithoutPermissionIsToldAndSkippedAtStartUp()
    {
        PaneFixture f;
        const QString locked = f.dir(u"tree/locked"_s);
        QVERIFY(QDir().mkpath(locked));
        // The tree itself must be readable by the unprivileged user.
        for (const QString &d :
             {f.startDir(), f.dir(u"tree"_s), f.dir(u"tree/sub1"_s), f.dir(u"tree/sub2"_s)})
            QVERIFY(QFile::setPermissions(d, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                                 QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther |
                                                 QFile::ExeOther));
        QVERIFY(QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        TesselFrm &frm = f.open();
        frm.EditTxt->setText(Document);
        const int row = f.dirRow(u"locked"_s);
        QVERIFY(row >= 0);

        {
            Unprivileged user;
            if (!user.active())
                QSKIP("cannot run as an unprivileged user here");
            f.boxes.expect(notice(u"フォルダー「"_s + locked +
                                  u"」を開けません。\r\nフォルダーを読み取る権限がありません。"_s),
                           MsgAnswer::Ok);
            f.doubleClick(frm.Dir1, row);
            VERIFY_BOXES(f.boxes);
            QCOMPARE(frm.Dir1->path(), f.dir(u"tree"_s));
            QCOMPARE(frm.File->path(), f.dir(u"tree"_s));
            QCOMPARE(f.fileNames(), (QStringList{u"a.html"_s, u"b.html"_s}));

            // A stored directory that cannot be read is passed over at start-up, like a missing one.
            f.pane().startUp(locked);
            VERIFY_BOXES(f.boxes);
            QCOMPARE(frm.Dir1->path(), f.dir(u"tree"_s));
        }
        QCOMPARE(frm.EditTxt->text(), Document);
    }
};

TESSARA_TEST_CLASS(FilePaneFailureTest)
#include "FilePaneFailureTest.moc"
