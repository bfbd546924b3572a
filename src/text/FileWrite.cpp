// The one writer of whole files (FileIo.h): an atomic replace through a
// temporary file that nobody sees, or, where replacing cannot work or would
// harm, a write in place that puts the old bytes back when it fails.
#include "text/Fd.h"
#include "text/FileIo.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <linux/fs.h>
#include <memory>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fileio
{
namespace
{

// Our temporary files are ".NAME.tessara-" and six letters (older builds left
// such files behind when they were ended during a save), or ".tessara-" and
// six letters where the page's name is too long for that.
constexpr char TempMark[] = ".tessara-";
constexpr qsizetype TempLetters = 6;

struct Place {
    QByteArray path; // the file written, symbolic links followed
    QByteArray dir;
    QByteArray name;
    QByteArray in(const QByteArray &entry) const { return dir + (dir.endsWith('/') ? "" : "/") + entry; }
};

// The file a path names once every symbolic link on the way is followed; the
// path itself when it is not a link (or the links go round in circles, which
// the write then reports).
QByteArray finalTarget(QByteArray path)
{
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {
        };
        if (::lstat(path.constData(), &st) != 0 || !S_ISLNK(st.st_mode))
            return path;
        char buf[PATH_MAX];
        const ssize_t n = ::readlink(path.constData(), buf, sizeof buf);
        if (n <= 0 || n >= ssize_t(sizeof buf))
            return path;
        QByteArray target(buf, n);
        if (!target.startsWith('/')) {
            const qsizetype slash = path.lastIndexOf('/');
            target = (slash >= 0 ? path.left(slash + 1) : QByteArray()) + target;
        }
        path = target;
    }
    return path;
}

Place placeOf(const QByteArray &target)
{
    const qsizetype slash = target.lastIndexOf('/');
    return {target,
            slash > 0    ? target.left(slash)
            : slash == 0 ? QByteArray("/")
                         : QByteArray("."),
            target.mid(slash + 1)};
}

// Writes all of bytes at `at`; `done` counts what reached the file, also when
// a later step fails.
int writeAll(int fd, QByteArrayView bytes, off_t at, qsizetype *done = nullptr)
{
    qsizetype written = 0;
    int error = 0;
    while (written < bytes.size()) {
        const ssize_t n =
            ::pwrite(fd, bytes.data() + written, size_t(bytes.size() - written), at + off_t(written));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            error = n < 0 ? errno : EIO;
            break;
        }
        written += n;
    }
    if (done)
        *done = written;
    return error;
}

// Data on the disk before the file is used; a file system that cannot sync
// (some network drives) is not an error.
int syncData(int fd)
{
    if (::fdatasync(fd) == 0 || errno == EINVAL || errno == EROFS || errno == ENOTSUP)
        return 0;
    return errno;
}

Written fail(int error, bool inPlace = false)
{
    Written w;
    w.error = error;
    w.inPlace = inPlace;
    return w;
}

Written succeeded(bool inPlace)
{
    Written w;
    w.ok = true;
    w.inPlace = inPlace;
    return w;
}

// Pipes, sockets and devices are refused before they are opened for writing:
// opening a pipe would wait for a reader, and none of them holds a page.
Written refuse(mode_t mode)
{
    Written w;
    w.notRegular = unsigned(mode & S_IFMT);
    return w;
}

mode_t currentUmask()
{
    const mode_t m = ::umask(0);
    ::umask(m);
    return m;
}

bool isTempLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

// A new temporary name beside the target, short enough for any legal name.
QByteArray tempName(const Place &p)
{
    static constexpr char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    QByteArray name = '.' + p.name + TempMark;
    if (name.size() + TempLetters > NAME_MAX)
        name = TempMark;
    for (qsizetype i = 0; i < TempLetters; ++i)
        name += letters[QRandomGenerator::global()->bounded(int(sizeof letters - 1))];
    return p.in(name);
}

