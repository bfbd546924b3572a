#pragma once
// The size text of ByteLbl: a file's length in whole kilobytes, rounded to the
// nearest with ties to the even count, followed by " KB". Large files show
// their true count (no 16-bit limit).
#include "text/Encoding.h"

#include <QString>

namespace sizetext
{

// The kilobyte count of a length in bytes.
qint64 kilobytes(qint64 bytes);
// "<count> KB".
QString forLength(qint64 bytes);
// The size text of a file as it is on disk now ("0 KB" when it cannot be measured).
QString forFile(const QString &path);
// The size text of a document's file, followed by the encoding's name when it
// is not Shift_JIS, and by LF when the page ends its lines so ("12 KB UTF-8 LF").
QString forDocument(const QString &path, const DocumentEncoding &encoding);

} // namespace sizetext
