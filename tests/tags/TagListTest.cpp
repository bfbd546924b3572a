// The tag catalogue, its file, and insertion of an entry at the caret.
#include "TestRegistry.h"
#include "Unprivileged.h"
#include "WindowFixture.h"
#include "core/TesselFrm.h"
#include "look/HoverHelp.h"
#include "tags/Catalogue.h"
#include "tags/Preset.h"
#include "text/Cp932.h"
#include "ui/EditBox.h"
#include "ui/Label.h"
#include "ui/ListBox.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {
QByteArray sjis(const QString &s) { return Cp932::encode(s).bytes; }

QStringList entries(const ListBox *l)
{
    QStringList out;
    for (int i = 0; i < l->listCount(); ++i)
        out << l->list(i);
    return out;
}

void selectEntry(TesselFrm &frm, const QString &text)
{
    const int at = entries(frm.HTMLLst).indexOf(text);
    QVERIFY(at >= 0);
    frm.HTMLLst->setListIndex(at);
}
} // namespace

class TagListTest : public QObject {
    Q_OBJECT
private slots:
    void builtInEntriesKeepTheirEasilyLostCharacters()
    {
        const QStringList &c = catalogue::builtIn();
        QCOMPARE(c.size(), 71);
        QCOMPARE(c[0], u" <!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//EN\" > "_s);
        QCOMPARE(c[1], u"<html> </html>"_s);
        QCOMPARE(c[29], u"<pre> </pre>"_s);
        QCOMPARE(c[34], u"<br>"_s);
        QCOMPARE(c[38], u"<ruby>ルビを振りたい文字<rp>（</rp><rt>ルビ</rt><rp>）</rp></ruby>"_s);
        // Mended so that a page built from them is valid HTML (test_builtin_html.py
        // parses every entry).
        QCOMPARE(c[4], u"<meta http-equiv=\"Content-Type\" content=\"text/html; charset=shift_jis\">"_s);
        QCOMPARE(c[5], u"<meta http-equiv=\"Content-Type\" content=\"text/html; charset=euc-jp\">"_s);
        QCOMPARE(c[6], u"<meta http-equiv=\"Content-Type\" content=\"text/html; charset=iso-2022-jp\">"_s);
        QCOMPARE(c[39], u"<a href=\"URI\" name=\"名前\" target=\"ターゲット\"> </a>"_s);
        QCOMPARE(c[42], u"<noembed>embedタグで表示できない場合</noembed>"_s);
        QCOMPARE(c[43], u"<object data=\"URL\" type=\"ファイルタイプ\" width=\"横幅\" height=\"縦幅\"> </object>"_s);
        QCOMPARE(c[48], u"<th bgcolor=\"#ffffff\" width=\"横幅\"> </th>"_s);
        QCOMPARE(c[55], u"<noframes>フレームが表示されないとき</noframes>"_s);
        QCOMPARE(c[56], u"<form name=\"名前\" action=\"URI\" target=\"ターゲット\" method=\"GETかPOST\" enctype=\"multipart/form-data\"> </form>"_s);
        QCOMPARE(c[57], u"<input type=\"text\" name=\"名前\" value=\"初期表示文字列\" size=\"横幅\" maxlength=\"最大入力文字数\">"_s);
        QCOMPARE(c[58], u"<input type=\"password\" name=\"名前\" size=\"横幅\" maxlength=\"最大入力文字数\">"_s);
        QCOMPARE(c[69], u"<textarea name=\"名前\" rows=\"縦幅\" cols=\"横幅\">初期表示文字列</textarea>"_s);
        QCOMPARE(c[70], u"自分の好きなようにカスタマイズしてください。"_s);
        // The preset page declares its charset with the catalogue's own entries.
        QCOMPARE(preset::builtInLines().mid(4, 3), (QStringList{c[4], c[11], c[19]}));
        // Every entry can be written in Shift_JIS.
        for (const QString &e : c)
            QVERIFY2(Cp932::encode(e).ok, qPrintable(e));
    }

