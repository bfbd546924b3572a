// Documents in their own encoding on a real window: Open, Save, Discard and
// New with the size label; files too large or behind a folder that may not be
// entered; Ctrl+P's browser; files given on the command line.
#include "TestRegistry.h"
#include "Unprivileged.h"
#include "WindowFixture.h"
#include "browse/FilePane.h"
#include "browse/SaveasFrm.h"
#include "text/TextFile.h"
#include "ui/Browser.h"
#include "ui/CheckBox.h"
#include "ui/ComboBox.h"
#include "ui/DirList.h"
#include "ui/EditBox.h"
#include "ui/FileList.h"
#include "ui/Label.h"
#include "ui/LineBox.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QTest>

#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {
MsgBox question(const QString &sentence)
{
    return MsgBox::question(sentence + u"\r\nよろしいですか？"_s, u"確認"_s);
}
const QString SaveQ = u"編集内容を保存します。"_s;

void choose(TesselFrm &frm, const QString &name)
{
    frm.TailCmb->setListIndex(2); // every file
    frm.filePane()->listDirectory();
    for (int i = 0; i < frm.File->listCount(); ++i)
        if (frm.File->list(i) == name) {
            frm.File->setListIndex(i);
            return;
        }
    QFAIL(qPrintable(u"not listed: "_s + name));
}

// Records the pages the program asks the desktop to show.
class RecordingBrowser : public Browser {
public:
    bool show(const QUrl &page) override
    {
        shown << page;
        return works;
    }
    QList<QUrl> shown;
    bool works = true;
};
} // namespace

class PageEncodingTest : public QObject {
    Q_OBJECT
private slots:
    // Each page opens as itself, shows its encoding beside its size, and an
    // unedited save writes the same bytes.
    void pagesOpenAndSaveInTheirOwnEncoding_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("label");

