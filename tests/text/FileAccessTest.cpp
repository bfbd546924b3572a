// Saving over files that belong to others, have several names or stand
// behind a link, in folders that refuse new files; what reading a file reads,
// and the pages it refuses for want of memory.
// Where permissions matter the write runs as an unprivileged user.
#include "TestRegistry.h"
#include "Unprivileged.h"
#include "text/FileIo.h"
#include "text/SystemError.h"
#include "text/TextFile.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <climits>
#include <csignal>
#include <fcntl.h>
#include <future>
#include <memory>
#include <optional>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

void putFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(bytes), bytes.size());
}

struct stat statOf(const QString &path)
{
    struct stat st {};
    ::lstat(QFile::encodeName(path).constData(), &st);
    return st;
}

QStringList entries(const QString &dir)
{
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

enum class Owner { NoFile, Writer, Root, RootGroupWriter, Nobody };
enum class Target { NewFile, ExistingFile, StaleTemporaryFile, Fifo, FifoWithReader, Device };
enum class Link { None, HardLink, SymbolicLink };

const QByteArray Old("old text\r\n"), New("\x90\x56\x82\xB5\x82\xA2 new text\r\n");

} // namespace

class FileAccessTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    QString path(const QString &name) const { return m_dir->filePath(name); }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        ::chmod(QFile::encodeName(m_dir->path()).constData(), 0755); // for the unprivileged user
    }
    void cleanup()
    {
        ::chmod(QFile::encodeName(path(u"folder"_s)).constData(), 0755);
        m_dir.reset();
    }

    void savesKeepingOwnerLinksAndPermissions_data()
    {
        QTest::addColumn<bool>("unprivileged");
        QTest::addColumn<bool>("folderWritable");
        QTest::addColumn<Owner>("owner");
        QTest::addColumn<uint>("mode");
        QTest::addColumn<Link>("link");
        QTest::addColumn<bool>("saved");
        QTest::addColumn<bool>("inPlace");

        QTest::newRow("an ordinary file is replaced, keeping its permissions")
            << false << true << Owner::Writer << 0640u << Link::None << true << false;
        QTest::newRow("a file with a second name is written in place, both names show it")
            << false << true << Owner::Writer << 0644u << Link::HardLink << true << true;
        QTest::newRow("a symbolic link stays a link, the file it names is replaced")
            << false << true << Owner::Writer << 0644u << Link::SymbolicLink << true << false;
        QTest::newRow("root replaces another user's file, which stays theirs")
            << false << true << Owner::Nobody << 0600u << Link::None << true << false;
        QTest::newRow("root's world-writable file is written in place and stays root's")
            << true << true << Owner::Root << 0666u << Link::None << true << true;
        QTest::newRow("root's group-writable file is written in place and stays root's")
            << true << true << Owner::RootGroupWriter << 0664u << Link::None << true << true;
        QTest::newRow("a writable file in a folder the user may not write is written in place")
            << true << false << Owner::Writer << 0644u << Link::None << true << true;
        QTest::newRow("a read-only file in a writable folder is refused")
            << true << true << Owner::Writer << 0444u << Link::None << false << false;
        QTest::newRow("a new file in a folder the user may not write is refused")
            << true << false << Owner::NoFile << 0u << Link::None << false << false;
    }

    void savesKeepingOwnerLinksAndPermissions()
    {
        QFETCH(bool, unprivileged);
        QFETCH(bool, folderWritable);
        QFETCH(Owner, owner);
        QFETCH(uint, mode);
        QFETCH(Link, link);
        QFETCH(bool, saved);
        QFETCH(bool, inPlace);
        const bool root = ::geteuid() == 0;
        if (!root && owner != Owner::Writer && owner != Owner::NoFile)
            QSKIP("only root can give a file to another user");
        const uid_t writer = root && unprivileged ? 65534 : ::geteuid();

        const QString folder = path(u"folder"_s), page = path(u"folder/page.html"_s);
        QVERIFY(QDir(m_dir->path()).mkdir(u"folder"_s));
        if (owner != Owner::NoFile) {
            putFile(page, Old);
            const uid_t uid = owner == Owner::Writer ? writer : owner == Owner::Nobody ? 65534 : 0;
            const gid_t gid = owner == Owner::Writer || owner == Owner::Nobody ? uid
                              : owner == Owner::Root                           ? 0
                                                                               : 65534;
            QCOMPARE(::chown(QFile::encodeName(page).constData(), uid, gid), 0);
            QCOMPARE(::chmod(QFile::encodeName(page).constData(), mode), 0);
        }
        if (link == Link::HardLink)
            QCOMPARE(::link(QFile::encodeName(page).constData(),
                            QFile::encodeName(path(u"folder/copy.html"_s)).constData()),
                     0);
        if (link == Link::SymbolicLink)
            QVERIFY(QFile::link(u"page.html"_s, path(u"folder/link.html"_s)));
        QCOMPARE(::chown(QFile::encodeName(folder).constData(), writer, gid_t(-1)), 0);
        QCOMPARE(::chmod(QFile::encodeName(folder).constData(), folderWritable ? 0755 : 0555), 0);
        const struct stat before = statOf(page);
        const QStringList names = entries(folder);

        fileio::Written w;
        {
            std::optional<Unprivileged> as;
            if (unprivileged) {
                as.emplace();
                QVERIFY(as->active());
            }
            w = fileio::replace(link == Link::SymbolicLink ? path(u"folder/link.html"_s) : page, New);
        }
        QCOMPARE(w.ok, saved);
        const struct stat after = statOf(page);
        if (saved) {
            QCOMPARE(w.inPlace, inPlace);
            QCOMPARE(after.st_ino == before.st_ino, inPlace);
            QCOMPARE(fileBytes(page), New);
        } else {
            QCOMPARE(w.error, EACCES);
            QCOMPARE(fileBytes(page), owner == Owner::NoFile ? QByteArray("<unreadable>") : Old);
        }
        if (link == Link::HardLink)
            QCOMPARE(fileBytes(path(u"folder/copy.html"_s)), fileBytes(page));
        if (link == Link::SymbolicLink)
            QVERIFY(QFileInfo(path(u"folder/link.html"_s)).isSymLink());
        QCOMPARE(after.st_uid, before.st_uid);
        QCOMPARE(after.st_gid, before.st_gid);
        QCOMPARE(after.st_mode, before.st_mode);
        QCOMPARE(entries(folder), names);
    }

    // The helper may write only `limit` bytes to any file, as on a full disk;
    // the page has a second name, so it is written in place.
    void sizeLimitLeavesAFileWithTwoNamesAsItWas_data()
    {
        QTest::addColumn<QByteArray>("old");
        QTest::addColumn<QString>("limit");
        QTest::addColumn<QString>("characters"); // two bytes each
        QTest::newRow("a longer text") << Old << u"4096"_s << u"30000"_s;
        QTest::newRow("a shorter text, the old page past the limit")
            << QByteArray("old line\r\n").repeated(20000) << u"65536"_s << u"50000"_s;
    }
    void sizeLimitLeavesAFileWithTwoNamesAsItWas()
    {
        QFETCH(QByteArray, old);
        QFETCH(QString, limit);
        QFETCH(QString, characters);
        putFile(path(u"page.html"_s), old);
        QCOMPARE(::link(QFile::encodeName(path(u"page.html"_s)).constData(),
                        QFile::encodeName(path(u"other.html"_s)).constData()), 0);
        QVERIFY(QDir(m_dir->path()).mkdir(u"backups"_s));
        QProcess helper;
        helper.start(QStringLiteral(TEXT_WRITE_LIMITED),
                     {path(u"page.html"_s), limit, characters, path(u"backups"_s)});
        QVERIFY(helper.waitForFinished(30000));
        QCOMPARE(helper.exitCode(), 1);
        QVERIFY(helper.readAllStandardOutput().startsWith("fail untouched "));
        QVERIFY(fileBytes(path(u"page.html"_s)) == old);
        QVERIFY(fileBytes(path(u"other.html"_s)) == old);
        QCOMPARE(entries(m_dir->path()), (QStringList{u"backups"_s, u"other.html"_s, u"page.html"_s}));
        QCOMPARE(entries(path(u"backups"_s)), QStringList());
    }

    // The writer is killed during a large save. Replacing, nothing of it is
    // left in the folder; writing in place (a page with two names), the page
    // is whole or its old text is in the backup beside the program's files.
    void killedSaveLeavesNoTemporaryFileAndKeepsTheOldText_data()
    {
        QTest::addColumn<bool>("twoNames");
        QTest::newRow("replacing a page") << false;
        QTest::newRow("writing a page with two names in place") << true;
    }
    void killedSaveLeavesNoTemporaryFileAndKeepsTheOldText()
    {
        QFETCH(bool, twoNames);
        const QString folder = path(u"site"_s), page = path(u"site/page.html"_s),
                      backups = path(u"program"_s);
        QVERIFY(QDir(m_dir->path()).mkdir(u"site"_s) && QDir(m_dir->path()).mkdir(u"program"_s));
        const QByteArray old = QByteArray("old line\r\n").repeated(50 * 1024 * 1024 / 10);
        putFile(page, old);
        if (twoNames)
            QCOMPARE(::link(QFile::encodeName(page).constData(),
                            QFile::encodeName(path(u"other.html"_s)).constData()),
                     0);
        const int watch = ::open(QFile::encodeName(page).constData(), O_RDONLY | O_CLOEXEC);
        QVERIFY(watch >= 0);

        QProcess helper;
        helper.start(QStringLiteral(TEXT_WRITE_LIMITED),
                     {page, u"-"_s, QString::number(old.size() / 2), backups});
        QVERIFY(helper.waitForStarted());
        const QByteArray fdDir = "/proc/" + QByteArray::number(helper.processId()) + "/fd";
        // Killed once it writes: into a file in the folder, or over the page.
        auto writing = [&] {
            if (twoNames) {
                char head[2] = {};
                return ::pread(watch, head, 2, 0) == 2 && head[0] != 'o';
            }
            const QByteArray inFolder = QFile::encodeName(folder) + '/';
            for (int fd = 3; fd < 64; ++fd) {
                char target[PATH_MAX];
                const ssize_t n = ::readlink(QByteArray(fdDir + '/' + QByteArray::number(fd)).constData(),
                                             target, sizeof target);
                if (n > 0 && QByteArrayView(target, n).startsWith(inFolder))
                    return true;
            }
            return false;
        };
        while (!writing() && !helper.waitForFinished(0)) {
        }
        ::kill(pid_t(helper.processId()), SIGKILL);
        QVERIFY(helper.waitForFinished());
        ::close(watch);
        QCOMPARE(helper.exitStatus(), QProcess::CrashExit);

        QCOMPARE(entries(folder), QStringList{u"page.html"_s});
        if (!twoNames || fileBytes(page) == old)
            return;
        const QStringList kept = entries(backups);
        QCOMPARE(kept.size(), 1);
        QVERIFY(fileBytes(backups + u'/' + kept[0]) == old);
    }

    // Names of up to 255 bytes save, a temporary file of an earlier save that
    // was cut short goes, and what is no regular file is refused at once,
    // without being opened.
    void savesLegalNamesAndRefusesWhatIsNoFile_data()
    {
        QTest::addColumn<Target>("target");
        QTest::addColumn<QString>("reason"); // empty: saved

        QTest::newRow("a new file with a 250-byte name") << Target::NewFile << QString();
        QTest::newRow("a file with a 250-byte name") << Target::ExistingFile << QString();
        QTest::newRow("a page with a temporary file left by a save cut short")
            << Target::StaleTemporaryFile << QString();
        QTest::newRow("a named pipe nobody reads")
            << Target::Fifo << u"名前付きパイプ（FIFO）には保存できません。"_s;
        QTest::newRow("a named pipe with an idle reader")
            << Target::FifoWithReader << u"名前付きパイプ（FIFO）には保存できません。"_s;
        QTest::newRow("a link to a device")
            << Target::Device << u"デバイス（キャラクタデバイス）には保存できません。"_s;
    }
    void savesLegalNamesAndRefusesWhatIsNoFile()
    {
        QFETCH(Target, target);
        QFETCH(QString, reason);
        // 80 Japanese characters and ".html" make 245 bytes, five more make 250.
        const QString longName = QString(80, u'あ') + u"12345.html"_s;
        QCOMPARE(QFile::encodeName(longName).size(), 250);
        const QString name =
            target == Target::NewFile || target == Target::ExistingFile ? longName : u"page.html"_s;
        const QString file = path(name);
        int reader = -1;
        switch (target) {
        case Target::NewFile:
            break;
        case Target::ExistingFile:
            putFile(file, Old);
            break;
        case Target::StaleTemporaryFile:
            putFile(file, Old);
            putFile(path(u".page.html.tessara-Ab3xYz"_s), Old);
            break;
        case Target::Fifo:
        case Target::FifoWithReader:
            QCOMPARE(::mkfifo(QFile::encodeName(file).constData(), 0644), 0);
            if (target == Target::FifoWithReader)
                reader = ::open(QFile::encodeName(file).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
            break;
        case Target::Device:
            QVERIFY(QFile::link(u"/dev/null"_s, file));
            break;
        }

        auto write = std::async(std::launch::async,
                                [&] { return TextFile::writeText(file, u"新しい new text\r\n"_s); });
        if (write.wait_for(std::chrono::seconds(20)) != std::future_status::ready) {
            // Let a write that waits for a reader go on, then fail.
            const int unblock = ::open(QFile::encodeName(file).constData(), O_RDONLY | O_NONBLOCK);
            write.wait();
            ::close(unblock);
            QFAIL("the write waited for the other end of the pipe");
        }
        const TextFile::WriteResult w = write.get();
        char none[16];
        QVERIFY(reader < 0 || ::read(reader, none, sizeof none) <= 0); // nothing went into the pipe
        ::close(reader);
        QCOMPARE(w.reason, reason);
        QCOMPARE(w.ok, reason.isEmpty());
        if (w.ok)
            QCOMPARE(fileBytes(file), New);
        QCOMPARE(entries(m_dir->path()), QStringList{name});
    }

    // A file over the limit is refused before a byte of it is read: the
    // system reports no read of it. Its first lines can still be read.
    void refusesAFileOverItsLimitUnread()
    {
        const QString big = path(u"big.html"_s);
        putFile(big, "a\r\nb\r\nc");
        QCOMPARE(::truncate(QFile::encodeName(big).constData(), TextFile::MaxDocumentBytes + 1), 0);
        const int watch = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        QVERIFY(watch >= 0);
        QVERIFY(::inotify_add_watch(watch, QFile::encodeName(big).constData(), IN_ACCESS) >= 0);
        auto accessed = [watch] {
            char buf[4096];
            return ::read(watch, buf, sizeof buf) > 0;
        };

        const TextFile::DocumentRead doc = TextFile::readDocument(big);
        QVERIFY(!doc.ok);
        QVERIFY(doc.tooLarge);
        QVERIFY(doc.text.isEmpty());
        QVERIFY(doc.reason.contains(QString::number(TextFile::MaxDocumentBytes + 1)));
        const fileio::Read small = fileio::readAll(big, 5);
        QVERIFY(small.tooLarge && small.bytes.isEmpty());
        QCOMPARE(small.error, EFBIG);
        QVERIFY(!accessed());

        const TextFile::LinesRead head = TextFile::readLines(big, 6);
        QVERIFY(head.ok);
        QCOMPARE(head.lines, (QStringList{u"a"_s, u"b"_s}));
        QVERIFY(accessed()); // the watch does see reads
        ::close(watch);
    }

    // A page is refused, unread, when the memory the program may take cannot
    // hold it open, and the notice says how much it would take.
    void refusesAPageLargerThanMemoryAllows_data()
    {
        QTest::addColumn<qint64>("room");
        QTest::addColumn<QString>("reason");
        const qint64 mb = 1024 * 1024;
        QTest::newRow("the room for eight times the page") << 8 * (10 * mb + 1) << QString();
        QTest::newRow("a byte less") << 8 * (10 * mb + 1) - 1
                                     << u"ファイルが大きすぎます（10485761 バイト）。このページを開くには約 81 MB の"
                                        u"メモリが必要ですが、使えるメモリは約 80 MB です。"_s;
        QTest::newRow("no room at all") << qint64(0)
                                        << u"ファイルが大きすぎます（10485761 バイト）。このページを開くには約 81 MB の"
                                           u"メモリが必要ですが、使えるメモリは約 0 MB です。"_s;
    }
    void refusesAPageLargerThanMemoryAllows()
    {
        QFETCH(qint64, room);
        QFETCH(QString, reason);
        const QString page = path(u"page.html"_s);
        const QByteArray lines = QByteArray(QByteArray(98, 'a') + "\r\n").repeated(104857); // 10 MB - 60 bytes
        putFile(page, lines + QByteArray(61, 'a'));
        const TextFile::DocumentRead doc = TextFile::readDocument(page, room);
        QCOMPARE(doc.reason, reason);
        QCOMPARE(doc.ok, reason.isEmpty());
        QCOMPARE(doc.tooLarge, !reason.isEmpty());
        QCOMPARE(doc.text.size(), doc.ok ? 10 * 1024 * 1024 + 1 : 0);
    }

    // No error the system can give reaches the user as a bare number or in
    // the system's English: every one reads in Japanese.
    void everySystemErrorHasAJapaneseReason()
    {
        const QRegularExpression kana(u"[\u3041-\u30FF]"_s);
        for (int error = 1; error < 134; ++error)
            for (auto action : {syserror::Action::Read, syserror::Action::Write, syserror::Action::Remove,
                                syserror::Action::Folder}) {
                const QString reason = syserror::reason(error, action);
                const QRegularExpression number(u"(^|[^0-9A-Z])"_s + QString::number(error) + u"($|[^0-9])"_s);
                QVERIFY2(reason.contains(kana) && !reason.contains(number) && !reason.contains(u"番号"_s),
                         qPrintable(QString::number(error) + u": "_s + reason));
            }
    }

    void readsOnlyWholeLinesOfTheHead_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("maxBytes");
        QTest::addColumn<QStringList>("lines");
        const QByteArray file("F1\r\n\x93\xFA\x96\x7B\r\nlast");
        QTest::newRow("the whole file within the limit")
            << file << 14 << QStringList{u"F1"_s, u"日本"_s, u"last"_s};
        QTest::newRow("the limit cuts the last line") << file << 13 << QStringList{u"F1"_s, u"日本"_s};
        QTest::newRow("the limit right after a line end") << file << 10 << QStringList{u"F1"_s, u"日本"_s};
        QTest::newRow("the limit between CR and LF") << file << 9 << QStringList{u"F1"_s, u"日本"_s};
        QTest::newRow("the limit cuts a character") << file << 5 << QStringList{u"F1"_s};
        QTest::newRow("the limit cuts the first line") << file << 1 << QStringList{};
        QTest::newRow("a lone LF ends no line") << QByteArray("a\nb\r\nc") << 3 << QStringList{};
        QTest::newRow("a lone CR ends a line") << QByteArray("a\rbc") << 3 << QStringList{u"a"_s};
    }

    void readsOnlyWholeLinesOfTheHead()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, maxBytes);
        QFETCH(QStringList, lines);
        putFile(path(u"TagsShortCuts.dat"_s), bytes);
        const TextFile::LinesRead r = TextFile::readLines(path(u"TagsShortCuts.dat"_s), maxBytes);
        QVERIFY(r.ok);
        QCOMPARE(r.lines, lines);
    }
};

TESSARA_TEST_CLASS(FileAccessTest)
#include "FileAccessTest.moc"
