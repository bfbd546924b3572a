// The edit box's Ctrl commands: which key with which modifiers runs what, and
// on a real window when they run (on the release of the letter, Ctrl alone
// held, not for auto-repeat) and where (only in the edit box).
#include "tags/EditKeys.h"
#include "TestRegistry.h"
#include "WindowFixture.h"
#include "browse/SaveasFrm.h"
#include "search/SearchFrm.h"
#include "ui/Button.h"
#include "ui/ComboBox.h"
#include "ui/DirList.h"
#include "ui/EditBox.h"
#include "ui/FileList.h"
#include "ui/Label.h"
#include "ui/ListBox.h"

#include "KeyMasks.h"

#include <QKeyEvent>
#include <QTest>

using namespace Qt::StringLiterals;
using editkeys::Command;

namespace {

void send(QWidget *w, QEvent::Type type, int key, Qt::KeyboardModifiers mods, bool autoRepeat = false)
{
    QKeyEvent e(type, key, mods, QString(), autoRepeat);
    QCoreApplication::sendEvent(w, &e);
}

// Ctrl goes down, the letter goes down and up, Ctrl goes up.
void ctrlChord(QWidget *w, int key, Qt::KeyboardModifiers extra = {})
{
    const Qt::KeyboardModifiers mods = Qt::ControlModifier | extra;
    send(w, QEvent::KeyPress, Qt::Key_Control, mods);
    send(w, QEvent::KeyPress, key, mods);
    send(w, QEvent::KeyRelease, key, mods);
    send(w, QEvent::KeyRelease, Qt::Key_Control, extra);
}

const QString Normal = u"暗くする"_s, Dark = u"元に戻す"_s;

bool searchShown(TesselFrm &frm) { return frm.searchFrm() && frm.searchFrm()->isVisible(); }
} // namespace

Q_DECLARE_METATYPE(MsgBox)
Q_DECLARE_METATYPE(MsgAnswer)

