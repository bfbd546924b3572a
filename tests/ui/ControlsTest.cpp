// The list, combo box, label and button raise exactly the events the program
// relies on, and no others.
#include "TestRegistry.h"
#include "ui/Button.h"
#include "ui/ComboBox.h"
#include "ui/Keys.h"
#include "ui/Label.h"
#include "ui/DirList.h"
#include "ui/FileList.h"
#include "ui/ListBox.h"

#include <QLineEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

class ControlsTest : public QObject {
    Q_OBJECT
private slots:
    void listRaisesClickOnEverySelectionChangeOnly()
    {
        ListBox list;
        list.addEntries({u"a"_s, u"b"_s, u"c"_s});
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        QSignalSpy click(&list, &ListBox::Click);
        // Getting the focus with nothing selected selects nothing.
        list.setFocus();
        QTest::qWait(10);
        QCOMPARE(list.listIndex(), -1);
        QCOMPARE(click.size(), 0);
        list.setListIndex(1);
        QCOMPARE(list.listIndex(), 1);
        QCOMPARE(click.size(), 1);
        list.setListIndex(1); // no change, no event
        QCOMPARE(click.size(), 1);
        QTest::keyClick(&list, Qt::Key_Down);
        QCOMPARE(list.listIndex(), 2);
        QCOMPARE(click.size(), 2);
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualItemRect(list.item(0)).center());
        QCOMPARE(list.listIndex(), 0);
        QCOMPARE(click.size(), 3);
        list.setListIndex(-1);
        QCOMPARE(list.listIndex(), -1);
        QCOMPARE(click.size(), 4);
    }

    void listTextOutsideTheEntriesIsEmpty()
    {
        ListBox list;
        list.addEntries({u" x "_s, QString()});
        QCOMPARE(list.list(0), u" x "_s);
        QCOMPARE(list.list(1), QString());
        QCOMPARE(list.list(-1), QString());
        QCOMPARE(list.list(2), QString());
        QCOMPARE(list.listCount(), 2);
    }

    void listDoubleClickAndKeys()
    {
        ListBox list;
        list.addEntries({u"a"_s, u"b"_s});
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        QSignalSpy dbl(&list, &ListBox::DblClick);
        QSignalSpy key(&list, &ListBox::KeyDown);
        QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, list.visualItemRect(list.item(1)).center());
        QCOMPARE(dbl.size(), 1);
        QCOMPARE(list.listIndex(), 1);
        QTest::keyClick(&list, Qt::Key_F3, Qt::ShiftModifier);
        QCOMPARE(key.size(), 2); // Shift, then F3 with Shift held
        QCOMPARE(key[1], (QVariantList{114, 1}));
    }

    void comboRaisesClickForChoicesAndChangeForTyping()
    {
        ComboBox combo;
        combo.setEntries({u"html"_s, u"txt"_s, u"(その他)"_s}, u"html"_s);
        combo.show();
        QVERIFY(QTest::qWaitForWindowExposed(&combo));
        QCOMPARE(combo.listIndex(), -1);
        QCOMPARE(combo.text(), u"html"_s);
        QSignalSpy click(&combo, &ComboBox::Click);
        QSignalSpy change(&combo, &ComboBox::Change);
        QSignalSpy key(&combo, &ComboBox::KeyDown);
        combo.setListIndex(1);
        QCOMPARE(click.size(), 1);
        QCOMPARE(combo.listIndex(), 1);
        QCOMPARE(combo.text(), u"txt"_s);
        QCOMPARE(change.size(), 0);

        // The key is reported before it takes effect: the text is still "txt".
        QString textAtKeyDown;
        connect(&combo, &ComboBox::KeyDown, &combo, [&] { textAtKeyDown = combo.text(); });
        combo.setFocus();
        QTest::keyClick(&combo, Qt::Key_X);
        QCOMPARE(key.size(), 1);
        QCOMPARE(key[0].at(0).toInt(), 88);
        QCOMPARE(textAtKeyDown, u"txt"_s);
        QCOMPARE(change.size(), 1);
        QCOMPARE(combo.listIndex(), -1);

        // Arrow keys on the closed combo choose the next item.
        combo.setListIndex(0);
        click.clear();
        QTest::keyClick(&combo, Qt::Key_Down);
        QCOMPARE(combo.listIndex(), 1);
        QCOMPARE(click.size(), 1);
    }

    void leavingTheComboChoosesNothing()
    {
        QWidget w;
        auto *combo = new ComboBox(&w);
        auto *other = new QLineEdit(&w);
        other->move(0, 40);
        combo->setEntries({u"html"_s, u"txt"_s}, u"html"_s);
        w.show();
        QApplication::setActiveWindow(&w);
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QSignalSpy click(combo, &ComboBox::Click);
        combo->setFocus();
        QTest::keyClick(combo, Qt::Key_Return); // Enter in the text part
        other->setFocus();                      // and the focus leaves it
        QTRY_VERIFY(other->hasFocus());
        QCOMPARE(click.size(), 0);
        QCOMPARE(combo->listIndex(), -1);
    }

    void comboChangeHandlerCanPutTheItemBack()
    {
        ComboBox combo;
        combo.setEntries({u"html"_s, u"txt"_s}, u"html"_s);
        combo.show();
        QVERIFY(QTest::qWaitForWindowExposed(&combo));
        combo.setListIndex(1);
        connect(&combo, &ComboBox::Change, &combo, [&] { combo.setListIndex(1); });
        combo.setFocus();
        QTest::keyClicks(&combo, u"zz"_s);
        QCOMPARE(combo.text(), u"txt"_s);
        QCOMPARE(combo.listIndex(), 1);
    }

    // The lists clip an entry longer than themselves at the right edge: no
    // horizontal scroll bar takes a row away and nothing is shortened to "…".
    void listsClipLongEntriesWithoutAScrollBar()
    {
        ListBox tags;
        DirList dirs;
        FileList files;
        const QString longEntry = u"<table border=\"枠\" bordercolor=\"#000000\" width=\"横幅\" cellspacing=\"セルの縦幅\">"_s;
        tags.addEntries({longEntry, u"<tr> </tr>"_s});
        dirs.addItem(longEntry);
        files.addItem(longEntry);
        for (QListWidget *list : std::initializer_list<QListWidget *>{&tags, &dirs, &files}) {
            list->resize(117, 112);
            list->show();
            QVERIFY(QTest::qWaitForWindowExposed(list));
            QVERIFY(!list->horizontalScrollBar()->isVisible());
            QCOMPARE(list->viewport()->height(), list->height() - 2 * list->frameWidth());
            QCOMPARE(list->textElideMode(), Qt::ElideNone);
        }
    }

    void labelKeepsItsCaptionExactly()
    {
        Label label(u"a\r\nb"_s);
        QCOMPARE(label.caption(), u"a\r\nb"_s);
        QCOMPARE(label.text(), u"a\nb"_s); // shown as two lines
        label.setCaption(QString());
        QCOMPARE(label.caption(), QString());
    }

    void buttonClickAndCaption()
    {
        Button b(u"保存"_s);
        QSignalSpy click(&b, &Button::Click);
        b.click();
        QCOMPARE(click.size(), 1);
        b.setCaption(u"元に戻す"_s);
        QCOMPARE(b.caption(), u"元に戻す"_s);
        QCOMPARE(b.accessibleName(), u"元に戻す"_s);
    }

    void keyCodesAndMasks_data()
    {
        QTest::addColumn<int>("qtKey");
        QTest::addColumn<int>("code");
        QTest::newRow("A") << int(Qt::Key_A) << 65;
        QTest::newRow("Z") << int(Qt::Key_Z) << 90;
        QTest::newRow("F1") << int(Qt::Key_F1) << 112;
        QTest::newRow("F12") << int(Qt::Key_F12) << 123;
        QTest::newRow("Return") << int(Qt::Key_Return) << 13;
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << 13;
        QTest::newRow("Down") << int(Qt::Key_Down) << 40;
    }
    void keyCodesAndMasks()
    {
        QFETCH(int, qtKey);
        QFETCH(int, code);
        QCOMPARE(keys::codeOf(qtKey), code);
        QCOMPARE(keys::maskOf(Qt::ShiftModifier), 1);
        QCOMPARE(keys::maskOf(Qt::ControlModifier), 2);
        QCOMPARE(keys::maskOf(Qt::AltModifier), 4);
        QCOMPARE(keys::maskOf(Qt::ControlModifier | Qt::ShiftModifier | Qt::KeypadModifier), 3);
    }
};

TESSARA_TEST_CLASS(ControlsTest)
#include "ControlsTest.moc"
