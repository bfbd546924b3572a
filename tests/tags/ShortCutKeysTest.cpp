// Function keys in the tag list bind and clear slots; in the edit box they paste
// and clear. Driven by real key events on the real controls.
#include "ShortCutTestWindow.h"
#include "TestRegistry.h"
#include "tags/ShortCutSlots.h"
#include "ui/EditBox.h"
#include "ui/ListBox.h"

#include "KeyMasks.h"

#include <QKeyEvent>
#include <QTest>

using namespace Qt::StringLiterals;
using shortcuttest::Window;

namespace {

const QString AllEmpty = u" F1:NONE F2:NONE F3:NONE F4:NONE F5:NONE F6:NONE F7:NONE F8:NONE "
                         u"F9:NONE F10:NONE F11:NONE F12:NONE "_s;

void addMasks()
{
    QTest::addColumn<int>("mask");
    QTest::newRow("no modifier") << 0;
    QTest::newRow("Ctrl") << 2;
    QTest::newRow("Alt") << 4;
    QTest::newRow("Ctrl+Shift") << 3;
    QTest::newRow("Alt+Shift") << 5;
    QTest::newRow("Ctrl+Alt") << 6;
    QTest::newRow("Ctrl+Alt+Shift") << 7;
}
} // namespace

class ShortCutKeysTest : public QObject {
    Q_OBJECT
private slots:
    void functionKeyInListBindsSelectedEntry_data();
    void functionKeyInListBindsSelectedEntry();
    void eachFunctionKeyBindsItsOwnSlot();
    void shiftFunctionKeyInListClears();
    void functionKeyWithNothingSelectedBindsNoEntry();
    void listStillHandlesKeys();
    void otherKeysLeaveSlotsAlone();

    void functionKeyInEditBoxPastes_data();
    void functionKeyInEditBoxPastes();
    void everyModifierButShiftAlonePastes_data();
    void everyModifierButShiftAlonePastes();
    void shiftFunctionKeyInEditBoxClearsWithoutPasting();
    void heldFunctionKeyPastesAgain();
    void editBoxStillHandlesKeys();
};

void ShortCutKeysTest::functionKeyInListBindsSelectedEntry_data() { addMasks(); }

void ShortCutKeysTest::functionKeyInListBindsSelectedEntry()
{
    QFETCH(int, mask);
    Window w(71, "\r\n\r\n5\r\n"_ba);
    w.frm().HTMLLst->setListIndex(34);
    QTest::keyClick(w.frm().HTMLLst, Qt::Key_F3, modifiersOf(mask));
    QCOMPARE(w.shortCuts().ShortCuts[2], u"34"_s);
    QCOMPARE(w.caption(), u" F1:NONE F2:NONE F3:<br> F4:NONE F5:NONE F6:NONE F7:NONE F8:NONE "
                          u"F9:NONE F10:NONE F11:NONE F12:NONE "_s);
    QCOMPARE(w.frm().HTMLLst->listIndex(), 34);
}

void ShortCutKeysTest::eachFunctionKeyBindsItsOwnSlot()
{
    Window w;
    for (int k = 0; k < 12; ++k) {
        w.frm().HTMLLst->setListIndex(10 + k);
        QTest::keyClick(w.frm().HTMLLst, Qt::Key(Qt::Key_F1 + k));
    }
    for (int k = 0; k < 12; ++k)
        QCOMPARE(w.shortCuts().ShortCuts[k], QString::number(10 + k));
    QCOMPARE(w.caption(), u" F1:項目10 F2:項目11 F3:項目12 F4:項目13 F5:項目14 F6:項目15 F7:項目16 F8:項目17 "
                          u"F9:項目18 F10:項目19 F11:項目20 F12:項目21 "_s);
}

void ShortCutKeysTest::shiftFunctionKeyInListClears()
{
    Window w(71, "1\r\n34\r\n29\r\n"_ba);
    w.frm().HTMLLst->setListIndex(70);
    QTest::keyClick(w.frm().HTMLLst, Qt::Key_F2, Qt::ShiftModifier);
    QCOMPARE(w.shortCuts().ShortCuts[1], QString());
    QCOMPARE(w.shortCuts().ShortCuts[0], u"1"_s);
    QCOMPARE(w.shortCuts().ShortCuts[2], u"29"_s);
    QCOMPARE(w.caption(), u" F1:<htm F2:NONE F3:項目29 F4:NONE F5:NONE F6:NONE F7:NONE F8:NONE "
                          u"F9:NONE F10:NONE F11:NONE F12:NONE "_s);
}

