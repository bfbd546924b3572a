// How a slot's text is read as a catalogue position, and the shortcut label's
// caption built from the twelve slots.
#include "ShortCutTestWindow.h"
#include "TestRegistry.h"
#include "tags/ShortCutLabel.h"

#include <QTest>

using namespace Qt::StringLiterals;
using shortcuttest::Slots;
using shortcuttest::slotsOf;

class ShortCutLabelTest : public QObject {
    Q_OBJECT
private slots:
    void readsOnlyRegisteredFormsAsPositions_data();
    void readsOnlyRegisteredFormsAsPositions();
    void captionShowsEachSlot_data();
    void captionShowsEachSlot();
    void shortTextKeepsSurrogatePairsWhole();
};

void ShortCutLabelTest::readsOnlyRegisteredFormsAsPositions_data()
{
    QTest::addColumn<QString>("slot");
    QTest::addColumn<bool>("isPosition");
    QTest::addColumn<int>("position");

    QTest::newRow("empty") << u""_s << false << 0;
    QTest::newRow("no entry") << u"-1"_s << true << -1;
    QTest::newRow("first") << u"0"_s << true << 0;
    QTest::newRow("one digit") << u"7"_s << true << 7;
    QTest::newRow("two digits") << u"29"_s << true << 29;
    QTest::newRow("highest") << u"32767"_s << true << 32767;
    QTest::newRow("beyond 16 bits") << u"32768"_s << false << 0;
    QTest::newRow("far beyond 16 bits") << u"70000"_s << false << 0;
    QTest::newRow("many digits") << u"123456789012345678901"_s << false << 0;
    QTest::newRow("below -1") << u"-2"_s << false << 0;
    QTest::newRow("lowest 16 bits") << u"-32768"_s << false << 0;
    QTest::newRow("minus zero") << u"-0"_s << false << 0;
    QTest::newRow("fraction") << u"2.5"_s << false << 0;
    QTest::newRow("whole fraction") << u"3.0"_s << false << 0;
    QTest::newRow("leading zero") << u"03"_s << false << 0;
    QTest::newRow("double zero") << u"00"_s << false << 0;
    QTest::newRow("plus sign") << u"+3"_s << false << 0;
    QTest::newRow("leading blank") << u" 3"_s << false << 0;
    QTest::newRow("trailing blank") << u"3 "_s << false << 0;
    QTest::newRow("blank only") << u" "_s << false << 0;
    QTest::newRow("tab") << u"3\t"_s << false << 0;
    QTest::newRow("lone LF inside") << u"3\n"_s << false << 0;
    QTest::newRow("exponent") << u"1e2"_s << false << 0;
    QTest::newRow("basic hex") << u"&H10"_s << false << 0;
    QTest::newRow("c hex") << u"0x10"_s << false << 0;
    QTest::newRow("word") << u"abc"_s << false << 0;
    QTest::newRow("digits then word") << u"12abc"_s << false << 0;
    QTest::newRow("full-width digits") << u"２９"_s << false << 0;
    QTest::newRow("arabic-indic digit") << u"\u0663"_s << false << 0;
    QTest::newRow("minus alone") << u"-"_s << false << 0;
    QTest::newRow("minus minus one") << u"--1"_s << false << 0;
}

void ShortCutLabelTest::readsOnlyRegisteredFormsAsPositions()
{
    QFETCH(QString, slot);
    QFETCH(bool, isPosition);
    QFETCH(int, position);
    const std::optional<qint16> read = shortcutlabel::position(slot);
    QCOMPARE(read.has_value(), isPosition);
    if (isPosition)
        QCOMPARE(int(*read), position);
}

