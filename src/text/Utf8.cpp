#include "text/Utf8.h"

#include <QStringDecoder>

#include <cstring>

namespace Utf8 {
namespace {

// Length of the valid sequence at in[i], or 0 when the byte there starts none.
inline int sequenceLength(const unsigned char *in, qsizetype i, qsizetype n)
{
    const unsigned char b = in[i];
    auto cont = [&](qsizetype k, unsigned char lo = 0x80, unsigned char hi = 0xBF) {
        return i + k < n && in[i + k] >= lo && in[i + k] <= hi;
    };
    if (b < 0x80)
        return 1;
    if (b >= 0xC2 && b <= 0xDF)
        return cont(1) ? 2 : 0;
    if (b == 0xE0)
        return cont(1, 0xA0) && cont(2) ? 3 : 0;
    if (b == 0xED) // no encoded surrogates
        return cont(1, 0x80, 0x9F) && cont(2) ? 3 : 0;
    if (b >= 0xE1 && b <= 0xEF)
        return cont(1) && cont(2) ? 3 : 0;
    if (b == 0xF0)
        return cont(1, 0x90) && cont(2) && cont(3) ? 4 : 0;
    if (b >= 0xF1 && b <= 0xF3)
        return cont(1) && cont(2) && cont(3) ? 4 : 0;
    if (b == 0xF4) // nothing above U+10FFFF
        return cont(1, 0x80, 0x8F) && cont(2) && cont(3) ? 4 : 0;
    return 0;
}

inline bool asciiWord(const unsigned char *p)
{
    quint64 w;
    std::memcpy(&w, p, 8);
    return (w & 0x8080808080808080ULL) == 0;
}

// Whether the text holds a surrogate that is not half of a pair (a kept byte
// or a stray one), which the toolkit's own conversion would replace.
bool hasLoneSurrogate(QStringView text)
{
    const char16_t *p = text.utf16();
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n) {
        // Four units at a time while none of them is a surrogate.
        while (i + 4 <= n) {
            quint64 w;
            std::memcpy(&w, p + i, 8);
            const quint64 y = (w & 0xF800F800F800F800ULL) ^ 0xD800D800D800D800ULL;
            if (((y - 0x0001000100010001ULL) & ~y & 0x8000800080008000ULL) != 0)
                break;
            i += 4;
        }
        if (i >= n)
            break;
        const char16_t c = p[i];
        if (QChar::isHighSurrogate(c)) {
            if (i + 1 >= n || !QChar::isLowSurrogate(p[i + 1]))
                return true;
            i += 2;
        } else if (QChar::isLowSurrogate(c)) {
            return true;
        } else {
            ++i;
        }
    }
    return false;
}

} // namespace

Validity check(QByteArrayView bytes)
{
    const auto *in = reinterpret_cast<const unsigned char *>(bytes.data());
    const qsizetype n = bytes.size();
    bool beyondAscii = false;
    qsizetype i = 0;
    while (i < n) {
        while (i + 16 <= n && asciiWord(in + i) && asciiWord(in + i + 8))
            i += 16;
        if (i >= n)
            break;
        if (in[i] < 0x80) {
            ++i;
            continue;
        }
        const int len = sequenceLength(in, i, n);
        if (len == 0)
            return Validity::Invalid;
        beyondAscii = true;
        i += len;
    }
    return beyondAscii ? Validity::Valid : Validity::Ascii;
}