void ShortCutKeysTest::functionKeyWithNothingSelectedBindsNoEntry()
{
    Window w;
    QCOMPARE(w.frm().HTMLLst->listIndex(), -1);
    QTest::keyClick(w.frm().HTMLLst, Qt::Key_F3);
    QCOMPARE(w.shortCuts().ShortCuts[2], u"-1"_s);
    QCOMPARE(w.caption(), u" F1:NONE F2:NONE F3: F4:NONE F5:NONE F6:NONE F7:NONE F8:NONE "
                          u"F9:NONE F10:NONE F11:NONE F12:NONE "_s);

    // Pasting it inserts nothing and leaves the list as it was.
    w.frm().EditTxt->setText(u"abcdef"_s);
    w.frm().EditTxt->setSelStart(2);
    w.frm().EditTxt->setSelLength(2);
    w.takeClicks();
    QTest::keyClick(w.frm().EditTxt, Qt::Key_F3);
    QCOMPARE(w.frm().EditTxt->text(), u"abcdef"_s);
    QCOMPARE(w.frm().HTMLLst->listIndex(), -1);
    QCOMPARE(w.takeClicks(), QList<int>());
}

void ShortCutKeysTest::listStillHandlesKeys()
{
    Window w;
    w.frm().HTMLLst->setFocus();
    w.frm().HTMLLst->setListIndex(2);
    QTest::keyClick(w.frm().HTMLLst, Qt::Key_F5);
    QTest::keyClick(w.frm().HTMLLst, Qt::Key_Down);
    QCOMPARE(w.frm().HTMLLst->listIndex(), 3);
    QTest::keyClick(w.frm().HTMLLst, Qt::Key_F6, Qt::ShiftModifier);
    QTest::keyClick(w.frm().HTMLLst, Qt::Key_Down);
    QTest::keyClick(w.frm().HTMLLst, Qt::Key_Down);
    QCOMPARE(w.frm().HTMLLst->listIndex(), 5);
    QCOMPARE(w.shortCuts().ShortCuts[4], u"2"_s);
    QCOMPARE(w.shortCuts().ShortCuts[5], QString());
}

void ShortCutKeysTest::otherKeysLeaveSlotsAlone()
{
    Window w(71, "1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n10\r\n11\r\n12\r\n"_ba);
    const std::array<QString, 12> before = w.shortCuts().ShortCuts;
    const QString caption = w.caption();
    w.frm().HTMLLst->setListIndex(40);
    // F13 and F24 lie outside the twelve slots; Escape, letters and arrows are not function keys.
    for (Qt::Key key : {Qt::Key_F13, Qt::Key_F24, Qt::Key_Escape, Qt::Key_A, Qt::Key_Left, Qt::Key_Up}) {
        for (int mask : {0, 1, 2}) {
            QTest::keyClick(w.frm().HTMLLst, key, modifiersOf(mask));
            QTest::keyClick(w.frm().EditTxt, key, modifiersOf(mask));
        }
    }
    QCOMPARE(w.shortCuts().ShortCuts, before);
    QCOMPARE(w.caption(), caption);
}

void ShortCutKeysTest::functionKeyInEditBoxPastes_data()
{
    QTest::addColumn<int>("entryCount");
    QTest::addColumn<int>("selected");
    QTest::addColumn<QByteArray>("slotFile");
    QTest::addColumn<QList<int>>("clicks");
    QTest::addColumn<bool>("pasted");
    QTest::addColumn<QString>("inserted");

    const QString doctype = shortcuttest::entries(1).at(0);
    QTest::newRow("first entry") << 120 << 5 << "\r\n0\r\n"_ba << QList<int>{0, 5} << true << doctype;
    QTest::newRow("last entry") << 120 << 5 << "\r\n119\r\n"_ba << QList<int>{119, 5} << true << u"項目119"_s;
    QTest::newRow("entry already selected") << 120 << 29 << "\r\n29\r\n"_ba << QList<int>{} << true << u"項目29"_s;
    QTest::newRow("nothing selected before")
        << 120 << -1 << "\r\n7\r\n"_ba << QList<int>{7, -1} << true << u"項目7"_s;
    QTest::newRow("no entry") << 120 << 5 << "\r\n-1\r\n"_ba << QList<int>{-1, 5} << true << QString();
    QTest::newRow("no entry in an empty list") << 0 << -1 << "\r\n-1\r\n"_ba << QList<int>{} << true << QString();
    QTest::newRow("empty slot") << 120 << 5 << "\r\n\r\n"_ba << QList<int>{} << false << QString();
    QTest::newRow("no file") << 120 << 5 << QByteArray() << QList<int>{} << false << QString();
    QTest::newRow("one past the end") << 120 << 5 << "\r\n120\r\n"_ba << QList<int>{} << false << QString();
    QTest::newRow("list shortened") << 34 << 5 << "\r\n34\r\n"_ba << QList<int>{} << false << QString();
    QTest::newRow("highest position") << 120 << 5 << "\r\n32767\r\n"_ba << QList<int>{} << false << QString();
}