void ShortCutLabelTest::captionShowsEachSlot_data()
{
    QTest::addColumn<Slots>("slotTexts");
    QTest::addColumn<int>("entryCount");
    QTest::addColumn<QString>("caption");

    QTest::newRow("all empty") << Slots() << 71
                               << u" F1:NONE F2:NONE F3:NONE F4:NONE F5:NONE F6:NONE F7:NONE F8:NONE "
                                  u"F9:NONE F10:NONE F11:NONE F12:NONE "_s;
    QTest::newRow("entry 0 keeps its leading blank")
        << slotsOf({u"0"_s}) << 71
        << u" F1: <!D F2:NONE F3:NONE F4:NONE F5:NONE F6:NONE F7:NONE F8:NONE "
           u"F9:NONE F10:NONE F11:NONE F12:NONE "_s;
    QTest::newRow("entry 1") << slotsOf({u"1"_s}) << 71
                             << u" F1:<htm F2:NONE F3:NONE F4:NONE F5:NONE F6:NONE F7:NONE F8:NONE "
                                u"F9:NONE F10:NONE F11:NONE F12:NONE "_s;
    QTest::newRow("entry 34 of four characters")
        << slotsOf({u"34"_s}) << 71
        << u" F1:<br> F2:NONE F3:NONE F4:NONE F5:NONE F6:NONE F7:NONE F8:NONE "
           u"F9:NONE F10:NONE F11:NONE F12:NONE "_s;
    QTest::newRow("entry 70 in Japanese")
        << slotsOf({u"70"_s}) << 71
        << u" F1:自分の好 F2:NONE F3:NONE F4:NONE F5:NONE F6:NONE F7:NONE F8:NONE "
           u"F9:NONE F10:NONE F11:NONE F12:NONE "_s;
    QTest::newRow("no entry in F3")
        << slotsOf({{}, {}, u"-1"_s}) << 71
        << u" F1:NONE F2:NONE F3: F4:NONE F5:NONE F6:NONE F7:NONE F8:NONE "
           u"F9:NONE F10:NONE F11:NONE F12:NONE "_s;
    QTest::newRow("every slot bound")
        << slotsOf({u"0"_s, u"1"_s, u"34"_s, u"70"_s, u"-1"_s, u"2"_s,
                 u"3"_s, u"0"_s, u"1"_s, u"34"_s, u"70"_s, u"-1"_s}) << 71
        << u" F1: <!D F2:<htm F3:<br> F4:自分の好 F5: F6:項目2 F7:項目3 F8: <!D "
           u"F9:<htm F10:<br> F11:自分の好 F12: "_s;
    QTest::newRow("positions past the shortened list")
        << slotsOf({u"34"_s, u"71"_s, {}, {}, {}, {}, {}, {}, {}, {}, {}, u"32767"_s}) << 34
        << u" F1: F2: F3:NONE F4:NONE F5:NONE F6:NONE F7:NONE F8:NONE "
           u"F9:NONE F10:NONE F11:NONE F12: "_s;
    QTest::newRow("lines no registration writes")
        << slotsOf({u"2.5"_s, u"-2"_s, u"40000"_s, u" 3"_s, u"+3"_s, u"1e2"_s,
                 u"&H10"_s, u"abc"_s, u"03"_s, u" "_s, u"1"_s, u"<br>"_s}) << 71
        << u" F1:NONE F2:NONE F3:NONE F4:NONE F5:NONE F6:NONE F7:NONE F8:NONE "
           u"F9:NONE F10:NONE F11:<htm F12:NONE "_s;
}

void ShortCutLabelTest::captionShowsEachSlot()
{
    QFETCH(Slots, slotTexts);
    QFETCH(int, entryCount);
    QFETCH(QString, caption);
    const QStringList list = shortcuttest::entries(entryCount);
    QCOMPARE(shortcutlabel::caption(slotTexts, [&list](int i) { return list.value(i); }), caption);
}

void ShortCutLabelTest::shortTextKeepsSurrogatePairsWhole()
{
    // "a" then three characters outside the BMP, then "z".
    const QString entry = u"a\U0001F600\U0001F601\U0001F602z"_s;
    const auto at = [&entry](int i) { return i == 0 ? entry : QString(); };
    QCOMPARE(shortcutlabel::shortText(u"0"_s, at), u"a\U0001F600\U0001F601\U0001F602"_s);
    QCOMPARE(shortcutlabel::shortText(u"0"_s, [](int) { return u"ab"_s; }), u"ab"_s);
}

TESSARA_TEST_CLASS(ShortCutLabelTest)
#include "ShortCutLabelTest.moc"
