// Which mounted volumes are drives, and the directory a drive name stands for.
#include "browse/Drives.h"
#include "TestRegistry.h"

#include <QDir>
#include <QTest>

using namespace Qt::StringLiterals;

class DrivesTest : public QObject
{
    Q_OBJECT

  private slots:
    void volumesThatHoldNoDocumentsAreNoDrives_data()
    {
        QTest::addColumn<QByteArray>("type");
        QTest::addColumn<QString>("root");
        QTest::addColumn<bool>("pseudo");
        QTest::newRow("root disk") << QByteArray("ext4") << u"/"_s << false;
        QTest::newRow("container root") << QByteArray("overlay") << u"/"_s << false;
        QTest::newRow("USB stick") << QByteArray("vfat") << u"/media/user/STICK"_s << false;
        QTest::newRow("network share") << QByteArray("nfs4") << u"/mnt/share"_s << false;
        QTest::newRow("processes") << QByteArray("proc") << u"/proc"_s << true;
        QTest::newRow("kernel objects") << QByteArray("sysfs") << u"/sys"_s << true;
        QTest::newRow("control groups") << QByteArray("cgroup2") << u"/sys/fs/cgroup"_s << true;
        QTest::newRow("devices") << QByteArray("devtmpfs") << u"/dev"_s << true;
        QTest::newRow("memory under /dev") << QByteArray("tmpfs") << u"/dev/shm"_s << true;
        QTest::newRow("memory file system") << QByteArray("tmpfs") << u"/mnt/scratch"_s << true;
        QTest::newRow("a disk mounted under /run") << QByteArray("ext4") << u"/run/media/x"_s << true;
        QTest::newRow("package image") << QByteArray("squashfs") << u"/snap/core/1"_s << true;
        QTest::newRow("a name that only begins like /dev") << QByteArray("ext4") << u"/devel"_s << false;
    }
    void volumesThatHoldNoDocumentsAreNoDrives()
    {
        QFETCH(QByteArray, type);
        QFETCH(QString, root);
        QTEST(Drives::isPseudoFileSystem(type, root), "pseudo");
    }

    void driveNameStandsForItsCurrentDirectory_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("directory");
        QTest::addColumn<int>("index");
        QTest::newRow("c: is the start directory") << u"c:"_s << u"/home/u/work"_s << 0;
        QTest::newRow("C: in capitals too") << u"C:"_s << u"/home/u/work"_s << 0;
        QTest::newRow("a volume is its root") << u"/media/stick"_s << u"/media/stick"_s << 1;
        QTest::newRow("a lettered test drive is its root") << u"D:"_s << u"/tmp/d"_s << 2;
        QTest::newRow("a volume root keeps its letter case") << u"/MEDIA/STICK"_s << u"/MEDIA/STICK"_s << -1;
        QTest::newRow("any other path is itself") << u"/etc"_s << u"/etc"_s << -1;
    }
    void driveNameStandsForItsCurrentDirectory()
    {
        const Drives drives =
            Drives::withVolumes(u"/home/u/work"_s, {{u"c:"_s, u"/"_s, u"c: [/]"_s},
                                                    {u"/media/stick"_s, u"/media/stick"_s, u"/media/stick"_s},
                                                    {u"d:"_s, u"/tmp/d"_s, u"d:"_s}});
        QFETCH(QString, name);
        QTEST(drives.directoryOf(name), "directory");
        QTEST(drives.indexOf(name), "index");
    }

    void startVolumeIsDriveC()
    {
        const QString start = QDir::currentPath();
        const Drives drives(start);
        QCOMPARE(drives.list().first().name, u"c:"_s);
        QCOMPARE(drives.directoryOf(u"c:"_s), start);
        QVERIFY(start.startsWith(drives.list().first().root));
        QStringList roots;
        for (const Drive &d : drives.list()) {
            QVERIFY2(!roots.contains(d.root), qPrintable(d.root)); // each volume once
            roots << d.root;
            QVERIFY2(!Drives::isPseudoFileSystem({}, d.root), qPrintable(d.root));
            QVERIFY2(QDir(d.root).exists(), qPrintable(d.root));
        }
    }
};

TESSARA_TEST_CLASS(DrivesTest)
#include "DrivesTest.moc"
