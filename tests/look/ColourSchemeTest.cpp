// The dark colour scheme on a real main window: the palettes it sets, what
// actually shows on screen, what it leaves alone, and the way back.
#include "look/ColourScheme.h"
#include "TestRegistry.h"
#include "WindowFixture.h"
#include "browse/SaveasFrm.h"
#include "search/SearchFrm.h"
#include "ui/Button.h"
#include "ui/CheckBox.h"
#include "ui/ComboBox.h"
#include "ui/DirList.h"
#include "ui/DriveList.h"
#include "ui/EditBox.h"
#include "ui/FileList.h"
#include "ui/Label.h"
#include "ui/ListBox.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <functional>

using namespace Qt::StringLiterals;
using namespace colourtable;

namespace {
const QColor Grey(63, 63, 63), Black(0, 0, 0), White(255, 255, 255);

int distance(QColor a, QColor b)
{
    return std::max(
        {std::abs(a.red() - b.red()), std::abs(a.green() - b.green()), std::abs(a.blue() - b.blue())});
}

// How many pixels of the area are within tolerance of the colour.
int countNear(const QImage &img, QRect area, QColor c, int tolerance)
{
    int n = 0;
    area &= img.rect();
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (distance(img.pixelColor(x, y), c) <= tolerance)
                ++n;
    return n;
}

QImage shot(QWidget *w) { return w->grab().toImage(); }

// Takes the picture of the part of a window that a test looks at.
using Probe = std::function<QImage(TesselFrm &)>;

// Everything a dialog shows, by object, as palettes.
QList<QPalette> palettesOf(QWidget *window)
{
    QList<QPalette> out{window->palette()};
    for (QWidget *w : window->findChildren<QWidget *>())
        out << w->palette();
    return out;
}

QList<Button *> buttonsOf(TesselFrm &frm)
{
    return {frm.NewBtn, frm.OpenBtn, frm.SaveBtn, frm.SaveasBtn, frm.CancelBtn, frm.SearchCmd, frm.ColorCmd};
}

void showWindow(TesselFrm &frm)
{
    frm.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frm));
}
} // namespace

Q_DECLARE_METATYPE(Probe)

class ColourSchemeTest : public QObject
{
    Q_OBJECT
  private slots:
    void aPressSwitchesEveryListedObject_data()
    {
        QTest::addColumn<QString>("object");
        for (const Row &r : Rows)
            QTest::newRow(qPrintable(QString::fromUtf16(r.object))) << QString::fromUtf16(r.object);
    }

    void aPressSwitchesEveryListedObject()
    {
        QFETCH(QString, object);
        WindowFixture f;
        TesselFrm &frm = f.create();
        ColourScheme &scheme = *frm.colourScheme();
        const BaseColours base = scheme.baseColours();
        QWidget *w = scheme.object(object);
        QVERIFY(w);
        const Row &row =
            *std::find_if(Rows.begin(), Rows.end(), [&](const Row &r) { return object == r.object; });
        const QColor darkBack = row.area == Area::Surface ? Grey : Black;

        frm.ColorCmd_Click();
        QCOMPARE(frm.ColorCmd->caption(), u"元に戻す"_s);
        for (const QBrush &b : ColourScheme::backColor(w, row.area).brushes)
            QCOMPARE(b.color(), darkBack);
        for (const QBrush &b : ColourScheme::foreColor(w, row.area).brushes)
            QCOMPARE(b.color(), White);

        frm.ColorCmd_Click();
        QCOMPARE(frm.ColorCmd->caption(), u"暗くする"_s);
        QCOMPARE(ColourScheme::backColor(w, row.area),
                 row.area == Area::Surface ? base.formBack : base.editBack);
        QCOMPARE(ColourScheme::foreColor(w, row.area), base.editFore);
    }