    void existingCatalogueIsReadByTheLineRulesAndNeverRewritten_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("zero bytes") << QByteArray("") << QStringList();
        QTest::newRow("final CR LF adds no entry") << QByteArray("<b>\r\n<i>\r\n") << QStringList{u"<b>"_s, u"<i>"_s};
        QTest::newRow("last line without CR LF") << QByteArray("<b>\r\n<i>") << QStringList{u"<b>"_s, u"<i>"_s};
        QTest::newRow("blank line is an empty entry")
            << QByteArray("<b>\r\n\r\n<i>\r\n") << QStringList{u"<b>"_s, QString(), u"<i>"_s};
        QTest::newRow("LF-only file is one entry") << QByteArray("<b>\n<i>\n") << QStringList{u"<b>\n<i>\n"_s};
        QTest::newRow("lone CR ends a line") << QByteArray("<b>\r<i>") << QStringList{u"<b>"_s, u"<i>"_s};
        QTest::newRow("equal lines stay separate") << QByteArray("x\r\nx\r\n") << QStringList{u"x"_s, u"x"_s};
        QTest::newRow("Shift_JIS text and blanks")
            << (sjis(u"  <p>段落</p> "_s) + "\r\n") << QStringList{u"  <p>段落</p> "_s};
    }
    void existingCatalogueIsReadByTheLineRulesAndNeverRewritten()
    {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, expected);
        WindowFixture f;
        f.write(u"htmllist.lst"_s, file);
        TesselFrm &frm = f.load();
        QCOMPARE(entries(frm.HTMLLst), expected);
        qint16 cancel = 0;
        frm.Form_Unload(cancel);
        QCOMPARE(f.bytes(u"htmllist.lst"_s), file);
        VERIFY_BOXES(f.boxes);
    }

    void secondStartShowsTheWrittenCatalogue()
    {
        WindowFixture f;
        f.load();
        const QByteArray written = f.bytes(u"htmllist.lst"_s);
        f.destroy();
        TesselFrm &again = f.load();
        QCOMPARE(entries(again.HTMLLst), catalogue::builtIn());
        QCOMPARE(f.bytes(u"htmllist.lst"_s), written);
    }

    void catalogueThatCannotBeReadIsReportedAndLeftAlone()
    {
        WindowFixture f;
        // /proc/self/mem is a regular file whose first bytes cannot be read.
        QVERIFY(QFile::link(u"/proc/self/mem"_s, f.path(u"htmllist.lst"_s)));
        f.boxes.expectStartingWith(
            MsgBox::warning(u"タグリストのファイルを読み込めません。\r\n"_s + f.path(u"htmllist.lst"_s) + u"\r\n"_s,
                            u"エラー"_s),
            MsgAnswer::Ok);
        TesselFrm &frm = f.load();
        QCOMPARE(entries(frm.HTMLLst), catalogue::builtIn());
        VERIFY_BOXES(f.boxes);
        QVERIFY(QFileInfo(f.path(u"htmllist.lst"_s)).isSymLink());
    }

    void insertionPutsTheEntryAtTheCaretAndSelectsIt_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("selStart");
        QTest::addColumn<int>("selLength");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("result");
        QTest::newRow("caret at the start") << u"abc"_s << 0 << 0 << u"<br>"_s << u"<br>abc"_s;
        QTest::newRow("after the first character") << u"abc"_s << 1 << 0 << u"<hr>"_s << u"a<hr>bc"_s;
        QTest::newRow("at the end") << u"abc"_s << 3 << 0 << u"<b> </b>"_s << u"abc<b> </b>"_s;
        QTest::newRow("selection is not replaced") << u"abcdef"_s << 2 << 2 << u"<br>"_s << u"ab<br>cdef"_s;
        QTest::newRow("second line, CR LF counts two")
            << u"ab\r\ncd"_s << 5 << 0 << u"<i> </i>"_s << u"ab\r\nc<i> </i>d"_s;
        QTest::newRow("entry with blanks kept as stored")
            << u""_s << 0 << 0 << catalogue::builtIn()[0] << catalogue::builtIn()[0];
    }
    void insertionPutsTheEntryAtTheCaretAndSelectsIt()
    {
        QFETCH(QString, text);
        QFETCH(int, selStart);
        QFETCH(int, selLength);
        QFETCH(QString, entry);
        QFETCH(QString, result);
        WindowFixture f;
        TesselFrm &frm = f.load();
        frm.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frm));
        frm.EditTxt->setText(text);
        frm.EditTxt->setSelStart(selStart);
        frm.EditTxt->setSelLength(selLength);
        selectEntry(frm, entry);
        frm.HTMLLst->setFocus();
        frm.HTMLLst_DblClick();
        QCOMPARE(frm.EditTxt->text(), result);
        QCOMPARE(frm.EditTxt->selStart(), qsizetype(selStart));
        QCOMPARE(frm.EditTxt->selLength(), entry.size());
        QVERIFY(frm.EditTxt->hasFocus() || QApplication::focusWidget() == frm.EditTxt);
        // Nothing but the text changed: the document is modified by comparison alone.
        QCOMPARE(frm.values().SavedText, QString());
        // The insertion is one edit that undo takes back.
        frm.EditTxt->undo();
        QCOMPARE(frm.EditTxt->text(), text);
    }

    void enterInTheListInsertsWhateverTheModifiers_data()
    {
        QTest::addColumn<int>("modifiers");
        QTest::newRow("plain") << int(Qt::NoModifier);
        QTest::newRow("shift") << int(Qt::ShiftModifier);
        QTest::newRow("ctrl") << int(Qt::ControlModifier);
        QTest::newRow("alt") << int(Qt::AltModifier);
    }
    void enterInTheListInsertsWhateverTheModifiers()
    {
        QFETCH(int, modifiers);
        WindowFixture f;
        TesselFrm &frm = f.load();
        frm.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frm));
        frm.EditTxt->setText(u"xy"_s);
        frm.EditTxt->setSelStart(1);
        frm.HTMLLst->setListIndex(34);
        frm.HTMLLst->setFocus();
        QTest::keyClick(frm.HTMLLst, Qt::Key_Return, Qt::KeyboardModifiers(modifiers));
        QCOMPARE(frm.EditTxt->text(), u"x<br>y"_s);
        QCOMPARE(frm.HTMLLst->listIndex(), 34); // the list keeps its selection
    }

    void noEntrySelectedChangesNothingButTheFocus()
    {
        WindowFixture f;
        TesselFrm &frm = f.load();
        frm.show();
        QApplication::setActiveWindow(&frm);
        QVERIFY(QTest::qWaitForWindowActive(&frm));
        frm.EditTxt->setText(u"abcdef"_s);
        frm.EditTxt->setSelStart(2);
        frm.EditTxt->setSelLength(3);
        frm.HTMLLst->setFocus();
        QTest::keyClick(frm.HTMLLst, Qt::Key_Return);
        QCOMPARE(frm.EditTxt->text(), u"abcdef"_s);
        QCOMPARE(frm.EditTxt->selStart(), qsizetype(2));
        QCOMPARE(frm.EditTxt->selLength(), qsizetype(0));
        QVERIFY(frm.EditTxt->hasFocus());
    }

    void selectionIsPreviewedOnlyWhileTheListsHelpIsShown()
    {
        WindowFixture f;
        TesselFrm &frm = f.load();
        const QString before = frm.DescriptionLbl->caption();
        frm.HTMLLst->setListIndex(3);
        QCOMPARE(frm.DescriptionLbl->caption(), before);
        emit frm.HTMLLst->MouseMove(); // the mouse comes onto the list: its help text, id 9
        QCOMPARE(frm.hoverHelp()->HoverId(), 9);
        frm.HTMLLst->setListIndex(0);
        QCOMPARE(frm.DescriptionLbl->caption(), catalogue::builtIn()[0]);
        QTest::keyClick(frm.HTMLLst, Qt::Key_Down);
        QCOMPARE(frm.DescriptionLbl->caption(), catalogue::builtIn()[1]);
        QCOMPARE(frm.hoverHelp()->HoverId(), 9);
    }
};

