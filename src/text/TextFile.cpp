#include "text/TextFile.h"

#include "text/Cp932.h"
#include "text/Detect.h"
#include "text/FileIo.h"
#include "text/MemoryRoom.h"
#include "text/SystemError.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <new>
#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace TextFile {
namespace {

template<typename Result>
bool readFailed(const fileio::Read &read, Result &result)
{
    if (read.ok)
        return false;
    result.systemError = read.error;
    result.tooLarge = read.tooLarge;
    result.reason = read.tooLarge ? u"ファイルが大きすぎます（%1 バイト）。編集できるのは %2 MB 未満のファイルです。"_s
                                        .arg(read.fileSize)
                                        .arg((MaxDocumentBytes + 1) / (1024 * 1024))
                    : read.fileType != 0 ? syserror::notAFile(read.fileType)
                                         : syserror::reason(read.error, syserror::Action::Read);
    return true;
}

// Characters beyond ASCII read from valid codes: a page that has more of them
// than invalid bytes is a page of its encoding with some damage, not a page
// of another encoding.
qsizetype readBeyondAscii(QStringView text)
{
    qsizetype n = 0;
    for (const QChar c : text)
        n += c.unicode() >= 0x80 && !keptbyte::is(c.unicode());
    return n;
}

template<typename Result>
void takeDecoded(Result &result, const DecodedText &decoded)
{
    result.firstKeptByte = decoded.firstKeptByte;
    result.keptByteCount = decoded.keptByteCount;
    result.ok = true;
}

qint64 megabytes(qint64 bytes) { return (bytes + 1024 * 1024 - 1) / (1024 * 1024); }

DocumentRead readDocumentWithin(const QString &path, qint64 memoryRoom)
{
    DocumentRead result;
    const qint64 memoryCap = memoryRoom / OpenMemoryPerByte;
    fileio::Read read = fileio::readAll(path, qMin(MaxDocumentBytes, memoryCap));
    if (read.tooLarge && read.fileSize <= MaxDocumentBytes) {
        // Within the size the edit box takes, but not within memory.
        result.systemError = ENOMEM;
        result.tooLarge = true;
        result.reason = u"ファイルが大きすぎます（%1 バイト）。このページを開くには約 %2 MB のメモリが必要ですが、"
                        u"使えるメモリは約 %3 MB です。"_s.arg(read.fileSize)
                            .arg(megabytes(read.fileSize * OpenMemoryPerByte))
                            .arg(memoryRoom / (1024 * 1024));
        return result;
    }
    if (readFailed(read, result))
        return result;
    const Encoding chosen = detect::encodingOf(read.bytes);
    encoding::Decoded decoded = encoding::decode(chosen, read.bytes);
    if (!decoded.encoding.habits.byteOrderMark) {
        const detect::Declaration declared = detect::declaration(read.bytes);
        if (declared.declares() && !declared.encoding)
            result.unsupportedLabel = declared.label;
        // A page whose bytes contradict its declaration: the encoding the
        // bytes themselves are read in, when it reads every one of them.
        const Encoding byBytes = detect::byBytes(read.bytes);
        // Shift_JIS, which reads nearly any bytes, only where the declared
        // reading has more invalid bytes than characters.
        if (decoded.keptByteCount > 0 && declared.encoding == chosen && byBytes != chosen &&
            (byBytes != Encoding::ShiftJis || decoded.keptByteCount > readBeyondAscii(decoded.text))) {
            encoding::Decoded other = encoding::decode(byBytes, read.bytes);
            if (other.keptByteCount == 0) {
                decoded = std::move(other);
                result.misdeclared = chosen;
            }
        }
    }
    read.bytes = QByteArray(); // the bytes go before the text is handed on
    read.storage.reset();
    const LongestLine longest = longestLine(decoded.text, decoded.encoding.lineEnd);
    if (longest.length > MaxLineLength) {
        result.systemError = EFBIG;
        result.lineTooLong = true;
        result.reason = u"%1 行目が長すぎます（%2 文字）。編集できるのは 1 行が %3 文字までのファイルです。"_s
                            .arg(longest.line)
                            .arg(longest.length)
                            .arg(MaxLineLength);
        return result;
    }
    takeDecoded(result, decoded);
    result.encoding = std::move(decoded.encoding);
    result.text = std::move(decoded.text);
    result.text.squeeze();
    return result;
}

WriteResult writeBytes(const QString &path, const EncodedText &encoded, QStringView text, Encoding encoding,
                       const QString &backupDir = {})
{
    WriteResult result;
    if (!encoded.ok) {
        result.failIndex = encoded.failIndex;
        result.failChar = encoded.failChar;
        result.failAt = textplace::lineColumnAt(text, encoded.failIndex);
        result.reason = unwritableReason(encoding, encoded.failChar, result.failAt);
        return result;
    }
    const fileio::Written w = fileio::replace(path, encoded.bytes, backupDir);
    if (!w.ok) {
        result.systemError = w.error;
        result.reason = w.notRegular ? syserror::notAFile(w.notRegular, syserror::Action::Write)
                                     : syserror::reason(w.error, syserror::Action::Write);
        result.untouched = w.untouched;
        result.backupPath = w.backup;
        if (!w.untouched)
            result.reason += u"\r\n"_s + damagedNotice(w.backup);
        return result;
    }
    result.ok = true;
    result.bytesWritten = encoded.bytes.size();
    return result;
}

} // namespace

