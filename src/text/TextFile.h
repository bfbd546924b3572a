#pragma once
// The program's file access: documents in their own encoding, the program's
// own files in Shift_JIS, the line rules, and whole-file writes that never
// leave a truncated or half-written file behind (FileIo.h).
//
// Every function reports success, and on failure a reason in Japanese taken
// from the system's error number (SystemError.h).
#include "text/TextPlace.h"
#include "text/Encoding.h"

#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

namespace TextFile {

// The largest document the edit box is given. The edit box addresses its
// text with 32-bit positions and holds a lone CR as CR LF, so a file of this
// size reads into at most 2^31 - 2 characters; the check is made before a
// byte is read.
constexpr qint64 MaxDocumentBytes = (qint64(1) << 30) - 1;
// What opening a page costs at its peak, per byte of the file: the bytes, the
// decoded text (two bytes a character), the text as the edit box's document
// holds it and its layout. Measured on ASCII pages, the worst case: the
// resident size grows by 5.2 times the page at its peak (bench_open_memory,
// 10 and 100 MB), the address space by 7.1 times (the program given a 200 MB
// page, VmPeak), which an address-space limit counts. A page is refused when
// the memory the program may still take (MemoryRoom.h) is less than this
// many times its size.
constexpr qint64 OpenMemoryPerByte = 8;
// The longest line the edit box is given, in characters. Qt's text layout
// lays out a paragraph as a whole: it fails (ends the program in a segfault)
// on lines of hundreds of millions of characters, and a line without a place
// to break takes time in proportion to the square of its length. Measured on
// a QPlainTextEdit 800 pixels wide under the offscreen platform, wrapping as
// the edit box does, shown and scrolled to its end:
//   a line of words (8 characters and a space):  1 M characters 3.5 s,
//       8 M 20 s, 32 M 70 s (1.3 GB); at 128 M the layout gives up and the
//       line is not shown; a billion NULs end the program (SIGSEGV);
//   a line of one character repeated ('a', NUL): 100 K characters 2.9 s,
//       300 K characters 22 s, 1 M characters more than 100 s.
// A page of a longer line is refused as a page too large is; a longer line
// the user makes by editing is the user's to make.
constexpr qsizetype MaxLineLength = 1 << 20;

// A directory lookup of name in dir: true only for an existing regular file
// (or a link to one); a directory of that name is not a file.
bool fileExists(const QString &dir, const QString &name);
// Why that lookup finds no regular file: ENOENT, EACCES (a folder that may
// not be entered), EISDIR (a folder of that name), ...; 0 when it finds one.
int lookupError(const QString &dir, const QString &name);
// The same, in Japanese: a FIFO, a socket or a device is named as such.
QString lookupReason(const QString &dir, const QString &name);

// The line rules: a line ends at CR LF or at a lone CR, which is not kept; a
// lone LF stays inside the line. The data ends after the last line whether or
// not that line ends with a break, so "" has no line and "\r\n" one empty line.
QStringList splitLines(QStringView text);
// Each line followed by CR LF, the last one included.
QString joinLines(const QStringList &lines);

struct ReadStatus
{
    bool ok = false;
    QString reason;        // when !ok
    int systemError = 0;   // errno when !ok (EFBIG for a file over the limit)
    bool tooLarge = false; // the file is larger than it may be (or than memory allows): nothing was read
    bool lineTooLong = false; // a line is longer than MaxLineLength: no text is given
    // Bytes that are not valid in the encoding, kept in the text as U+DC00 +
    // byte (see Conversion.h): offset of the first one in the file, -1 when none.
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

struct DocumentRead : ReadStatus
{
    QString text; // decoded, line ends as in the file
    DocumentEncoding encoding;
    // The encoding the page declares when its bytes are not valid in it and
    // another encoding reads them whole: the page was read in that other one.
    std::optional<Encoding> misdeclared;
    // The label of an encoding the page declares that the program cannot
    // write ("gb2312"); empty otherwise.
    QByteArray unsupportedLabel;
};

// A program file, whole, in Shift_JIS.
TextRead readText(const QString &path);
// A program file, whole, in Shift_JIS, split by the line rules.
LinesRead readLines(const QString &path);
// The first maxBytes of a program file whose format holds no more; a line
// that the limit cuts off is left out.
LinesRead readLines(const QString &path, qint64 maxBytes);
// A document: its encoding decided from its bytes (Detect.h), at most
// MaxDocumentBytes and at most what memoryRoom bytes of memory can open, with
// no line longer than MaxLineLength. Running out of memory while reading is
// reported as a failure, not thrown.
DocumentRead readDocument(const QString &path, qint64 memoryRoom);
// The same with the memory the program may take now.
DocumentRead readDocument(const QString &path);

// The longest run of characters between two line ends (CR, or LF for a page
// whose line end is LF: the edit box's paragraphs), and the number (from 1)
// of the first line that long.
struct LongestLine
{
    qsizetype length = 0;
    qsizetype line = 0;
};
LongestLine longestLine(QStringView text, LineEnd end = LineEnd::CrLf);

// Why memory ran out, and what the user can do about it.
QString outOfMemoryReason();

struct WriteResult
{
    bool ok = false;
    QString reason;          // when !ok
    qint64 bytesWritten = 0; // size of the file written
    int systemError = 0;     // errno of the step that failed, 0 when the system gave none
    // After a failure: the file on disk is as it was. False only when a write
    // in place could not put the old text back; reason then says so and names
    // backupPath, the file that holds the old text.
    bool untouched = true;
    QString backupPath;
    // When a character cannot be written in the encoding (nothing is written
    // then): its index in the text as written, the character and where it is.
    qsizetype failIndex = -1;
    char32_t failChar = 0;
    textplace::LineColumn failAt;
};

// Writes text (already joined) as the whole file in Shift_JIS. The file is
// replaced only when every byte was written: on failure it stays as it was.
WriteResult writeText(const QString &path, QStringView text);
// Writes each line followed by CR LF, the same way.
WriteResult writeLines(const QString &path, const QStringList &lines);
// Writes a document in its encoding, the same way. Where the document is
// written in place, the backup of its old text goes to backupDir (the
// program's own folder; empty: the document's folder).
WriteResult writeDocument(const QString &path, QStringView text, const DocumentEncoding &encoding,
                          const QString &backupDir = {});

// What a notice says when a failed write in place could not put the old text
// back: the file may be damaged, and where its old text is.
QString damagedNotice(const QString &backupPath);

// "「😀」(U+1F600) は Shift_JIS で保存できない文字です（3 行 2 列）。"
QString unwritableReason(Encoding encoding, char32_t ch, textplace::LineColumn at);

} // namespace TextFile
