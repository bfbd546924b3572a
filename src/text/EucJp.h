#pragma once
// Conversion between text and EUC-JP bytes, as Japanese web pages use it:
// glibc's "EUC-JP-MS" (JIS X 0208 with the NEC and IBM extensions, JIS X 0212
// behind 8F, half-width katakana behind 8E, the user-defined rows), read from
// tables asked of iconv at build time. The characters of two codes (NEC's
// rows beside IBM's, as in Shift_JIS) read as their characters and are
// written back as the text had them (AltCodes.h).
#include "text/Codec.h"
#include "text/Conversion.h"

#include <QByteArrayView>
#include <QStringView>

#include <cstdint>

namespace EucJp {

DecodedText decode(QByteArrayView bytes);
// `codes`: places whose character is written with the code given there (CodeAt).
EncodedText encode(QStringView text, const AltCodeChoice &altCodes = {}, const CodesAt &codes = {});
bool canWrite(char32_t ch);
// EUC-JP behind the codec interface.
const Codec &codec();

// The two-byte set, which ISO-2022-JP writes after ESC $ B (codes as EUC-JP
// writes them, 0xA1A1..0xFEFE).
namespace twobyte {
// The character of a code; kKeep (0xFFFF) when there is none. `alternative`
// tells whether EUC-JP writes that character with another code.
char16_t decode(std::uint16_t code, bool *alternative);
// The code of a character in the two-byte set, 0 when it has none there.
std::uint16_t encode(char16_t ch);
// Whether the character has more than one code in the two-byte set.
bool hasAlternatives(char16_t ch);
} // namespace twobyte

} // namespace EucJp
