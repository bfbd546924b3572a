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
QStringList namesIn(const QListWidget *list, bool dirs)
{
    QStringList names;
    for (int i = 0; i < list->count(); ++i)
        names << list->item(i)->text().trimmed();
    return dirs ? names.mid(names.indexOf(u"tree"_s) + 1) : names; // the subfolders of tree
}

void runShell(const QString &command, const QString &dir)
{
    QProcess sh;
    sh.setWorkingDirectory(dir);
    sh.start(u"/bin/sh"_s, {u"-c"_s, command});
    QVERIFY(sh.waitForFinished(5000) && sh.exitCode() == 0);
}
} // namespace

class FolderFollowTest : public QObject
{
    Q_OBJECT
  private slots:
    void listsFollowTheirFolder_data()
    {
        QTest::addColumn<bool>("saveAs");    // the save-as dialog's lists, else the main window's
        QTest::addColumn<QString>("change"); // run by another program in tree/, where b.html is chosen
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("chosen"); // the file still chosen afterwards
        QTest::addColumn<QStringList>("subdirs");
        const QStringList subs{u"sub1"_s, u"sub2"_s};
        QTest::newRow("a file created") << false << u"touch 0.html"_s
                                        << QStringList{u"0.html"_s, u"a.html"_s, u"b.html"_s} << u"b.html"_s << subs;
        QTest::newRow("a file removed") << false << u"rm a.html"_s << QStringList{u"b.html"_s} << u"b.html"_s << subs;
        QTest::newRow("the chosen file renamed")
            << false << u"mv b.html z.html"_s << QStringList{u"a.html"_s, u"z.html"_s} << QString() << subs;
        QTest::newRow("a burst") << false << u"for i in 1 2 3 4 5 6 7 8; do touch m$i.html; done; rm m*.html b.html"_s
                                 << QStringList{u"a.html"_s} << QString() << subs;
        QTest::newRow("a folder created") << false << u"mkdir sub0"_s << QStringList{u"a.html"_s, u"b.html"_s}
                                          << u"b.html"_s << QStringList{u"sub0"_s, u"sub1"_s, u"sub2"_s};
        QTest::newRow("a folder removed") << false << u"rm -r sub1"_s << QStringList{u"a.html"_s, u"b.html"_s}
                                          << u"b.html"_s << QStringList{u"sub2"_s};
        QTest::newRow("save-as: a file created") << true << u"touch c.html; mkdir sub3"_s
                                                 << QStringList{u"a.html"_s, u"b.html"_s, u"c.html"_s} << u"b.html"_s
                                                 << QStringList{u"sub1"_s, u"sub2"_s, u"sub3"_s};
        QTest::newRow("save-as: the chosen file removed")
            << true << u"rm b.html"_s << QStringList{u"a.html"_s} << QString() << subs;
    }

    void listsFollowTheirFolder()
    {
        QFETCH(bool, saveAs);
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
            QVERIFY(QTest::qWaitForWindowExposed(dlg));
            dirs = dlg->Dir1;
            list = dlg->File;
        }
        PaneFixture::click(list, 1); // b.html
        QSignalSpy fileClicks(list, &FileList::Click);
        QSignalSpy dirChanges(dirs, &DirList::Change);

        runShell(change, f.dir(u"tree"_s));

        QTRY_COMPARE_WITH_TIMEOUT(namesIn(list, false), files, 1000);
        QTRY_COMPARE_WITH_TIMEOUT(namesIn(dirs, true), subdirs, 1000);
        QCOMPARE(list->fileName(), chosen);
        QCOMPARE(fileClicks.count() + dirChanges.count(), 0);
        QCOMPARE(dirs->listIndex(), -1);
        if (saveAs)
            QCOMPARE(dlg->FilenameTxt->text(), u"b.html"_s); // the name clicked stays to save under
        else // chosen while the file is there, not once it has gone
            QCOMPARE(f.pane().fileChosen(), qint16(chosen.isEmpty() ? 0 : 1));
        VERIFY_BOXES(f.boxes);
    }

    void onlyTheFolderShownIsFollowed()
    {
        PaneFixture f;
        TesselFrm &frm = f.open();
        QVERIFY(frm.filePane()->showDirectory(f.dir(u"tree/sub1"_s)));
        runShell(u"touch here.html"_s, f.dir(u"tree/sub1"_s));
        QTRY_COMPARE_WITH_TIMEOUT(namesIn(frm.File, false), (QStringList{u"here.html"_s, u"s.html"_s}), 1000);
        // Hidden, the window follows nothing; shown again, it has caught up.
        frm.hide();
        runShell(u"rm here.html"_s, f.dir(u"tree/sub1"_s));
        QTest::qWait(400);
        QCOMPARE(namesIn(frm.File, false), (QStringList{u"here.html"_s, u"s.html"_s}));
        frm.show();
        QCOMPARE(namesIn(frm.File, false), QStringList{u"s.html"_s});
    }
};

TESSARA_TEST_CLASS(FolderFollowTest)
#include "FolderFollowTest.moc"
