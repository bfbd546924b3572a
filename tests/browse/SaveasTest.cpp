// The save-as dialog: the path it composes, its refusals and its overwrite
// question, the files it writes, and how it keeps its name and filter.
#include "TestRegistry.h"
#include "WindowFixture.h"
#include "browse/SavePath.h"
#include "browse/SaveasFrm.h"
#include "core/TesselFrm.h"
#include "ui/ComboBox.h"
#include "ui/DirList.h"
#include "ui/DriveList.h"
#include "ui/EditBox.h"
#include "ui/FileList.h"
#include "ui/Label.h"
#include "ui/LineBox.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace {
const MsgBox overwrite = MsgBox::question(u"同名のファイルが既に存在します。\r\nこの名前で保存しますか？"_s, u"確認"_s);

SaveasFrm *open(WindowFixture &f, TesselFrm &frm)
{
    f.boxes.expect(MsgBox::question(u"編集内容を保存します。\r\nよろしいですか？"_s, u"確認"_s), MsgAnswer::Yes);
    frm.SaveasBtn_Click();
    return frm.loadedSaveasFrm();
}
} // namespace

class SaveasTest : public QObject {
    Q_OBJECT
private slots:
    void pathIsComposedFromDirectoryNameAndExtension_data()
    {
        QTest::addColumn<QString>("dir");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("ext");
        QTest::addColumn<QString>("path");
        QTest::newRow("extension added") << u"/srv/web"_s << u"index"_s << u".html"_s << u"/srv/web/index.html"_s;
        QTest::newRow("root: no doubled separator") << u"/"_s << u"index"_s << u".html"_s << u"/index.html"_s;
        QTest::newRow("extension already there") << u"/w"_s << u"index.html"_s << u".html"_s << u"/w/index.html"_s;
        QTest::newRow("letter case differs") << u"/w"_s << u"index.HTML"_s << u".html"_s << u"/w/index.HTML.html"_s;
        QTest::newRow("other extension kept") << u"/w"_s << u"notes.txt"_s << u".html"_s << u"/w/notes.txt.html"_s;
        QTest::newRow("txt") << u"/w"_s << u"memo"_s << u".txt"_s << u"/w/memo.txt"_s;
        QTest::newRow("(その他) adds nothing") << u"/w"_s << u"readme"_s << u"(その他)"_s << u"/w/readme"_s;
        QTest::newRow("Japanese name") << u"/w"_s << u"目次"_s << u".html"_s << u"/w/目次.html"_s;
    }
    void pathIsComposedFromDirectoryNameAndExtension()
    {
        QFETCH(QString, dir);
        QFETCH(QString, name);
        QFETCH(QString, ext);
        QFETCH(QString, path);
        QCOMPARE(savepath::compose(dir, name, ext), path);
    }

    void workFileIsRefusedOnlyInTheStartDirectoryWithOther()
    {
        QVERIFY(savepath::isWorkFile(u"Tessara.tmp"_s, u"(その他)"_s, u"/a"_s, u"/a"_s));
        QVERIFY(!savepath::isWorkFile(u"Tessara.tmp"_s, u".html"_s, u"/a"_s, u"/a"_s));
        QVERIFY(!savepath::isWorkFile(u"Tessara.tmp"_s, u"(その他)"_s, u"/a/b"_s, u"/a"_s));
        QVERIFY(!savepath::isWorkFile(u"tessara.tmp"_s, u"(その他)"_s, u"/a"_s, u"/a"_s));
    }

    void emptyNameAndWorkFileAreRefusedAndTheDialogStays()
    {
        WindowFixture f;
        TesselFrm &frm = f.load();
        frm.EditTxt->setText(u"x"_s);
        SaveasFrm *dlg = open(f, frm);
        f.boxes.expect(MsgBox::warning(u"ファイル名を入力してください。"_s, u"確認"_s), MsgAnswer::Ok);
        dlg->SaveCmd_Click();
        dlg->FilenameTxt->setText(u"Tessara.tmp"_s);
        dlg->TailCmb->setListIndex(2);
        const QByteArray work = f.bytes(u"Tessara.tmp"_s);
        f.boxes.expect(MsgBox::warning(u"システムファイルには保存できません。"_s, u"エラー"_s), MsgAnswer::Ok);
        dlg->SaveCmd_Click();
        QCOMPARE(f.bytes(u"Tessara.tmp"_s), work);
        QVERIFY(dlg->isVisible());
        QVERIFY(!frm.isEnabled());
        QCOMPARE(dlg->TailCmb->list(2), u"(その他)"_s);
        // With ".html" the same name is an ordinary file.
        dlg->TailCmb->setListIndex(0);
        dlg->SaveCmd_Click();
        QCOMPARE(f.bytes(u"Tessara.tmp.html"_s), QByteArray("x\r\n"));
        QCOMPARE(f.bytes(u"Tessara.tmp"_s), work);
        VERIFY_BOXES(f.boxes);
    }

