// The colour schemes as data: the recoloured objects with their colours, the
// order of a switch, and the captions that say which scheme is shown.
#include "look/ColourTable.h"
#include "TestRegistry.h"

#include <QTest>

using namespace Qt::StringLiterals;
using namespace colourtable;

class ColourTableTest : public QObject
{
    Q_OBJECT
  private:
    static BaseColours distinctBases()
    {
        return {StateColour::plain(0x00102030), StateColour::plain(0x00405060),
                StateColour::plain(0x00708090)};
    }

  private slots:
    void darkColoursAreTheDesignedOnes()
    {
        QCOMPARE(fromBgr(0x003F3F3F), QColor(63, 63, 63));
        QCOMPARE(fromBgr(0x00000000), QColor(0, 0, 0));
        QCOMPARE(fromBgr(0x00FFFFFF), QColor(255, 255, 255));
        // Blue is the high byte, red the low one.
        QCOMPARE(fromBgr(0x00112233), QColor(0x33, 0x22, 0x11));
    }

    void eachRowGetsItsColours_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("object");
        QTest::addColumn<QColor>("darkBack");
        QTest::addColumn<int>("normalBack"); // Base
        const QColor grey(63, 63, 63), black(0, 0, 0);
        const int form = int(Base::FormBack), edit = int(Base::EditBack);
        QTest::newRow("window") << 0 << u"TesselFrm"_s << grey << form;
        QTest::newRow("preset check box") << 1 << u"PresetChk"_s << grey << form;
        QTest::newRow("file name label") << 2 << u"FilenameLbl"_s << grey << form;
        QTest::newRow("help label") << 3 << u"DescriptionLbl"_s << grey << form;
        QTest::newRow("size label") << 4 << u"ByteLbl"_s << grey << form;
        QTest::newRow("shortcut label") << 5 << u"ShortCutsLbl"_s << grey << form;
        QTest::newRow("edit box") << 6 << u"EditTxt"_s << black << edit;
        QTest::newRow("drive list") << 7 << u"Drive"_s << black << edit;
        QTest::newRow("directory list") << 8 << u"Dir1"_s << black << edit;
        QTest::newRow("file list") << 9 << u"File"_s << black << edit;
        QTest::newRow("filter combo") << 10 << u"TailCmb"_s << black << edit;
        QTest::newRow("tag list") << 11 << u"HTMLLst"_s << black << edit;
    }

    void eachRowGetsItsColours()
    {
        QFETCH(int, row);
        QFETCH(QString, object);
        QFETCH(QColor, darkBack);
        QFETCH(int, normalBack);
        const BaseColours bases = distinctBases();
        const std::vector<Assignment> dark = switchTo(Scheme::Dark);
        const std::vector<Assignment> normal = switchTo(Scheme::Normal);
        const size_t n = Rows.size();
        QCOMPARE(dark.size(), 2 * n);
        QCOMPARE(normal.size(), 2 * n);

        // Back colours come first, fore colours after them, in the same order.
        const Assignment &darkBackA = dark[size_t(row)], &darkForeA = dark[n + size_t(row)];
        const Assignment &normalBackA = normal[size_t(row)], &normalForeA = normal[n + size_t(row)];
        for (const Assignment *a : {&darkBackA, &darkForeA, &normalBackA, &normalForeA})
            QCOMPARE(a->object.toString(), object);
        QCOMPARE(darkBackA.property, Property::BackColor);
        QCOMPARE(darkForeA.property, Property::ForeColor);
        QCOMPARE(normalBackA.property, Property::BackColor);
        QCOMPARE(normalForeA.property, Property::ForeColor);

        // The dark colours are the same whether the window is active, inactive or disabled.
        for (const QBrush &b : darkBackA.colour(bases).brushes)
            QCOMPARE(b, QBrush(darkBack));
        for (const QBrush &b : darkForeA.colour(bases).brushes)
            QCOMPARE(b, QBrush(QColor(255, 255, 255)));
        QCOMPARE(normalBackA.colour(bases), bases[Base(normalBack)]);
        // Every object's text takes the edit box's text colour.
        QCOMPARE(normalForeA.colour(bases), bases.editFore);
        // A surface shows the window's background, a field the edit box's.
        QCOMPARE(Rows[size_t(row)].area, normalBack == int(Base::FormBack) ? Area::Surface : Area::Field);
    }

    void buttonsAreNotRecoloured()
    {
        for (const Assignment &a : switchTo(Scheme::Dark))
            QVERIFY2(!a.object.endsWith(u"Btn") && !a.object.endsWith(u"Cmd"),
                     qPrintable(a.object.toString()));
        QCOMPARE(Rows.size(), size_t(12));
    }

    void aPressSwitchesByTheExactCaption_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("toDark");
        QTest::newRow("normal shown") << u"暗くする"_s << true;
        QTest::newRow("dark shown") << u"元に戻す"_s << false;
        QTest::newRow("empty") << QString() << false;
        QTest::newRow("trailing blank") << u"暗くする "_s << false;
        QTest::newRow("other text") << u"x"_s << false;
    }

    void aPressSwitchesByTheExactCaption()
    {
        QFETCH(QString, caption);
        QFETCH(bool, toDark);
        QCOMPARE(afterPress(caption), toDark ? Scheme::Dark : Scheme::Normal);
    }

    void captionSaysWhatTheNextPressDoes()
    {
        QCOMPARE(captionWhileShown(Scheme::Dark), u"元に戻す"_s);
        QCOMPARE(captionWhileShown(Scheme::Normal), u"暗くする"_s);
    }

    void stateColoursKeepEveryPaletteStateExactly()
    {
        QPalette p;
        p.setBrush(QPalette::Active, QPalette::Base, QColor(1, 2, 3));
        p.setBrush(QPalette::Inactive, QPalette::Base, QColor(4, 5, 6));
        p.setBrush(QPalette::Disabled, QPalette::Base, QBrush(QColor(7, 8, 9), Qt::Dense4Pattern));
        const StateColour c = StateColour::of(p, QPalette::Base);
        QCOMPARE(c.active(), QColor(1, 2, 3));

        QPalette q;
        c.applyTo(q, QPalette::Text);
        QCOMPARE(q.brush(QPalette::Active, QPalette::Text), QBrush(QColor(1, 2, 3)));
        QCOMPARE(q.brush(QPalette::Inactive, QPalette::Text), QBrush(QColor(4, 5, 6)));
        QCOMPARE(q.brush(QPalette::Disabled, QPalette::Text), QBrush(QColor(7, 8, 9), Qt::Dense4Pattern));
        QCOMPARE(StateColour::of(q, QPalette::Text), c);
        QVERIFY(!(StateColour::plain(0x00010203) == c));
    }
};

TESSARA_TEST_CLASS(ColourTableTest)
#include "ColourTableTest.moc"
