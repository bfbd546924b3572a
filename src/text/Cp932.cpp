#include "text/Cp932.h"

#include <QtGlobal>

#include <array>
#include <cerrno>
#include <cstring>
#include <iconv.h>
#include <memory>

using namespace Qt::StringLiterals;

namespace Cp932 {
namespace {

// Decode table values that no CP932 code produces.
constexpr char16_t kLeadByte = 0xFFFE;  // single-byte table: first byte of a pair
constexpr char16_t kNotTrail = 0xFFFE;  // pair table: second byte outside the trail ranges
constexpr char16_t kKeep = 0xFFFF;      // keep the byte(s) as U+DC00 + byte
// Encode table: < 0x100 one byte, >= 0x8140 two bytes, kRefused cannot be written.
constexpr quint16 kRefused = 0xFFFF;

constexpr char16_t kKeptBase = 0xDC00;
constexpr int kLeadCount = 60; // 0x81..0x9F and 0xE0..0xFC

constexpr bool isLead(int b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }
constexpr bool isTrail(int b) { return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC); }
constexpr bool isKeepable(int b) { return b >= 0x80 || (b >= 0x40 && b <= 0x7E); }

struct Tables
{
    std::array<char16_t, 256> single{};
    std::array<qint8, 256> leadIndex{};
    std::array<char16_t, kLeadCount * 256> pair{};
    std::array<quint16, 0x10000> encode{};
    // The ASCII fast paths copy bytes and characters as they are, which holds
    // only while CP932 reads and writes ASCII unchanged (glibc does).
    bool asciiUnchanged = false;
};

// One iconv descriptor per direction, used only while the tables are built.
class Iconv
{
public:
    Iconv(const char *to, const char *from) : m_cd(iconv_open(to, from)) {}
    ~Iconv()
    {
        if (valid())
            iconv_close(m_cd);
    }
    Iconv(const Iconv &) = delete;
    Iconv &operator=(const Iconv &) = delete;
    bool valid() const { return m_cd != reinterpret_cast<iconv_t>(-1); }

