#include "text/FileIo.h"
#include "text/Fd.h"

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

} // namespace

Read readAll(const QString &path, qint64 limit) { return readFrom(path, limit, false); }

Read readHead(const QString &path, qint64 maxBytes) { return readFrom(path, maxBytes, true); }

} // namespace fileio
