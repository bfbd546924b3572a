#pragma once
// Deciding a document's encoding from its bytes, in this order:
// 1. a byte order mark: UTF-8 (EF BB BF), UTF-16LE (FF FE), UTF-16BE (FE FF);
// 2. what the page declares in its first 1024 bytes, found the way browsers
//    pre-scan a page (declaration()): <meta charset="...">, <meta
//    http-equiv="Content-Type" content="...; charset=...">, else an XML
//    declaration at the very start (<?xml version="1.0" encoding="EUC-JP"?>);
//    a declaration of an encoding this program does not write counts for
//    nothing here;
// 3. the bytes alone (byBytes()): ISO-2022-JP, UTF-8, EUC-JP or Shift_JIS.
#include "text/Encoding.h"

#include <QByteArray>
#include <QByteArrayView>

#include <optional>

namespace detect {

constexpr qsizetype PrescanBytes = 1024;

// Where a page declares its encoding.
enum class Source {
    None,           // it does not
    MetaCharset,    // <meta charset="...">
    HttpEquiv,      // <meta http-equiv="Content-Type" content="...; charset=...">
    XmlDeclaration, // <?xml ... encoding="..."?>
};

// What a page declares, as browsers read it: the first meta (or, failing
// that, the XML declaration) whose label names an encoding of the Encoding
// Standard. UTF-16 labels mean UTF-8 there, x-user-defined windows-1252.
struct Declaration
{
    Source source = Source::None;
    // The label as written, blanks round it taken off ("EUC-JP", "gb2312").
    QByteArray label;
    // The Encoding Standard's name of the encoding browsers read the page in
    // ("EUC-JP", "windows-1252", "UTF-8" for a UTF-16 label).
    QByteArray standardName;
    // The encoding, when this program writes it.
    std::optional<Encoding> encoding;

    bool declares() const { return source != Source::None; }
    bool operator==(const Declaration &) const = default;
};

Declaration declaration(QByteArrayView bytes);

// The encoding the first 1024 bytes declare, when this program writes it.
std::optional<Encoding> declared(QByteArrayView bytes);

// The encoding the bytes alone point to, declarations and byte order marks
// unread: ISO-2022-JP for 7-bit text with its escape sequences; UTF-8 for
// valid UTF-8 with a character beyond ASCII; EUC-JP for valid EUC-JP that is
// not plausible Shift_JIS (it has bytes Shift_JIS does not read, or reads as
// user-defined characters; or it reads in EUC-JP as at least 4 characters, a
// fifth of them kana, with a byte E0-FE, where Shift_JIS would read
// half-width katakana and kanji of the second level or beyond); else
// Shift_JIS. A short text both read cleanly stays Shift_JIS.
Encoding byBytes(QByteArrayView bytes);

// The encoding a page is read in: byte order mark, declaration, bytes.
Encoding encodingOf(QByteArrayView bytes);

// A charset label as browsers read it (surrounding blanks ignored, any case),
// when this program writes its encoding. "cp932" is read as Shift_JIS too.
std::optional<Encoding> forLabel(QByteArrayView label);

// The Encoding Standard's name for a label, empty when it names no encoding.
QByteArray standardName(QByteArrayView label);

} // namespace detect
