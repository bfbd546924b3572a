// New, Open, Save, Save as and Discard on real files in a temporary start
// directory, with every question and notice, and shutdown with a pending save.
#include "TestRegistry.h"
#include "WindowFixture.h"
#include "browse/FilePane.h"
#include "browse/SaveasFrm.h"
#include "core/TesselFrm.h"
#include "tags/Preset.h"
#include "text/Cp932.h"
#include "text/TextFile.h"
#include "ui/Button.h"
#include "ui/CheckBox.h"
#include "ui/ComboBox.h"
#include "ui/DirList.h"
#include "ui/EditBox.h"
#include "ui/FileList.h"
#include "ui/Label.h"
#include "ui/LineBox.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <cstring>
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {
QByteArray sjis(const QString &s) { return Cp932::encode(s).bytes; }

MsgBox question(const QString &sentence)
{
    return MsgBox::question(sentence + u"\r\nよろしいですか？"_s, u"確認"_s);
}
const QString NewQ = u"編集内容を破棄して新しい文書を作成します。"_s;
const QString OpenQ = u"現在の編集内容を破棄します。"_s;
const QString SaveQ = u"編集内容を保存します。"_s;
const QString DiscardQ = u"編集内容を破棄し保存状態に戻します。"_s;

MsgBox closingQuestion()
{
    return {u"内容が変更されています。\r\n保存しますか？"_s, u"確認"_s, MsgButtons::YesNoCancel, MsgIcon::None,
            MsgAnswer::Yes};
}

// Lists the start directory again and clicks the named file.
void choose(TesselFrm &frm, const QString &name)
{
    frm.filePane()->listDirectory();
    for (int i = 0; i < frm.File->listCount(); ++i)
        if (frm.File->list(i) == name) {
            frm.File->setListIndex(i);
            QCOMPARE(frm.filePane()->fileChosen(), qint16(1));
            return;
        }
    QFAIL(qPrintable(u"not listed: "_s + name));
}

void showAllFiles(TesselFrm &frm) { frm.TailCmb->setListIndex(2); }
} // namespace

class DocumentCommandsTest : public QObject {
    Q_OBJECT
private slots:
    void newAsksEvenWhenNothingChangedAndEmptiesTheDocument()
    {
        WindowFixture f;
        TesselFrm &frm = f.load();
        f.write(u"a.html"_s, "x\r\n");
        choose(frm, u"a.html"_s);
        frm.OpenBtn_Click();
        QCOMPARE(frm.FilenameLbl->caption(), f.path(u"a.html"_s));
        f.boxes.expect(question(NewQ), MsgAnswer::No);
        frm.NewBtn_Click();
        QCOMPARE(frm.EditTxt->text(), u"x"_s); // No leaves everything
        f.boxes.expect(question(NewQ), MsgAnswer::Yes);
        frm.NewBtn_Click();
        QCOMPARE(frm.EditTxt->text(), QString());
        QCOMPARE(frm.values().SavedText, QString());
        QCOMPARE(frm.FilenameLbl->caption(), QString());
        QCOMPARE(frm.ByteLbl->caption(), u"0 KB"_s);
        QVERIFY(!f.exists(u"preset.lst"_s));
        VERIFY_BOXES(f.boxes);
    }

    void newWithThePresetWritesItAndLeavesTheDocumentUnmodified()
    {
        WindowFixture f;
        TesselFrm &frm = f.load();
        frm.PresetChk->setValue(1);
        f.boxes.expect(question(NewQ), MsgAnswer::Yes);
        frm.NewBtn_Click();
        const QString expected = preset::builtInText();
        QCOMPARE(frm.EditTxt->text(), expected);
        QVERIFY(expected.startsWith(u" <!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//EN\">\r\n<html>"_s));
        QVERIFY(expected.contains(u"alink=\"#888800\">\r\n\r\n</body>\r\n</html>"_s));
        QVERIFY(!expected.endsWith(u"\r\n"_s));
        QCOMPARE(f.bytes(u"preset.lst"_s), sjis(expected) + "\r\n");
        QCOMPARE(frm.values().SavedText, expected);
        // A second New reads the file and gives the same text.
        f.boxes.expect(question(NewQ), MsgAnswer::Yes);
        frm.EditTxt->setText(u"changed"_s);
        frm.NewBtn_Click();
        QCOMPARE(frm.EditTxt->text(), expected);
        // Closing right away asks nothing.
        qint16 cancel = 0;
        frm.Form_Unload(cancel);
        QVERIFY(f.end.ended());
        VERIFY_BOXES(f.boxes);
    }