    void baseColoursAreTheWindowsAndTheEditBoxsAsCreated()
    {
        WindowFixture f;
        TesselFrm &frm = f.create();
        const BaseColours &base = frm.colourScheme()->baseColours();
        QCOMPARE(base.formBack, StateColour::of(frm.palette(), QPalette::Window));
        QCOMPARE(base.editBack, StateColour::of(frm.EditTxt->palette(), QPalette::Base));
        QCOMPARE(base.editFore, StateColour::of(frm.EditTxt->palette(), QPalette::Text));
        // Start-up records them again before anything has changed a colour.
        WindowFixture g;
        g.write(u"Tessel.conf"_s, g.startDir().toUtf8() + "\r\n\x8c\xb3\x82\xc9\x96\xdf\x82\xb7\r\n");
        TesselFrm &dark = g.load();
        QCOMPARE(dark.colourScheme()->baseColours().formBack, base.formBack);
        QCOMPARE(dark.colourScheme()->baseColours().editBack, base.editBack);
        QCOMPARE(dark.colourScheme()->baseColours().editFore, base.editFore);
    }

    void wayBackRestoresTheRecordedColoursExactlyInEveryState()
    {
        // Colours that differ between active, inactive and disabled, as a
        // platform's own colours may.
        WindowFixture f;
        TesselFrm &frm = f.create();
        QPalette fp = frm.palette();
        fp.setBrush(QPalette::Active, QPalette::Window, QColor(10, 20, 30));
        fp.setBrush(QPalette::Inactive, QPalette::Window, QColor(11, 21, 31));
        fp.setBrush(QPalette::Disabled, QPalette::Window, QColor(12, 22, 32));
        frm.setPalette(fp);
        QPalette ep = frm.EditTxt->palette();
        ep.setBrush(QPalette::Active, QPalette::Base, QColor(200, 210, 220));
        ep.setBrush(QPalette::Disabled, QPalette::Base, QColor(201, 211, 221));
        ep.setBrush(QPalette::Active, QPalette::Text, QColor(1, 2, 3));
        ep.setBrush(QPalette::Disabled, QPalette::Text, QBrush(QColor(4, 5, 6), Qt::Dense4Pattern));
        frm.EditTxt->setPalette(ep);
        const StateColour formBack = StateColour::of(fp, QPalette::Window);
        const StateColour editBack = StateColour::of(ep, QPalette::Base);
        const StateColour editFore = StateColour::of(ep, QPalette::Text);
        frm.colourScheme()->recordBaseColours();

        // A label coloured otherwise before the first press carries the
        // window's background after the way back.
        QPalette red = frm.ByteLbl->palette();
        red.setColor(QPalette::Window, Qt::red);
        frm.ByteLbl->setPalette(red);

        frm.ColorCmd_Click();
        frm.ColorCmd_Click();
        QCOMPARE(StateColour::of(frm.palette(), QPalette::Window), formBack);
        QCOMPARE(StateColour::of(frm.EditTxt->palette(), QPalette::Base), editBack);
        QCOMPARE(StateColour::of(frm.EditTxt->palette(), QPalette::Text), editFore);
        QCOMPARE(StateColour::of(frm.ByteLbl->palette(), QPalette::Window), formBack);
        QCOMPARE(StateColour::of(frm.ByteLbl->palette(), QPalette::WindowText), editFore);
        QCOMPARE(StateColour::of(frm.PresetChk->palette(), frm.PresetChk->backgroundRole()), formBack);
        QCOMPARE(StateColour::of(frm.HTMLLst->palette(), QPalette::Base), editBack);
        QCOMPARE(StateColour::of(frm.TailCmb->palette(), QPalette::Text), editFore);
        QCOMPARE(StateColour::of(frm.Drive->palette(), QPalette::Base), editBack);
        QCOMPARE(StateColour::of(frm.Drive->palette(), QPalette::Button), editBack);
    }

