// The main window's layout: the nine rules on their own, around each of their
// thresholds, and on a real window as it is resized.
#include "TestRegistry.h"
#include "WindowFixture.h"
#include "browse/LayoutRules.h"
#include "core/TesselFrmDesign.h"
#include "ui/EditBox.h"
#include "ui/Label.h"
#include "ui/Twips.h"

#include <QTest>

using namespace Qt::StringLiterals;
using layoutrules::Values;

Q_DECLARE_METATYPE(Values)

namespace {
// Values no rule can produce, so that a rule that fires shows.
constexpr Values Kept{-1, -2, -3, -4, -5, -6, -7, -8, -9};
// The designed values.
constexpr Values Designed{9795, 6375, 1755, 8520, 7875, 8520, 7980, 8820, 9795};

QRect designed(const char16_t *name)
{
    const ControlPlace *c = formdesign::find(tesselfrm::Design, name);
    return twips::rect(c->left, c->top, c->width, c->height);
}
} // namespace

class LayoutTest : public QObject
{
    Q_OBJECT
  private slots:
    void designedOuterSizeGivesTheDesign()
    {
        QCOMPARE(layoutrules::apply(9915, 9465, Designed), Designed);
        QCOMPARE(layoutrules::apply(9915, 9465, Kept), Designed);
    }

    void rulesFireOnlyAboveTheirThresholds_data()
    {
        QTest::addColumn<float>("W");
        QTest::addColumn<float>("H");
        QTest::addColumn<Values>("expected");
        const float H = 9465, W = 9915;
        // Widths: EditTxt and ShortCutsLbl above 120, DescriptionLbl above 8160,
        // FilenameLbl above 2040, ByteLbl's left above 1935.
        QTest::newRow("W 120") << 120.f << H << Values{-1, 6375, -3, 8520, -5, 8520, -7, 8820, -9};
        QTest::newRow("W 120.5") << 120.5f << H << Values{0.5, 6375, -3, 8520, -5, 8520, -7, 8820, 0.5};
        QTest::newRow("W 121") << 121.f << H << Values{1, 6375, -3, 8520, -5, 8520, -7, 8820, 1};
        QTest::newRow("W 1935") << 1935.f << H << Values{1815, 6375, -3, 8520, -5, 8520, -7, 8820, 1815};
        QTest::newRow("W 1936") << 1936.f << H << Values{1816, 6375, -3, 8520, -5, 8520, 1, 8820, 1816};
        QTest::newRow("W 2040") << 2040.f << H << Values{1920, 6375, -3, 8520, -5, 8520, 105, 8820, 1920};
        QTest::newRow("W 2041") << 2041.f << H << Values{1921, 6375, -3, 8520, 1, 8520, 106, 8820, 1921};
        QTest::newRow("W 8160") << 8160.f << H << Values{8040, 6375, -3, 8520, 6120, 8520, 6225, 8820, 8040};
        QTest::newRow("W 8161") << 8161.f << H << Values{8041, 6375, 1, 8520, 6121, 8520, 6226, 8820, 8041};
        QTest::newRow("W 0") << 0.f << H << Values{-1, 6375, -3, 8520, -5, 8520, -7, 8820, -9};
        QTest::newRow("W negative") << -500.f << H << Values{-1, 6375, -3, 8520, -5, 8520, -7, 8820, -9};
        // Heights: FilenameLbl and ByteLbl above 945, ShortCutsLbl above 645,
        // EditTxt above 3090.
        QTest::newRow("H 645") << W << 645.f << Values{9795, -2, 1755, -4, 7875, -6, 7980, -8, 9795};
        QTest::newRow("H 646") << W << 646.f << Values{9795, -2, 1755, -4, 7875, -6, 7980, 1, 9795};
        QTest::newRow("H 945") << W << 945.f << Values{9795, -2, 1755, -4, 7875, -6, 7980, 300, 9795};
        QTest::newRow("H 946") << W << 946.f << Values{9795, -2, 1755, 1, 7875, 1, 7980, 301, 9795};
        QTest::newRow("H 3090") << W << 3090.f << Values{9795, -2, 1755, 2145, 7875, 2145, 7980, 2445, 9795};
        QTest::newRow("H 3091") << W << 3091.f << Values{9795, 1, 1755, 2146, 7875, 2146, 7980, 2446, 9795};
        QTest::newRow("H 0") << W << 0.f << Values{9795, -2, 1755, -4, 7875, -6, 7980, -8, 9795};
        QTest::newRow("larger") << 15120.f << 12000.f
                                << Values{15000, 8910, 6960, 11055, 13080, 11055, 13185, 11355, 15000};
    }

