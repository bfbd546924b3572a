// The file and directory lists follow the folder they show: what another
// program creates, renames or removes there comes and goes within a second,
// the chosen file stays chosen, and no handler hears of it as a user action.
#include "PaneFixture.h"
#include "TestRegistry.h"
#include "browse/FilePane.h"
#include "browse/SaveasFrm.h"
#include "ui/DirList.h"
#include "ui/EditBox.h"
#include "ui/FileList.h"
#include "ui/LineBox.h"

#include <QProcess>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {
QStringList namesIn(const FileList *list)
{
    QStringList names;
    for (int i = 0; i < list->listCount(); ++i)
        names << list->list(i);
    return names;
}

QStringList subdirsIn(const DirList *list)
{
    QStringList names;
    for (int i = 0; i < list->listCount(); ++i)
        names << list->list(i).section(u'/', -1);
    return names;
}

// Another program changes the folder.
void runShell(const QString &command, const QString &dir)
{
    QProcess sh;
    sh.setWorkingDirectory(dir);
    sh.start(u"/bin/sh"_s, {u"-c"_s, command});
    QVERIFY(sh.waitForFinished(5000));
    QCOMPARE(sh.exitCode(), 0);
}
} // namespace

class FolderFollowTest : public QObject
{
    Q_OBJECT
  private slots:
    void listsFollowTheirFolder_data()
    {
        QTest::addColumn<bool>("saveAs");    // the save-as dialog's lists, else the main window's
        QTest::addColumn<bool>("clicked");   // b.html clicked before the change
        QTest::addColumn<QString>("change"); // shell command run in tree/
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("chosen"); // the selected file afterwards
        QTest::addColumn<QStringList>("subdirs");

        const QStringList subs{u"sub1"_s, u"sub2"_s};
        for (bool saveAs : {false, true}) {
            const char *w = saveAs ? "save-as: " : "main: ";
            QTest::addRow("%sa file created appears", w)
                << saveAs << true << u"touch new.html"_s << QStringList{u"a.html"_s, u"b.html"_s, u"new.html"_s}
                << u"b.html"_s << subs;
            QTest::addRow("%sa file created before the chosen one", w)
                << saveAs << true << u"touch 0.html"_s << QStringList{u"0.html"_s, u"a.html"_s, u"b.html"_s}
                << u"b.html"_s << subs;
            QTest::addRow("%sa file removed leaves", w)
                << saveAs << true << u"rm a.html"_s << QStringList{u"b.html"_s} << u"b.html"_s << subs;
            QTest::addRow("%sthe chosen file removed", w)
                << saveAs << true << u"rm b.html"_s << QStringList{u"a.html"_s} << QString() << subs;
            QTest::addRow("%sthe chosen file renamed", w)
                << saveAs << true << u"mv b.html z.html"_s << QStringList{u"a.html"_s, u"z.html"_s} << QString()
                << subs;
            QTest::addRow("%sa file renamed out of the filter", w)
                << saveAs << true << u"mv a.html a.txt"_s << QStringList{u"b.html"_s} << u"b.html"_s << subs;
            QTest::addRow("%sa burst of files", w)
                << saveAs << false << u"for i in 1 2 3 4 5 6 7 8 9; do touch m$i.html; done; rm m5.html"_s
                << QStringList{u"a.html"_s, u"b.html"_s, u"m1.html"_s, u"m2.html"_s, u"m3.html"_s, u"m4.html"_s,
                               u"m6.html"_s, u"m7.html"_s, u"m8.html"_s, u"m9.html"_s}
                << QString() << subs;
            QTest::addRow("%sa folder created appears", w)
                << saveAs << true << u"mkdir sub0"_s << QStringList{u"a.html"_s, u"b.html"_s} << u"b.html"_s
                << QStringList{u"sub0"_s, u"sub1"_s, u"sub2"_s};
            QTest::addRow("%sa folder removed leaves", w)
                << saveAs << true << u"rm -r sub1"_s << QStringList{u"a.html"_s, u"b.html"_s} << u"b.html"_s
                << QStringList{u"sub2"_s};
        }
        QTest::addRow("main: a new file, nothing chosen")
            << false << false << u"touch c.html"_s << QStringList{u"a.html"_s, u"b.html"_s, u"c.html"_s} << QString()
            << subs;
    }

