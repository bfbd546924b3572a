#include "core/SizeText.h"

#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace sizetext
{

qint64 kilobytes(qint64 bytes)
{
    // Integer arithmetic rounds exactly at every size; a tie (a remainder of
    // exactly half a kilobyte) goes to the even count.
    const qint64 whole = bytes / 1024;
    const qint64 rest = bytes % 1024;
    if (rest > 512 || (rest == 512 && whole % 2 == 1))
        return whole + 1;
    return whole;
}

QString forLength(qint64 bytes)
{
    return QString::number(kilobytes(bytes)) + u" KB"_s;
}

QString forFile(const QString &path)
{
    const QFileInfo info(path);
    return forLength(info.isFile() ? info.size() : 0);
}

QString forDocument(const QString &path, const DocumentEncoding &encoding)
{
    QString text = forFile(path);
    if (encoding.encoding != Encoding::ShiftJis)
        text += u' ' + encoding::name(encoding.encoding);
    if (encoding.lineEnd == LineEnd::Lf)
        text += u" LF"_s;
    return text;
}

} // namespace sizetext
