// Writing in place on real, nearly full file systems: ext4 and btrfs images
// mounted through a loop device, where a full disk fails as it does for the
// user (tmpfs hides it). A page with a second name is always written in
// place. Mounting needs root and loop devices.
#include "TestRegistry.h"
#include "text/TextFile.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace
{

// Empty when the command succeeded, else what went wrong.
QString run(const QString &program, const QStringList &args)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, args);
    if (p.waitForFinished(120000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0)
        return {};
    return program + u": "_s + p.errorString() + u" "_s + QString::fromLocal8Bit(p.readAll());
}

// A fresh file system image mounted in a folder of its own while this lives.
class Mounted
{
  public:
    Mounted(const QString &type, const QString &base) : m_point(base + u"/mnt"_s)
    {
        const QString image = base + u"/fs.img"_s;
        QDir().mkpath(m_point);
        // btrfs needs 114 MB at least.
        m_error = run(u"truncate"_s, {u"-s"_s, type == u"ext4"_s ? u"16M"_s : u"120M"_s, image});
        if (m_error.isEmpty())
            m_error = run(u"mkfs."_s + type, {u"-q"_s, image});
        if (!m_error.isEmpty())
            return;
        m_mountError = run(u"mount"_s, {u"-o"_s, u"loop"_s, image, m_point});
        m_mounted = m_mountError.isEmpty();
    }
    ~Mounted()
    {
        if (m_mounted && ::umount2(QFile::encodeName(m_point).constData(), 0) != 0)
            ::umount2(QFile::encodeName(m_point).constData(), MNT_DETACH);
    }
    QString error() const { return m_error; }
    QString mountError() const { return m_mountError; }
    QString path(const QString &name) const { return m_point + u'/' + name; }

  private:
    QString m_point, m_error, m_mountError;
    bool m_mounted = false;
};

// Fills the file system, then frees a few KiB again.
void fill(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
    QVERIFY(fd >= 0);
    const QByteArray chunk(65536, 'f');
    off_t size = 0;
    for (qsizetype step = chunk.size(); step >= 512; step /= 8) {
        for (ssize_t n; (n = ::pwrite(fd, chunk.constData(), size_t(step), size)) > 0;)
            size += n;
        ::fsync(fd);
    }
    QVERIFY(size > 8192);
    QCOMPARE(::ftruncate(fd, size - 8192), 0);
    QCOMPARE(::fsync(fd), 0);
    ::close(fd);
}

// The page's old bytes: lines of text, or a sparse file with text at both ends.
QByteArray oldPage(const QString &path, int size, bool sparse)
{
    QByteArray bytes = QByteArray("old text of the page\r\n").repeated(size / 22 + 1).left(size);
    if (sparse)
        bytes = bytes.left(4096) + QByteArray(size - 8192, '\0') + bytes.right(4096);
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
    const bool ok = fd >= 0 && ::ftruncate(fd, size) == 0 &&
                    ::pwrite(fd, bytes.constData(), 4096, 0) == 4096 &&
                    ::pwrite(fd, bytes.constData() + size - 4096, 4096, size - 4096) == 4096 &&
                    (sparse || ::pwrite(fd, bytes.constData(), size_t(size), 0) == size) && ::fsync(fd) == 0;
    ::close(fd);
    return ok ? bytes : QByteArray();
}

QByteArray bytesOf(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

} // namespace

class RealDiskTest : public QObject
{
    Q_OBJECT

  private slots:
    void inPlaceWriteOnANearlyFullDiskKeepsTheOldBytes_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<int>("oldSize");
        QTest::addColumn<bool>("sparse");
        QTest::addColumn<int>("newSize");
        QTest::addColumn<bool>("full");
        QTest::addColumn<bool>("saved");

        QTest::newRow("ext4, full: a longer text is refused")
            << u"ext4"_s << 115500 << false << 300000 << true << false;
        QTest::newRow("ext4, full: a shorter text over a sparse page is refused")
            << u"ext4"_s << 400000 << true << 100000 << true << false;
        QTest::newRow("ext4, full: a shorter text fits where the old one was")
            << u"ext4"_s << 115500 << false << 60000 << true << true;
        QTest::newRow("btrfs, full: a longer text is refused")
            << u"btrfs"_s << 115500 << false << 300000 << true << false;
        QTest::newRow("btrfs, full: a shorter text is refused too (copy on write)")
            << u"btrfs"_s << 1048576 << false << 600000 << true << false;
        QTest::newRow("btrfs with room: a longer text saves")
            << u"btrfs"_s << 115500 << false << 300000 << false << true;
        QTest::newRow("btrfs with room: a shorter text saves")
            << u"btrfs"_s << 300000 << false << 115501 << false << true;
    }
    void inPlaceWriteOnANearlyFullDiskKeepsTheOldBytes()
    {
        QFETCH(QString, type);
        QFETCH(int, oldSize);
        QFETCH(bool, sparse);
        QFETCH(int, newSize);
        QFETCH(bool, full);
        QFETCH(bool, saved);
        if (::geteuid() != 0)
            QSKIP("mounting a file system image needs root");
        if (!QFile::exists(u"/dev/loop-control"_s))
            QSKIP("this system has no loop devices");
        QTemporaryDir base, backups;
        QVERIFY(base.isValid() && backups.isValid());
        const Mounted disk(type, base.path());
        QVERIFY2(disk.error().isEmpty(), qPrintable(disk.error()));
        if (!disk.mountError().isEmpty())
            QSKIP(qPrintable(u"cannot mount an image through a loop device: "_s + disk.mountError()));

        const QString page = disk.path(u"page.html"_s), other = disk.path(u"other.html"_s);
        const QByteArray old = oldPage(page, oldSize, sparse);
        QVERIFY(!old.isEmpty());
        QCOMPARE(::link(QFile::encodeName(page).constData(), QFile::encodeName(other).constData()), 0);
        if (full)
            fill(disk.path(u"filler"_s));
        const QStringList names =
            QDir(disk.path(u"."_s)).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);

        const TextFile::WriteResult w =
            TextFile::writeDocument(page, QString(newSize, u'n'), DocumentEncoding{}, backups.path());

        QCOMPARE(w.ok, saved);
        const QByteArray expected = saved ? QByteArray(newSize, 'n') : old;
        for (const QString &name : {page, other}) {
            const QByteArray now = bytesOf(name);
            QVERIFY2(
                now == expected,
                qPrintable(
                    u"%1: %2 bytes, first change at %3"_s.arg(name)
                        .arg(now.size())
                        .arg(std::mismatch(now.begin(), now.end(), expected.begin(), expected.end()).first -
                             now.begin())));
        }
        // The notice tells the truth: the file is as it was, no backup to look for.
        QVERIFY(w.ok || w.untouched);
        QVERIFY(w.backupPath.isEmpty());
        QCOMPARE(QDir(disk.path(u"."_s)).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 names);
        QCOMPARE(QDir(backups.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList());
    }
};

TESSARA_TEST_CLASS(RealDiskTest)
#include "RealDiskTest.moc"