    void overwriteAsksFirst()
    {
        WindowFixture f;
        TesselFrm &frm = f.load();
        f.write(u"page.html"_s, "old\r\n");
        frm.EditTxt->setText(u"new"_s);
        SaveasFrm *dlg = open(f, frm);
        dlg->File->refresh();
        QCOMPARE(dlg->File->list(0), u"page.html"_s);
        dlg->File->setListIndex(0); // a click copies the name, extension included
        QCOMPARE(dlg->FilenameTxt->text(), u"page.html"_s);
        f.boxes.expect(overwrite, MsgAnswer::No);
        dlg->SaveCmd_Click();
        QCOMPARE(f.bytes(u"page.html"_s), QByteArray("old\r\n"));
        QVERIFY(dlg->isVisible());
        f.boxes.expect(overwrite, MsgAnswer::Yes);
        dlg->SaveCmd_Click();
        QCOMPARE(f.bytes(u"page.html"_s), QByteArray("new\r\n"));
        QVERIFY(!dlg->isVisible());
        QVERIFY(frm.isEnabled());
        VERIFY_BOXES(f.boxes);
    }

    void otherItemKeepsItsTextAfterAnOverwrite()
    {
        WindowFixture f;
        TesselFrm &frm = f.load();
        f.write(u"readme"_s, "old\r\n");
        frm.EditTxt->setText(u"new"_s);
        SaveasFrm *dlg = open(f, frm);
        dlg->TailCmb->setListIndex(2);
        dlg->FilenameTxt->setText(u"readme"_s);
        f.boxes.expect(overwrite, MsgAnswer::Yes);
        dlg->SaveCmd_Click();
        QCOMPARE(f.bytes(u"readme"_s), QByteArray("new\r\n"));
        QCOMPARE(dlg->TailCmb->list(2), u"(その他)"_s);
        // So the work file is still refused at the next opening.
        dlg = open(f, frm);
        dlg->FilenameTxt->setText(u"Tessara.tmp"_s);
        f.boxes.expect(MsgBox::warning(u"システムファイルには保存できません。"_s, u"エラー"_s), MsgAnswer::Ok);
        dlg->SaveCmd_Click();
        VERIFY_BOXES(f.boxes);
    }

    void reopeningKeepsNameAndFilterButFollowsTheMainDirectory()
    {
        WindowFixture f;
        TesselFrm &frm = f.load();
        QVERIFY(QDir(f.startDir()).mkdir(u"a"_s));
        QVERIFY(QDir(f.startDir()).mkdir(u"b"_s));
        frm.Dir1->setPath(f.path(u"a"_s));
        frm.EditTxt->setText(u"x"_s);
        SaveasFrm *dlg = open(f, frm);
        QCOMPARE(dlg->Dir1->path(), f.path(u"a"_s));
        QCOMPARE(dlg->Drive->drive(), u"c:"_s);
        dlg->TailCmb->setListIndex(1);
        dlg->FilenameTxt->setText(u"memo"_s);
        dlg->SaveCmd_Click();
        QCOMPARE(f.bytes(u"a/memo.txt"_s), QByteArray("x\r\n"));
        QCOMPARE(frm.Dir1->path(), f.path(u"a"_s)); // the pane moved to the saved file's directory
        frm.Dir1->setPath(f.path(u"b"_s));
        SaveasFrm *again = open(f, frm);
        QCOMPARE(again, dlg); // hidden, not unloaded
        QCOMPARE(again->FilenameTxt->text(), u"memo"_s);
        QCOMPARE(again->TailCmb->listIndex(), 1);
        QCOMPARE(again->File->pattern(), u"*.txt"_s);
        QCOMPARE(again->Dir1->path(), f.path(u"b"_s));
        again->CancelCmd_Click();
        // Opened again on the same directory, the list shows what was saved meanwhile.
        f.write(u"b/new.txt"_s, "x\r\n");
        again = open(f, frm);
        QCOMPARE(again->File->listCount(), 1);
        QCOMPARE(again->File->list(0), u"new.txt"_s);
        again->CancelCmd_Click();
        VERIFY_BOXES(f.boxes);
    }