// A temporary file of ours left beside the page by a save that was cut short
// (ours: a regular file of this user with the page's temporary name) goes
// when the page is saved again.
void removeStaleTemps(const Place &p)
{
    const QByteArray mark = '.' + p.name + TempMark;
    if (mark.size() + TempLetters > NAME_MAX)
        return;
    DIR *dir = ::opendir(p.dir.constData());
    if (!dir)
        return;
    while (const dirent *e = ::readdir(dir)) {
        const QByteArrayView name(e->d_name);
        if (name.size() != mark.size() + TempLetters || !name.startsWith(mark))
            continue;
        const QByteArrayView letters = name.sliced(mark.size());
        if (!std::all_of(letters.begin(), letters.end(), isTempLetter))
            continue;
        struct stat st {
        };
        if (::fstatat(::dirfd(dir), e->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(st.st_mode) &&
            st.st_uid == ::geteuid() && st.st_nlink == 1)
            ::unlinkat(::dirfd(dir), e->d_name, 0);
    }
    ::closedir(dir);
}

// The new file of an atomic replace: unnamed where the file system can make
// one (nothing appears in the folder while it is written), otherwise under a
// short temporary name. Removed unless it was given the target's name.
class TempFile
{
  public:
    ~TempFile()
    {
        m_fd.close();
        if (!m_name.isEmpty())
            ::unlink(m_name.constData());
    }

    int open(const Place &p)
    {
        m_fd.reset(::open(p.dir.constData(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600));
        if (m_fd.valid())
            return 0;
        // The file system (or the kernel) has no unnamed files.
        if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)
            return errno;
        for (int tries = 0; tries < 100; ++tries) {
            const QByteArray name = tempName(p);
            m_fd.reset(::open(name.constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600));
            if (m_fd.valid()) {
                m_name = name;
                return 0;
            }
            if (errno != EEXIST)
                return errno;
        }
        return EEXIST;
    }

    int fd() const { return m_fd.get(); }

    // Gives the written file the target's name. A new page gets it at once; a
    // page that exists is replaced by a rename from a short temporary name.
    int commit(const Place &p, bool exists)
    {
        bool linkedAsTarget = false;
        if (m_name.isEmpty()) {
            int e = exists ? EEXIST : link(p.path);
            linkedAsTarget = e == 0;
            for (int tries = 0; e == EEXIST && tries < 100; ++tries) {
                const QByteArray name = tempName(p);
                e = link(name);
                if (e == 0)
                    m_name = name;
            }
            if (e != 0)
                return e;
        }
        if (const int e = m_fd.close())
            return linkedAsTarget ? 0 : e; // its bytes are synced and named already
        if (!linkedAsTarget && ::rename(m_name.constData(), p.path.constData()) != 0)
            return errno;
        m_name.clear();
        return 0;
    }

  private:
    int link(const QByteArray &to)
    {
        char proc[48];
        std::snprintf(proc, sizeof proc, "/proc/self/fd/%d", m_fd.get());
        if (::linkat(AT_FDCWD, proc, AT_FDCWD, to.constData(), AT_SYMLINK_FOLLOW) == 0)
            return 0;
        if (errno != ENOENT || ::access("/proc/self/fd", F_OK) == 0)
            return errno;
        // No /proc: only a privileged process may link a descriptor itself.
        return ::linkat(m_fd.get(), "", AT_FDCWD, to.constData(), AT_EMPTY_PATH) == 0 ? 0 : errno;
    }

    Fd m_fd;
    QByteArray m_name; // while the file has a temporary name
};

// The old bytes of a file written in place, in memory for putting them back.
struct OldBytes {
    std::unique_ptr<char, decltype(&std::free)> data{nullptr, &std::free};
    qsizetype size = 0;
    QByteArrayView view() const { return {data.get(), size}; }
};

int readOld(int fd, qsizetype size, OldBytes &old)
{
    old.data.reset(static_cast<char *>(std::malloc(size_t(size) + 1)));
    if (!old.data)
        return ENOMEM;
    while (old.size < size) {
        const ssize_t n = ::pread(fd, old.data.get() + old.size, size_t(size - old.size), off_t(old.size));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return errno;
        if (n == 0)
            break;
        old.size += n;
    }
    return 0;
}

// The old bytes in a new file in the first folder that takes one, in case
// the program is ended before the write is done. Private to the user, as the
// page may be.
int writeBackup(const QByteArrayList &dirs, const QByteArray &name, QByteArrayView old, QByteArray &path)
{
    int error = ENOENT;
    for (const QByteArray &dir : dirs) {
        QByteArray base = name + ".tessara-backup-";
        if (base.size() + 6 > NAME_MAX)
            base = "tessara-backup-";
        QByteArray pattern = dir + (dir.endsWith('/') ? "" : "/") + base + "XXXXXX";
        Fd fd(::mkostemp(pattern.data(), O_CLOEXEC));
        if (!fd.valid()) {
            error = errno;
            continue;
        }
        error = writeAll(fd.get(), old, 0);
        // Sent on its way to the disk, not waited for: the backup is there for
        // a program that is ended mid-write, whose written bytes the system
        // keeps, and waiting would double the cost of the save.
        if (error == 0)
            ::sync_file_range(fd.get(), 0, 0, SYNC_FILE_RANGE_WRITE);
        if (error == 0)
            error = fd.close();
        if (error == 0) {
            path = pattern;
            return 0;
        }
        ::unlink(pattern.constData());
    }
    return error;
}

constexpr int NoClone = -1;

// On a copy-on-write file system the new bytes go to an unnamed file first,
// where a full disk shows before the page is touched, and are then cloned
// into the page. NoClone where the file system cannot clone (checked with an
// empty file, before anything is written).
int cloneInto(int fd, const Place &p, QByteArrayView bytes, qsizetype oldSize, qsizetype &changed)
{
    Fd temp(::open(p.dir.constData(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600));
    if (!temp.valid() || ::ioctl(fd, FICLONE, temp.get()) != 0)
        return NoClone;
    if (const int e = writeAll(temp.get(), bytes, 0))
        return e;
    // A clone ending in a partial block may not land inside the page: it is
    // made as short as the new text first.
    changed = qMax(oldSize, qsizetype(bytes.size()));
    if (bytes.size() < oldSize && ::ftruncate(fd, off_t(bytes.size())) != 0)
        return errno;
    return ::ioctl(fd, FICLONE, temp.get()) == 0 ? 0 : errno;
}

// Room for the whole new text, holes of a sparse page included, without
// changing the page's size. Where the file system cannot reserve, a full disk
// shows while writing, and the old bytes go back.
int reserve(int fd, qsizetype oldSize, qsizetype newSize)
{
    if (newSize == 0 || ::fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, off_t(newSize)) == 0)
        return 0;
    const int e = errno;
    if (e == EOPNOTSUPP || e == ENOSYS || e == EINVAL)
        return 0;
    if (newSize > oldSize) // what a part of the reservation took past the end
        ::fallocate(fd, FALLOC_FL_PUNCH_HOLE | FALLOC_FL_KEEP_SIZE, off_t(oldSize), off_t(newSize - oldSize));
    return e;
}

// Puts the old bytes back over what changed, and the old size. The file is
// as it was only when every step of that succeeded.
Written putBack(int fd, const OldBytes &old, qsizetype changed, qsizetype newSize, int error)
{
    Written w = fail(error, true);
    bool ok = writeAll(fd, old.view().first(qMin(changed, old.size)), 0) == 0;
    struct stat now {
    };
    ok = ok && ::fstat(fd, &now) == 0;
    if (ok && now.st_size != old.size)
        ok = ::ftruncate(fd, off_t(old.size)) == 0;
    ok = ok && syncData(fd) == 0;
    if (newSize > old.size)
        ::fallocate(fd, FALLOC_FL_PUNCH_HOLE | FALLOC_FL_KEEP_SIZE, off_t(old.size),
                    off_t(newSize - old.size));
    w.untouched = ok;
    return w;
}

// The new bytes over the old ones; on any failure the old ones go back.
Written writeOver(Fd &fd, const Place &p, const OldBytes &old, QByteArrayView bytes)
{
    const qsizetype newSize = bytes.size();
    qsizetype changed = 0; // how far the file may differ from the old bytes
    const int cloned = cloneInto(fd.get(), p, bytes, old.size, changed);
    if (cloned > 0)
        return changed ? putBack(fd.get(), old, changed, newSize, cloned) : fail(cloned, true);
    if (cloned == NoClone) {
        if (const int e = reserve(fd.get(), old.size, newSize))
            return fail(e, true);
        if (const int e = writeAll(fd.get(), bytes, 0, &changed))
            return putBack(fd.get(), old, changed, newSize, e);
        if (newSize < old.size && ::ftruncate(fd.get(), off_t(newSize)) != 0)
            return putBack(fd.get(), old, old.size, newSize, errno);
    }
    if (const int e = syncData(fd.get()))
        return putBack(fd.get(), old, qMax(old.size, newSize), newSize, e);
    if (const int e = fd.close()) {
        Fd again(::open(p.path.constData(), O_WRONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
        Written w =
            again.valid() ? putBack(again.get(), old, qMax(old.size, newSize), newSize, e) : fail(e, true);
        w.untouched = w.untouched && again.valid();
        return w;
    }
    return succeeded(true);
}

// Writes the page in place: the old bytes are kept, in memory and in a
// backup file, before the first of them is overwritten; a failure puts them
// back. The backup goes once the file is whole again, old or new; where even
// putting back failed it stays, and the result names it.
Written writeInPlace(const Place &p, QByteArrayView bytes, const QString &backupDir)
{
    Fd fd(::open(p.path.constData(), O_RDWR | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (!fd.valid())
        return fail(errno, true);
    struct stat st {
    };
    if (::fstat(fd.get(), &st) != 0)
        return fail(errno, true);
    if (!S_ISREG(st.st_mode))
        return refuse(st.st_mode);
    OldBytes old;
    if (const int e = readOld(fd.get(), qsizetype(st.st_size), old))
        return fail(e, true);
    QByteArrayList dirs{backupDir.isEmpty() ? p.dir : QFile::encodeName(backupDir)};
    if (const QByteArray temp = QFile::encodeName(QDir::tempPath()); !dirs.contains(temp))
        dirs << temp;
    QByteArray backup;
    if (const int e = writeBackup(dirs, p.name, old.view(), backup))
        return fail(e, true);
    Written w = writeOver(fd, p, old, bytes);
    if (w.ok || w.untouched)
        ::unlink(backup.constData());
    else
        w.backup = QFile::decodeName(backup);
    return w;
}

} // namespace

Written replace(const QString &path, QByteArrayView bytes, const QString &backupDir)
{
    const Place p = placeOf(finalTarget(QFile::encodeName(path)));
    struct stat st {
    };
    const bool exists = ::stat(p.path.constData(), &st) == 0;
    if (!exists && errno != ENOENT)
        return fail(errno);
    if (exists && S_ISDIR(st.st_mode))
        return fail(EISDIR);
    if (exists && !S_ISREG(st.st_mode))
        return refuse(st.st_mode);
    // A file that may not be written is not replaced either, although the
    // folder would allow it.
    if (exists && ::faccessat(AT_FDCWD, p.path.constData(), W_OK, AT_EACCESS) != 0)
        return fail(errno);
    removeStaleTemps(p);
    if (exists && st.st_nlink > 1)
        return writeInPlace(p, bytes, backupDir);

    TempFile temp;
    if (const int e = temp.open(p)) {
        // A folder where files may not be created still lets its files be written.
        if (exists && e != ENOENT && e != ENOTDIR)
            return writeInPlace(p, bytes, backupDir);
        return fail(e);
    }
    if (exists) {
        struct stat mine {
        };
        if (::fstat(temp.fd(), &mine) != 0)
            return fail(errno);
        // A new file that could not be the owner's: the old one is written.
        if ((mine.st_uid != st.st_uid || mine.st_gid != st.st_gid) &&
            ::fchown(temp.fd(), st.st_uid, st.st_gid) != 0)
            return writeInPlace(p, bytes, backupDir);
        // After the owner: changing it clears the set-id bits.
        if (::fchmod(temp.fd(), st.st_mode & 07777) != 0)
            return fail(errno);
    } else if (::fchmod(temp.fd(), 0666 & ~currentUmask()) != 0) {
        return fail(errno);
    }
    if (const int e = writeAll(temp.fd(), bytes, 0))
        return fail(e);
    if (const int e = syncData(temp.fd()))
        return fail(e);
    if (const int e = temp.commit(p, exists))
        return fail(e);
    return succeeded(false);
}

} // namespace fileio
