#include "text/FileIo.h"

#include <QFile>

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <memory>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fileio {
namespace {

constexpr qint64 OwnMemoryFrom = 1024 * 1024;

// Closes a descriptor once, at the latest when it goes out of scope.
class Fd
{
public:
    explicit Fd(int fd = -1) : m_fd(fd) {}
    ~Fd() { close(); }
    Fd(const Fd &) = delete;
    Fd &operator=(const Fd &) = delete;
    int get() const { return m_fd; }
    bool valid() const { return m_fd >= 0; }
    // The error of the close, 0 when it succeeded.
    int close()
    {
        if (m_fd < 0)
            return 0;
        const int r = ::close(m_fd);
        m_fd = -1;
        return r == 0 ? 0 : errno;
    }

private:
    int m_fd;
};

Read failed(int error)
{
    Read r;
    r.error = error;
    return r;
}

Read readFrom(const QString &path, qint64 limit, bool head)
{
    const QByteArray native = QFile::encodeName(path);
    // Non-blocking, so that a pipe of that name does not wait for a writer.
    Fd fd(::open(native.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    struct stat st {};
    if (!fd.valid()) {
        const int e = errno;
        // A socket cannot be opened at all (ENXIO): say what it is.
        if (e == ENXIO && ::stat(native.constData(), &st) == 0 && !S_ISREG(st.st_mode)) {
            Read r = failed(e);
            r.fileType = st.st_mode & S_IFMT;
            return r;
        }
        return failed(e);
    }
    if (::fstat(fd.get(), &st) != 0)
        return failed(errno);
    if (!S_ISREG(st.st_mode)) {
        // A FIFO would wait for its writer, /dev/zero never ends and a
        // terminal waits for a key: none of them is a page.
        Read r = failed(S_ISDIR(st.st_mode) ? EISDIR : EINVAL);
        r.fileType = st.st_mode & S_IFMT;
        return r;
    }
    ::fcntl(fd.get(), F_SETFL, ::fcntl(fd.get(), F_GETFL) & ~O_NONBLOCK);

    Read r;
    r.fileSize = st.st_size;
    if (!head && st.st_size > limit) {
        r.tooLarge = true;
        r.error = EFBIG;
        return r;
    }
    // The file is read at its size (plus a byte to see it grow), never past the limit.
    qint64 want = qMin<qint64>(st.st_size, limit) + 1;
    qint64 got = 0;
    if (want >= OwnMemoryFrom) {
        // A large file's bytes go to memory of their own, given back whole
        // once they are decoded. From malloc, freeing so large a block would
        // make glibc keep blocks of that size in its heap from then on, where
        // the edit box's growing arrays would leave holes behind.
        auto own = std::shared_ptr<void>(::mmap(nullptr, size_t(want), PROT_READ | PROT_WRITE,
                                                MAP_PRIVATE | MAP_ANONYMOUS | MAP_POPULATE, -1, 0),
                                         [want](void *p) {
                                             if (p != MAP_FAILED)
                                                 ::munmap(p, size_t(want));
                                         });
        if (own.get() != MAP_FAILED) {
            char *data = static_cast<char *>(own.get());
            for (;;) {
                const ssize_t n = ::read(fd.get(), data + got, size_t(want - got));
                if (n < 0 && errno == EINTR)
                    continue;
                if (n < 0)
                    return failed(errno);
                if (n == 0 || (got += n) == want)
                    break;
            }
            if (got < want) { // the whole file, and it did not grow meanwhile
                r.storage = std::move(own);
                r.bytes = QByteArray::fromRawData(data, got);
                r.ok = true;
                return r;
            }
            r.bytes = QByteArray(data, got); // it grew: read on as any other file
        }
    }
    r.bytes.resize(qMax(want, got));
    for (;;) {
        if (got == r.bytes.size()) {
            if (got > limit)
                break;
            r.bytes.resize(qMin<qint64>(got * 2, limit + 1));
        }
        const ssize_t n = ::read(fd.get(), r.bytes.data() + got, size_t(r.bytes.size() - got));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return failed(errno);
        }
        if (n == 0)
            break;
        got += n;
    }
    if (got > limit) {
        if (!head) {
            r.bytes.clear();
            r.tooLarge = true;
            r.error = EFBIG;
            return r;
        }
        got = limit;
        r.truncated = true;
    }
    r.bytes.truncate(got);
    r.ok = true;
    return r;
}

// The file a path names once every symbolic link on the way is followed; the
// path itself when it is not a link (or the links go round in circles, which
// the write then reports).
QByteArray finalTarget(QByteArray path)
{
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
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

int writeAll(int fd, QByteArrayView bytes, off_t at)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::pwrite(fd, bytes.data() + done, size_t(bytes.size() - done), at + off_t(done));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        if (n == 0)
            return EIO;
        done += n;
    }
    return 0;
}

// Data on the disk before the file is used; a file system that cannot sync
// (a pipe, some network drives) is not an error.
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

Written writeInPlace(const QByteArray &target, QByteArrayView bytes)
{
    Fd fd(::open(target.constData(), O_WRONLY | O_CLOEXEC | O_NOCTTY));
    if (!fd.valid())
        return fail(errno, true);
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0)
        return fail(errno, true);
    // Room for the new text first: a full disk or a size limit shows here,
    // before a byte of the old text is touched. Where the file system cannot
    // reserve room, the part beyond the old end is written first, and taken
    // off again if it does not fit.
    const qsizetype oldSize = S_ISREG(st.st_mode) ? qsizetype(st.st_size) : 0;
    qsizetype head = bytes.size();
    if (S_ISREG(st.st_mode) && bytes.size() > oldSize &&
        ::fallocate(fd.get(), 0, 0, off_t(bytes.size())) != 0) {
        if (errno != EOPNOTSUPP && errno != ENOSYS && errno != EINVAL)
            return fail(errno, true);
        if (const int e = writeAll(fd.get(), bytes.sliced(oldSize), off_t(oldSize))) {
            // The old text is whole either way; only its end may have grown.
            [[maybe_unused]] const int shrunk = ::ftruncate(fd.get(), off_t(oldSize));
            return fail(e, true);
        }
        head = oldSize;
    }
    if (const int e = writeAll(fd.get(), bytes.first(head), 0))
        return fail(e, true);
    if (S_ISREG(st.st_mode) && ::ftruncate(fd.get(), off_t(bytes.size())) != 0)
        return fail(errno, true);
    if (const int e = syncData(fd.get()))
        return fail(e, true);
    if (const int e = fd.close())
        return fail(e, true);
    Written w;
    w.ok = true;
    w.inPlace = true;
    return w;
}

mode_t currentUmask()
{
    const mode_t m = ::umask(0);
    ::umask(m);
    return m;
}

} // namespace

