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
#include <QByteArray>
#include <QChar>
#include <QHash>
#include <QString>

#include <cstdint>
#include <cstring>
#include <vector>

// A character at a place in a text (index in UTF-16 units) with the code it
// was read from or is to be written with; code 0 is the character's usual code.
struct CodeAt
{
    qsizetype index = 0;
    std::uint32_t code = 0;
    bool operator==(const CodeAt &) const = default;
};
using CodesAt = std::vector<CodeAt>;

// Character -> the code a document writes it with, for the characters it did
// not write with their usual code (AltCodes.h). Codes are the bytes as one
// number (0xEEE0, or 0x8FF4FB for three bytes).
using AltCodeChoice = QHash<char16_t, std::uint32_t>;

struct DecodedText
{
    QString text;
    // Byte offset of the first byte kept as U+DC00 + byte, -1 when every byte was valid.
    qsizetype firstKeptByte = -1;
    qsizetype keptByteCount = 0;
    // The characters the bytes wrote with another of their codes (see AltCodes.h):
    // the code each takes in new text, and every place one was read so, in order.
    AltCodeChoice altCodes;
    CodesAt codesRead;
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

// Writes count bytes from in[at] as kept characters at out, and notes them
// in the result (the first one's offset, the count).
inline char16_t *keep(DecodedText &result, const unsigned char *in, qsizetype at, int count, char16_t *out)
{
    if (result.firstKeptByte < 0)
        result.firstKeptByte = at;
    result.keptByteCount += count;
    for (int k = 0; k < count; ++k)
        *out++ = of(in[at + k]);
    return out;
}
} // namespace keptbyte

// Runs of ASCII, which every encoding here reads and writes unchanged,
// copied eight bytes (four characters) at a time; each returns how far it got.
namespace asciirun {
inline qsizetype widen(const unsigned char *in, qsizetype n, char16_t *out)
{
    qsizetype i = 0;
    for (; i + 8 <= n; i += 8) {
        quint64 word;
        std::memcpy(&word, in + i, 8);
        if (word & 0x8080808080808080ULL)
            break;
        for (int k = 0; k < 8; ++k)
            out[i + k] = in[i + k];
    }
    return i;
}

inline qsizetype narrow(const char16_t *in, qsizetype n, unsigned char *out)
{
    qsizetype i = 0;
    for (; i + 4 <= n; i += 4) {
        quint64 word;
        std::memcpy(&word, in + i, 8);
        if (word & 0xFF80FF80FF80FF80ULL)
            break;
        for (int k = 0; k < 4; ++k)
            out[i + k] = static_cast<unsigned char>(in[i + k]);
    }
    return i;
}
} // namespace asciirun

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