    // Converts the whole input in one go; returns the output length, or -1.
    int convert(const void *in, size_t inLen, void *out, size_t outLen)
    {
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        char *ip = static_cast<char *>(const_cast<void *>(in));
        char *op = static_cast<char *>(out);
        size_t il = inLen, ol = outLen;
        if (iconv(m_cd, &ip, &il, &op, &ol) == static_cast<size_t>(-1) || il != 0)
            return -1;
        // Flush any pending shift state; CP932 has none, but a stateful answer is not ours.
        if (iconv(m_cd, nullptr, nullptr, &op, &ol) == static_cast<size_t>(-1))
            return -1;
        return int(op - static_cast<char *>(out));
    }

private:
    iconv_t m_cd;
};

// The code iconv writes for a BMP character: one byte, lead << 8 | trail, or kRefused.
quint16 iconvEncode(Iconv &enc, char32_t ch)
{
    unsigned char out[8];
    const int n = enc.convert(&ch, sizeof ch, out, sizeof out);
    if (n == 1)
        return out[0];
    if (n == 2 && isLead(out[0]) && isTrail(out[1]))
        return quint16(out[0] << 8 | out[1]);
    return kRefused;
}

// The one BMP character iconv reads from these bytes, or kKeep.
char16_t iconvDecode(Iconv &dec, const unsigned char *bytes, size_t len)
{
    char32_t out[4];
    const int n = dec.convert(bytes, len, out, sizeof out);
    if (n != int(sizeof(char32_t)) || out[0] > 0xFFFF || (out[0] >= 0xD800 && out[0] < 0xE000)
        || out[0] >= kLeadByte)
        return kKeep;
    return char16_t(out[0]);
}

std::unique_ptr<Tables> buildTables()
{
    auto t = std::make_unique<Tables>();
    t->single.fill(kKeep);
    t->leadIndex.fill(-1);
    t->pair.fill(kKeep);
    t->encode.fill(kRefused);

    Iconv dec("UTF-32LE", "CP932");
    Iconv enc("CP932", "UTF-32LE");
    const bool haveIconv = dec.valid() && enc.valid();
    if (!haveIconv)
        qWarning("CP932 conversion is not available in iconv; only ASCII will be read and written");

    // A decoded character is used only when its own canonical code is the
    // same byte(s); otherwise the bytes are kept so that they save back as they were.
    auto accept = [&](char16_t ch, quint16 code) {
        const quint16 canonical = iconvEncode(enc, ch);
        t->encode[ch] = canonical;
        return canonical == code;
    };

    int lead = 0;
    for (int b = 0; b < 256; ++b) {
        if (isLead(b)) {
            t->single[b] = kLeadByte;
            t->leadIndex[b] = qint8(lead++);
            continue;
        }
        if (b < 0x80 && !haveIconv) {
            t->single[b] = char16_t(b);
            t->encode[b] = quint16(b);
            continue;
        }
        if (!haveIconv)
            continue;
        const unsigned char byte = uchar(b);
        const char16_t ch = iconvDecode(dec, &byte, 1);
        if (ch != kKeep && accept(ch, quint16(b)))
            t->single[b] = ch;
    }
    for (int l = 0; l < 256; ++l) {
        if (!isLead(l))
            continue;
        char16_t *row = &t->pair[t->leadIndex[l] * 256];
        for (int tr = 0; tr < 256; ++tr) {
            if (!isTrail(tr)) {
                row[tr] = kNotTrail;
                continue;
            }
            if (!haveIconv)
                continue;
            const unsigned char bytes[2] = {uchar(l), uchar(tr)};
            const char16_t ch = iconvDecode(dec, bytes, 2);
            if (ch != kKeep && accept(ch, quint16(l << 8 | tr)))
                row[tr] = ch;
        }
    }

    // Characters iconv writes but never reads back (WAVE DASH and the other
    // characters input methods type for a JIS code). A non-ASCII character is
    // never written as an ASCII byte: glibc writes U+00A5 as 0x5C and U+203E
    // as 0x7E, which would silently turn them into a backslash and a tilde.
    for (char32_t ch = 0x80; haveIconv && ch < 0x10000; ++ch) {
        if ((ch >= 0xD800 && ch < 0xE000) || t->encode[ch] != kRefused)
            continue;
        const quint16 code = iconvEncode(enc, ch);
        if (code >= 0x100)
            t->encode[ch] = code;
    }

    // The bytes iconv refuses, as Windows reads them.
    static constexpr std::pair<unsigned char, char16_t> windowsOnly[] = {
        {0x80, 0x0080}, {0xA0, 0xF8F0}, {0xFD, 0xF8F1}, {0xFE, 0xF8F2}, {0xFF, 0xF8F3}};
    for (const auto &[byte, ch] : windowsOnly) {
        t->single[byte] = ch;
        t->encode[ch] = byte;
    }

    for (int b = 0; b < 256; ++b) {
        if (isKeepable(b))
            t->encode[kKeptBase + b] = quint16(b);
    }
    t->asciiUnchanged = true;
    for (int b = 0; b < 0x80; ++b)
        t->asciiUnchanged = t->asciiUnchanged && t->single[b] == b && t->encode[b] == b;
    return t;
}

const Tables &tables()
{
    // Built once, on first use; the initialisation of a local static is thread-safe.
    static const std::unique_ptr<Tables> t = buildTables();
    return *t;
}

} // namespace

