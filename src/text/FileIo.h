#pragma once
// Reading and writing whole files, with the system's error number when the
// system refuses.
//
// Reading checks a file's size before reading it, so a file too large for
// its purpose costs nothing, and reads regular files only: a FIFO, a socket
// or a device is refused at once, without waiting for a writer.
//
// Writing replaces the file only when every byte reached the disk. It writes
// a temporary file beside the target and renames it over the target, keeping
// the target's permissions, owner and group. Where that would harm or cannot
// work, the target is written in place instead, after room for the new bytes
// has been reserved: when the folder refuses the temporary file, when the
// target has more than one hard link (the other names would keep the old
// text), or when its owner or group cannot be given to the new file. A
// symbolic link stays a link: the file it points to is written. A file that
// may not be written is never replaced.
#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <memory>

namespace fileio {

struct Read
{
    bool ok = false;
    int error = 0;         // errno when !ok; EFBIG when over the limit
    bool tooLarge = false; // readAll: larger than the limit, nothing read
    // What the path names when it is no regular file (st_mode & S_IFMT: a
    // folder, a FIFO, a socket, a device); nothing is read from it then.
    unsigned fileType = 0;
    bool truncated = false; // readHead: the file goes on past what was read
    qint64 fileSize = 0;   // the size the file had when it was opened
    QByteArray bytes;      // valid as long as this Read (or a copy of it) lives
    std::shared_ptr<void> storage; // where a large file's bytes are, when not in bytes' own
};

// The whole of a file of at most `limit` bytes.
Read readAll(const QString &path, qint64 limit);
// The first `maxBytes` bytes of a file, for files whose format holds no more.
Read readHead(const QString &path, qint64 maxBytes);

struct Written
{
    bool ok = false;
    int error = 0; // errno of the step that failed
    bool inPlace = false; // the target was written in place
};

Written replace(const QString &path, QByteArrayView bytes);

} // namespace fileio
