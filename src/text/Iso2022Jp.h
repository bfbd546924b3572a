#pragma once
// Conversion between text and ISO-2022-JP bytes: ASCII, JIS X 0201 Roman
// (ESC ( J: ¥ and ‾), JIS X 0208 (ESC $ B, or ESC $ @ as older text has it,
// with the NEC and IBM rows Windows and the browsers read) and half-width
// katakana (ESC ( I), switched by escape sequences.
//
// Writing uses the shortest valid form: an escape only where the next
// character needs another set, ASCII again before a line end and at the end.
// Reading keeps the file's own form: an escape sequence that writing would
// not have put there (a repeated one, ESC $ @, one the text does not need) is
// kept as its bytes (Conversion.h) and written back as it was, and the
// habits below note where a file stays in a two-byte set. An unedited file
// written in either way therefore saves back byte for byte.
#include "text/Codec.h"
#include "text/Conversion.h"

#include <QByteArrayView>
#include <QStringView>

namespace Iso2022Jp {

struct Habits
{
    // Line ends, spaces and other control characters stay in the two-byte
    // (or katakana) set instead of following a return to ASCII.
    bool controlsKeepSet = false;
    // The text ends in another set than ASCII.
    bool endsOutsideAscii = false;
    bool operator==(const Habits &) const = default;
};

struct Decoded : DecodedText
{
    Habits habits;
};

Decoded decode(QByteArrayView bytes);
// `codes`: places whose character is written with the code given there (CodeAt).
EncodedText encode(QStringView text, const Habits &habits = {}, const AltCodeChoice &altCodes = {},
                   const CodesAt &codes = {});
// ESC is the one character no set can hold: every 0x1B byte starts an escape.
bool canWrite(char32_t ch);
// ISO-2022-JP behind the codec interface.
const Codec &codec();

} // namespace Iso2022Jp
