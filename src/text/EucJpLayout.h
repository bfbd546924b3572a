#pragma once
// The shape of the EUC-JP tables (glibc's "EUC-JP-MS": JIS X 0208 with the
// NEC and IBM extensions, JIS X 0212, half-width katakana), shared by the
// table generator and the conversions. Its two-byte set is also the JIS X 0208
// set of ISO-2022-JP.

#include <cstdint>

namespace EucJpLayout {

constexpr char16_t kAlt = 0xFFFD;  // a character that has another code: see kEucAlt
constexpr char16_t kKeep = 0xFFFF; // no character: keep the bytes

// Encode table values: < 0x80 ASCII; 0x8EA1..0x8EDF half-width katakana (8E xx);
// 0xA1A1..0xFEFE the two-byte set; 0x2121..0x7E7E the three-byte set (8F, then
// the code + 0x8080); kRefused cannot be written.
constexpr std::uint16_t kRefused = 0xFFFF;

constexpr int kRows = 94;
constexpr bool isRowByte(int b) { return b >= 0xA1 && b <= 0xFE; }
constexpr int cell(int b1, int b2) { return (b1 - 0xA1) * kRows + (b2 - 0xA1); }

constexpr bool isTwoByteCode(std::uint32_t code) { return code >= 0xA1A1 && code <= 0xFEFE; }
constexpr bool isThreeByteCode(std::uint32_t code) { return code >= 0x2121 && code <= 0x7E7E; }
constexpr bool isKanaCode(std::uint32_t code) { return code >= 0x8EA1 && code <= 0x8EDF; }

// An alternative code: two bytes (0xA1A1..), or three as 0x8Fxxxx.
struct AltCode
{
    std::uint32_t code;
    char16_t ch;
};

// A character written in the three-byte set whose copy in the two-byte set is
// what ISO-2022-JP, which has no three-byte set, writes.
struct TwoByteCopy
{
    char16_t ch;
    std::uint16_t code; // 0xA1A1..0xFEFE
};

// What browsers read for the JIS codes where this program cannot take
// glibc's word for it. Source: the WHATWG Encoding Standard's indexes
// (index-jis0208.txt, index-jis0212.txt), which the shift_jis, euc-jp and
// iso-2022-jp decoders of browsers use. Codes are JIS row and cell (0x2121 to
// 0x7E7E): in Shift_JIS 8160 is 0x2141, in EUC-JP A1C1 is 0x2141 and 8FA2C3 is
// 0x2243 of JIS X 0212. A character of 0 means browsers read no character
// there (U+FFFD).
struct BrowserReading
{
    std::uint16_t jis;
    char16_t ch;
};

// JIS X 0208 codes that glibc also writes for a look-alike of the character
// browsers read there (WAVE DASH for the fullwidth tilde's code, ...).
inline constexpr BrowserReading kBrowserReadsJis0208[] = {
    {0x213D, 0x2015}, // 815C / A1BD: HORIZONTAL BAR (glibc also writes EM DASH here)
    {0x2141, 0xFF5E}, // 8160 / A1C1: FULLWIDTH TILDE (glibc also writes WAVE DASH)
    {0x2142, 0x2225}, // 8161 / A1C2: PARALLEL TO (glibc also writes DOUBLE VERTICAL LINE)
    {0x215D, 0xFF0D}, // 817C / A1DD: FULLWIDTH HYPHEN-MINUS (glibc also writes MINUS SIGN)
    {0x2171, 0xFFE0}, // 8191 / A1F1: FULLWIDTH CENT SIGN (glibc also writes CENT SIGN)
    {0x2172, 0xFFE1}, // 8192 / A1F2: FULLWIDTH POUND SIGN (glibc also writes POUND SIGN)
    {0x224C, 0xFFE2}, // 81CA / A2CC: FULLWIDTH NOT SIGN (glibc also writes NOT SIGN)
};

// JIS X 0212 codes (EUC-JP 8F xx xx) browsers read otherwise than glibc's
// EUC-JP-MS. Rows 0x73 and 0x74 (8FF3xx, 8FF4xx) hold EUC-JP-MS's copies of
// the IBM extensions, which browsers do not read: the characters there are
// written with their two-byte codes.
inline constexpr BrowserReading kBrowserReadsJis0212[] = {
    {0x2243, 0x00A6}, // 8FA2C3: BROKEN BAR (glibc reads FULLWIDTH BROKEN BAR)
};
constexpr bool isIbmCopyRow0212(int row) { return row == 0x73 || row == 0x74; }

} // namespace EucJpLayout