    void rulesFireOnlyAboveTheirThresholds()
    {
        QFETCH(float, W);
        QFETCH(float, H);
        QFETCH(Values, expected);
        QCOMPARE(layoutrules::apply(W, H, Kept), expected);
    }

    void windowShowsTheDesignAtItsDesignedSize()
    {
        WindowFixture f;
        TesselFrm &frm = f.create();
        frm.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frm));
        QCOMPARE(frm.size(), QSize(653, 604)); // 9795 x 9060 twips
        for (const ControlPlace &c : tesselfrm::Design) {
            QWidget *w = frm.findChild<QWidget *>(QString::fromUtf16(c.name), Qt::FindDirectChildrenOnly);
            QVERIFY(w);
            QCOMPARE(w->geometry(), twips::rect(c.left, c.top, c.width, c.height));
        }
    }

    void bottomAndRightFollowTheClientArea_data()
    {
        // Client sizes in pixels (15 twips each); the thresholds fall on
        // whole pixels: widths 121, 128 and 536, heights 16, 36 and 179.
        QTest::addColumn<QSize>("client");
        for (int w : {121, 122, 128, 129, 536, 537, 653, 900})
            QTest::newRow(qPrintable(u"width %1"_s.arg(w))) << QSize(w, 604);
        for (int h : {16, 17, 36, 37, 179, 180, 604, 800})
            QTest::newRow(qPrintable(u"height %1"_s.arg(h))) << QSize(653, h);
        QTest::newRow("tiny") << QSize(10, 10);
    }

    void bottomAndRightFollowTheClientArea()
    {
        QFETCH(QSize, client);
        WindowFixture f;
        TesselFrm &frm = f.create();
        frm.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frm));
        QList<QRect> others;
        const QList<QWidget *> children = frm.findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
        for (QWidget *w : children)
            others << w->geometry();

        frm.resize(client);
        QCOMPARE(frm.size(), client);
        const int cw = client.width(), ch = client.height();
        // Relative to the client's edges, with the designed frame; where a
        // threshold is not passed the value stays as designed.
        QCOMPARE(frm.EditTxt->geometry(), QRect(0, 140, cw, ch > 179 ? ch - 179 : 425));
        QCOMPARE(frm.DescriptionLbl->geometry(), QRect(536, 0, cw > 536 ? cw - 536 : 117, 117));
        QCOMPARE(frm.FilenameLbl->geometry(),
                 QRect(0, ch > 36 ? ch - 36 : 568, cw > 128 ? cw - 128 : 525, 13));
        QCOMPARE(frm.ByteLbl->geometry(), QRect(cw > 121 ? cw - 121 : 532, ch > 36 ? ch - 36 : 568, 121, 17));
        QCOMPARE(frm.ShortCutsLbl->geometry(), QRect(0, ch > 16 ? ch - 16 : 588, cw, 13));
        // Nothing else moves.
        for (int i = 0; i < children.size(); ++i) {
            QWidget *w = children[i];
            if (w != frm.EditTxt && w != frm.DescriptionLbl && w != frm.FilenameLbl && w != frm.ByteLbl &&
                w != frm.ShortCutsLbl)
                QCOMPARE(w->geometry(), others[i]);
        }

        // Back to the designed size: the design again.
        frm.resize(653, 604);
        for (const char16_t *name :
             {u"EditTxt", u"DescriptionLbl", u"FilenameLbl", u"ByteLbl", u"ShortCutsLbl"})
            QCOMPARE(frm.findChild<QWidget *>(QString::fromUtf16(name))->geometry(), designed(name));
    }

    void valuesStayAtTheirLastSizeBelowAThreshold()
    {
        WindowFixture f;
        TesselFrm &frm = f.create();
        frm.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frm));
        frm.resize(900, 700);
        frm.resize(400, 150);
        // Narrower than 536 pixels: the help label keeps the width it last had,
        // reaching past the right edge; lower than 179: the edit box keeps its height.
        QCOMPARE(frm.DescriptionLbl->width(), 900 - 536);
        QCOMPARE(frm.EditTxt->height(), 700 - 179);
        QCOMPARE(frm.EditTxt->width(), 400);
        // The bottom labels go on moving up, over the edit box.
        QCOMPARE(frm.FilenameLbl->y(), 150 - 36);
        QCOMPARE(frm.ShortCutsLbl->y(), 150 - 16);
    }
};

TESSARA_TEST_CLASS(LayoutTest)
#include "LayoutTest.moc"
