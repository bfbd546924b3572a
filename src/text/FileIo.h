#pragma once
// Reading and writing whole files, with the system's error number when the
// system refuses.
//
// Reading checks a file's size before reading it, so a file too large for
// its purpose costs nothing, and reads regular files only: a FIFO, a socket
// or a device is refused at once, without waiting for a writer.
//
// Writing replaces the file only when every byte reached the disk
// (FileWrite.cpp). The new bytes go to an unnamed temporary file in the
// target's folder (a short named one where the file system has no unnamed
// files), which gets the target's permissions, owner and group and is then
// renamed over the target: nothing appears in the folder meanwhile, and any
// legal name saves. Where that would harm or cannot work, the target is
// written in place instead: when the folder refuses new files, when the
// target has more than one hard link (the other names would keep the old
// text), or when its owner or group cannot be given to the new file. The old
// bytes are kept first, in memory and in a backup file (in case the program
// is ended meanwhile), and any failure puts them back with the old size. A
// symbolic link stays a link: the file it points to is written. A file that
// may not be written is never replaced; a pipe, socket or device is refused
// without being opened.
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
    int error = 0;        // errno of the step that failed; 0 for a target refused as notRegular
    bool inPlace = false; // the target was written in place
    // S_IFIFO, S_IFSOCK, S_IFCHR or S_IFBLK: the target is no regular file and
    // was refused at once; 0 otherwise.
    unsigned notRegular = 0;
    // After a failure: the file is as it was. False only when a write in place
    // could not put the old bytes back; `backup` then holds them.
    bool untouched = true;
    QString backup;
};

// Writes bytes as the whole file at path. A write in place keeps its backup in
// backupDir (empty: the target's own folder), or in the temporary folder
// where that refuses it; the backup is removed once the file is whole again.
Written replace(const QString &path, QByteArrayView bytes, const QString &backupDir = {});

} // namespace fileio