    void closingTheFrameUnloadsAndTheNextOpeningStartsAfresh()
    {
        WindowFixture f;
        TesselFrm &frm = f.load();
        SaveasFrm *dlg = open(f, frm);
        dlg->FilenameTxt->setText(u"typed"_s);
        dlg->TailCmb->setListIndex(2);
        dlg->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(frm.isEnabled());
        QVERIFY(!frm.loadedSaveasFrm());
        SaveasFrm *fresh = open(f, frm);
        QCOMPARE(fresh->FilenameTxt->text(), QString());
        QCOMPARE(fresh->TailCmb->listIndex(), 0);
        QCOMPARE(fresh->TailCmb->text(), u".html"_s);
        QCOMPARE(fresh->File->pattern(), u"*.html"_s);
        VERIFY_BOXES(f.boxes);
    }

    void typingIntoTheFilterPutsTheItemBackAndFocusesTheName()
    {
        WindowFixture f;
        TesselFrm &frm = f.load();
        SaveasFrm *dlg = open(f, frm);
        QApplication::setActiveWindow(dlg);
        QVERIFY(QTest::qWaitForWindowActive(dlg));
        dlg->TailCmb->setListIndex(1);
        dlg->TailCmb->setFocus();
        QTest::keyClick(dlg->TailCmb, Qt::Key_Q);
        QCOMPARE(dlg->TailCmb->text(), u".txt"_s);
        QCOMPARE(dlg->TailCmb->listIndex(), 1);
        QCOMPARE(dlg->File->pattern(), u"*.txt"_s);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(dlg->FilenameTxt));
        VERIFY_BOXES(f.boxes);
    }

    void failedWriteKeepsTheDialogOpen()
    {
        WindowFixture f;
        TesselFrm &frm = f.load();
        QVERIFY(QDir(f.startDir()).mkdir(u"taken.html"_s));
        frm.EditTxt->setText(u"x"_s);
        SaveasFrm *dlg = open(f, frm);
        // A folder of that name is told at once, without asking to replace it.
        dlg->FilenameTxt->setText(u"taken"_s);
        f.boxes.expect(MsgBox::warning(u"ファイル「"_s + f.path(u"taken.html"_s) +
                                           u"」を保存できませんでした。\r\n同じ名前のフォルダーがあります。"_s,
                                       u"エラー"_s),
                       MsgAnswer::Ok);
        dlg->SaveCmd_Click();
        // So is a named pipe: not a file to replace, and nothing waits for a reader.
        QVERIFY(::mkfifo(QFile::encodeName(f.path(u"pipe.html"_s)).constData(), 0600) == 0);
        dlg->FilenameTxt->setText(u"pipe"_s);
        f.boxes.expect(MsgBox::warning(u"ファイル「"_s + f.path(u"pipe.html"_s) +
                                           u"」を保存できませんでした。\r\n名前付きパイプ（FIFO）には保存できません。\r\n"_s
                                           u"ディスク上のファイルは元のままです。"_s,
                                       u"エラー"_s),
                       MsgAnswer::Ok);
        dlg->SaveCmd_Click();
        // A name the file system refuses fails in the writer.
        dlg->FilenameTxt->setText(QString(300, u'a'));
        f.boxes.expectStartingWith(MsgBox::warning(u"ファイル「"_s + f.path(QString(300, u'a') + u".html"_s) +
                                                       u"」を保存できませんでした。"_s,
                                                   u"エラー"_s),
                                   MsgAnswer::Ok);
        dlg->SaveCmd_Click();
        QVERIFY(dlg->isVisible());
        QVERIFY(!frm.isEnabled());
        QCOMPARE(frm.FilenameLbl->caption(), QString());
        QCOMPARE(frm.values().SavedText, QString());
        VERIFY_BOXES(f.boxes);
    }

    // A dialog that can show no folder at all shows the start directory, and
    // never saves under a path made of the name alone.
    void dialogWithoutAFolderShowsTheStartDirectory()
    {
        WindowFixture f;
        TesselFrm &frm = f.load();
        frm.EditTxt->setText(u"x"_s);
        SaveasFrm *dlg = frm.saveasFrm();
        f.boxes.expectStartingWith(MsgBox::warning(u"ディレクトリを開けません。"_s, u"エラー"_s), MsgAnswer::Ok);
        dlg->showFor(f.path(u"gone"_s));
        QCOMPARE(dlg->Dir1->path(), f.startDir());
        dlg->FilenameTxt->setText(u"page"_s);
        dlg->SaveCmd_Click();
        QCOMPARE(frm.FilenameLbl->caption(), f.path(u"page.html"_s));
        VERIFY_BOXES(f.boxes);
    }
};

TESSARA_TEST_CLASS(SaveasTest)
#include "SaveasTest.moc"
