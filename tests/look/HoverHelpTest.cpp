// The help label on a real main window, driven by mouse moves delivered the way
// the window system delivers them (to the control under the pointer, passed on
// to its parents only as far as Qt passes them).
#include "look/HoverHelp.h"
#include "TestRegistry.h"
#include "WindowFixture.h"
#include "look/HelpTexts.h"
#include "ui/Button.h"
#include "ui/ComboBox.h"
#include "ui/DriveList.h"
#include "ui/EditBox.h"
#include "ui/Label.h"
#include "ui/ListBox.h"

#include <QTest>
#include <QWindow>

using namespace Qt::StringLiterals;

namespace {
const QString DefaultText =
    u"ここに各機能の説明が現れます。説明が見たいボタンやフィールドにマウスを合わせてください。"_s;

QWidget *control(TesselFrm &frm, const QString &name)
{
    if (name == u"TesselFrm")
        return &frm;
    return frm.findChild<QWidget *>(name, Qt::FindDirectChildrenOnly);
}

// Moves the pointer to a point of a control (its centre by default), in the
// window's coordinates.
void moveTo(TesselFrm &frm, QWidget *w, QPoint offset = {})
{
    const QPoint local =
        w == &frm ? QPoint(200, 125) : w->rect().center(); // between the upper band and the edit box
    QTest::mouseMove(frm.windowHandle(), w->mapTo(&frm, local + offset));
}

// A window on screen with the mouse over its bare background.
struct ShownWindow {
    WindowFixture f;
    TesselFrm &frm;
    ShownWindow() : frm(f.create())
    {
        frm.show();
        if (!QTest::qWaitForWindowExposed(&frm))
            qFatal("window not shown");
        moveTo(frm, &frm);
    }
    int id() const { return frm.hoverHelp()->HoverId(); }
    QString caption() const { return frm.DescriptionLbl->caption(); }
};
} // namespace

class HoverHelpTest : public QObject
{
    Q_OBJECT
  private slots:
    void controlsExplainThemselves_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("id");
        const char *names[] = {"EditTxt",   "NewBtn",    "OpenBtn",     "CancelBtn", "SaveBtn",
                               "SaveasBtn", "Dir1",      "File",        "HTMLLst",   "PresetChk",
                               "ColorCmd",  "SearchCmd", "ShortCutsLbl"};
        int id = 1;
        for (const char *n : names)
            QTest::newRow(n) << QString::fromLatin1(n) << id++;
    }

    void controlsExplainThemselves()
    {
        QFETCH(QString, name);
        QFETCH(int, id);
        ShownWindow w;
        QCOMPARE(w.id(), 0);
        QWidget *c = control(w.frm, name);
        QVERIFY(c);

        moveTo(w.frm, c);
        QCOMPARE(w.id(), id);
        QCOMPARE(w.caption(), helptexts::text(id));

        // Further moves within the control set nothing.
        w.frm.DescriptionLbl->setCaption(u"marker"_s);
        moveTo(w.frm, c, QPoint(2, 1));
        moveTo(w.frm, c, QPoint(-2, 0));
        QCOMPARE(w.caption(), u"marker"_s);
        QCOMPARE(w.id(), id);

        // The bare background brings the default text back.
        moveTo(w.frm, &w.frm);
        QCOMPARE(w.id(), 0);
        QCOMPARE(w.caption(), DefaultText);
    }

    void backgroundAndHelpLabelShowTheDefaultText_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("window background") << u"TesselFrm"_s;
        QTest::newRow("help label") << u"DescriptionLbl"_s;
    }

    void backgroundAndHelpLabelShowTheDefaultText()
    {
        QFETCH(QString, name);
        ShownWindow w;
        moveTo(w.frm, w.frm.NewBtn);
        QCOMPARE(w.id(), 2);
        moveTo(w.frm, control(w.frm, name));
        QCOMPARE(w.id(), 0);
        QCOMPARE(w.caption(), DefaultText);
        // Already showing it: nothing is set again.
        w.frm.DescriptionLbl->setCaption(u"marker"_s);
        moveTo(w.frm, control(w.frm, name), QPoint(3, 3));
        QCOMPARE(w.caption(), u"marker"_s);
    }

    void controlsWithoutHelpLeaveTheLabelAlone_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QPoint>("offset");
        QTest::newRow("drive list") << u"Drive"_s << QPoint();
        QTest::newRow("filter field") << u"TailCmb"_s << QPoint(-20, 0);
        QTest::newRow("filter arrow") << u"TailCmb"_s << QPoint(30, 0);
        QTest::newRow("size label") << u"ByteLbl"_s << QPoint();
        QTest::newRow("file name label") << u"FilenameLbl"_s << QPoint();
    }

    void controlsWithoutHelpLeaveTheLabelAlone()
    {
        QFETCH(QString, name);
        QFETCH(QPoint, offset);
        ShownWindow w;
        QWidget *c = control(w.frm, name);
        moveTo(w.frm, w.frm.EditTxt);
        const QString editHelp = w.caption();
        QCOMPARE(w.id(), 1);
        // Their moves do not reach the window's background either.
        moveTo(w.frm, c, offset);
        moveTo(w.frm, c, offset + QPoint(1, 1));
        QCOMPARE(w.id(), 1);
        QCOMPARE(w.caption(), editHelp);

        // Back onto the edit box, whose text is still the one shown: nothing set.
        w.frm.DescriptionLbl->setCaption(u"marker"_s);
        moveTo(w.frm, w.frm.EditTxt);
        QCOMPARE(w.caption(), u"marker"_s);
    }

    void shortcutHelpShowsThreeLines()
    {
        ShownWindow w;
        moveTo(w.frm, w.frm.ShortCutsLbl);
        const QStringList lines = w.frm.DescriptionLbl->text().split(u'\n');
        QCOMPARE(lines.size(), 3);
        QCOMPARE(lines[2], u"解除はShift+F1～F12。"_s);
    }

    void tagListKeepsItsNumberWhileTheMouseStaysInIt()
    {
        ShownWindow w;
        w.frm.HTMLLst->addEntries({u"<p>"_s, u"<br>"_s});
        moveTo(w.frm, w.frm.HTMLLst);
        QCOMPARE(w.id(), 9);
        w.frm.DescriptionLbl->setCaption(u"<br>"_s); // as a click on an entry shows it
        moveTo(w.frm, w.frm.HTMLLst, QPoint(5, 5));
        QCOMPARE(w.caption(), u"<br>"_s);
        // Only over a control without help in between: still the entry.
        moveTo(w.frm, w.frm.TailCmb);
        moveTo(w.frm, w.frm.HTMLLst);
        QCOMPARE(w.caption(), u"<br>"_s);
        // Over another control and back: the list's own text again.
        moveTo(w.frm, w.frm.ColorCmd);
        moveTo(w.frm, w.frm.HTMLLst);
        QCOMPARE(w.caption(), helptexts::text(9));
    }

    void startUpShowsTheDefaultText()
    {
        WindowFixture f;
        TesselFrm &frm = f.load();
        QCOMPARE(frm.hoverHelp()->HoverId(), 0);
        QCOMPARE(frm.DescriptionLbl->caption(), DefaultText);
        // The start-up step sets the caption only.
        frm.hoverHelp()->NewBtn_MouseMove();
        frm.hoverHelp()->showDefault();
        QCOMPARE(frm.DescriptionLbl->caption(), DefaultText);
        QCOMPARE(frm.hoverHelp()->HoverId(), 2);
    }
};

TESSARA_TEST_CLASS(HoverHelpTest)
#include "HoverHelpTest.moc"
