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

} // namespace EucJpLayout
