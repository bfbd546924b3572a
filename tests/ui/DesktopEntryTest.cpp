// A desktop entry's Exec line turned into the command that opens one page.
#include "TestRegistry.h"
#include "ui/DesktopEntry.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {
const QString Path = u"/tmp/ページ 1.html"_s;
const QString Url = u"file:///tmp/%E3%83%9A%E3%83%BC%E3%82%B8%201.html"_s;
const QString Location = u"/usr/share/applications/web.desktop"_s;
} // namespace

class DesktopEntryTest : public QObject {
    Q_OBJECT
private slots:
    void execLineOpensThePage_data()
    {
        QTest::addColumn<QString>("exec"); // as written in the file
        QTest::addColumn<QStringList>("command");
        QTest::newRow("%u") << u"web %u"_s << QStringList{u"web"_s, Url};
        QTest::newRow("%U") << u"web --new-window %U"_s << QStringList{u"web"_s, u"--new-window"_s, Url};
        QTest::newRow("%f") << u"web %f"_s << QStringList{u"web"_s, Path};
        QTest::newRow("%F") << u"web %F"_s << QStringList{u"web"_s, Path};
        QTest::newRow("inside an argument") << u"web --url=%u"_s << QStringList{u"web"_s, u"--url="_s + Url};
        QTest::newRow("no page code: the path at the end") << u"web -x"_s << QStringList{u"web"_s, u"-x"_s, Path};
        QTest::newRow("%i, %c, %k and %%")
            << u"web %i --class=%c %k 100%% %u"_s
            << QStringList{u"web"_s, u"--icon"_s, u"web-browser"_s, u"--class=ウェブ"_s, Location, u"100%"_s, Url};
        QTest::newRow("deprecated codes vanish") << u"web %d %m %u"_s << QStringList{u"web"_s, Url};
        QTest::newRow("quoted program with blanks")
            << u"\"/opt/my web/run\" %u"_s << QStringList{u"/opt/my web/run"_s, Url};
        QTest::newRow("escapes inside quotes")
            << u"sh -c \"echo \\\\\"\\\\$0\\\\\" \\\\\\\\\" %u"_s << QStringList{u"sh"_s, u"-c"_s, u"echo \"$0\" \\"_s, Url};
        QTest::newRow("empty quoted argument kept") << u"web \"\" %u"_s << QStringList{u"web"_s, QString(), Url};
        QTest::newRow("value escapes \\s and tabs")
            << u"web\\s-a\t%u"_s << QStringList{u"web"_s, u"-a"_s, Url};
        QTest::newRow("open quote is malformed") << u"\"web %u"_s << QStringList();
        QTest::newRow("nothing but codes for nothing") << u"%d %m"_s << QStringList();
    }
    void execLineOpensThePage()
    {
        QFETCH(QString, exec);
        QFETCH(QStringList, command);
        // The entry's own group counts, not an action's.
        const QString file = u"[Desktop Entry]\nType=Application\nName=ウェブ\nName[ja]=ブラウザー\nIcon=web-browser\n"
                             u"Exec="_s + exec + u"\n\n[Desktop Action new]\nExec=other %u\n"_s;
        const std::optional<DesktopEntry> entry = DesktopEntry::parse(file.toUtf8(), Location);
        QVERIFY(entry);
        QCOMPARE(entry->commandFor(QUrl::fromLocalFile(Path)).value_or(QStringList()), command);
    }
};

TESSARA_TEST_CLASS(DesktopEntryTest)
#include "DesktopEntryTest.moc"
