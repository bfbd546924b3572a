#pragma once
// Conversion between text and Shift_JIS bytes (Windows code page 932).
//
// glibc iconv ("CP932") is the source of truth; its answers are gathered into
// constant tables when the program is built (CodeTableGen.cpp) and the
// conversions run on those tables, so nothing is set up at run time. What
// iconv lacks is handled there too: the bytes 0x80, 0xA0, 0xFD, 0xFE, 0xFF
// read as U+0080 and U+F8F0..U+F8F3, as Windows reads them.
//
// Decoding never loses a byte (see Conversion.h). Kept bytes are 0x80..0xFF,
// and 0x40..0x7E when they are the second byte of a broken two-byte code
// (both bytes of such a code are kept).
//
// NEC's and IBM's copies of characters (髙 as EEE0 beside FBFC, ≒ as 8790
// beside 81E0: 398 codes) read as their characters, as Windows reads them;
// decoding says which of them the text used, and encoding given that choice
// writes them so again. Without it, each is written with the code Windows
// writes.
//
// Encoding never substitutes: a character CP932 cannot hold stops it.

#include "text/Codec.h"
#include "text/Conversion.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace Cp932 {

using DecodeResult = DecodedText;
using EncodeResult = EncodedText;

DecodeResult decode(QByteArrayView bytes);
// `codes`: places whose character is written with the code given there (CodeAt).
EncodeResult encode(QStringView text, const AltCodeChoice &altCodes = {}, const CodesAt &codes = {});
// Whether encode() can write the character (a kept byte can).
bool canWrite(char32_t ch);

// Whether ch is a byte kept by a decoder (U+DC00 + byte), and that byte.
bool isKeptByte(QChar ch);
unsigned char keptByteValue(QChar ch);

// Shift_JIS behind the codec interface.
const Codec &codec();

} // namespace Cp932