bool fileExists(const QString &dir, const QString &name)
{
    if (name.isEmpty())
        return false;
    return QFileInfo(QDir(dir), name).isFile();
}

int lookupError(const QString &dir, const QString &name)
{
    if (name.isEmpty())
        return ENOENT;
    struct stat st {};
    if (::stat(QFile::encodeName(QDir(dir).filePath(name)).constData(), &st) != 0)
        return errno;
    return S_ISREG(st.st_mode) ? 0 : S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
}

QString lookupReason(const QString &dir, const QString &name)
{
    struct stat st {};
    if (!name.isEmpty() && ::stat(QFile::encodeName(QDir(dir).filePath(name)).constData(), &st) == 0)
        return S_ISREG(st.st_mode) ? QString() : syserror::notAFile(st.st_mode & S_IFMT);
    return syserror::reason(name.isEmpty() ? ENOENT : errno, syserror::Action::Read);
}

QStringList splitLines(QStringView text)
{
    QStringList lines;
    const qsizetype n = text.size();
    qsizetype start = 0;
    qsizetype i = 0;
    while (i < n) {
        if (text[i] != u'\r') {
            ++i;
            continue;
        }
        lines << text.sliced(start, i - start).toString();
        i += (i + 1 < n && text[i + 1] == u'\n') ? 2 : 1;
        start = i;
    }
    if (start < n)
        lines << text.sliced(start).toString();
    return lines;
}

QString joinLines(const QStringList &lines)
{
    qsizetype size = 0;
    for (const QString &line : lines)
        size += line.size() + 2;
    QString text;
    text.reserve(size);
    for (const QString &line : lines) {
        text += line;
        text += u"\r\n";
    }
    return text;
}

TextRead readText(const QString &path)
{
    TextRead result;
    const fileio::Read read = fileio::readAll(path, MaxDocumentBytes);
    if (readFailed(read, result))
        return result;
    DecodedText decoded = Cp932::decode(read.bytes);
    takeDecoded(result, decoded);
    result.text = std::move(decoded.text);
    return result;
}

LinesRead readLines(const QString &path)
{
    LinesRead result;
    TextRead text = readText(path);
    static_cast<ReadStatus &>(result) = text;
    if (text.ok)
        result.lines = splitLines(text.text);
    return result;
}

LinesRead readLines(const QString &path, qint64 maxBytes)
{
    LinesRead result;
    const fileio::Read read = fileio::readHead(path, maxBytes);
    if (readFailed(read, result))
        return result;
    QByteArrayView bytes = read.bytes;
    if (read.truncated) {
        // Only whole lines: up to the last CR. A line that CR ends is whole
        // whether or not an LF follows it past the limit.
        bytes = bytes.first(bytes.lastIndexOf('\r') + 1);
    }
    const DecodedText decoded = Cp932::decode(bytes);
    takeDecoded(result, decoded);
    result.lines = splitLines(decoded.text);
    return result;
}

DocumentRead readDocument(const QString &path, qint64 memoryRoom)
{
    try {
        return readDocumentWithin(path, memoryRoom);
    } catch (const std::bad_alloc &) {
        // Everything read so far has been given back on the way here.
        DocumentRead result;
        result.systemError = ENOMEM;
        result.reason = outOfMemoryReason();
        return result;
    }
}

DocumentRead readDocument(const QString &path) { return readDocument(path, memoryroom::now()); }

LongestLine longestLine(QStringView text, LineEnd end)
{
    LongestLine longest;
    qsizetype start = 0;
    const char16_t lineEnd = end == LineEnd::Lf ? u'\n' : u'\r';
    for (qsizetype line = 1;; ++line) {
        const qsizetype cr = text.indexOf(lineEnd, start);
        const qsizetype length = (cr < 0 ? text.size() : cr) - start;
        if (length > longest.length)
            longest = {length, line};
        if (cr < 0)
            return longest;
        start = cr + 1 + (cr + 1 < text.size() && text[cr + 1] == u'\n');
    }
}

QString outOfMemoryReason()
{
    return u"メモリが足りません。ほかのプログラムを終了するか、小さなファイルに分けてください。"_s;
}

WriteResult writeText(const QString &path, QStringView text)
{
    return writeBytes(path, Cp932::encode(text), text, Encoding::ShiftJis);
}

WriteResult writeLines(const QString &path, const QStringList &lines)
{
    return writeText(path, joinLines(lines));
}

WriteResult writeDocument(const QString &path, QStringView text, const DocumentEncoding &encoding,
                          const QString &backupDir)
{
    return writeBytes(path, encoding::encode(encoding, text), text, encoding.encoding, backupDir);
}

QString damagedNotice(const QString &backupPath)
{
    return u"ファイルが壊れているおそれがあります。元の内容は「%1」に残してあります。"_s.arg(backupPath);
}

QString unwritableReason(Encoding encoding, char32_t ch, textplace::LineColumn at)
{
    return u"%1 は %2 で保存できない文字です（%3 行 %4 列）。"_s.arg(textplace::describeChar(ch), encoding::name(encoding))
        .arg(at.line)
        .arg(at.column);
}

} // namespace TextFile
