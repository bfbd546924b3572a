// Build-time generator of the CP932 conversion tables: asks glibc iconv
// ("CP932") about every byte, every byte pair and every BMP character, and
// writes the answers as constant arrays that Cp932.cpp compiles in, so the
// program pays nothing at start-up for them.
//
// Usage: tessara_cp932_tablegen <output file>

#include "Cp932Layout.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iconv.h>
#include <memory>
#include <string>
#include <utility>

using namespace Cp932Layout;

namespace {

struct Tables
{
    std::array<char16_t, 256> single{};
    std::array<char16_t, kLeadCount * 256> pair{};
    std::array<std::uint16_t, 0x10000> encode{};
    bool asciiUnchanged = false;
};

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
std::uint16_t iconvEncode(Iconv &enc, char32_t ch)
{
    unsigned char out[8];
    const int n = enc.convert(&ch, sizeof ch, out, sizeof out);
    if (n == 1)
        return out[0];
    if (n == 2 && isLead(out[0]) && isTrail(out[1]))
        return std::uint16_t(out[0] << 8 | out[1]);
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

void build(Tables &t, Iconv &dec, Iconv &enc)
{
    t.single.fill(kKeep);
    t.pair.fill(kKeep);
    t.encode.fill(kRefused);

    // A decoded character is used only when its own canonical code is the
    // same byte(s); otherwise the bytes are kept so that they save back as they were.
    auto accept = [&](char16_t ch, std::uint16_t code) {
        const std::uint16_t canonical = iconvEncode(enc, ch);
        t.encode[ch] = canonical;
        return canonical == code;
    };

    for (int b = 0; b < 256; ++b) {
        if (isLead(b)) {
            t.single[b] = kLeadByte;
            continue;
        }
        const unsigned char byte = static_cast<unsigned char>(b);
        const char16_t ch = iconvDecode(dec, &byte, 1);
        if (ch != kKeep && accept(ch, std::uint16_t(b)))
            t.single[b] = ch;
    }
    for (int l = 0; l < 256; ++l) {
        if (!isLead(l))
            continue;
        char16_t *row = &t.pair[leadIndex(l) * 256];
        for (int tr = 0; tr < 256; ++tr) {
            if (!isTrail(tr)) {
                row[tr] = kNotTrail;
                continue;
            }
            const unsigned char bytes[2] = {static_cast<unsigned char>(l), static_cast<unsigned char>(tr)};
            const char16_t ch = iconvDecode(dec, bytes, 2);
            if (ch != kKeep && accept(ch, std::uint16_t(l << 8 | tr)))
                row[tr] = ch;
        }
    }

    // Characters iconv writes but never reads back (WAVE DASH and the other
    // characters input methods type for a JIS code). A non-ASCII character is
    // never written as an ASCII byte: glibc writes U+00A5 as 0x5C and U+203E
    // as 0x7E, which would silently turn them into a backslash and a tilde.
    for (char32_t ch = 0x80; ch < 0x10000; ++ch) {
        if ((ch >= 0xD800 && ch < 0xE000) || t.encode[ch] != kRefused)
            continue;
        const std::uint16_t code = iconvEncode(enc, ch);
        if (code >= 0x100)
            t.encode[ch] = code;
    }

    // The bytes iconv refuses, as Windows reads them.
    static constexpr std::pair<unsigned char, char16_t> windowsOnly[] = {
        {0x80, 0x0080}, {0xA0, 0xF8F0}, {0xFD, 0xF8F1}, {0xFE, 0xF8F2}, {0xFF, 0xF8F3}};
    for (const auto &[byte, ch] : windowsOnly) {
        t.single[byte] = ch;
        t.encode[ch] = byte;
    }

    for (int b = 0; b < 256; ++b) {
        if (isKeepable(b))
            t.encode[kKeptBase + b] = std::uint16_t(b);
    }
    t.asciiUnchanged = true;
    for (int b = 0; b < 0x80; ++b)
        t.asciiUnchanged = t.asciiUnchanged && t.single[b] == b && t.encode[b] == b;
}

template <typename T, size_t N>
void emit(std::string &out, const char *type, const char *name, const std::array<T, N> &values)
{
    out += "alignas(64) constexpr ";
    out += type;
    out += ' ';
    out += name;
    out += '[' + std::to_string(N) + "] = {";
    for (size_t i = 0; i < N; ++i) {
        if (i % 16 == 0)
            out += "\n";
        char buf[16];
        std::snprintf(buf, sizeof buf, "0x%X,", unsigned(values[i]));
        out += buf;
    }
    out += "\n};\n";
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output file>\n", argv[0]);
        return 2;
    }
    Iconv dec("UTF-32LE", "CP932");
    Iconv enc("CP932", "UTF-32LE");
    if (!dec.valid() || !enc.valid()) {
        std::fprintf(stderr, "%s: glibc iconv has no CP932 converter (gconv modules missing?)\n", argv[0]);
        return 1;
    }
    auto t = std::make_unique<Tables>();
    build(*t, dec, enc);
    std::string out = "// Generated at build time from glibc iconv \"CP932\" by Cp932TableGen.cpp; do not edit.\n";
    emit(out, "char16_t", "kSingle", t->single);
    emit(out, "char16_t", "kPair", t->pair);
    emit(out, "std::uint16_t", "kEncode", t->encode);
    // The ASCII fast paths copy bytes and characters as they are, which holds
    // only while CP932 reads and writes ASCII unchanged (glibc does).
    out += std::string("constexpr bool kAsciiUnchanged = ") + (t->asciiUnchanged ? "true" : "false") + ";\n";

    FILE *f = std::fopen(argv[1], "wb");
    bool written = f && std::fwrite(out.data(), 1, out.size(), f) == out.size();
    if (f)
        written = std::fclose(f) == 0 && written;
    if (!written) {
        std::fprintf(stderr, "%s: cannot write %s: %s\n", argv[0], argv[1], std::strerror(errno));
        return 1;
    }
    return 0;
}