        QTest::newRow("UTF-8 declared by meta")
            << QByteArray("<meta charset=\"utf-8\">\r\n<p>\xE6\x97\xA5\xE6\x9C\xAC</p>\r\n")
            << u"<meta charset=\"utf-8\">\r\n<p>日本</p>"_s << u"0 KB UTF-8"_s;
        QTest::newRow("UTF-8 with a byte order mark") << QByteArray("\xEF\xBB\xBF<p>\xE3\x81\x82</p>\r\n")
                                                      << u"<p>あ</p>"_s << u"0 KB UTF-8"_s;
        QTest::newRow("EUC-JP declared by http-equiv")
            << QByteArray("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=EUC-JP\">\r\n"
                          "<p>\xC6\xFC\xCB\xDC \x8E\xB1 \xAD\xA1</p>\r\n")
            << u"<meta http-equiv=\"Content-Type\" content=\"text/html; charset=EUC-JP\">\r\n<p>日本 ｱ ①</p>"_s
            << u"0 KB EUC-JP"_s;
        QTest::newRow("ISO-2022-JP declared by meta")
            << QByteArray("<meta charset=iso-2022-jp>\r\n\x1B$B$\"\x1B(B1\r\n")
            << u"<meta charset=iso-2022-jp>\r\nあ1"_s << u"0 KB ISO-2022-JP"_s;
        QTest::newRow("Shift_JIS with NEC's copy of a kanji")
            << QByteArray("<p>\xEE\xE0</p>\r\n" + QByteArray(2000, 'x') + "\r\n") << u"<p>髙</p>\r\n"_s + QString(2000, u'x')
            << u"2 KB"_s;
        QTest::newRow("Shift_JIS with both codes of ≒, a line each")
            << QByteArray("<p>\x87\x90</p>\r\n<p>\x81\xE0</p>\r\n") << u"<p>≒</p>\r\n<p>≒</p>"_s << u"0 KB"_s;
        QTest::newRow("UTF-8 with LF line ends")
            << QByteArray("<meta charset=\"utf-8\">\n<p>\xE6\x97\xA5</p>\n\n") << u"<meta charset=\"utf-8\">\r\n<p>日</p>\r\n"_s
            << u"0 KB UTF-8 LF"_s;
        QTest::newRow("UTF-16LE with a byte order mark")
            << QByteArray("\xFF\xFE<\0p\0>\0\x42\x30\r\0\n\0", 14) << u"<p>あ"_s << u"0 KB UTF-16LE"_s;
        QTest::newRow("UTF-16BE with a byte order mark and LF")
            << QByteArray("\xFE\xFF\0a\0\n\x30\x42\0\n", 10) << u"a\r\nあ"_s << u"0 KB UTF-16BE LF"_s;
    }
    void pagesOpenAndSaveInTheirOwnEncoding()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QFETCH(QString, label);
        WindowFixture f;
        TesselFrm &frm = f.load();
        f.write(u"page.html"_s, bytes);
        choose(frm, u"page.html"_s);
        frm.OpenBtn_Click(); // no notice: every byte is valid in its encoding
        VERIFY_BOXES(f.boxes);
        QCOMPARE(frm.EditTxt->text(), text);
        QCOMPARE(frm.ByteLbl->caption(), label);

        f.boxes.expect(question(SaveQ), MsgAnswer::Yes);
        frm.SaveBtn_Click();
        VERIFY_BOXES(f.boxes);
        // Open drops the last line end and Save adds it back: the same bytes.
        QCOMPARE(f.bytes(u"page.html"_s), bytes);
        QCOMPARE(frm.ByteLbl->caption(), label);

        // Discard reads the file again in its encoding; New starts a Shift_JIS document.
        f.boxes.expect(question(u"編集内容を破棄し保存状態に戻します。"_s), MsgAnswer::Yes);
        frm.CancelBtn_Click();
        QCOMPARE(frm.EditTxt->text(), text + u"\r\n"_s);
        f.boxes.expect(question(u"編集内容を破棄して新しい文書を作成します。"_s), MsgAnswer::Yes);
        frm.NewBtn_Click();
        QCOMPARE(frm.ByteLbl->caption(), u"0 KB"_s);
        QCOMPARE(frm.values().DocEncoding, DocumentEncoding{});
        VERIFY_BOXES(f.boxes);
    }

    // Lines typed, pasted or inserted into a page that ends its lines in LF
    // end in LF when it is saved.
    void anLfPageStaysLf()
    {
        WindowFixture f;
        TesselFrm &frm = f.load();
        f.write(u"lf.html"_s, "<p>a</p>\n<p>b</p>\n");
        choose(frm, u"lf.html"_s);
        frm.OpenBtn_Click();
        QCOMPARE(frm.ByteLbl->caption(), u"0 KB LF"_s);
        frm.EditTxt->setSelStart(frm.EditTxt->textLength());
        QTest::keyClick(frm.EditTxt, Qt::Key_Return);
        QTest::keyClicks(frm.EditTxt, u"c"_s);
        QApplication::clipboard()->setText(u"d\r\ne\nf"_s);
        frm.EditTxt->paste();
        f.boxes.expect(question(SaveQ), MsgAnswer::Yes);
        frm.SaveBtn_Click();
        VERIFY_BOXES(f.boxes);
        QCOMPARE(f.bytes(u"lf.html"_s), QByteArray("<p>a</p>\n<p>b</p>\ncd\ne\nf\n"));
        QCOMPARE(frm.ByteLbl->caption(), u"0 KB LF"_s);
    }

    // Saving a page whose text declares another encoding than the one it
    // would be written in asks; Yes writes and keeps it in the declared one.
    void savingAPageDeclaringAnotherEncodingAsks_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("question");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QByteArray>("written"); // null: nothing written
        QTest::addColumn<QString>("label");

        const QString utf8Page = u"<meta charset=\"utf-8\">\r\n<p>日本</p>"_s;
        const QString toUtf8 = u"このページは UTF-8 と宣言されていますが、Shift_JIS で保存しようとしています。"
                               u"宣言どおり UTF-8 で保存しますか？"_s;
        const QByteArray utf8Bytes = "<meta charset=\"utf-8\">\r\n<p>\xE6\x97\xA5\xE6\x9C\xAC</p>\r\n";
        const QByteArray sjisBytes = "<meta charset=\"utf-8\">\r\n<p>\x93\xFA\x96\x7B</p>\r\n";
        QTest::newRow("Yes writes UTF-8") << utf8Page << toUtf8 << int(MsgAnswer::Yes) << utf8Bytes
                                          << u"0 KB UTF-8"_s;
        QTest::newRow("No writes Shift_JIS, and is not asked again")
            << utf8Page << toUtf8 << int(MsgAnswer::No) << sjisBytes << u"0 KB"_s;
        QTest::newRow("Cancel writes nothing") << utf8Page << toUtf8 << int(MsgAnswer::Cancel) << QByteArray()
                                               << u"0 KB"_s;
        QTest::newRow("EUC-JP by http-equiv")
            << u"<meta http-equiv=\"Content-Type\" content=\"text/html; charset=euc-jp\">日本"_s
            << u"このページは EUC-JP と宣言されていますが、Shift_JIS で保存しようとしています。"
               u"宣言どおり EUC-JP で保存しますか？"_s
            << int(MsgAnswer::Yes)
            << QByteArray("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=euc-jp\">\xC6\xFC\xCB\xDC\r\n")
            << u"0 KB EUC-JP"_s;
        QTest::newRow("an XML declaration")
            << u"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<p>日本</p>"_s
            << u"このページは UTF-8 と宣言されていますが、Shift_JIS で保存しようとしています。"
               u"宣言どおり UTF-8 で保存しますか？"_s
            << int(MsgAnswer::Yes)
            << QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<p>\xE6\x97\xA5\xE6\x9C\xAC</p>\r\n")
            << u"0 KB UTF-8"_s;
        QTest::newRow("agreeing declaration: no question")
            << u"<meta charset=shift_jis>日本"_s << QString() << 0
            << QByteArray("<meta charset=shift_jis>\x93\xFA\x96\x7B\r\n") << u"0 KB"_s;
        QTest::newRow("a declaration past the first 1024 bytes: no question")
            << QString(1100, u'x') + u"<meta charset=utf-8>"_s << QString() << 0
            << QByteArray(1100, 'x') + "<meta charset=utf-8>\r\n" << u"1 KB"_s;
        QTest::newRow("an encoding the program cannot write")
            << u"<meta charset=\"gb2312\">日本"_s
            << u"このページは gb2312 と宣言されていますが、gb2312 では保存できません。Shift_JIS で保存すると、"
               u"ブラウザーはページを gb2312 として読むため、正しく表示されません。\r\nこのまま Shift_JIS で保存しますか？"_s
            << int(MsgAnswer::No) << QByteArray() << u"0 KB"_s;
        QTest::newRow("an encoding the program cannot write, written anyway")
            << u"<meta charset=\"gb2312\">日本"_s
            << u"このページは gb2312 と宣言されていますが、gb2312 では保存できません。Shift_JIS で保存すると、"
               u"ブラウザーはページを gb2312 として読むため、正しく表示されません。\r\nこのまま Shift_JIS で保存しますか？"_s
            << int(MsgAnswer::Yes) << QByteArray("<meta charset=\"gb2312\">\x93\xFA\x96\x7B\r\n") << u"0 KB"_s;
    }
    void savingAPageDeclaringAnotherEncodingAsks()
    {
        QFETCH(QString, text);
        QFETCH(QString, question);
        QFETCH(int, answer);
        QFETCH(QByteArray, written);
        QFETCH(QString, label);
        WindowFixture f;
        TesselFrm &frm = f.load();
        frm.FilenameLbl->setCaption(f.path(u"page.html"_s));
        frm.EditTxt->setText(text);
        f.boxes.expect(::question(SaveQ), MsgAnswer::Yes);
        if (!question.isEmpty()) {
            const bool cannotWrite = question.contains(u"このまま"_s);
            f.boxes.expect(MsgBox{question, u"確認"_s, cannotWrite ? MsgButtons::YesNo : MsgButtons::YesNoCancel,
                                  cannotWrite ? MsgIcon::Exclamation : MsgIcon::None,
                                  cannotWrite ? MsgAnswer::No : MsgAnswer::Yes},
                           MsgAnswer(answer));
        }
        frm.SaveBtn_Click();
        VERIFY_BOXES(f.boxes);
        QCOMPARE(f.bytes(u"page.html"_s), written);
        QCOMPARE(frm.ByteLbl->caption(), label);
        QCOMPARE(frm.EditTxt->text() == frm.values().SavedText, !written.isNull());
        // Once written in the declared encoding, the page stays in it: no question the next time.
        if (!written.isNull()) {
            f.boxes.expect(::question(SaveQ), MsgAnswer::Yes);
            frm.SaveBtn_Click();
            VERIFY_BOXES(f.boxes);
            QCOMPARE(f.bytes(u"page.html"_s), written);
        }
    }

    // A page whose bytes contradict its declaration opens in the encoding
    // that reads them, and one declaring an encoding the program cannot
    // write is told; saving then asks.
    void openingAPageWhoseDeclarationDoesNotFit_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("notice");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("label");

        QTest::newRow("Shift_JIS declared UTF-8")
            << QByteArray("<meta charset=\"utf-8\">\r\n<p>\x93\xFA\x96\x7B\x8C\xEA</p>\r\n")
            << u"このページは UTF-8 と宣言されていますが、UTF-8 としては正しくないバイトがあります。\r\n"
               u"すべてのバイトを正しく読める Shift_JIS として開きました。保存するときに、どちらの文字コードで保存するかを確認します。"_s
            << u"<meta charset=\"utf-8\">\r\n<p>日本語</p>"_s << u"0 KB"_s;
        QTest::newRow("UTF-8 declared Shift_JIS")
            << QByteArray("<meta charset=\"shift_jis\">\r\n<p>\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E</p>\r\n")
            << u"このページは Shift_JIS と宣言されていますが、Shift_JIS としては正しくないバイトがあります。\r\n"
               u"すべてのバイトを正しく読める UTF-8 として開きました。保存するときに、どちらの文字コードで保存するかを確認します。"_s
            << u"<meta charset=\"shift_jis\">\r\n<p>日本語</p>"_s << u"0 KB UTF-8"_s;
        QTest::newRow("gb2312")
            << QByteArray("<meta charset=\"gb2312\">\r\n<p>ab</p>\r\n")
            << u"このページは gb2312 と宣言されていますが、この文字コードには対応していません。\r\n"
               u"Shift_JIS として開きます。ファイルのバイトはそのまま保持し、保存すると元のバイトに戻して書き込みます。"_s
            << u"<meta charset=\"gb2312\">\r\n<p>ab</p>"_s << u"0 KB"_s;
    }
    void openingAPageWhoseDeclarationDoesNotFit()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, notice);
        QFETCH(QString, text);
        QFETCH(QString, label);
        WindowFixture f;
        TesselFrm &frm = f.load();
        f.write(u"page.html"_s, bytes);
        choose(frm, u"page.html"_s);
        f.boxes.expect(MsgBox::information(notice, u"確認"_s), MsgAnswer::Ok);
        frm.OpenBtn_Click();
        VERIFY_BOXES(f.boxes);
        QCOMPARE(frm.EditTxt->text(), text);
        QCOMPARE(frm.ByteLbl->caption(), label);
    }

    // New from a preset that declares an encoding starts a page in it.
    void newPagesTakeThePresetsEncoding_data()
    {
        QTest::addColumn<QByteArray>("preset");
        QTest::addColumn<QString>("label");
        QTest::newRow("UTF-8") << QByteArray("<html>\r\n<meta charset=\"UTF-8\">\r\n</html>\r\n") << u"0 KB UTF-8"_s;
        QTest::newRow("EUC-JP by http-equiv")
            << QByteArray("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=EUC-JP\">\r\n") << u"0 KB EUC-JP"_s;
        QTest::newRow("nothing declared") << QByteArray("<html>\r\n</html>\r\n") << u"0 KB"_s;
        QTest::newRow("the built-in preset") << QByteArray() << u"0 KB"_s;
    }
    void newPagesTakeThePresetsEncoding()
    {
        QFETCH(QByteArray, preset);
        QFETCH(QString, label);
        WindowFixture f;
        if (!preset.isNull())
            f.write(u"preset.lst"_s, preset);
        TesselFrm &frm = f.load();
        frm.PresetChk->setValue(1);
        f.boxes.expect(::question(u"編集内容を破棄して新しい文書を作成します。"_s), MsgAnswer::Yes);
        frm.NewBtn_Click();
        VERIFY_BOXES(f.boxes);
        QCOMPARE(frm.ByteLbl->caption(), label);
        // The first save writes the page as it declares itself, without a question.
        frm.FilenameLbl->setCaption(f.path(u"new.html"_s));
        f.boxes.expect(::question(SaveQ), MsgAnswer::Yes);
        frm.SaveBtn_Click();
        VERIFY_BOXES(f.boxes);
        QCOMPARE(frm.ByteLbl->caption(), label);
    }

    void invalidBytesAreCountedFromOne()
    {
        WindowFixture f;
        TesselFrm &frm = f.load();
        const QByteArray bytes = "<meta charset=utf-8>\r\n\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E\xE3\x81\xA7" "ab\xFF\xE3\x81\r\n";
        f.write(u"bad.html"_s, bytes);
        choose(frm, u"bad.html"_s);
        f.boxes.expect(MsgBox::information(u"このファイルにはUTF-8として正しくないバイトが 3 個あります（最初は 37 "
                                           u"バイト目）。\r\nそのままの値で保持し、保存すると元のバイトに戻して書き込みます。"_s,
                                           u"確認"_s),
                       MsgAnswer::Ok);
        frm.OpenBtn_Click();
        VERIFY_BOXES(f.boxes);
        f.boxes.expect(question(SaveQ), MsgAnswer::Yes);
        frm.SaveBtn_Click();
        QCOMPARE(f.bytes(u"bad.html"_s), bytes);
    }

    // A page the edit box cannot hold is refused before a byte is read.
    void fileTooLargeIsRefusedAndNothingChanges()
    {
        WindowFixture f;
        TesselFrm &frm = f.load();
        {
            QFile big(f.path(u"huge.html"_s));
            QVERIFY(big.open(QIODevice::WriteOnly));
            QVERIFY(big.resize(TextFile::MaxDocumentBytes + 1)); // sparse: no disk used
        }
        frm.EditTxt->setText(u"kept"_s);
        frm.values().SavedText = u"kept"_s;
        choose(frm, u"huge.html"_s);
        f.boxes.expect(MsgBox::warning(u"ファイルを読み込めません。\r\n"_s + f.path(u"huge.html"_s) +
                                           u"\r\nファイルが大きすぎます（1073741824 バイト）。編集できるのは 1024 MB "
                                           u"未満のファイルです。"_s,
                                       u"エラー"_s),
                       MsgAnswer::Ok);
        frm.OpenBtn_Click();
        VERIFY_BOXES(f.boxes);
        QCOMPARE(frm.EditTxt->text(), u"kept"_s);
        QCOMPARE(frm.values().SavedText, u"kept"_s);
        QCOMPARE(frm.FilenameLbl->caption(), QString());
    }

    // A folder that lists its files but may not be entered: the reason is
    // the permission, not a missing file.
    void fileBehindAFolderThatMayNotBeEnteredNamesTheCause()
    {
        WindowFixture f;
        QVERIFY(QDir(f.startDir()).mkdir(u"locked"_s));
        f.write(u"locked/a.html"_s, "x\r\n");
        TesselFrm &frm = f.load();
        giveToUnprivileged(f.startDir());
        QVERIFY(QFile::setPermissions(f.path(u"locked"_s), QFile::ReadOwner)); // listed, not entered
        {
            Unprivileged as;
            QVERIFY(as.active());
            QVERIFY(frm.filePane()->showDirectory(f.path(u"locked"_s)));
            choose(frm, u"a.html"_s);
            f.boxes.expect(MsgBox::warning(u"ファイルを読み込めません。\r\n"_s + f.path(u"locked/a.html"_s) +
                                               u"\r\n読み込む権限がありません。"_s,
                                           u"エラー"_s),
                           MsgAnswer::Ok);
            frm.OpenBtn_Click();
        }
        VERIFY_BOXES(f.boxes);
        QCOMPARE(frm.FilenameLbl->caption(), QString());
    }

    // Ctrl+P: a saved page goes to the browser as it is; edits are saved
    // first through Save's question; an untitled page waits for the dialog.
    void ctrlPShowsThePageInTheBrowser()
    {
        WindowFixture f;
        RecordingBrowser browser;
        f.platform.browser = &browser;
        TesselFrm &frm = f.load();
        f.write(u"ページ 1.html"_s, "<p>a</p>\r\n");
        choose(frm, u"ページ 1.html"_s);
        frm.OpenBtn_Click();
        const QUrl page = QUrl::fromLocalFile(f.path(u"ページ 1.html"_s));

        frm.EditTxt_KeyUp('P', 2);
        QCOMPARE(browser.shown, QList<QUrl>{page});
        QVERIFY(page.toEncoded().startsWith("file:///") && page.toEncoded().contains("%20"));

        frm.EditTxt->setText(u"<p>b</p>"_s);
        f.boxes.expect(question(SaveQ), MsgAnswer::Yes);
        frm.EditTxt_KeyUp('P', 2);
        QCOMPARE(f.bytes(u"ページ 1.html"_s), QByteArray("<p>b</p>\r\n"));
        QCOMPARE(browser.shown.size(), 2);

        // Declining the save shows the page as it is on disk.
        frm.EditTxt->setText(u"<p>c</p>"_s);
        f.boxes.expect(question(SaveQ), MsgAnswer::No);
        frm.EditTxt_KeyUp('P', 2);
        QCOMPARE(browser.shown.size(), 3);
        QCOMPARE(f.bytes(u"ページ 1.html"_s), QByteArray("<p>b</p>\r\n"));

        // No browser to be had.
        browser.works = false;
        f.boxes.expect(question(SaveQ), MsgAnswer::No);
        f.boxes.expect(MsgBox::warning(u"ブラウザーを起動できませんでした。\r\n"_s + f.path(u"ページ 1.html"_s) +
                                           u"\r\nウェブブラウザーが見つかりません（https の URL を開く既定のブラウザー、"_s
                                           u"x-www-browser、sensible-browser のいずれもありません）。"_s
                                           u"既定のウェブブラウザーを設定してください。"_s,
                                       u"エラー"_s),
                       MsgAnswer::Ok);
        frm.EditTxt_KeyUp('P', 2);
        VERIFY_BOXES(f.boxes);
        browser.works = true;

        // Untitled: the dialog saves, then the page is shown.
        f.boxes.expect(question(u"編集内容を破棄して新しい文書を作成します。"_s), MsgAnswer::Yes);
        frm.NewBtn_Click();
        frm.EditTxt->setText(u"<p>new</p>"_s);
        f.boxes.expect(question(SaveQ), MsgAnswer::Yes);
        frm.EditTxt_KeyUp('P', 2);
        QCOMPARE(browser.shown.size(), 4); // nothing yet
        SaveasFrm *dlg = frm.loadedSaveasFrm();
        QVERIFY(dlg && dlg->isVisible());
        dlg->FilenameTxt->setText(u"new"_s);
        dlg->SaveCmd_Click();
        QCOMPARE(browser.shown.size(), 5);
        QCOMPARE(browser.shown.last(), QUrl::fromLocalFile(f.path(u"new.html"_s)));

        // Untitled and not saved: nothing to show, and the user is told.
        f.boxes.expect(question(u"編集内容を破棄して新しい文書を作成します。"_s), MsgAnswer::Yes);
        frm.NewBtn_Click();
        f.boxes.expect(question(SaveQ), MsgAnswer::No);
        f.boxes.expect(MsgBox::warning(u"保存されていない文書はブラウザーで表示できません。\r\nファイルに保存してから"
                                       u"表示してください。"_s,
                                       u"確認"_s),
                       MsgAnswer::Ok);
        frm.EditTxt_KeyUp('P', 2);
        QCOMPARE(browser.shown.size(), 5);
        VERIFY_BOXES(f.boxes);
    }

    // A file given on the command line opens as a click on it in the file
    // list and Open would; a new name gives an empty page under that name.
    void filesGivenOnTheCommandLine()
    {
        WindowFixture f;
        QVERIFY(QDir(f.startDir()).mkdir(u"web"_s));
        f.write(u"web/notes.txt"_s, "memo\r\n");
        f.write(u"web/.hidden.html"_s, "<p>h</p>\r\n");
        TesselFrm &frm = f.load();

        frm.openFromCommandLine(f.path(u"web/notes.txt"_s));
        QCOMPARE(frm.Dir1->path(), f.path(u"web"_s));
        QCOMPARE(frm.TailCmb->text(), u"txt"_s);
        QCOMPARE(frm.File->fileName(), u"notes.txt"_s);
        QCOMPARE(frm.filePane()->fileChosen(), qint16(1));
        QCOMPARE(frm.EditTxt->text(), u"memo"_s);
        QCOMPARE(frm.FilenameLbl->caption(), f.path(u"web/notes.txt"_s));

        frm.openFromCommandLine(f.path(u"web/.hidden.html"_s)); // not listed, opened all the same
        QCOMPARE(frm.EditTxt->text(), u"<p>h</p>"_s);

        VERIFY_BOXES(f.boxes);

        // A name that is no file yet: an empty page under it, which Save creates.
        WindowFixture g;
        TesselFrm &fresh = g.load();
        fresh.openFromCommandLine(f.path(u"web/new.html"_s));
        QCOMPARE(fresh.Dir1->path(), f.path(u"web"_s));
        QCOMPARE(fresh.FilenameLbl->caption(), f.path(u"web/new.html"_s));
        QCOMPARE(fresh.EditTxt->text(), QString());
        QCOMPARE(fresh.ByteLbl->caption(), u"0 KB"_s);
        fresh.EditTxt->setText(u"<p>new</p>"_s);
        g.boxes.expect(question(SaveQ), MsgAnswer::Yes);
        fresh.SaveBtn_Click();
        QCOMPARE(f.bytes(u"web/new.html"_s), QByteArray("<p>new</p>\r\n"));
        VERIFY_BOXES(g.boxes);
    }
};

TESSARA_TEST_CLASS(PageEncodingTest)
#include "PageEncodingTest.moc"