    void listsFollowTheirFolder()
    {
        QFETCH(bool, saveAs);
        QFETCH(bool, clicked);
        QFETCH(QString, change);
        QFETCH(QStringList, files);
        QFETCH(QString, chosen);
        QFETCH(QStringList, subdirs);
        PaneFixture f;
        TesselFrm &frm = f.open();
        DirList *dirs = frm.Dir1;
        FileList *list = frm.File;
        SaveasFrm *dlg = nullptr;
        if (saveAs) {
            frm.EditTxt->setText(u"x"_s);
            f.boxes.expect(MsgBox::question(u"編集内容を保存します。\r\nよろしいですか？"_s, u"確認"_s),
                           MsgAnswer::Yes);
            frm.SaveasBtn_Click();
            dlg = frm.loadedSaveasFrm();
            QVERIFY(dlg && dlg->isVisible());
            QVERIFY(QTest::qWaitForWindowExposed(dlg));
            dirs = dlg->Dir1;
            list = dlg->File;
        }
        QCOMPARE(dirs->path(), f.dir(u"tree"_s));
        QCOMPARE(namesIn(list), (QStringList{u"a.html"_s, u"b.html"_s}));
        if (clicked)
            PaneFixture::click(list, 1);
        const QString typed = saveAs ? dlg->FilenameTxt->text() : QString();
        const int highlighted = dirs->listIndex();
        QSignalSpy fileClicks(list, &FileList::Click);
        QSignalSpy dirChanges(dirs, &DirList::Change);

        runShell(change, f.dir(u"tree"_s));

        QTRY_COMPARE_WITH_TIMEOUT(namesIn(list), files, 1000);
        QTRY_COMPARE_WITH_TIMEOUT(subdirsIn(dirs), subdirs, 1000);
        QCOMPARE(list->fileName(), chosen);
        QCOMPARE(list->listIndex(), chosen.isEmpty() ? -1 : int(files.indexOf(chosen)));
        QCOMPARE(fileClicks.count(), 0);
        QCOMPARE(dirChanges.count(), 0);
        QCOMPARE(dirs->path(), f.dir(u"tree"_s));
        QCOMPARE(dirs->listIndex(), highlighted);
        if (saveAs)
            QCOMPARE(dlg->FilenameTxt->text(), typed); // the name typed or clicked stays
        else // chosen while the file is there, not chosen once it has gone
            QCOMPARE(f.pane().fileChosen(), qint16(chosen.isEmpty() ? 0 : 1));
        VERIFY_BOXES(f.boxes);
    }

    void listsFollowTheFolderTheyMoveTo()
    {
        PaneFixture f;
        TesselFrm &frm = f.open();
        QVERIFY(frm.filePane()->showDirectory(f.dir(u"tree/sub1"_s)));
        runShell(u"touch ../late.html && touch here.html && mkdir inner"_s, f.dir(u"tree/sub1"_s));
        QTRY_COMPARE_WITH_TIMEOUT(namesIn(frm.File), (QStringList{u"here.html"_s, u"s.html"_s}), 1000);
        QTRY_COMPARE_WITH_TIMEOUT(subdirsIn(frm.Dir1), QStringList{u"inner"_s}, 1000);
        // Hidden, the lists watch nothing; shown again, they have caught up.
        frm.hide();
        runShell(u"rm here.html"_s, f.dir(u"tree/sub1"_s));
        QTest::qWait(400);
        QCOMPARE(namesIn(frm.File), (QStringList{u"here.html"_s, u"s.html"_s}));
        frm.show();
        QCOMPARE(namesIn(frm.File), QStringList{u"s.html"_s});
        VERIFY_BOXES(f.boxes);
    }
};

TESSARA_TEST_CLASS(FolderFollowTest)
#include "FolderFollowTest.moc"