DecodeResult decode(QByteArrayView bytes)
{
    const Tables &t = tables();
    const auto *in = reinterpret_cast<const unsigned char *>(bytes.data());
    const qsizetype n = bytes.size();

    DecodeResult result;
    result.text.resize(n); // never more characters than bytes
    char16_t *out = reinterpret_cast<char16_t *>(result.text.data());
    char16_t *const begin = out;

    auto keep = [&](qsizetype at, int count) {
        if (result.firstKeptByte < 0)
            result.firstKeptByte = at;
        result.keptByteCount += count;
        for (int k = 0; k < count; ++k)
            *out++ = char16_t(kKeptBase + in[at + k]);
    };

    qsizetype i = 0;
    while (i < n) {
        // Runs of ASCII, eight bytes at a time.
        while (t.asciiUnchanged && i + 8 <= n) {
            quint64 word;
            std::memcpy(&word, in + i, 8);
            if (word & 0x8080808080808080ULL)
                break;
            for (int k = 0; k < 8; ++k)
                out[k] = in[i + k];
            out += 8;
            i += 8;
        }
        if (i >= n)
            break;
        const unsigned char b = in[i];
        const char16_t ch = t.single[b];
        if (ch < kLeadByte) {
            *out++ = ch;
            ++i;
        } else if (ch == kKeep) {
            keep(i, 1);
            ++i;
        } else if (i + 1 >= n) {
            keep(i, 1); // a first byte cut off by the end of the data
            ++i;
        } else {
            const char16_t pc = t.pair[t.leadIndex[b] * 256 + in[i + 1]];
            if (pc < kNotTrail) {
                *out++ = pc;
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
    return result;
}

EncodeResult encode(QStringView text)
{
    const Tables &t = tables();
    const char16_t *in = text.utf16();
    const qsizetype n = text.size();

    EncodeResult result;
    QByteArray bytes(n * 2, Qt::Uninitialized);
    auto *out = reinterpret_cast<unsigned char *>(bytes.data());
    auto *const begin = out;

    qsizetype i = 0;
    while (i < n) {
        // Runs of ASCII, four characters at a time.
        while (t.asciiUnchanged && i + 4 <= n) {
            quint64 word;
            std::memcpy(&word, in + i, 8);
            if (word & 0xFF80FF80FF80FF80ULL)
                break;
            for (int k = 0; k < 4; ++k)
                out[k] = uchar(in[i + k]);
            out += 4;
            i += 4;
        }
        if (i >= n)
            break;
        const quint16 code = t.encode[in[i]];
        if (code < 0x100) {
            *out++ = uchar(code);
        } else if (code != kRefused) {
            *out++ = uchar(code >> 8);
            *out++ = uchar(code);
        } else {
            result.failIndex = i;
            result.failChar = in[i];
            if (QChar::isHighSurrogate(in[i]) && i + 1 < n && QChar::isLowSurrogate(in[i + 1]))
                result.failChar = QChar::surrogateToUcs4(in[i], in[i + 1]);
            return result;
        }
        ++i;
    }
    bytes.truncate(out - begin);
    result.ok = true;
    result.bytes = std::move(bytes);
    return result;
}

bool isKeptByte(QChar ch)
{
    const int u = ch.unicode();
    return u >= kKeptBase && u <= kKeptBase + 0xFF && isKeepable(u - kKeptBase);
}

unsigned char keptByteValue(QChar ch)
{
    return uchar(ch.unicode() - kKeptBase);
}

LineColumn lineColumnAt(QStringView text, qsizetype index)
{
    LineColumn at;
    index = qBound(qsizetype(0), index, text.size());
    qsizetype i = 0;
    while (i < index) {
        if (i + 2 <= index && text[i] == u'\r' && text[i + 1] == u'\n') {
            ++at.line;
            at.column = 1;
            i += 2;
            continue;
        }
        if (i + 2 <= index && text[i].isHighSurrogate() && text[i + 1].isLowSurrogate())
            ++i;
        ++at.column;
        ++i;
    }
    return at;
}

QString describeChar(char32_t ch)
{
    const QString code = u"U+"_s + QString::number(uint(ch), 16).toUpper().rightJustified(4, u'0');
    const bool visible = ch <= 0x10FFFF && !(ch >= 0xD800 && ch < 0xE000)
        && QChar::isPrint(ch) && !QChar::isSpace(ch);
    if (!visible)
        return code;
    return u"「"_s + QString::fromUcs4(&ch, 1) + u"」("_s + code + u')';
}

} // namespace Cp932
