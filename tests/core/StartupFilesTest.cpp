// The work file's cascade and counters, and the settings file, as plain rules.
#include "TestRegistry.h"
#include "core/StartupFiles.h"

#include <QTest>

using namespace Qt::StringLiterals;
using workfile::Counts;

Q_DECLARE_METATYPE(std::optional<workfile::Counts>)

namespace {
// A screen far larger than any cascade of the table, in twips.
const QSize bigScreen(4000 * 15, 3000 * 15);
const QSize window(9915, 9465);
} // namespace

class StartupFilesTest : public QObject {
    Q_OBJECT
private slots:
    void cascadePlacesEachNewWindow_data()
    {
        QTest::addColumn<std::optional<Counts>>("read");
        QTest::addColumn<int>("left");
        QTest::addColumn<int>("top");
        QTest::addColumn<Counts>("written");
        QTest::newRow("first, no work file") << std::optional<Counts>() << 300 << 300 << Counts{1, 1, 300, 300};
        QTest::newRow("second") << std::optional(Counts{1, 1, 300, 300}) << 600 << 600 << Counts{2, 2, 600, 600};
        QTest::newRow("tenth") << std::optional(Counts{9, 9, 2700, 2700}) << 3000 << 3000
                               << Counts{10, 10, 3000, 3000};
        QTest::newRow("eleventh starts a new diagonal")
            << std::optional(Counts{10, 10, 3000, 3000}) << 600 << 300 << Counts{11, 11, 600, 300};
        QTest::newRow("twelfth") << std::optional(Counts{11, 11, 600, 300}) << 900 << 600
                                 << Counts{12, 12, 900, 600};
        QTest::newRow("21st") << std::optional(Counts{20, 20, 3600, 3300}) << 900 << 300 << Counts{21, 21, 900, 300};
        QTest::newRow("101st starts lower") << std::optional(Counts{100, 100, 3300, 3300}) << 300 << 600
                                            << Counts{101, 101, 300, 600};
        QTest::newRow("closed copies lower only m")
            << std::optional(Counts{5, 1, 1500, 1500}) << 1800 << 1800 << Counts{6, 2, 1800, 1800};
    }
    void cascadePlacesEachNewWindow()
    {
        QFETCH(std::optional<Counts>, read);
        QFETCH(int, left);
        QFETCH(int, top);
        QFETCH(Counts, written);
        const workfile::Placement p = workfile::place(read, bigScreen, window);
        QCOMPARE(p.left, left);
        QCOMPARE(p.top, top);
        QCOMPARE(p.written, written);
    }

    void cascadeStartsAgainRatherThanLeaveTheScreen_data()
    {
        QTest::addColumn<Counts>("read");
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<int>("liveWritten");
        const QSize screen1280(1280 * 15, 1024 * 15);
        QTest::newRow("counter 1090: the left edge leaves 16 bits") << Counts{1090, 3, 900, 900} << bigScreen << 4;
        QTest::newRow("counter 990 on a 1280 screen") << Counts{990, 2, 900, 900} << screen1280 << 3;
        QTest::newRow("diagonal past the bottom") << Counts{47, 2, 14100, 14100} << screen1280 << 3;
        QTest::newRow("counter at the 16-bit limit") << Counts{32767, 1, 900, 900} << bigScreen << 2;
        QTest::newRow("edge beyond 16 bits") << Counts{7, 1, 32700, 300} << bigScreen << 2;
        QTest::newRow("stored place off the left") << Counts{3, 1, -9000, 300} << bigScreen << 2;
        QTest::newRow("live count at the limit stays there") << Counts{3, 32767, -9000, 300} << bigScreen << 32767;
    }
    void cascadeStartsAgainRatherThanLeaveTheScreen()
    {
        QFETCH(Counts, read);
        QFETCH(QSize, screen);
        QFETCH(int, liveWritten);
        const workfile::Placement p = workfile::place(read, screen, window);
        QCOMPARE(p.left, 300);
        QCOMPARE(p.top, 300);
        QCOMPARE(p.written, (Counts{1, liveWritten, 300, 300}));
        // The following start-up goes on down the new diagonal.
        const workfile::Placement next = workfile::place(p.written, screen, window);
        QCOMPARE(next.left, 600);
        QCOMPARE(next.top, 600);
    }

    // Places are measured from the corner of the whole screen, so the cascade
    // goes on beside a dock or under a panel: only running past the screen's
    // right or bottom edge starts it again.
    void cascadeGoesOnToTheScreensEdge_data()
    {
        QTest::addColumn<Counts>("read");
        QTest::addColumn<bool>("restarts");
        const int right = 1280 * 15 - 9915, bottom = 1024 * 15 - 9465; // the last places that fit
        QTest::newRow("second window beside a dock") << Counts{1, 1, 300, 300} << false;
        QTest::newRow("touching the right edge") << Counts{5, 1, right - 300, 300} << false;
        QTest::newRow("one step past the right edge") << Counts{5, 1, right, 300} << true;
        QTest::newRow("touching the bottom edge") << Counts{5, 1, 300, bottom - 300} << false;
        QTest::newRow("one step past the bottom edge") << Counts{5, 1, 300, bottom} << true;
    }
    void cascadeGoesOnToTheScreensEdge()
    {
        QFETCH(Counts, read);
        QFETCH(bool, restarts);
        const workfile::Placement p = workfile::place(read, QSize(1280 * 15, 1024 * 15), window);
        QCOMPARE(p.left == 300 && p.top == 300 && p.written.n == 1, restarts);
    }

