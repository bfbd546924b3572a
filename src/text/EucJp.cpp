#include "text/EucJp.h"

#include "text/AltCodes.h"
#include "text/EucJpLayout.h"

#include <algorithm>
#include <cstring>

namespace EucJp {
namespace {

using namespace EucJpLayout;

// kEucTwoByte, kEucThreeByte, kEucEncode, kEucAltCodes, kTwoByteCopies and
// kEucHasAlt: iconv's answers, gathered at build time by CodeTableGen.cpp.
#include "EucJpTables.inc"

static_assert(sizeof kEucTwoByte / sizeof kEucTwoByte[0] == kRows * kRows);
static_assert(sizeof kEucEncode / sizeof kEucEncode[0] == 0x10000);

char16_t altChar(std::uint32_t code)
{
    const auto *end = kEucAltCodes + sizeof kEucAltCodes / sizeof kEucAltCodes[0];
    const auto *it = std::lower_bound(kEucAltCodes, end, code,
                                      [](const AltCode &a, std::uint32_t c) { return a.code < c; });
    return it != end && it->code == code ? it->ch : kKeep;
}

bool hasAlt(char16_t ch) { return kEucHasAlt[ch / 64] >> (ch % 64) & 1; }

template<bool WithChoice>
EncodedText encodeText(QStringView text, const AltCodeChoice &altCodes, const CodesAt &codes)
{
    auto place = codes.cbegin();
    const char16_t *in = text.utf16();
    const qsizetype n = text.size();
    // Two bytes a character at most but for the rare three-byte codes: room
    // for those is made when they come, so a page needs no more than Shift_JIS.
    QByteArray bytes(n * 2 + 16, Qt::Uninitialized);
    auto *out = reinterpret_cast<unsigned char *>(bytes.data());
    qsizetype i = 0;
    while (i < n) {
        const qsizetype run = asciirun::narrow(in + i, n - i, out);
        out += run;
        i += run;
        if (i >= n)
            break;
        const qsizetype written = out - reinterpret_cast<unsigned char *>(bytes.data());
        if (bytes.size() - written < 3 + 2 * (n - i)) {
            bytes.resize(written + 3 + 2 * (n - i) + n / 8 + 16);
            out = reinterpret_cast<unsigned char *>(bytes.data()) + written;
        }
        const char16_t c = in[i];
        std::uint32_t code = kEucEncode[c];
        if constexpr (WithChoice) {
            if (hasAlt(c)) {
                while (place != codes.cend() && place->index < i)
                    ++place;
                if (place != codes.cend() && place->index == i) {
                    if (place->code != 0)
                        code = place->code;
                } else if (const auto it = altCodes.constFind(c); it != altCodes.cend()) {
                    code = *it;
                }
            }
        }
        if (code < 0x80) {
            *out++ = uchar(code);
        } else if (code > 0xFFFF) { // a chosen three-byte code, 0x8Fxxxx
            *out++ = uchar(code >> 16);
            *out++ = uchar(code >> 8);
            *out++ = uchar(code);
        } else if (code != kRefused && (isTwoByteCode(code) || isKanaCode(code))) {
            *out++ = uchar(code >> 8);
            *out++ = uchar(code);
        } else if (code != kRefused && isThreeByteCode(code)) {
            *out++ = 0x8F;
            *out++ = uchar((code >> 8) + 0x80);
            *out++ = uchar((code & 0xFF) + 0x80);
        } else if (keptbyte::is(c) && keptbyte::value(c) >= 0x80) {
            *out++ = keptbyte::value(c); // ASCII is always valid: kept bytes are 0x80 and above
        } else {
            return encodeFailure(in, n, i);
        }
        ++i;
    }
    bytes.truncate(out - reinterpret_cast<unsigned char *>(bytes.data()));
    EncodedText result;
    result.ok = true;
    result.bytes = std::move(bytes);
    return result;
}

} // namespace

DecodedText decode(QByteArrayView bytes)
{
    const auto *in = reinterpret_cast<const unsigned char *>(bytes.data());
    const qsizetype n = bytes.size();
    DecodedText result;
    result.text.resize(n);
    char16_t *out = reinterpret_cast<char16_t *>(result.text.data());
    char16_t *const begin = out;
    AltCodeTally alt;
    // A character read from three bytes right after a byte kept on its own
    // that two bytes would join (a row byte, 8E, 8F) is written with those
    // three bytes again: with a two-byte code of the document's habit it
    // would read back together with the kept byte, as another character.
    QHash<char16_t, std::uint32_t> asRead;
    const char16_t *joinable = nullptr; // just after such a kept byte

    auto keep = [&](qsizetype at, int count) {
        out = keptbyte::keep(result, in, at, count, out);
        if (count == 1 && (isRowByte(in[at]) || in[at] == 0x8E || in[at] == 0x8F))
            joinable = out;
    };
    // A character from a table cell, or the bytes kept.
    auto put = [&](char16_t v, qsizetype at, int count, std::uint32_t code) {
        if (v == kKeep) {
            keep(at, count);
        } else if (v == kAlt) {
            const char16_t c = altChar(code);
            alt.seen(c, code, out - begin);
            *out++ = c;
        } else {
            *out++ = v;
        }
    };

    qsizetype i = 0;
    while (i < n) {
        const qsizetype run = asciirun::widen(in + i, n - i, out);
        out += run;
        i += run;
        if (i >= n)
            break;
        const unsigned char b = in[i];
        if (b < 0x80) {
            *out++ = b;
            ++i;
        } else if (isRowByte(b) && i + 1 < n && isRowByte(in[i + 1])) {
            put(kEucTwoByte[cell(b, in[i + 1])], i, 2, std::uint32_t(b << 8 | in[i + 1]));
            i += 2;
        } else if (b == 0x8E && i + 1 < n && in[i + 1] >= 0xA1 && in[i + 1] <= 0xDF) {
            *out++ = char16_t(0xFF61 + (in[i + 1] - 0xA1));
            i += 2;
        } else if (b == 0x8F && i + 2 < n && isRowByte(in[i + 1]) && isRowByte(in[i + 2])) {
            const std::uint32_t code = 0x8F0000u | std::uint32_t(in[i + 1] << 8 | in[i + 2]);
            const bool afterJoinable = out == joinable;
            put(kEucThreeByte[cell(in[i + 1], in[i + 2])], i, 3, code);
            if (afterJoinable && !keptbyte::is(out[-1]))
                asRead.insert(out[-1], code);
            i += 3;
        } else {
            keep(i, 1); // what follows is read afresh
            ++i;
        }
    }
    result.text.truncate(out - begin);
    alt.into(result);
    for (auto it = asRead.cbegin(); it != asRead.cend(); ++it) {
        const std::uint16_t usual = kEucEncode[it.key()];
        if (isThreeByteCode(usual) && (0x8F0000u | (usual + 0x8080u)) == *it)
            result.altCodes.remove(it.key()); // the usual code
        else
            result.altCodes.insert(it.key(), *it);
    }
    return result;
}

EncodedText encode(QStringView text, const AltCodeChoice &altCodes, const CodesAt &codes)
{
    return altCodes.isEmpty() && codes.empty() ? encodeText<false>(text, altCodes, codes)
                                               : encodeText<true>(text, altCodes, codes);
}

bool canWrite(char32_t ch)
{
    if (ch >= 0x10000)
        return false;
    return kEucEncode[ch] != kRefused || (keptbyte::is(char16_t(ch)) && keptbyte::value(char16_t(ch)) >= 0x80);
}

namespace twobyte {
char16_t decode(std::uint16_t code, bool *alternative)
{
    *alternative = false;
    if (!isRowByte(code >> 8) || !isRowByte(code & 0xFF))
        return kKeep;
    const char16_t v = kEucTwoByte[cell(code >> 8, code & 0xFF)];
    if (v != kAlt)
        return v;
    const char16_t c = altChar(code);
    // The copy is an alternative only where the two-byte set holds the
    // character's usual code too; a character EUC-JP writes with three bytes
    // has its two-byte copy as its only code here.
    *alternative = encode(c) != code;
    return c;
}

std::uint16_t encode(char16_t ch)
{
    const std::uint16_t code = kEucEncode[ch];
    if (isTwoByteCode(code))
        return code;
    const auto *end = kTwoByteCopies + sizeof kTwoByteCopies / sizeof kTwoByteCopies[0];
    const auto *it = std::lower_bound(kTwoByteCopies, end, ch,
                                      [](const TwoByteCopy &a, char16_t c) { return a.ch < c; });
    return it != end && it->ch == ch ? it->code : 0;
}

bool hasAlternatives(char16_t ch) { return hasAlt(ch); }
} // namespace twobyte

const Codec &codec()
{
    static const AltCodeCodec<EucJp::decode, EucJp::encode, EucJp::canWrite> c(QStringLiteral("EUC-JP"), "EUC-JP");
    return c;
}

} // namespace EucJp
