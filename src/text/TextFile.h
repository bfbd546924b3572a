#pragma once
// The program's file access: Shift_JIS text, its line rules, and whole-file
// writes that never leave a truncated or half-written file behind.
//
// Every function reports success, and on failure a reason a user can read
// (the system's own message where the system refused).

#include "text/Cp932.h"

#include <QString>
#include <QStringList>
#include <QStringView>

namespace TextFile {

// A directory lookup of name in dir: true only for an existing regular file
// (or a link to one); a directory of that name is not a file.
bool fileExists(const QString &dir, const QString &name);

// The line rules: a line ends at CR LF or at a lone CR, which is not kept; a
// lone LF stays inside the line. The data ends after the last line whether or
// not that line ends with a break, so "" has no line and "\r\n" one empty line.
QStringList splitLines(QStringView text);
// Each line followed by CR LF, the last one included.
QString joinLines(const QStringList &lines);

struct ReadStatus
{
    bool ok = false;
    QString reason; // when !ok
    // Bytes that are not valid Shift_JIS, kept in the text as U+DC00 + byte
    // (see Cp932.h): offset of the first one in the file, -1 when none.
    qsizetype firstKeptByte = -1;
    qsizetype keptByteCount = 0;
};

struct TextRead : ReadStatus
{
    QString text;
};

struct LinesRead : ReadStatus
{
    QStringList lines;
};

// The whole file, decoded.
TextRead readText(const QString &path);
// The whole file, decoded and split by the line rules.
LinesRead readLines(const QString &path);

struct WriteResult
{
    bool ok = false;
    QString reason;          // when !ok
    qint64 bytesWritten = 0; // size of the file written
    int systemError = 0;     // errno of the step that failed, 0 when the system gave none
    // When a character cannot be written in Shift_JIS (nothing is written then):
    // its index in the text as written (lines joined by CR LF), the character
    // and where it is.
    qsizetype failIndex = -1;
    char32_t failChar = 0;
    Cp932::LineColumn failAt;
};

// Writes text (already joined) as the whole file. The file is replaced only
// when every byte was written: on failure the old file stays as it was.
WriteResult writeText(const QString &path, QStringView text);
// Writes each line followed by CR LF, the same way.
WriteResult writeLines(const QString &path, const QStringList &lines);

} // namespace TextFile
