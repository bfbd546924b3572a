// The command line: files made absolute, --desktop, help, version and mistakes,
// and where a program started from the desktop keeps its files.
#include "TestRegistry.h"
#include "core/CommandLine.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using commandline::Parsed;

Q_DECLARE_METATYPE(Parsed::Action)

class CommandLineTest : public QObject {
    Q_OBJECT
private slots:
    void parsesTheCommandLine_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<Parsed::Action>("action");
        QTest::addColumn<int>("status");
        QTest::addColumn<bool>("desktop");
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("output"); // a part of what is printed

        const QStringList none;
        QTest::newRow("nothing") << QStringList{} << Parsed::Action::Run << 0 << false << none << QString();
        QTest::newRow("a relative file") << QStringList{u"a.html"_s} << Parsed::Action::Run << 0 << false
                                         << QStringList{u"/home/u/web/a.html"_s} << QString();
        QTest::newRow("files in order, made clean")
            << QStringList{u"../b.txt"_s, u"/abs/c.html"_s, u"./日本語 ページ.html"_s} << Parsed::Action::Run << 0
            << false << QStringList{u"/home/u/b.txt"_s, u"/abs/c.html"_s, u"/home/u/web/日本語 ページ.html"_s}
            << QString();
        QTest::newRow("the launcher's option") << QStringList{u"--desktop"_s, u"/p/a.html"_s} << Parsed::Action::Run
                                               << 0 << true << QStringList{u"/p/a.html"_s} << QString();
        QTest::newRow("a file named like an option after --")
            << QStringList{u"--"_s, u"--help"_s} << Parsed::Action::Run << 0 << false
            << QStringList{u"/home/u/web/--help"_s} << QString();
        QTest::newRow("the toolkit's own options pass")
            << QStringList{u"-display"_s, u":1"_s, u"-style"_s, u"fusion"_s, u"a.html"_s} << Parsed::Action::Run
            << 0 << false << QStringList{u"/home/u/web/a.html"_s} << QString();
        QTest::newRow("help") << QStringList{u"--help"_s} << Parsed::Action::Help << 0 << false << none
                              << u"Usage: tessara [options] [FILE...]"_s;
        QTest::newRow("short help") << QStringList{u"-h"_s} << Parsed::Action::Help << 0 << false << none
                                    << u"--desktop"_s;
        QTest::newRow("version") << QStringList{u"--version"_s} << Parsed::Action::Version << 0 << false << none
                                 << u"Tessara 9.8.7\n"_s;
        QTest::newRow("an unknown option") << QStringList{u"--frobnicate"_s, u"a.html"_s}
                                           << Parsed::Action::Error << 2 << false << none
                                           << u"tessara: Unknown option 'frobnicate'."_s;
        QTest::newRow("an option that wants a value")
            << QStringList{u"-display"_s} << Parsed::Action::Error << 2 << false << none << u"tessara: "_s;
    }
    void parsesTheCommandLine()
    {
        QFETCH(QStringList, args);
        QFETCH(Parsed::Action, action);
        QFETCH(int, status);
        QFETCH(bool, desktop);
        QFETCH(QStringList, files);
        QFETCH(QString, output);
        QCoreApplication::setApplicationVersion(u"9.8.7"_s);
        const Parsed p = commandline::parse(QStringList{u"tessara"_s} + args, u"/home/u/web"_s);
        QCOMPARE(p.action, action);
        QCOMPARE(p.exitStatus(), status);
        QCOMPARE(p.desktop, desktop);
        QCOMPARE(p.files, files);
        QVERIFY2(p.output.contains(output), qPrintable(p.output));
        if (action == Parsed::Action::Error)
            QVERIFY(p.output.contains(u"--help"_s)); // says where to look
    }

    // Each further file opens in a copy of its own, which is handed the rest.
    void nextCopyGetsTheRestOfTheFiles()
    {
        Parsed p = commandline::parse({u"tessara"_s, u"--desktop"_s, u"--"_s, u"a"_s, u"-b"_s, u"c"_s}, u"/w"_s);
        QCOMPARE(commandline::argumentsForNextCopy(p),
                 (QStringList{u"--desktop"_s, u"--"_s, u"/w/-b"_s, u"/w/c"_s}));
        p = commandline::parse({u"tessara"_s, u"--"_s, u"a"_s, u"-b"_s}, u"/w"_s);
        const Parsed next = commandline::parse(QStringList{u"tessara"_s} + commandline::argumentsForNextCopy(p), u"/x"_s);
        QCOMPARE(next.files, QStringList{u"/w/-b"_s});
        QVERIFY(!next.desktop);
    }

    void desktopFilesLiveInTheDataFolder_data()
    {
        QTest::addColumn<QString>("xdgDataHome");
        QTest::addColumn<QString>("folder");
        QTest::newRow("unset") << QString() << u"/home/u/.local/share/tessara"_s;
        QTest::newRow("set") << u"/data"_s << u"/data/tessara"_s;
        QTest::newRow("relative, which the rules ignore") << u"data"_s << u"/home/u/.local/share/tessara"_s;
    }
    void desktopFilesLiveInTheDataFolder()
    {
        QFETCH(QString, xdgDataHome);
        QFETCH(QString, folder);
        QCOMPARE(commandline::desktopDataDir(xdgDataHome, u"/home/u"_s), folder);
    }

    // The data folder is made when missing; when it cannot be, the notice
    // says why. "@" stands for a fresh temporary folder holding a file "file".
    void desktopFolderThatCannotBeMadeIsExplained_data()
    {
        QTest::addColumn<QString>("xdgDataHome");
        QTest::addColumn<QString>("home");
        QTest::addColumn<QString>("why"); // empty: the folder is made
        QTest::newRow("made under the home folder") << QString() << u"@"_s << QString();
        QTest::newRow("made under XDG_DATA_HOME") << u"@/data"_s << u"/nowhere"_s << QString();
        QTest::newRow("a file where a folder should be")
            << u"@/file/data"_s << u"@"_s << u"「@/file」はフォルダーではありません。"_s;
        QTest::newRow("no home folder set") << QString() << QString()
                                            << u"ホームフォルダーが設定されていません（環境変数 HOME）。"_s;
        QTest::newRow("a home folder that is not there")
            << QString() << u"@/gone"_s << u"ホームフォルダー「@/gone」がありません。"_s;
        QTest::newRow("a folder the system refuses")
            << u"/proc/self/data"_s << u"@"_s << u"「/proc/self/data」: "_s + u"ファイルが見つかりません。"_s;
    }
    void desktopFolderThatCannotBeMadeIsExplained()
    {
        QFETCH(QString, xdgDataHome);
        QFETCH(QString, home);
        QFETCH(QString, why);
        QTemporaryDir tmp;
        QVERIFY(tmp.isValid());
        QFile file(tmp.filePath(u"file"_s));
        QVERIFY(file.open(QIODevice::WriteOnly));
        xdgDataHome.replace(u'@', tmp.path());
        home.replace(u'@', tmp.path());
        why.replace(u'@', tmp.path());
        const QString dir = commandline::desktopDataDir(xdgDataHome, home);
        const QString problem = commandline::makeDesktopDataDir(xdgDataHome, home);
        QCOMPARE(problem,
                 why.isEmpty() ? QString() : u"Tessara のファイルを置くフォルダー「"_s + dir + u"」を作成できません。\r\n"_s + why);
        QCOMPARE(QFileInfo(dir).isDir(), why.isEmpty());
    }
};

TESSARA_TEST_CLASS(CommandLineTest)
#include "CommandLineTest.moc"
