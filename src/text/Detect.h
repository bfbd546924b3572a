#pragma once
// Deciding a document's encoding from its bytes, in this order:
// 1. a UTF-8 byte order mark (EF BB BF);
// 2. a charset declaration in the first 1024 bytes, found the way browsers
//    pre-scan a page: <meta charset="..."> or <meta http-equiv="Content-Type"
//    content="...; charset=...">, any letter case, quotes optional; a label
//    this program does not write (iso-8859-1, utf-16, ...) is no declaration;
// 3. the whole file valid UTF-8 with at least one character beyond ASCII;
// 4. otherwise Shift_JIS.
// UTF-16 byte order marks are not read: such a file is Shift_JIS, its bytes kept.
#include "text/Encoding.h"

#include <QByteArrayView>
#include <QStringView>

#include <optional>

namespace detect {

constexpr qsizetype PrescanBytes = 1024;

Encoding encodingOf(QByteArrayView bytes);
// The encoding the bytes themselves suggest, whatever they declare.
Encoding byBytes(QByteArrayView bytes);

// The encoding the first 1024 bytes declare, if any.
std::optional<Encoding> declared(QByteArrayView bytes);

// The label the first 1024 bytes declare (empty when none), and the encoding
// it names when the program writes it.
struct Declared
{
    QByteArray label;
    std::optional<Encoding> encoding;
};
Declared declaration(QByteArrayView bytes);

// A charset label as browsers read it (surrounding blanks ignored, any case).
std::optional<Encoding> forLabel(QByteArrayView label);

} // namespace detect