DecodedText decode(QByteArrayView bytes)
{
    DecodedText result;
    if (check(bytes) != Validity::Invalid) {
        // QString::fromUtf8 drops a byte order mark at the start, which is a
        // character here: the file's own mark is gone already (Encoding.cpp).
        QStringDecoder toText(QStringConverter::Utf8,
                              QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
        result.text = toText(bytes);
        return result;
    }
    const auto *in = reinterpret_cast<const unsigned char *>(bytes.data());
    const qsizetype n = bytes.size();
    result.text.resize(n); // never more units than bytes
    char16_t *out = reinterpret_cast<char16_t *>(result.text.data());
    char16_t *const begin = out;
    qsizetype i = 0;
    while (i < n) {
        const qsizetype run = asciirun::widen(in + i, n - i, out);
        out += run;
        i += run;
        if (i >= n)
            break;
        const unsigned char b = in[i];
        const int len = sequenceLength(in, i, n);
        switch (len) {
        case 1:
            *out++ = b;
            break;
        case 2:
            *out++ = char16_t((b & 0x1F) << 6 | (in[i + 1] & 0x3F));
            break;
        case 3:
            *out++ = char16_t((b & 0x0F) << 12 | (in[i + 1] & 0x3F) << 6 | (in[i + 2] & 0x3F));
            break;
        case 4: {
            const char32_t c = char32_t(b & 0x07) << 18 | char32_t(in[i + 1] & 0x3F) << 12 |
                               char32_t(in[i + 2] & 0x3F) << 6 | char32_t(in[i + 3] & 0x3F);
            *out++ = QChar::highSurrogate(c);
            *out++ = QChar::lowSurrogate(c);
            break;
        }
        default:
            // The byte alone is kept; what follows is read afresh.
            out = keptbyte::keep(result, in, i, 1, out);
            ++i;
            continue;
        }
        i += len;
    }
    result.text.truncate(out - begin);
    return result;
}

EncodedText encode(QStringView text)
{
    EncodedText result;
    if (!hasLoneSurrogate(text)) {
        result.ok = true;
        result.bytes = text.toUtf8();
        return result;
    }
    const char16_t *in = text.utf16();
    const qsizetype n = text.size();
    QByteArray bytes(n * 3, Qt::Uninitialized);
    auto *out = reinterpret_cast<unsigned char *>(bytes.data());
    auto *const begin = out;
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = in[i];
        if (c < 0x80) {
            *out++ = uchar(c);
        } else if (c < 0x800) {
            *out++ = uchar(0xC0 | c >> 6);
            *out++ = uchar(0x80 | (c & 0x3F));
        } else if (QChar::isHighSurrogate(c) && i + 1 < n && QChar::isLowSurrogate(in[i + 1])) {
            const char32_t u = QChar::surrogateToUcs4(c, in[i + 1]);
            *out++ = uchar(0xF0 | u >> 18);
            *out++ = uchar(0x80 | (u >> 12 & 0x3F));
            *out++ = uchar(0x80 | (u >> 6 & 0x3F));
            *out++ = uchar(0x80 | (u & 0x3F));
            ++i;
        } else if (keptbyte::is(c) && keptbyte::value(c) >= 0x80) {
            *out++ = keptbyte::value(c);
        } else if (QChar::isSurrogate(c)) {
            return encodeFailure(in, n, i);
        } else {
            *out++ = uchar(0xE0 | c >> 12);
            *out++ = uchar(0x80 | (c >> 6 & 0x3F));
            *out++ = uchar(0x80 | (c & 0x3F));
        }
    }
    bytes.truncate(out - begin);
    result.ok = true;
    result.bytes = std::move(bytes);
    return result;
}

bool canWrite(char32_t ch)
{
    // Kept bytes are the bytes no sequence can start with, 0x80 and above.
    return ch <= 0x10FFFF && (!(ch >= 0xD800 && ch < 0xE000) || (ch >= keptbyte::Base + 0x80 && ch <= keptbyte::Base + 0xFF));
}

namespace {
constexpr char Bom[] = "\xEF\xBB\xBF";

class Utf8Codec final : public Codec
{
public:
    QString name() const override { return QStringLiteral("UTF-8"); }
    QByteArrayView label() const override { return "UTF-8"; }
    CodecDecoded decode(QByteArrayView bytes) const override
    {
        CodecDecoded d;
        if (bytes.startsWith(QByteArrayView(Bom, 3))) {
            d.habits.byteOrderMark = true;
            static_cast<DecodedText &>(d) = Utf8::decode(bytes.sliced(3));
            if (d.firstKeptByte >= 0)
                d.firstKeptByte += 3;
        } else {
            static_cast<DecodedText &>(d) = Utf8::decode(bytes);
        }
        return d;
    }
    EncodedText encode(QStringView text, const CodecHabits &habits, const CodesAt &) const override
    {
        EncodedText r = Utf8::encode(text);
        if (r.ok && habits.byteOrderMark)
            r.bytes.prepend(Bom, 3);
        return r;
    }
    bool canWrite(char32_t ch) const override { return Utf8::canWrite(ch); }
};
} // namespace

const Codec &codec()
{
    static const Utf8Codec c;
    return c;
}

} // namespace Utf8
