#pragma once
// The shape of the CP932 tables, shared by the table generator (run at build
// time, without Qt) and the conversion that reads the generated tables.

#include <cstdint>

namespace Cp932Layout {

// Decode table values that no CP932 code produces.
constexpr char16_t kAlt = 0xFFFD;      // a character that has another code: see kAlt table
constexpr char16_t kLeadByte = 0xFFFE; // single-byte table: first byte of a pair
constexpr char16_t kNotTrail = 0xFFFE; // pair table: second byte outside the trail ranges
constexpr char16_t kKeep = 0xFFFF;     // keep the byte(s) as U+DC00 + byte
// Encode table: < 0x100 one byte, >= 0x8140 two bytes, kRefused cannot be written.
constexpr std::uint16_t kRefused = 0xFFFF;

constexpr char16_t kKeptBase = 0xDC00;
constexpr int kLeadCount = 60; // 0x81..0x9F and 0xE0..0xFC

constexpr bool isLead(int b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }
constexpr bool isTrail(int b) { return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC); }
// The bytes decoding can keep, the only kept bytes encoding writes.
constexpr bool isKeepable(int b) { return b >= 0x80 || (b >= 0x40 && b <= 0x7E); }

// Row of a first byte in the pair table, -1 for other bytes.
constexpr int leadIndex(int b)
{
    if (b >= 0x81 && b <= 0x9F)
        return b - 0x81;
    if (b >= 0xE0 && b <= 0xFC)
        return b - 0xE0 + (0x9F - 0x81 + 1);
    return -1;
}

// A code that reads as a character whose own code (the one Windows writes)
// is another: NEC's and IBM's copies of the same characters.
struct AltCode
{
    std::uint16_t code;
    char16_t ch;
};

} // namespace Cp932Layout