    void unstorableDirectoryGivesWayToAnEnclosingOne_data()
    {
        QTest::addColumn<QString>("directory");
        QTest::addColumn<QString>("startDir");
        QTest::addColumn<QString>("stored");
        QTest::newRow("Shift_JIS holds it") << u"/home/u/日本語/web"_s << u"/s"_s << u"/home/u/日本語/web"_s;
        QTest::newRow("an accented letter") << u"/home/u/café/img"_s << u"/s"_s << u"/home/u"_s;
        QTest::newRow("Hangul deep down") << u"/home/u/web/한국/a"_s << u"/s"_s << u"/home/u/web"_s;
        QTest::newRow("an emoji under the root") << u"/\U0001F600/x"_s << u"/home/u"_s << u"/home/u"_s;
        QTest::newRow("nor the start directory") << u"/\U0001F600"_s << u"/café"_s << QString();
    }
    void unstorableDirectoryGivesWayToAnEnclosingOne()
    {
        QFETCH(QString, directory);
        QFETCH(QString, startDir);
        QFETCH(QString, stored);
        QCOMPARE(settingsfile::storableDirectory(directory, startDir), stored);
    }

    void damagedWorkFileReadsAsMissing_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("empty") << QStringList();
        QTest::newRow("three lines") << QStringList{u"1"_s, u"1"_s, u"300"_s};
        QTest::newRow("not a number") << QStringList{u"x"_s, u"1"_s, u"300"_s, u"300"_s};
        QTest::newRow("fraction") << QStringList{u"1.5"_s, u"1"_s, u"300"_s, u"300"_s};
        QTest::newRow("blank before") << QStringList{u" 1"_s, u"1"_s, u"300"_s, u"300"_s};
        QTest::newRow("beyond 16 bits") << QStringList{u"1"_s, u"1"_s, u"32768"_s, u"300"_s};
        QTest::newRow("far beyond") << QStringList{u"99999999999"_s, u"1"_s, u"300"_s, u"300"_s};
        QTest::newRow("negative counter") << QStringList{u"-3"_s, u"1"_s, u"300"_s, u"300"_s};
        QTest::newRow("empty line") << QStringList{u"1"_s, QString(), u"300"_s, u"300"_s};
        QTest::newRow("sign alone") << QStringList{u"-"_s, u"1"_s, u"300"_s, u"300"_s};
    }
    void damagedWorkFileReadsAsMissing()
    {
        QFETCH(QStringList, lines);
        QVERIFY(!workfile::parse(lines).has_value());
    }

    void workFileLinesRoundTrip()
    {
        const Counts c{12, 3, -32768, 32767};
        QCOMPARE(workfile::format(c), (QStringList{u"12"_s, u"3"_s, u"-32768"_s, u"32767"_s}));
        QCOMPARE(workfile::parse(workfile::format(c)), std::optional(c));
        // Lines after the fourth are ignored.
        QCOMPARE(workfile::parse({u"2"_s, u"1"_s, u"600"_s, u"600"_s, u"junk"_s}), std::optional(Counts{2, 1, 600, 600}));
    }

    void shutdownLowersTheLiveCountOrRemovesTheFile()
    {
        QVERIFY(workfile::shutdown(Counts{5, 1, 900, 900}).remove);
        QVERIFY(workfile::shutdown(Counts{5, 0, 900, 900}).remove);
        QVERIFY(workfile::shutdown(std::nullopt).remove);
        const workfile::Shutdown two = workfile::shutdown(Counts{5, 2, 900, 600});
        QVERIFY(!two.remove);
        QCOMPARE(two.written, (Counts{5, 1, 900, 600}));
    }

    void settingsFallBackToTheNormalScheme()
    {
        const settingsfile::Settings none = settingsfile::parse(std::nullopt);
        QCOMPARE(none.directory, QString());
        QCOMPARE(none.scheme, u"暗くする"_s);
        const settingsfile::Settings one = settingsfile::parse(QStringList{u"/srv/www"_s});
        QCOMPARE(one.directory, u"/srv/www"_s);
        QVERIFY(one.scheme != u"元に戻す"_s);
        const settingsfile::Settings dark = settingsfile::parse(QStringList{u"/a"_s, u"元に戻す"_s, u"x"_s});
        QCOMPARE(dark.scheme, u"元に戻す"_s);
        QCOMPARE(settingsfile::format(u"/a b"_s, u"暗くする"_s), (QStringList{u"/a b"_s, u"暗くする"_s}));
    }
};

TESSARA_TEST_CLASS(StartupFilesTest)
#include "StartupFilesTest.moc"