// Permission failures are only real for an unprivileged user: the program's
// start-up runs as one (root reads and writes whatever it likes).
class TagListPermissionTest : public QObject {
    Q_OBJECT
private slots:
    void catalogueThatCannotBeCreatedIsReportedOnce()
    {
        WindowFixture f;
        giveToUnprivileged(f.startDir());
        QVERIFY(QFile::setPermissions(f.startDir(), QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther |
                                                        QFile::ExeOther));
        f.boxes.expectStartingWith(
            MsgBox::warning(u"タグリストのファイルを作成できません。\r\n"_s + f.path(u"htmllist.lst"_s) + u"\r\n"_s,
                            u"エラー"_s),
            MsgAnswer::Ok);
        {
            Unprivileged as;
            QVERIFY(as.active());
            f.load();
        }
        QCOMPARE(entries(f.frm().HTMLLst), catalogue::builtIn());
        VERIFY_BOXES(f.boxes);
        QVERIFY(!f.exists(u"htmllist.lst"_s));
        QFile::setPermissions(f.startDir(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    void catalogueThatCannotBeReadIsReportedAndLeftAlone()
    {
        WindowFixture f;
        f.write(u"htmllist.lst"_s, "<b>\r\n");
        giveToUnprivileged(f.startDir());
        QVERIFY(QFile::setPermissions(f.path(u"htmllist.lst"_s), QFile::WriteOwner));
        f.boxes.expectStartingWith(
            MsgBox::warning(u"タグリストのファイルを読み込めません。\r\n"_s + f.path(u"htmllist.lst"_s) + u"\r\n"_s,
                            u"エラー"_s),
            MsgAnswer::Ok);
        {
            Unprivileged as;
            QVERIFY(as.active());
            f.load();
        }
        QCOMPARE(entries(f.frm().HTMLLst), catalogue::builtIn());
        VERIFY_BOXES(f.boxes);
        QFile::setPermissions(f.path(u"htmllist.lst"_s), QFile::ReadOwner | QFile::WriteOwner);
        QCOMPARE(f.bytes(u"htmllist.lst"_s), QByteArray("<b>\r\n"));
    }

    void shortcutFileThatCannotBeReadIsNotOverwrittenAtShutdown()
    {
        WindowFixture f;
        f.write(u"TagsShortCuts.dat"_s, "\r\n29\r\n");
        giveToUnprivileged(f.startDir());
        QVERIFY(QFile::setPermissions(f.path(u"TagsShortCuts.dat"_s), QFile::WriteOwner));
        // The user is told at start-up, before binding keys that would be lost.
        f.boxes.expect(MsgBox::warning(u"ショートカットのファイルを読み込めません。\r\n"_s + f.path(u"TagsShortCuts.dat"_s) +
                                           u"\r\n読み込む権限がありません。\r\nこのファイルは終了時に書き換えません。"
                                           u"ここで登録したショートカットは保存されません。"_s,
                                       u"エラー"_s),
                       MsgAnswer::Ok);
        {
            Unprivileged as;
            QVERIFY(as.active());
            TesselFrm &frm = f.load();
            QVERIFY(frm.ShortCutsLbl->caption().startsWith(u" F1:NONE F2:NONE "_s));
            qint16 cancel = 0;
            frm.Form_Unload(cancel);
        }
        QVERIFY(f.end.ended());
        VERIFY_BOXES(f.boxes);
        QFile::setPermissions(f.path(u"TagsShortCuts.dat"_s), QFile::ReadOwner | QFile::WriteOwner);
        QCOMPARE(f.bytes(u"TagsShortCuts.dat"_s), QByteArray("\r\n29\r\n"));
    }
};

TESSARA_TEST_CLASS(TagListTest)
TESSARA_TEST_CLASS(TagListPermissionTest)
#include "TagListTest.moc"