    void colourShowsOnScreen_data()
    {
        // Where to look in a control's picture and which colour the dark and the
        // normal scheme put there; a tolerance for shaded faces.
        QTest::addColumn<QString>("object");
        QTest::addColumn<Probe>("probe");
        QTest::addColumn<QPoint>("at"); // negative: from the right or bottom edge
        QTest::addColumn<int>("tolerance");
        auto of = [](auto member) { return Probe([member](TesselFrm &frm) { return shot(member(frm)); }); };
        QTest::newRow("window background")
            << u"TesselFrm"_s << of([](TesselFrm &f) -> QWidget * { return &f; }) << QPoint(200, 125) << 0;
        QTest::newRow("check box") << u"PresetChk"_s
                                   << of([](TesselFrm &f) -> QWidget * { return f.PresetChk; })
                                   << QPoint(-1, 0) << 0;
        for (const char *name : {"FilenameLbl", "DescriptionLbl", "ByteLbl", "ShortCutsLbl"})
            QTest::newRow(name) << QString::fromLatin1(name) << of([name](TesselFrm &f) {
                return f.findChild<QWidget *>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly);
            }) << QPoint(-1, -1) << 0;
        QTest::newRow("edit box") << u"EditTxt"_s << of([](TesselFrm &f) { return f.EditTxt->viewport(); })
                                  << QPoint(300, 200) << 0;
        QTest::newRow("drive list face")
            << u"Drive"_s << of([](TesselFrm &f) -> QWidget * { return f.Drive; }) << QPoint(40, 10) << 12;
        QTest::newRow("directory list")
            << u"Dir1"_s << of([](TesselFrm &f) { return f.Dir1->viewport(); }) << QPoint(-3, -3) << 0;
        QTest::newRow("file list") << u"File"_s << of([](TesselFrm &f) { return f.File->viewport(); })
                                   << QPoint(-3, -3) << 0;
        QTest::newRow("filter field")
            << u"TailCmb"_s << of([](TesselFrm &f) -> QWidget * { return f.TailCmb->lineEdit(); })
            << QPoint(-2, 5) << 0;
        QTest::newRow("tag list") << u"HTMLLst"_s << of([](TesselFrm &f) { return f.HTMLLst->viewport(); })
                                  << QPoint(-3, -3) << 0;
        // The drop-down lists of the combo boxes are windows of their own.
        auto popup = [](auto combo) {
            return Probe([combo](TesselFrm &f) {
                QComboBox *c = combo(f);
                c->showPopup();
                const QImage img = shot(c->view()->viewport());
                c->hidePopup();
                return img;
            });
        };
        QTest::newRow("drive drop-down")
            << u"Drive"_s << popup([](TesselFrm &f) -> QComboBox * { return f.Drive; }) << QPoint(-3, -3)
            << 0;
        QTest::newRow("filter drop-down")
            << u"TailCmb"_s << popup([](TesselFrm &f) -> QComboBox * { return f.TailCmb; }) << QPoint(-3, -3)
            << 0;
    }

    void colourShowsOnScreen()
    {
        QFETCH(QString, object);
        QFETCH(Probe, probe);
        QFETCH(QPoint, at);
        QFETCH(int, tolerance);
        WindowFixture f;
        TesselFrm &frm = f.create();
        showWindow(frm);
        const Area area =
            std::find_if(Rows.begin(), Rows.end(), [&](const Row &r) { return object == r.object; })->area;
        const QColor normal = area == Area::Surface ? frm.colourScheme()->baseColours().formBack.active()
                                                    : frm.colourScheme()->baseColours().editBack.active();
        auto pixel = [&](const QImage &img) {
            const QPoint p(at.x() < 0 ? img.width() + at.x() : at.x(),
                           at.y() < 0 ? img.height() + at.y() : at.y());
            return img.pixelColor(p);
        };
        const QColor before = pixel(probe(frm));
        QVERIFY2(distance(before, normal) <= tolerance, qPrintable(before.name()));
        frm.ColorCmd_Click();
        const QColor dark = pixel(probe(frm));
        QVERIFY2(distance(dark, area == Area::Surface ? Grey : Black) <= tolerance, qPrintable(dark.name()));
        frm.ColorCmd_Click();
        QCOMPARE(pixel(probe(frm)), before);
    }

    void textShowsInTheTextColour_data()
    {
        QTest::addColumn<QString>("object");
        QTest::addColumn<int>("tolerance");
        QTest::addColumn<int>("fromX"); // skips the check box's square
        QTest::newRow("edit box") << u"EditTxt"_s << 0 << 0;
        QTest::newRow("tag list") << u"HTMLLst"_s << 0 << 0;
        QTest::newRow("help label") << u"DescriptionLbl"_s << 0 << 0;
        QTest::newRow("size label") << u"ByteLbl"_s << 0 << 0;
        QTest::newRow("file name label") << u"FilenameLbl"_s << 0 << 0;
        QTest::newRow("shortcut label") << u"ShortCutsLbl"_s << 0 << 0;
        QTest::newRow("check box caption") << u"PresetChk"_s << 60 << 20;
        QTest::newRow("filter field") << u"TailCmb"_s << 60 << 0;
    }

    void textShowsInTheTextColour()
    {
        QFETCH(QString, object);
        QFETCH(int, tolerance);
        QFETCH(int, fromX);
        WindowFixture f;
        TesselFrm &frm = f.create();
        const QString squares = u"■■■"_s;
        frm.EditTxt->setText(squares);
        frm.HTMLLst->addEntry(squares);
        for (Label *l : {frm.DescriptionLbl, frm.ByteLbl, frm.FilenameLbl, frm.ShortCutsLbl})
            l->setCaption(squares);
        showWindow(frm);
        frm.HTMLLst->clearFocus();
        QWidget *w = frm.colourScheme()->object(object);
        if (auto *e = qobject_cast<EditBox *>(w))
            w = e->viewport();
        else if (auto *l = qobject_cast<ListBox *>(w))
            w = l->viewport();
        else if (auto *c = qobject_cast<ComboBox *>(w))
            w = c->lineEdit();
        auto textPixels = [&](QColor c) {
            const QImage img = shot(w);
            return countNear(img, img.rect().adjusted(fromX, 0, 0, 0), c, tolerance);
        };
        const QColor normalText = frm.colourScheme()->baseColours().editFore.active();
        QVERIFY(textPixels(normalText) >= 3);
        frm.ColorCmd_Click();
        QVERIFY(textPixels(White) >= 3);
    }

    void twoPressesRestoreTheWindowPixelForPixel()
    {
        WindowFixture f;
        TesselFrm &frm = f.create();
        frm.EditTxt->setText(u"<html>\r\n■</html>"_s);
        frm.HTMLLst->addEntries({u"<p>"_s, u"<br>"_s});
        frm.Dir1->setPath(f.startDir());
        showWindow(frm);
        const QImage before = shot(&frm);
        frm.ColorCmd_Click();
        QVERIFY(shot(&frm) != before);
        frm.ColorCmd_Click();
        QCOMPARE(shot(&frm), before);
    }

    void buttonsKeepTheirColours()
    {
        WindowFixture f;
        TesselFrm &frm = f.create();
        showWindow(frm);
        QList<QImage> pictures;
        QList<QPalette> palettes;
        for (Button *b : buttonsOf(frm)) {
            pictures << shot(b);
            palettes << b->palette();
        }
        frm.ColorCmd_Click();
        const QList<Button *> buttons = buttonsOf(frm);
        for (int i = 0; i < buttons.size(); ++i) {
            QCOMPARE(buttons[i]->palette(), palettes[i]);
            if (buttons[i] != frm.ColorCmd) // its caption changes
                QVERIFY2(shot(buttons[i]) == pictures[i], qPrintable(buttons[i]->objectName()));
        }
    }

    void dialogsAreNeverRecoloured()
    {
        WindowFixture reference;
        TesselFrm &plain = reference.create();
        plain.SearchCmd_Click();
        const QList<QPalette> saveas = palettesOf(plain.saveasFrm());
        const QList<QPalette> search = palettesOf(plain.searchFrm());

        // Dialogs loaded before the switch and dialogs loaded while it is dark.
        for (bool loadFirst : {true, false}) {
            WindowFixture f;
            TesselFrm &frm = f.create();
            if (loadFirst) {
                frm.saveasFrm();
                frm.SearchCmd_Click();
            }
            frm.ColorCmd_Click();
            if (!loadFirst) {
                frm.saveasFrm();
                frm.SearchCmd_Click();
            }
            QCOMPARE(palettesOf(frm.saveasFrm()), saveas);
            QCOMPARE(palettesOf(frm.searchFrm()), search);
        }
    }

    void aSwitchChangesNoTextSelectionFocusOrCaption()
    {
        WindowFixture f;
        TesselFrm &frm = f.create();
        showWindow(frm);
        frm.EditTxt->setText(u"abc\r\ndef"_s);
        frm.EditTxt->setSelStart(2);
        frm.EditTxt->setSelLength(4);
        frm.EditTxt->setFocus();
        frm.HTMLLst->addEntries({u"<p>"_s, u"<br>"_s});
        frm.HTMLLst->setListIndex(1);
        frm.ByteLbl->setCaption(u"3 KB"_s);
        const QString help = frm.DescriptionLbl->caption();
        for (int press = 0; press < 2; ++press) {
            frm.ColorCmd_Click();
            QCOMPARE(frm.EditTxt->text(), u"abc\r\ndef"_s);
            QCOMPARE(frm.EditTxt->selStart(), qsizetype(2));
            QCOMPARE(frm.EditTxt->selLength(), qsizetype(4));
            QCOMPARE(QApplication::focusWidget(), frm.EditTxt);
            QCOMPARE(frm.HTMLLst->listIndex(), 1);
            QCOMPARE(frm.ByteLbl->caption(), u"3 KB"_s);
            QCOMPARE(frm.DescriptionLbl->caption(), help);
            QCOMPARE(frm.TailCmb->text(), u"html"_s);
        }
    }

    void startUpSwitchesToTheStoredScheme_data()
    {
        QTest::addColumn<QByteArray>("schemeLine"); // Shift_JIS; null: no settings file
        QTest::addColumn<bool>("dark");
        QTest::newRow("dark stored") << QByteArray("\x8c\xb3\x82\xc9\x96\xdf\x82\xb7") << true;
        QTest::newRow("normal stored") << QByteArray("\x88\xc3\x82\xad\x82\xb7\x82\xe9") << false;
        QTest::newRow("empty line") << QByteArray("") << false;
        QTest::newRow("dark with a blank after it")
            << QByteArray("\x8c\xb3\x82\xc9\x96\xdf\x82\xb7 ") << false;
        QTest::newRow("no settings file") << QByteArray() << false;
    }

    void startUpSwitchesToTheStoredScheme()
    {
        QFETCH(QByteArray, schemeLine);
        QFETCH(bool, dark);
        WindowFixture f;
        if (!schemeLine.isNull())
            f.write(u"Tessel.conf"_s, f.startDir().toUtf8() + "\r\n" + schemeLine + "\r\n");
        TesselFrm &frm = f.load();
        QCOMPARE(frm.ColorCmd->caption(), dark ? u"元に戻す"_s : u"暗くする"_s);
        QCOMPARE(frm.palette().color(QPalette::Window),
                 dark ? Grey : frm.colourScheme()->baseColours().formBack.active());
        QCOMPARE(frm.EditTxt->palette().color(QPalette::Base),
                 dark ? Black : frm.colourScheme()->baseColours().editBack.active());
        // The help label shows its default text in either scheme.
        QCOMPARE(
            frm.DescriptionLbl->caption(),
            u"ここに各機能の説明が現れます。説明が見たいボタンやフィールドにマウスを合わせてください。"_s);
    }
};

TESSARA_TEST_CLASS(ColourSchemeTest)
#include "ColourSchemeTest.moc"