    void userPresetComesBackLineForLine_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("text");
        QTest::newRow("tabs, quotes, indents") << sjis(u"\t<p class=\"a,b\">\r\n    本文\r\n"_s)
                                               << u"\t<p class=\"a,b\">\r\n    本文"_s;
        QTest::newRow("two CR LF at the end") << QByteArray("a\r\n\r\n") << u"a\r\n"_s;
        QTest::newRow("zero bytes") << QByteArray("") << QString();
        QTest::newRow("no final CR LF") << QByteArray("a\r\nb") << u"a\r\nb"_s;
    }
    void userPresetComesBackLineForLine()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, text);
        WindowFixture f;
        TesselFrm &frm = f.load();
        f.write(u"preset.lst"_s, file);
        frm.PresetChk->setValue(1);
        f.boxes.expect(question(NewQ), MsgAnswer::Yes);
        frm.NewBtn_Click();
        QCOMPARE(frm.EditTxt->text(), text);
        QCOMPARE(frm.values().SavedText, text);
        QCOMPARE(f.bytes(u"preset.lst"_s), file);
        VERIFY_BOXES(f.boxes);
    }

    void openRefusesWithoutAChosenFileAndTheWorkFile()
    {
        WindowFixture f;
        TesselFrm &frm = f.load();
        f.boxes.expect(MsgBox::warning(u"ファイルを選択してください。"_s, u"確認"_s), MsgAnswer::Ok);
        frm.OpenBtn_Click();
        showAllFiles(frm);
        choose(frm, u"Tessara.tmp"_s);
        f.boxes.expect(MsgBox::warning(u"システムファイルは開けません。"_s, u"エラー"_s), MsgAnswer::Ok);
        frm.OpenBtn_Click();
        // Another letter case is an ordinary file.
        f.write(u"tessara.TMP"_s, "ok\r\n");
        choose(frm, u"tessara.TMP"_s);
        frm.OpenBtn_Click();
        QCOMPARE(frm.EditTxt->text(), u"ok"_s);
        // Changing the directory forgets the chosen file.
        frm.Dir1->setPath(f.startDir());
        QVERIFY(QDir(f.startDir()).mkdir(u"sub"_s));
        frm.Dir1->setPath(f.path(u"sub"_s));
        f.boxes.expect(MsgBox::warning(u"ファイルを選択してください。"_s, u"確認"_s), MsgAnswer::Ok);
        frm.OpenBtn_Click();
        VERIFY_BOXES(f.boxes);
    }

    void openReadsTheFileAndSaveWritesTheSameBytes_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("saved");
        QTest::addColumn<QString>("size");
        QTest::newRow("lines ending in CR LF") << QByteArray("a\r\nb\r\n") << u"a\r\nb"_s << QByteArray("a\r\nb\r\n")
                                               << u"0 KB"_s;
        QTest::newRow("no final CR LF gains one") << QByteArray("a\r\nb") << u"a\r\nb"_s
                                                  << QByteArray("a\r\nb\r\n") << u"0 KB"_s;
        QTest::newRow("empty file") << QByteArray("") << QString() << QByteArray("\r\n") << u"0 KB"_s;
        QTest::newRow("Japanese") << sjis(u"<p>日本語</p>\r\n"_s) << u"<p>日本語</p>"_s
                                  << sjis(u"<p>日本語</p>\r\n"_s) << u"0 KB"_s;
        QTest::newRow("1536 bytes") << QByteArray(1534, 'x') + "\r\n" << QString(1534, u'x')
                                    << QByteArray(1534, 'x') + "\r\n" << u"2 KB"_s;
        QTest::newRow("3584 bytes") << QByteArray(3582, 'x') + "\r\n" << QString(3582, u'x')
                                    << QByteArray(3582, 'x') + "\r\n" << u"4 KB"_s;
        QTest::newRow("invalid bytes are kept") << QByteArray("a\x81\x20z\xff\r\n") << QString() // checked below
                                                << QByteArray("a\x81\x20z\xff\r\n") << u"0 KB"_s;
    }
    void openReadsTheFileAndSaveWritesTheSameBytes()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, text);
        QFETCH(QByteArray, saved);
        QFETCH(QString, size);
        WindowFixture f;
        TesselFrm &frm = f.load();
        f.write(u"doc.html"_s, file);
        choose(frm, u"doc.html"_s);
        const bool invalid = Cp932::decode(file).firstKeptByte >= 0;
        if (invalid)
            f.boxes.expectStartingWith(
                MsgBox::information(u"このファイルにはShift_JISとして正しくないバイトが "_s, u"確認"_s), MsgAnswer::Ok);
        frm.OpenBtn_Click();
        if (!invalid)
            QCOMPARE(frm.EditTxt->text(), text);
        QCOMPARE(frm.values().SavedText, frm.EditTxt->text());
        QCOMPARE(frm.FilenameLbl->caption(), f.path(u"doc.html"_s));
        QCOMPARE(frm.ByteLbl->caption(), size);
        f.boxes.expect(question(SaveQ), MsgAnswer::Yes);
        frm.SaveBtn_Click();
        QCOMPARE(f.bytes(u"doc.html"_s), saved);
        VERIFY_BOXES(f.boxes);
    }

    void visitingTheFilterKeepsTheChosenFile()
    {
        WindowFixture f;
        TesselFrm &frm = f.load();
        frm.show();
        QApplication::setActiveWindow(&frm);
        QVERIFY(QTest::qWaitForWindowActive(&frm));
        f.write(u"a.html"_s, "hello\r\n");
        choose(frm, u"a.html"_s);
        // Into the filter and out again, Enter there, then the same item chosen again.
        frm.TailCmb->setFocus();
        QTest::keyClick(frm.TailCmb, Qt::Key_Return);
        frm.EditTxt->setFocus();
        frm.TailCmb->setListIndex(0);
        frm.TailCmb->setListIndex(0);
        QCOMPARE(frm.File->fileName(), u"a.html"_s);
        frm.OpenBtn_Click();
        QCOMPARE(frm.EditTxt->text(), u"hello"_s);
        VERIFY_BOXES(f.boxes);
    }

    void openOfAModifiedDocumentAsksFirst()
    {
        WindowFixture f;
        TesselFrm &frm = f.load();
        f.write(u"doc.html"_s, "new\r\n");
        choose(frm, u"doc.html"_s);
        frm.EditTxt->setText(u"mine"_s);
        f.boxes.expect(question(OpenQ), MsgAnswer::No);
        frm.OpenBtn_Click();
        QCOMPARE(frm.EditTxt->text(), u"mine"_s);
        QCOMPARE(frm.values().SavedText, QString());
        f.boxes.expect(question(OpenQ), MsgAnswer::Yes);
        frm.OpenBtn_Click();
        QCOMPARE(frm.EditTxt->text(), u"new"_s);
        VERIFY_BOXES(f.boxes);
    }

    void openOfAVanishedFileChangesNothingAndRereadsTheList()
    {
        WindowFixture f;
        TesselFrm &frm = f.load();
        f.write(u"keep.html"_s, "kept\r\n");
        f.write(u"gone.html"_s, "x\r\n");
        choose(frm, u"keep.html"_s);
        frm.OpenBtn_Click();
        choose(frm, u"gone.html"_s);
        QVERIFY(QFile::remove(f.path(u"gone.html"_s)));
        f.boxes.expect(MsgBox::warning(u"ファイルが存在しません。"_s, u"エラー"_s), MsgAnswer::Ok);
        frm.OpenBtn_Click();
        QCOMPARE(frm.EditTxt->text(), u"kept"_s);
        QCOMPARE(frm.values().SavedText, u"kept"_s);
        QCOMPARE(frm.FilenameLbl->caption(), f.path(u"keep.html"_s));
        QCOMPARE(frm.File->listCount(), 1); // read again: the vanished file is gone from the list
        VERIFY_BOXES(f.boxes);
    }

    // A line the program cannot lay out, or what is no page, is refused at once
    // with the reason; the document, its saved text and its name stay.
    void openRefusesWhatItCannotHoldKeepingTheDocument_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("reason");
        QTest::newRow("a line too long to lay out")
            << u"long line"_s
            << u"2 行目が長すぎます（1048577 文字）。編集できるのは 1 行が 1048576 文字までのファイルです。"_s;
        QTest::newRow("a FIFO with an idle writer") << u"fifo"_s << u"ファイルではなく名前付きパイプ（FIFO）です。"_s;
        QTest::newRow("a socket") << u"socket"_s << u"ファイルではなくソケットです。"_s;
        QTest::newRow("/dev/zero") << u"/dev/zero"_s << u"ファイルではなくデバイスです。"_s;
    }
    void openRefusesWhatItCannotHoldKeepingTheDocument()
    {
        QFETCH(QString, kind);
        QFETCH(QString, reason);
        WindowFixture f;
        TesselFrm &frm = f.load();
        f.write(u"keep.html"_s, "kept\r\n");
        choose(frm, u"keep.html"_s);
        frm.OpenBtn_Click();
        frm.EditTxt->setText(u"kept, edited"_s);
        const QString target = kind.startsWith(u'/') ? kind : f.path(u"page.html"_s);
        const QByteArray native = QFile::encodeName(target);
        int writer = -1;
        if (kind == u"long line"_s) {
            f.write(u"page.html"_s, "a\r\n" + QByteArray(TextFile::MaxLineLength + 1, 'x') + "\r\nb");
        } else if (kind == u"fifo"_s) {
            QCOMPARE(::mkfifo(native.constData(), 0644), 0);
            writer = ::open(native.constData(), O_RDWR | O_CLOEXEC); // open, and sends nothing
            QVERIFY(writer >= 0);
        } else if (kind == u"socket"_s) {
            writer = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
            sockaddr_un addr{};
            addr.sun_family = AF_UNIX;
            QVERIFY(size_t(native.size()) < sizeof addr.sun_path);
            std::memcpy(addr.sun_path, native.constData(), size_t(native.size()));
            QCOMPARE(::bind(writer, reinterpret_cast<sockaddr *>(&addr), sizeof addr), 0);
        }
        f.boxes.expect(MsgBox::warning(u"ファイルを読み込めません。\r\n"_s + target + u"\r\n"_s + reason, u"エラー"_s),
                       MsgAnswer::Ok);
        frm.openFromCommandLine(target);
        if (writer >= 0)
            ::close(writer);
        VERIFY_BOXES(f.boxes);
        QCOMPARE(frm.EditTxt->text(), u"kept, edited"_s);
        QCOMPARE(frm.values().SavedText, u"kept"_s);
        QCOMPARE(frm.FilenameLbl->caption(), f.path(u"keep.html"_s));
    }

    void discardReadsTheFileWithALineEndAfterEveryLine()
    {
        WindowFixture f;
        TesselFrm &frm = f.load();
        f.write(u"doc.html"_s, "a\r\nb\r\n");
        choose(frm, u"doc.html"_s);
        frm.OpenBtn_Click();
        frm.EditTxt->setText(u"edited"_s);
        f.boxes.expect(question(DiscardQ), MsgAnswer::No);
        frm.CancelBtn_Click();
        QCOMPARE(frm.EditTxt->text(), u"edited"_s);
        f.boxes.expect(question(DiscardQ), MsgAnswer::Yes);
        frm.CancelBtn_Click();
        QCOMPARE(frm.EditTxt->text(), u"a\r\nb\r\n"_s);
        QCOMPARE(frm.values().SavedText, u"a\r\nb\r\n"_s);
        QCOMPARE(frm.FilenameLbl->caption(), f.path(u"doc.html"_s));
        f.boxes.expect(question(SaveQ), MsgAnswer::Yes);
        frm.SaveBtn_Click();
        QCOMPARE(f.bytes(u"doc.html"_s), QByteArray("a\r\nb\r\n\r\n"));
        VERIFY_BOXES(f.boxes);
    }

    void discardOnAnUntitledDocumentEmptiesIt()
    {
        WindowFixture f;
        TesselFrm &frm = f.load();
        frm.PresetChk->setValue(1);
        f.boxes.expect(question(NewQ), MsgAnswer::Yes);
        frm.NewBtn_Click();
        f.boxes.expect(question(DiscardQ), MsgAnswer::Yes);
        frm.CancelBtn_Click();
        QCOMPARE(frm.EditTxt->text(), QString());
        QCOMPARE(frm.values().SavedText, QString());
        VERIFY_BOXES(f.boxes);
    }

    void discardOfAFileThatCannotBeReadKeepsEverything()
    {
        WindowFixture f;
        TesselFrm &frm = f.load();
        f.write(u"doc.html"_s, "a\r\n");
        choose(frm, u"doc.html"_s);
        frm.OpenBtn_Click();
        frm.EditTxt->setText(u"edited"_s);
        QVERIFY(QFile::remove(f.path(u"doc.html"_s)));
        QVERIFY(QDir(f.startDir()).mkdir(u"doc.html"_s)); // a directory where the file was
        f.boxes.expect(question(DiscardQ), MsgAnswer::Yes);
        f.boxes.expectStartingWith(
            MsgBox::warning(u"ファイルを読み込めません。\r\n"_s + f.path(u"doc.html"_s) + u"\r\n"_s, u"エラー"_s),
            MsgAnswer::Ok);
        frm.CancelBtn_Click();
        QCOMPARE(frm.EditTxt->text(), u"edited"_s);
        QCOMPARE(frm.values().SavedText, u"a"_s);
        QCOMPARE(frm.FilenameLbl->caption(), f.path(u"doc.html"_s));
        VERIFY_BOXES(f.boxes);
    }

    void saveOfAnUntitledDocumentOpensTheDialogAndDisablesTheWindow()
    {
        WindowFixture f;
        TesselFrm &frm = f.load();
        QVERIFY(QDir(f.startDir()).mkdir(u"web"_s));
        frm.Dir1->setPath(f.path(u"web"_s));
        frm.EditTxt->setText(u"<p>x</p>"_s);
        f.boxes.expect(question(SaveQ), MsgAnswer::Yes);
        frm.SaveBtn_Click();
        SaveasFrm *dlg = frm.loadedSaveasFrm();
        QVERIFY(dlg && dlg->isVisible() && dlg->isEnabled());
        QVERIFY(!frm.isEnabled());
        QCOMPARE(dlg->Dir1->path(), f.path(u"web"_s));
        dlg->FilenameTxt->setText(u"index"_s);
        dlg->SaveCmd_Click();
        QCOMPARE(f.bytes(u"web/index.html"_s), QByteArray("<p>x</p>\r\n"));
        QVERIFY(frm.isEnabled());
        QVERIFY(!dlg->isVisible());
        QCOMPARE(frm.FilenameLbl->caption(), f.path(u"web/index.html"_s));
        QCOMPARE(frm.values().SavedText, u"<p>x</p>"_s);
        QVERIFY(!f.end.ended());
        VERIFY_BOXES(f.boxes);
    }

    void saveAsAlwaysAsks()
    {
        WindowFixture f;
        TesselFrm &frm = f.load();
        f.boxes.expect(question(SaveQ), MsgAnswer::No);
        frm.SaveasBtn_Click();
        QVERIFY(!frm.loadedSaveasFrm());
        QVERIFY(frm.isEnabled());
        f.boxes.expect(question(SaveQ), MsgAnswer::Yes);
        frm.SaveasBtn_Click();
        QVERIFY(frm.loadedSaveasFrm() && frm.loadedSaveasFrm()->isVisible());
        QVERIFY(!frm.isEnabled());
        frm.loadedSaveasFrm()->CancelCmd_Click();
        QVERIFY(frm.isEnabled());
        VERIFY_BOXES(f.boxes);
    }

    void closingWithYesOnATitledDocumentSavesWithoutAQuestionAndEnds()
    {
        WindowFixture f;
        TesselFrm &frm = f.load();
        f.write(u"doc.html"_s, "a\r\n");
        choose(frm, u"doc.html"_s);
        frm.OpenBtn_Click();
        frm.EditTxt->setText(u"b"_s);
        f.boxes.expect(closingQuestion(), MsgAnswer::Yes);
        qint16 cancel = 0;
        frm.Form_Unload(cancel);
        QCOMPARE(cancel, qint16(1));
        QCOMPARE(f.bytes(u"doc.html"_s), QByteArray("b\r\n"));
        QCOMPARE(f.end.calls(), 1);
        QCOMPARE(f.bytes(u"TagsShortCuts.dat"_s), QByteArray("\r\n").repeated(12));
        QVERIFY(!f.exists(u"Tessara.tmp"_s));
        VERIFY_BOXES(f.boxes);
    }

    void closingWithYesWhenTheSaveFailsKeepsTheProgramRunning()
    {
        WindowFixture f;
        TesselFrm &frm = f.load();
        f.write(u"doc.html"_s, "a\r\n");
        choose(frm, u"doc.html"_s);
        frm.OpenBtn_Click();
        frm.EditTxt->setText(u"b"_s);
        QVERIFY(QFile::remove(f.path(u"doc.html"_s)));
        QVERIFY(QDir(f.startDir()).mkdir(u"doc.html"_s));
        f.boxes.expect(closingQuestion(), MsgAnswer::Yes);
        f.boxes.expectStartingWith(MsgBox::warning(u"ファイル「"_s + f.path(u"doc.html"_s) + u"」を保存できませんでした。"_s,
                                                   u"エラー"_s),
                                   MsgAnswer::Ok);
        qint16 cancel = 0;
        frm.Form_Unload(cancel);
        QVERIFY(!f.end.ended());
        QCOMPARE(frm.values().QuitAfterSave, qint16(0));
        QCOMPARE(frm.EditTxt->text(), u"b"_s);
        QVERIFY(f.exists(u"Tessara.tmp"_s));
        QVERIFY(!f.exists(u"Tessel.conf"_s));
        VERIFY_BOXES(f.boxes);
    }

    void closingWithYesOnAnUntitledDocumentEndsAfterTheDialogSaves()
    {
        WindowFixture f;
        TesselFrm &frm = f.load();
        frm.EditTxt->setText(u"draft"_s);
        f.boxes.expect(closingQuestion(), MsgAnswer::Yes);
        qint16 cancel = 0;
        frm.Form_Unload(cancel);
        QCOMPARE(cancel, qint16(1));
        QCOMPARE(frm.values().QuitAfterSave, qint16(1));
        QVERIFY(!f.end.ended());
        SaveasFrm *dlg = frm.loadedSaveasFrm();
        QVERIFY(dlg && dlg->isVisible());
        dlg->FilenameTxt->setText(u"draft"_s);
        dlg->SaveCmd_Click();
        QCOMPARE(f.bytes(u"draft.html"_s), QByteArray("draft\r\n"));
        QCOMPARE(dlg->SavedForQuit(), qint16(1));
        QCOMPARE(f.end.calls(), 1);
        QVERIFY(f.exists(u"Tessel.conf"_s));
        VERIFY_BOXES(f.boxes);
    }

    void cancellingTheDialogOfAShutdownSaveGoesBackToEditing_data()
    {
        QTest::addColumn<bool>("byFrame");
        QTest::newRow("Cancel button") << false;
        QTest::newRow("window frame") << true;
    }
    void cancellingTheDialogOfAShutdownSaveGoesBackToEditing()
    {
        QFETCH(bool, byFrame);
        WindowFixture f;
        TesselFrm &frm = f.load();
        frm.EditTxt->setText(u"draft"_s);
        f.boxes.expect(closingQuestion(), MsgAnswer::Yes);
        qint16 cancel = 0;
        frm.Form_Unload(cancel);
        SaveasFrm *dlg = frm.loadedSaveasFrm();
        QVERIFY(dlg);
        if (byFrame) {
            dlg->close();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QVERIFY(!frm.loadedSaveasFrm()); // unloaded
        } else {
            dlg->CancelCmd_Click();
            QVERIFY(frm.loadedSaveasFrm()); // hidden, still loaded
            QVERIFY(!dlg->isVisible());
        }
        QCOMPARE(frm.values().QuitAfterSave, qint16(0));
        QVERIFY(frm.isEnabled());
        QVERIFY(!f.end.ended());
        // Closing again asks again.
        f.boxes.expect(closingQuestion(), MsgAnswer::No);
        frm.Form_Unload(cancel);
        QVERIFY(f.end.ended());
        VERIFY_BOXES(f.boxes);
    }

    void mainWindowCannotCloseWhileTheDialogIsUp()
    {
        WindowFixture f;
        TesselFrm &frm = f.load();
        frm.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frm));
        f.boxes.expect(question(SaveQ), MsgAnswer::Yes);
        frm.SaveasBtn_Click();
        QVERIFY(!frm.close());
        QVERIFY(!f.end.ended());
        VERIFY_BOXES(f.boxes);
    }
};

TESSARA_TEST_CLASS(DocumentCommandsTest)
#include "DocumentCommandsTest.moc"
