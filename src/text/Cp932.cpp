#include "text/Cp932.h"

#include "text/AltCodes.h"
#include "text/Cp932Layout.h"

#include <QtGlobal>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

using namespace Qt::StringLiterals;

namespace Cp932 {
namespace {

using namespace Cp932Layout;

// kSingle, kPair, kEncode, kAltCodes, kHasAlt and kAsciiUnchanged: iconv's answers, gathered at
// build time by CodeTableGen.cpp, so that nothing is built at run time.
#include "Cp932Tables.inc"

static_assert(sizeof kSingle / sizeof kSingle[0] == 256);
static_assert(sizeof kPair / sizeof kPair[0] == kLeadCount * 256);
static_assert(sizeof kEncode / sizeof kEncode[0] == 0x10000);

constexpr std::array<std::int8_t, 256> kLeadIndex = [] {
    std::array<std::int8_t, 256> a{};
    for (int b = 0; b < 256; ++b)
        a[b] = std::int8_t(leadIndex(b));
    return a;
}();

// The character of a copy's code.
char16_t altChar(std::uint16_t code)
{
    const auto *end = kAltCodes + sizeof kAltCodes / sizeof kAltCodes[0];
    const auto *it = std::lower_bound(kAltCodes, end, code,
                                      [](const AltCode &a, std::uint16_t c) { return a.code < c; });
    Q_ASSERT(it != end && it->code == code);
    return it->ch;
}

} // namespace

DecodeResult decode(QByteArrayView bytes)
{
    const auto *in = reinterpret_cast<const unsigned char *>(bytes.data());
    const qsizetype n = bytes.size();

    DecodeResult result;
    result.text.resize(n); // never more characters than bytes
    char16_t *out = reinterpret_cast<char16_t *>(result.text.data());
    char16_t *const begin = out;
    AltCodeTally alt;

    auto keep = [&](qsizetype at, int count) { out = keptbyte::keep(result, in, at, count, out); };

    qsizetype i = 0;
    while (i < n) {
        if constexpr (kAsciiUnchanged) {
            const qsizetype run = asciirun::widen(in + i, n - i, out);
            out += run;
            i += run;
        }
        if (i >= n)
            break;
        const unsigned char b = in[i];
        const char16_t ch = kSingle[b];
        if (ch < kAlt) {
            *out++ = ch;
            ++i;
        } else if (ch == kKeep) {
            keep(i, 1);
            ++i;
        } else if (i + 1 >= n) {
            keep(i, 1); // a first byte cut off by the end of the data
            ++i;
        } else {
            const char16_t pc = kPair[kLeadIndex[b] * 256 + in[i + 1]];
            if (pc < kAlt) {
                *out++ = pc;
                i += 2;
            } else if (pc == kAlt) {
                const std::uint16_t code = std::uint16_t(b << 8 | in[i + 1]);
                const char16_t c = altChar(code);
                alt.seen(c, code, out - begin);
                *out++ = c;
                i += 2;
            } else if (pc == kKeep) {
                keep(i, 2);
                i += 2;
            } else {
                keep(i, 1); // the next byte cannot follow; it is read on its own
                ++i;
            }
        }
    }
    result.text.truncate(out - begin);
    alt.into(result);
    return result;
}

namespace {
bool hasAlt(char16_t ch) { return kHasAlt[ch / 64] >> (ch % 64) & 1; }

template<bool WithChoice>
EncodeResult encodeText(QStringView text, const AltCodeChoice &altCodes, const CodesAt &codes)
{
    auto place = codes.cbegin();
    const char16_t *in = text.utf16();
    const qsizetype n = text.size();

    EncodeResult result;
    QByteArray bytes(n * 2, Qt::Uninitialized);
    auto *out = reinterpret_cast<unsigned char *>(bytes.data());
    auto *const begin = out;

    qsizetype i = 0;
    while (i < n) {
        if constexpr (kAsciiUnchanged) {
            const qsizetype run = asciirun::narrow(in + i, n - i, out);
            out += run;
            i += run;
        }
        if (i >= n)
            break;
        quint32 code = kEncode[in[i]];
        if constexpr (WithChoice) {
            if (hasAlt(in[i])) {
                while (place != codes.cend() && place->index < i)
                    ++place;
                if (place != codes.cend() && place->index == i) {
                    if (place->code != 0)
                        code = place->code;
                } else if (const auto it = altCodes.constFind(in[i]); it != altCodes.cend()) {
                    code = *it;
                }
            }
        }
        if (code < 0x100) {
            *out++ = uchar(code);
        } else if (code != kRefused) {
            *out++ = uchar(code >> 8);
            *out++ = uchar(code);
        } else {
            return encodeFailure(in, n, i);
        }
        ++i;
    }
    bytes.truncate(out - begin);
    result.ok = true;
    result.bytes = std::move(bytes);
    return result;
}
} // namespace

EncodeResult encode(QStringView text, const AltCodeChoice &altCodes, const CodesAt &codes)
{
    return altCodes.isEmpty() && codes.empty() ? encodeText<false>(text, altCodes, codes)
                                               : encodeText<true>(text, altCodes, codes);
}

bool canWrite(char32_t ch)
{
    return ch < 0x10000 && kEncode[ch] != kRefused;
}

bool isKeptByte(QChar ch)
{
    return keptbyte::is(ch.unicode()) && isKeepable(keptbyte::value(ch.unicode()));
}

unsigned char keptByteValue(QChar ch)
{
    return keptbyte::value(ch.unicode());
}

const Codec &codec()
{
    static const AltCodeCodec<Cp932::decode, Cp932::encode, Cp932::canWrite> c(QStringLiteral("Shift_JIS"), "Shift_JIS");
    return c;
}

} // namespace Cp932
