#pragma once
// What every conversion between bytes and text gives back.
//
// Decoding never loses a byte: a byte that is not valid in the encoding is
// kept in the text as the character U+DC00 + byte (a lone low surrogate, which
// no valid text holds), and every encoder writes such a character back as the
// byte, so an unchanged document saves to the same bytes.
//
// Encoding never substitutes: a character the encoding cannot hold stops it,
// and the result names it.
#include "text/AltCodes.h"

#include <QByteArray>
#include <QChar>
#include <QString>

struct DecodedText
{
    QString text;
    // Byte offset of the first byte kept as U+DC00 + byte, -1 when every byte was valid.
    qsizetype firstKeptByte = -1;
    qsizetype keptByteCount = 0;
    // The characters the bytes wrote with another of their codes (see AltCodes.h).
    AltCodeChoice altCodes;
};

struct EncodedText
{
    bool ok = false;
    QByteArray bytes; // empty when !ok
    // When !ok: index in the text (UTF-16 units) of the character that cannot
    // be written, and that character as a full code point (surrogate pairs joined).
    qsizetype failIndex = -1;
    char32_t failChar = 0;
};

namespace keptbyte {
constexpr char16_t Base = 0xDC00;
inline bool is(char16_t ch) { return ch >= Base && ch <= Base + 0xFF; }
inline unsigned char value(char16_t ch) { return static_cast<unsigned char>(ch - Base); }
inline char16_t of(unsigned char byte) { return char16_t(Base + byte); }
} // namespace keptbyte

// The failure of an encoder at text[i]: the whole character, surrogate pairs joined.
inline EncodedText encodeFailure(const char16_t *text, qsizetype n, qsizetype i)
{
    EncodedText r;
    r.failIndex = i;
    r.failChar = text[i];
    if (QChar::isHighSurrogate(text[i]) && i + 1 < n && QChar::isLowSurrogate(text[i + 1]))
        r.failChar = QChar::surrogateToUcs4(text[i], text[i + 1]);
    return r;
}