class EditKeysTest : public QObject
{
    Q_OBJECT
  private slots:
    void ctrlLettersRunTheirCommands_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<Command>("command");
        QTest::newRow("N new") << 78 << Command::New;
        QTest::newRow("O open") << 79 << Command::Open;
        QTest::newRow("D discard") << 68 << Command::Discard;
        QTest::newRow("S save") << 83 << Command::Save;
        QTest::newRow("R save as") << 82 << Command::SaveAs;
        QTest::newRow("F search") << 70 << Command::Search;
        QTest::newRow("B colours") << 66 << Command::Colour;
        QTest::newRow("A select all") << 65 << Command::SelectAll;
        QTest::newRow("P show in the browser") << 80 << Command::ShowInBrowser;
        QTest::newRow("G go to line") << 71 << Command::GoToLine;
    }

    void ctrlLettersRunTheirCommands()
    {
        QFETCH(int, key);
        QFETCH(Command, command);
        QCOMPARE(editkeys::onKeyUp(key, 2), command);
        // Any other mask, Ctrl with Shift or Alt included, runs nothing.
        for (int mask : {0, 1, 3, 4, 5, 6, 7})
            QVERIFY2(editkeys::onKeyUp(key, mask) == Command::None, qPrintable(QString::number(mask)));
    }

    void otherKeysRunNothing_data()
    {
        QTest::addColumn<int>("key");
        for (int k = 'A'; k <= 'Z'; ++k)
            if (!QByteArray("NODSRFBAPG").contains(char(k)))
                QTest::newRow(qPrintable(QString(QChar(k)))) << k;
        QTest::newRow("lower-case a") << int('a');
        QTest::newRow("Enter") << 13;
        QTest::newRow("F1") << 112;
        QTest::newRow("F6") << 117;
        QTest::newRow("Ctrl itself") << 17;
        QTest::newRow("none") << 0;
    }

    void otherKeysRunNothing()
    {
        QFETCH(int, key);
        for (int mask = 0; mask < 8; ++mask)
            QCOMPARE(editkeys::onKeyUp(key, mask), Command::None);
    }

    void ctrlASelectsTheWholeText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qsizetype>("length"); // CR LF counts as two
        QTest::newRow("one line") << u"abcdef"_s << qsizetype(6);
        QTest::newRow("lines") << u"<p>\r\nあ\r\n</p>\r\n"_s << qsizetype(14);
        QTest::newRow("lone line feed") << u"a\nb"_s << qsizetype(3);
        QTest::newRow("empty") << QString() << qsizetype(0);
    }

    void ctrlASelectsTheWholeText()
    {
        QFETCH(QString, text);
        QFETCH(qsizetype, length);
        WindowFixture f;
        TesselFrm &frm = f.create();
        frm.EditTxt->setText(text);
        frm.EditTxt->setSelStart(length / 2);
        frm.EditTxt->setSelLength(length > 2 ? 1 : 0);
        // The release alone: the edit box's own Ctrl+A acts on the press.
        send(frm.EditTxt, QEvent::KeyRelease, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(frm.EditTxt->selStart(), qsizetype(0));
        QCOMPARE(frm.EditTxt->selLength(), length);
        QCOMPARE(frm.EditTxt->text(), text);
    }

    void ctrlBSwitchesTheColoursOnTheLettersRelease()
    {
        WindowFixture f;
        TesselFrm &frm = f.create();
        frm.EditTxt->setText(u"abc\r\ndef"_s);
        frm.EditTxt->setSelStart(1);
        frm.EditTxt->setSelLength(5);
        const QColor base = frm.EditTxt->palette().color(QPalette::Base);
        send(frm.EditTxt, QEvent::KeyPress, Qt::Key_Control, Qt::ControlModifier);
        send(frm.EditTxt, QEvent::KeyPress, Qt::Key_B, Qt::ControlModifier);
        QCOMPARE(frm.ColorCmd->caption(), Normal);
        send(frm.EditTxt, QEvent::KeyRelease, Qt::Key_B, Qt::ControlModifier);
        QCOMPARE(frm.ColorCmd->caption(), Dark);
        QCOMPARE(frm.EditTxt->palette().color(QPalette::Base), QColor(0, 0, 0));
        send(frm.EditTxt, QEvent::KeyRelease, Qt::Key_Control, {});
        QCOMPARE(frm.ColorCmd->caption(), Dark);
        // Text and selection stay as they were.
        QCOMPARE(frm.EditTxt->text(), u"abc\r\ndef"_s);
        QCOMPARE(frm.EditTxt->selStart(), qsizetype(1));
        QCOMPARE(frm.EditTxt->selLength(), qsizetype(5));
        // Again, and the colours are back: Ctrl+B and ColorCmd are the same.
        ctrlChord(frm.EditTxt, Qt::Key_B);
        QCOMPARE(frm.ColorCmd->caption(), Normal);
        QCOMPARE(frm.EditTxt->palette().color(QPalette::Base), base);
        frm.ColorCmd->click();
        QCOMPARE(frm.ColorCmd->caption(), Dark);
        ctrlChord(frm.EditTxt, Qt::Key_B);
        QCOMPARE(frm.ColorCmd->caption(), Normal);
    }

    void ctrlFOpensTheSearchDialog()
    {
        WindowFixture f;
        TesselFrm &frm = f.create();
        send(frm.EditTxt, QEvent::KeyPress, Qt::Key_Control, Qt::ControlModifier);
        send(frm.EditTxt, QEvent::KeyPress, Qt::Key_F, Qt::ControlModifier);
        QVERIFY(!searchShown(frm));
        send(frm.EditTxt, QEvent::KeyRelease, Qt::Key_F, Qt::ControlModifier);
        QVERIFY(searchShown(frm));
        VERIFY_BOXES(f.boxes);
    }

    void ctrlLettersRunTheDocumentCommands_data()
    {
        // Each command shows itself by the first question or notice it gives.
        QTest::addColumn<int>("key");
        QTest::addColumn<MsgBox>("box");
        QTest::addColumn<MsgAnswer>("answer");
        QTest::addColumn<bool>("written");     // the document's file was saved
        QTest::addColumn<bool>("saveAsShown"); // the save-as dialog came up
        const QString sure = u"\r\nよろしいですか？"_s;
        QTest::newRow("Ctrl+N new") << int(Qt::Key_N)
                                    << MsgBox::question(
                                           u"編集内容を破棄して新しい文書を作成します。"_s + sure, u"確認"_s)
                                    << MsgAnswer::No << false << false;
        QTest::newRow("Ctrl+O open") << int(Qt::Key_O)
                                     << MsgBox::warning(u"ファイルを選択してください。"_s, u"確認"_s)
                                     << MsgAnswer::Ok << false << false;
        QTest::newRow("Ctrl+D discard")
            << int(Qt::Key_D) << MsgBox::question(u"編集内容を破棄し保存状態に戻します。"_s + sure, u"確認"_s)
            << MsgAnswer::No << false << false;
        QTest::newRow("Ctrl+S save") << int(Qt::Key_S)
                                     << MsgBox::question(u"編集内容を保存します。"_s + sure, u"確認"_s)
                                     << MsgAnswer::Yes << true << false;
        QTest::newRow("Ctrl+R save as")
            << int(Qt::Key_R) << MsgBox::question(u"編集内容を保存します。"_s + sure, u"確認"_s)
            << MsgAnswer::Yes << false << true;
    }

    void ctrlLettersRunTheDocumentCommands()
    {
        QFETCH(int, key);
        QFETCH(MsgBox, box);
        QFETCH(MsgAnswer, answer);
        QFETCH(bool, written);
        QFETCH(bool, saveAsShown);
        WindowFixture f;
        TesselFrm &frm = f.load();
        // A titled, modified document: Save writes it where Save as asks for a name.
        frm.FilenameLbl->setCaption(f.path(u"doc.html"_s));
        frm.EditTxt->setText(u"abc"_s);
        f.boxes.expect(box, answer);
        ctrlChord(frm.EditTxt, key);
        VERIFY_BOXES(f.boxes);
        QCOMPARE(f.exists(u"doc.html"_s), written);
        QCOMPARE(frm.loadedSaveasFrm() && frm.loadedSaveasFrm()->isVisible(), saveAsShown);
        QCOMPARE(frm.EditTxt->text(), u"abc"_s);
    }

    void releasingCtrlBeforeTheLetterRunsNothing_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("B") << int(Qt::Key_B);
        QTest::newRow("F") << int(Qt::Key_F);
        QTest::newRow("A") << int(Qt::Key_A);
    }

    void releasingCtrlBeforeTheLetterRunsNothing()
    {
        QFETCH(int, key);
        WindowFixture f;
        TesselFrm &frm = f.create();
        frm.EditTxt->setText(u"abcdef"_s);
        frm.EditTxt->setSelStart(2);
        send(frm.EditTxt, QEvent::KeyPress, Qt::Key_Control, Qt::ControlModifier);
        send(frm.EditTxt, QEvent::KeyPress, key, Qt::ControlModifier);
        frm.EditTxt->setSelStart(2); // whatever the press did, the release must not select
        send(frm.EditTxt, QEvent::KeyRelease, Qt::Key_Control, {});
        send(frm.EditTxt, QEvent::KeyRelease, key, {});
        QCOMPARE(frm.ColorCmd->caption(), Normal);
        QVERIFY(!searchShown(frm));
        QCOMPARE(frm.EditTxt->selLength(), qsizetype(0));
    }

    void otherModifiersRunNothing_data()
    {
        QTest::addColumn<int>("mask");
        QTest::newRow("Ctrl+Shift") << 3;
        QTest::newRow("Ctrl+Alt") << 6;
        QTest::newRow("Ctrl+Alt+Shift") << 7;
        QTest::newRow("Alt") << 4;
        QTest::newRow("Shift") << 1;
        QTest::newRow("none") << 0;
    }

    void otherModifiersRunNothing()
    {
        QFETCH(int, mask);
        WindowFixture f;
        TesselFrm &frm = f.create();
        for (int key : {Qt::Key_B, Qt::Key_F, Qt::Key_S})
            send(frm.EditTxt, QEvent::KeyRelease, key, modifiersOf(mask));
        QCOMPARE(frm.ColorCmd->caption(), Normal);
        QVERIFY(!searchShown(frm));
        VERIFY_BOXES(f.boxes);
    }

    void autoRepeatedReleasesAreNotReleases()
    {
        WindowFixture f;
        TesselFrm &frm = f.create();
        // Holding Ctrl+B: the platform repeats press and release pairs, then
        // sends the real release.
        send(frm.EditTxt, QEvent::KeyPress, Qt::Key_Control, Qt::ControlModifier);
        send(frm.EditTxt, QEvent::KeyPress, Qt::Key_B, Qt::ControlModifier);
        for (int i = 0; i < 5; ++i) {
            send(frm.EditTxt, QEvent::KeyRelease, Qt::Key_B, Qt::ControlModifier, true);
            send(frm.EditTxt, QEvent::KeyPress, Qt::Key_B, Qt::ControlModifier, true);
        }
        QCOMPARE(frm.ColorCmd->caption(), Normal);
        send(frm.EditTxt, QEvent::KeyRelease, Qt::Key_B, Qt::ControlModifier);
        QCOMPARE(frm.ColorCmd->caption(), Dark);
    }

    void ctrlLettersInOtherControlsRunNothing_data()
    {
        QTest::addColumn<QString>("control");
        QTest::newRow("tag list") << u"HTMLLst"_s;
        QTest::newRow("file list") << u"File"_s;
        QTest::newRow("directory list") << u"Dir1"_s;
        QTest::newRow("filter combo") << u"TailCmb"_s;
    }

    void ctrlLettersInOtherControlsRunNothing()
    {
        QFETCH(QString, control);
        WindowFixture f;
        TesselFrm &frm = f.create();
        frm.EditTxt->setText(u"<p>\r\n"_s);
        frm.EditTxt->setSelStart(1);
        frm.HTMLLst->addEntries({u"<p>"_s, u"<br>"_s});
        QWidget *w = frm.findChild<QWidget *>(control, Qt::FindDirectChildrenOnly);
        QVERIFY(w);
        for (int key :
             {Qt::Key_N, Qt::Key_O, Qt::Key_D, Qt::Key_S, Qt::Key_R, Qt::Key_F, Qt::Key_B, Qt::Key_A, Qt::Key_G})
            ctrlChord(w, key);
        QCOMPARE(frm.ColorCmd->caption(), Normal);
        QVERIFY(!searchShown(frm));
        QCOMPARE(frm.EditTxt->text(), u"<p>\r\n"_s);
        QCOMPARE(frm.EditTxt->selStart(), qsizetype(1));
        QCOMPARE(frm.EditTxt->selLength(), qsizetype(0));
        QVERIFY(!frm.loadedSaveasFrm());
        VERIFY_BOXES(f.boxes);
        VERIFY_INPUTS(f.inputs);
    }
};

TESSARA_TEST_CLASS(EditKeysTest)
#include "EditKeysTest.moc"
