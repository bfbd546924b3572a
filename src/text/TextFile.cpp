#include "text/TextFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstring>

using namespace Qt::StringLiterals;

namespace TextFile {
namespace {

QString systemReason(int err)
{
    return QString::fromLocal8Bit(std::strerror(err));
}

// Reads the whole file as bytes; false with a reason when it cannot be read.
bool readBytes(const QString &path, QByteArray &bytes, QString &reason)
{
    const QFileInfo info(path);
    if (!info.exists()) {
        reason = u"ファイルが見つかりません。"_s;
        return false;
    }
    if (info.isDir()) {
        reason = u"ファイルではなくフォルダーです。"_s;
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        reason = file.errorString();
        return false;
    }
    bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        reason = file.errorString();
        return false;
    }
    return true;
}

template<typename Result>
bool readDecoded(const QString &path, Result &result, QString &text)
{
    QByteArray bytes;
    if (!readBytes(path, bytes, result.reason))
        return false;
    Cp932::DecodeResult decoded = Cp932::decode(bytes);
    text = std::move(decoded.text);
    result.firstKeptByte = decoded.firstKeptByte;
    result.keptByteCount = decoded.keptByteCount;
    result.ok = true;
    return true;
}

} // namespace

bool fileExists(const QString &dir, const QString &name)
{
    if (name.isEmpty())
        return false;
    return QFileInfo(QDir(dir), name).isFile();
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
    readDecoded(path, result, result.text);
    return result;
}

LinesRead readLines(const QString &path)
{
    LinesRead result;
    QString text;
    if (readDecoded(path, result, text))
        result.lines = splitLines(text);
    return result;
}

WriteResult writeText(const QString &path, QStringView text)
{
    WriteResult result;
    const Cp932::EncodeResult encoded = Cp932::encode(text);
    if (!encoded.ok) {
        result.failIndex = encoded.failIndex;
        result.failChar = encoded.failChar;
        result.failAt = Cp932::lineColumnAt(text, encoded.failIndex);
        result.reason = u"%1 は Shift_JIS で保存できない文字です（%2 行 %3 列）。"_s
                            .arg(Cp932::describeChar(encoded.failChar))
                            .arg(result.failAt.line)
                            .arg(result.failAt.column);
        return result;
    }

    // Unbuffered: every byte reaches the temporary file inside write(), so a
    // failure shows there and not in a final flush that commit() may not report.
    QSaveFile file(path);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        result.systemError = errno;
        result.reason = file.errorString();
        return result;
    }
    const QByteArray &bytes = encoded.bytes;
    errno = 0;
    const qint64 written = file.write(bytes);
    if (written != bytes.size()) {
        const int err = errno;
        result.systemError = err;
        result.reason = file.error() != QFileDevice::NoError || err == 0 ? file.errorString()
                                                                          : systemReason(err);
        file.cancelWriting();
        return result;
    }
    errno = 0;
    if (!file.commit()) {
        result.systemError = errno;
        result.reason = file.errorString();
        return result;
    }
    result.ok = true;
    result.bytesWritten = written;
    return result;
}

WriteResult writeLines(const QString &path, const QStringList &lines)
{
    return writeText(path, joinLines(lines));
}

} // namespace TextFile