void ShortCutKeysTest::functionKeyInEditBoxPastes()
{
    QFETCH(int, entryCount);
    QFETCH(int, selected);
    QFETCH(QByteArray, slotFile);
    QFETCH(QList<int>, clicks);
    QFETCH(bool, pasted);
    QFETCH(QString, inserted);
    Window w(entryCount, slotFile);
    w.frm().HTMLLst->setListIndex(selected);
    EditBox *edit = w.frm().EditTxt;
    edit->setFocus();
    edit->setText(u"abcdef"_s);
    edit->setSelStart(2);
    edit->setSelLength(2);
    const std::array<QString, 12> before = w.shortCuts().ShortCuts;
    const QString caption = w.caption();
    w.takeClicks();

    QTest::keyClick(edit, Qt::Key_F2);
    QCOMPARE(w.takeClicks(), clicks);
    QCOMPARE(w.frm().HTMLLst->listIndex(), selected);
    // The entry goes in at the caret, in front of the selected text, and is selected.
    QCOMPARE(edit->text(), u"ab"_s + inserted + u"cdef"_s);
    QCOMPARE(edit->selStart(), 2);
    QCOMPARE(edit->selLength(), pasted ? inserted.size() : 2);
    // Pasting neither changes the slots nor rebuilds the label.
    QCOMPARE(w.shortCuts().ShortCuts, before);
    QCOMPARE(w.caption(), caption);
}

void ShortCutKeysTest::everyModifierButShiftAlonePastes_data() { addMasks(); }

void ShortCutKeysTest::everyModifierButShiftAlonePastes()
{
    QFETCH(int, mask);
    Window w(71, "\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n34\r\n"_ba);
    w.frm().HTMLLst->setListIndex(3);
    w.takeClicks();
    QTest::keyClick(w.frm().EditTxt, Qt::Key_F12, modifiersOf(mask));
    QCOMPARE(w.takeClicks(), (QList<int>{34, 3}));
    QCOMPARE(w.frm().EditTxt->text(), u"<br>"_s);
    QCOMPARE(w.shortCuts().ShortCuts[11], u"34"_s);
}

void ShortCutKeysTest::shiftFunctionKeyInEditBoxClearsWithoutPasting()
{
    Window w(71, "\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n1\r\n34\r\n"_ba);
    w.frm().HTMLLst->setListIndex(3);
    w.frm().EditTxt->setText(u"abc"_s);
    w.takeClicks();
    QTest::keyClick(w.frm().EditTxt, Qt::Key_F12, Qt::ShiftModifier);
    QCOMPARE(w.takeClicks(), QList<int>());
    QCOMPARE(w.frm().EditTxt->text(), u"abc"_s);
    QCOMPARE(w.shortCuts().ShortCuts[11], QString());
    QCOMPARE(w.shortCuts().ShortCuts[10], u"1"_s);
    QCOMPARE(w.caption(), u" F1:NONE F2:NONE F3:NONE F4:NONE F5:NONE F6:NONE F7:NONE F8:NONE "
                          u"F9:NONE F10:NONE F11:<htm F12:NONE "_s);

    // The emptied slot pastes nothing any more.
    QTest::keyClick(w.frm().EditTxt, Qt::Key_F12);
    QCOMPARE(w.takeClicks(), QList<int>());
}

void ShortCutKeysTest::heldFunctionKeyPastesAgain()
{
    Window w(71, "29\r\n"_ba);
    w.frm().HTMLLst->setListIndex(3);
    w.frm().EditTxt->setText(u"xy"_s);
    w.frm().EditTxt->setSelStart(1);
    w.takeClicks();
    // A held key repeats its press; each repeated press pastes.
    for (bool repeat : {false, true, true}) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier, QString(), repeat);
        QCoreApplication::sendEvent(w.frm().EditTxt, &press);
    }
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_F1, Qt::NoModifier);
    QCoreApplication::sendEvent(w.frm().EditTxt, &release);
    QCOMPARE(w.takeClicks(), (QList<int>{29, 3, 29, 3, 29, 3}));
    QCOMPARE(w.frm().EditTxt->text(), u"x項目29項目29項目29y"_s);
}

void ShortCutKeysTest::editBoxStillHandlesKeys()
{
    Window w(71, "\r\n\r\n\r\n\r\n-1\r\n"_ba);
    EditBox *edit = w.frm().EditTxt;
    edit->setFocus();
    edit->setText(u"ab"_s);
    edit->setSelStart(1);
    QTest::keyClick(edit, Qt::Key_F4);
    QTest::keyClick(edit, Qt::Key_X);
    QTest::keyClick(edit, Qt::Key_F5, Qt::ShiftModifier);
    QTest::keyClick(edit, Qt::Key_Right);
    QTest::keyClick(edit, Qt::Key_Y);
    QCOMPARE(edit->text(), u"axby"_s);
    QCOMPARE(w.shortCuts().ShortCuts[4], QString());
}

TESSARA_TEST_CLASS(ShortCutKeysTest)
#include "ShortCutKeysTest.moc"