Read readAll(const QString &path, qint64 limit) { return readFrom(path, limit, false); }

Read readHead(const QString &path, qint64 maxBytes) { return readFrom(path, maxBytes, true); }

Written replace(const QString &path, QByteArrayView bytes)
{
    const QByteArray target = finalTarget(QFile::encodeName(path));
    struct stat st {};
    const bool exists = ::stat(target.constData(), &st) == 0;
    if (!exists && errno != ENOENT)
        return fail(errno);
    if (exists && S_ISDIR(st.st_mode))
        return fail(EISDIR);
    // A file that may not be written is not replaced either, although the
    // folder would allow it.
    if (exists && ::faccessat(AT_FDCWD, target.constData(), W_OK, AT_EACCESS) != 0)
        return fail(errno);
    if (exists && (!S_ISREG(st.st_mode) || st.st_nlink > 1))
        return writeInPlace(target, bytes);

    const qsizetype slash = target.lastIndexOf('/');
    const QByteArray dir = slash > 0 ? target.left(slash) : slash == 0 ? QByteArray("/") : QByteArray(".");
    const QByteArray name = target.mid(slash + 1);
    QByteArray temp = dir + (dir.endsWith('/') ? "" : "/") + '.' + name + ".tessara-XXXXXX";
    Fd fd(::mkostemp(temp.data(), O_CLOEXEC));
    if (!fd.valid()) {
        const int e = errno;
        // A folder where files may not be created still lets its files be written.
        if (exists && e != ENOENT && e != ENOTDIR && e != ENAMETOOLONG)
            return writeInPlace(target, bytes);
        return fail(e);
    }
    auto discard = [&](int error) {
        fd.close();
        ::unlink(temp.constData());
        return fail(error);
    };

    if (exists) {
        struct stat mine {};
        if (::fstat(fd.get(), &mine) != 0)
            return discard(errno);
        if (mine.st_uid != st.st_uid || mine.st_gid != st.st_gid) {
            if (::fchown(fd.get(), st.st_uid, st.st_gid) != 0) {
                // The new file could not be the owner's: write the old one.
                fd.close();
                ::unlink(temp.constData());
                return writeInPlace(target, bytes);
            }
        }
        // After the owner: changing it clears the set-id bits.
        if (::fchmod(fd.get(), st.st_mode & 07777) != 0)
            return discard(errno);
    } else if (::fchmod(fd.get(), 0666 & ~currentUmask()) != 0) {
        return discard(errno);
    }

    if (const int e = writeAll(fd.get(), bytes, 0))
        return discard(e);
    if (const int e = syncData(fd.get()))
        return discard(e);
    if (const int e = fd.close()) {
        ::unlink(temp.constData());
        return fail(e);
    }
    if (::rename(temp.constData(), target.constData()) != 0) {
        const int e = errno;
        ::unlink(temp.constData());
        return fail(e);
    }
    Written w;
    w.ok = true;
    return w;
}

} // namespace fileio
