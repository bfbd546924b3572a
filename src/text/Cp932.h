#pragma once
// Conversion between text and Shift_JIS bytes (Windows code page 932).
//
// glibc iconv ("CP932") is the source of truth; its answers are gathered into
// constant tables when the program is built (Cp932TableGen.cpp) and the
// conversions run on those tables, so nothing is set up at run time. What
// iconv lacks is handled there too: the bytes 0x80, 0xA0, 0xFD, 0xFE, 0xFF
// read as U+0080 and U+F8F0..U+F8F3, as Windows reads them.
//
// Decoding never loses a byte. A byte that is not valid CP932 is kept as the
// character U+DC00 + byte (a lone low surrogate), and encoding writes that
// character back as the byte, so an unchanged document saves to the same bytes.
// Kept bytes are 0x80..0xFF, and 0x40..0x7E when they are the second byte of
// a broken two-byte code (both bytes of such a code are kept).
//
// Encoding never substitutes: a character CP932 cannot hold stops it.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace Cp932 {

struct DecodeResult
{
    QString text;
    // Byte offset of the first byte kept as U+DC00 + byte, -1 when every byte was valid.
    qsizetype firstKeptByte = -1;
    qsizetype keptByteCount = 0;
};

struct EncodeResult
{
    bool ok = false;
    QByteArray bytes; // empty when !ok
    // When !ok: index in the text (UTF-16 units) of the character that cannot
    // be written, and that character as a full code point (surrogate pairs joined).
    qsizetype failIndex = -1;
    char32_t failChar = 0;
};

// 1-based position for messages. Lines end at CR LF only, as in the edit box,
// where a lone CR or LF is a character inside the line; columns count
// characters (a surrogate pair is one column).
struct LineColumn
{
    qsizetype line = 1;
    qsizetype column = 1;
};

DecodeResult decode(QByteArrayView bytes);
EncodeResult encode(QStringView text);

// Whether ch is a byte kept by decode(), and that byte.
bool isKeptByte(QChar ch);
unsigned char keptByteValue(QChar ch);

LineColumn lineColumnAt(QStringView text, qsizetype index);

// "「〜」(U+301C)", naming a character in messages; control and kept
// characters are shown by their code alone.
QString describeChar(char32_t ch);

} // namespace Cp932
