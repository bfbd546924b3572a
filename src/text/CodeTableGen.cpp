// Build-time generator of the conversion tables: asks glibc iconv about every
// byte, byte pair (and triple) and every BMP character of CP932 and of
// EUC-JP-MS, and writes the answers as constant arrays that the conversions
// compile in, so the program pays nothing at start-up for them. Where browsers
// read a code otherwise than glibc (EucJpLayout.h lists those codes, from the
// WHATWG Encoding Standard's indexes), the tables follow the browsers: a
// character is written only with a code they read back as that character.
//
// Usage: tessara_code_tablegen <Cp932Tables.inc> <EucJpTables.inc>

#include "Cp932Layout.h"
#include "EucJpLayout.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iconv.h>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr char16_t kKeptBase = 0xDC00;

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
        if (iconv(m_cd, nullptr, nullptr, &op, &ol) == static_cast<size_t>(-1))
            return -1;
        return int(op - static_cast<char *>(out));
    }

private:
    iconv_t m_cd;
};

// A pair of converters between UTF-32 and one charset.
struct Charset
{
    explicit Charset(const char *name) : dec("UTF-32LE", name), enc(name, "UTF-32LE") {}
    bool valid() const { return dec.valid() && enc.valid(); }

    // The bytes iconv writes for a BMP character, empty when it cannot.
    std::string encode(char32_t ch)
    {
        unsigned char out[8];
        const int n = enc.convert(&ch, sizeof ch, out, sizeof out);
        return n > 0 ? std::string(reinterpret_cast<char *>(out), size_t(n)) : std::string();
    }
    // The one BMP character iconv reads from these bytes, or 0xFFFF. The
    // values the tables use as markers are refused, so that no character can
    // be taken for one.
    char16_t decode(const unsigned char *bytes, size_t len)
    {
        char32_t out[4];
        const int n = dec.convert(bytes, len, out, sizeof out);
        if (n != int(sizeof(char32_t)) || out[0] > 0xFFFF || (out[0] >= 0xD800 && out[0] < 0xE000) ||
            out[0] >= 0xFFFD)
            return 0xFFFF;
        return char16_t(out[0]);
    }

    Iconv dec;
    Iconv enc;
};

std::uint32_t codeOf(const std::string &bytes)
{
    std::uint32_t code = 0;
    for (unsigned char b : bytes)
        code = code << 8 | b;
    return code;
}

// A problem with glibc's answers that would make a table wrong: reported, and
// the build fails.
bool g_failed = false;
void fail(const char *what, unsigned code, unsigned ch)
{
    std::fprintf(stderr, "tessara_code_tablegen: %s: code %X, character U+%04X\n", what, code, ch);
    g_failed = true;
}

constexpr char16_t kUnknownReading = 0xFFFF;

// What browsers read for a JIS X 0208 code (row and cell) among those
// kBrowserReadsJis0208 lists, else kUnknownReading.
char16_t browserReading0208(std::uint16_t jis)
{
    for (const auto &r : EucJpLayout::kBrowserReadsJis0208)
        if (r.jis == jis)
            return r.ch;
    return kUnknownReading;
}

char16_t browserReading0212(std::uint16_t jis)
{
    for (const auto &r : EucJpLayout::kBrowserReadsJis0212)
        if (r.jis == jis)
            return r.ch;
    return kUnknownReading;
}

// The JIS X 0208 row and cell of a two-byte Shift_JIS code, 0 past row 94.
std::uint16_t jisOfShiftJis(std::uint16_t code)
{
    int s1 = code >> 8;
    const int s2 = code & 0xFF;
    if (s1 >= 0xE0)
        s1 -= 0x40;
    int j1 = (s1 - 0x81) * 2 + 0x21;
    int j2;
    if (s2 >= 0x9F) {
        ++j1;
        j2 = s2 - 0x9F + 0x21;
    } else {
        j2 = s2 - 0x40 + 0x21 - (s2 >= 0x80 ? 1 : 0);
    }
    return j1 <= 0x7E ? std::uint16_t(j1 << 8 | j2) : 0;
}

// A character iconv writes with a code it reads as another character (WAVE
// DASH with FULLWIDTH TILDE's code): written so only where browsers read the
// code as the very character, else the character is one the encoding cannot
// hold. Browsers read each such code as glibc does, which no look-alike is,
// so none is kept today; the test keeps the rule honest should glibc change.
bool browsersReadBack(std::uint16_t jis, bool jis0212, char32_t ch)
{
    const char16_t reading = jis0212 ? browserReading0212(jis) : browserReading0208(jis);
    if (reading == kUnknownReading) {
        fail("no browser reading known for this look-alike's code (add it to kBrowserReads)", jis, unsigned(ch));
        return false;
    }
    return reading == ch;
}

// The Shift_JIS code of a JIS X 0208 code (row and cell 0x21..0x7E each).
std::pair<unsigned char, unsigned char> shiftJisOf(int j1, int j2)
{
    const int s1 = ((j1 + 1) >> 1) + (j1 <= 0x5E ? 0x70 : 0xB0);
    const int s2 = j2 + ((j1 & 1) ? (j2 >= 0x60 ? 0x20 : 0x1F) : 0x7E);
    return {static_cast<unsigned char>(s1), static_cast<unsigned char>(s2)};
}

// ---------------------------------------------------------------------------
// CP932

struct Cp932Tables
{
    std::array<char16_t, 256> single{};
    std::array<char16_t, Cp932Layout::kLeadCount * 256> pair{};
    std::array<std::uint16_t, 0x10000> encode{};
    std::vector<std::pair<std::uint16_t, char16_t>> alt;
    std::array<std::uint64_t, 1024> hasAlt{};
    bool asciiUnchanged = false;
};

std::uint16_t cp932Code(Charset &cs, char32_t ch)
{
    const std::string b = cs.encode(ch);
    if (b.size() == 1)
        return static_cast<unsigned char>(b[0]);
    if (b.size() == 2 && Cp932Layout::isLead(static_cast<unsigned char>(b[0])) &&
        Cp932Layout::isTrail(static_cast<unsigned char>(b[1])))
        return std::uint16_t(codeOf(b));
    return Cp932Layout::kRefused;
}

void buildCp932(Cp932Tables &t, Charset &cs)
{
    using namespace Cp932Layout;
    t.single.fill(kKeep);
    t.pair.fill(kKeep);
    t.encode.fill(kRefused);

    // A character is read from its code when writing it gives the same code
    // (its canonical code), or when it is one of the copies Windows reads as
    // that character and writes with another code: then the copy is an
    // alternative code, remembered so that a document can keep it.
    auto classify = [&](char16_t ch, std::uint16_t code) -> char16_t {
        const std::uint16_t canonical = cp932Code(cs, ch);
        t.encode[ch] = canonical;
        if (canonical == code)
            return ch;
        if (canonical == kRefused)
            return kKeep;
        t.alt.emplace_back(code, ch);
        t.hasAlt[ch / 64] |= std::uint64_t(1) << (ch % 64);
        return kAlt;
    };

    for (int b = 0; b < 256; ++b) {
        if (isLead(b)) {
            t.single[b] = kLeadByte;
            continue;
        }
        const unsigned char byte = static_cast<unsigned char>(b);
        const char16_t ch = cs.decode(&byte, 1);
        if (ch != kKeep) {
            const char16_t v = classify(ch, std::uint16_t(b));
            t.single[b] = v == kAlt ? kKeep : v; // single bytes have no copies
        }
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
            const char16_t ch = cs.decode(bytes, 2);
            if (ch != kKeep)
                row[tr] = classify(ch, std::uint16_t(l << 8 | tr));
        }
    }

    // Browsers read these codes as glibc does: the program reads what they read.
    for (const auto &r : EucJpLayout::kBrowserReadsJis0208) {
        const auto [s1, s2] = shiftJisOf(r.jis >> 8, r.jis & 0xFF);
        const unsigned char bytes[2] = {s1, s2};
        if (cs.decode(bytes, 2) != r.ch)
            fail("CP932 reads a code otherwise than browsers", unsigned(s1 << 8 | s2), r.ch);
    }

    // Characters iconv writes but never reads back (WAVE DASH and the other
    // characters input methods type for a JIS code): see browsersReadBack. A
    // non-ASCII character is never written as an ASCII byte: glibc writes
    // U+00A5 as 0x5C and U+203E as 0x7E, which would silently turn them into a
    // backslash and a tilde.
    for (char32_t ch = 0x80; ch < 0x10000; ++ch) {
        if ((ch >= 0xD800 && ch < 0xE000) || t.encode[ch] != kRefused)
            continue;
        const std::uint16_t code = cp932Code(cs, ch);
        if (code >= 0x100 && code != kRefused && browsersReadBack(jisOfShiftJis(code), false, ch))
            t.encode[ch] = code;
    }

    // The bytes iconv refuses, as Windows reads them.
    static constexpr std::pair<unsigned char, char16_t> windowsOnly[] = {
        {0x80, 0x0080}, {0xA0, 0xF8F0}, {0xFD, 0xF8F1}, {0xFE, 0xF8F2}, {0xFF, 0xF8F3}};
    for (const auto &[byte, ch] : windowsOnly) {
        t.single[byte] = ch;
        t.encode[ch] = byte;
    }

    // A kept byte is written back as itself.
    for (int b = 0; b < 256; ++b)
        if (isKeepable(b))
            t.encode[kKeptBase + b] = std::uint16_t(b);
    t.asciiUnchanged = true;
    for (int b = 0; b < 0x80; ++b)
        t.asciiUnchanged = t.asciiUnchanged && t.single[b] == b && t.encode[b] == b;
    std::sort(t.alt.begin(), t.alt.end());
}

// ---------------------------------------------------------------------------
// EUC-JP (glibc "EUC-JP-MS")

struct EucTables
{
    std::array<char16_t, EucJpLayout::kRows * EucJpLayout::kRows> g1{};
    std::array<char16_t, EucJpLayout::kRows * EucJpLayout::kRows> g3{};
    std::array<std::uint16_t, 0x10000> encode{};
    std::vector<std::pair<std::uint32_t, char16_t>> alt;
    std::vector<std::pair<char16_t, std::uint16_t>> twoByteCopy;
    std::array<std::uint64_t, 1024> hasAlt{};
    bool asciiUnchanged = false;
    bool kanaAsExpected = false;
};

// The table form of the code iconv writes for a character (see EucJpLayout.h).
std::uint16_t eucCode(Charset &cs, char32_t ch)
{
    using namespace EucJpLayout;
    const std::string b = cs.encode(ch);
    const std::uint32_t code = codeOf(b);
    if (b.size() == 1 && code < 0x80)
        return std::uint16_t(code);
    if (b.size() == 2 && (isTwoByteCode(code) || isKanaCode(code)) &&
        (isKanaCode(code) || (isRowByte(code >> 8) && isRowByte(code & 0xFF))))
        return std::uint16_t(code);
    if (b.size() == 3 && (code >> 16) == 0x8F && isRowByte((code >> 8) & 0xFF) && isRowByte(code & 0xFF))
        return std::uint16_t((code & 0xFFFF) - 0x8080);
    return kRefused;
}

// The bytes of a table-form code, as a number (0x8F prefix for the three-byte set).
std::uint32_t eucBytes(std::uint16_t tableCode)
{
    return EucJpLayout::isThreeByteCode(tableCode) ? 0x8F0000u | (tableCode + 0x8080u) : tableCode;
}

bool isNecSelectedRow(int b1) { return b1 >= 0xA1 + 88 && b1 <= 0xA1 + 91; }

void buildEucJp(EucTables &t, Charset &cs, Charset &cp932)
{
    using namespace EucJpLayout;
    t.g1.fill(kKeep);
    t.g3.fill(kKeep);
    t.encode.fill(kRefused);

    auto classify = [&](char16_t ch, std::uint32_t bytes) -> char16_t {
        const std::uint16_t canonical = eucCode(cs, ch);
        t.encode[ch] = canonical;
        if (canonical == kRefused)
            return kKeep;
        if (eucBytes(canonical) == bytes)
            return ch;
        t.alt.emplace_back(bytes, ch);
        return kAlt;
    };

    // ASCII is written as itself, also outside the encoder's runs of four
    // ASCII characters (a letter right after a kanji).
    t.asciiUnchanged = true;
    for (int b = 0; b < 0x80; ++b) {
        const unsigned char byte = static_cast<unsigned char>(b);
        t.asciiUnchanged = t.asciiUnchanged && cs.decode(&byte, 1) == b && eucCode(cs, char32_t(b)) == b;
        t.encode[b] = std::uint16_t(b);
    }
    t.kanaAsExpected = true;
    for (int b = 0xA1; b <= 0xDF; ++b) {
        const unsigned char bytes[2] = {0x8E, static_cast<unsigned char>(b)};
        const char16_t ch = char16_t(0xFF61 + (b - 0xA1));
        t.kanaAsExpected = t.kanaAsExpected && cs.decode(bytes, 2) == ch && eucCode(cs, ch) == (0x8E00 | b);
        t.encode[ch] = std::uint16_t(0x8E00 | b);
    }
    for (int b1 = 0xA1; b1 <= 0xFE; ++b1)
        for (int b2 = 0xA1; b2 <= 0xFE; ++b2) {
            const unsigned char two[2] = {static_cast<unsigned char>(b1), static_cast<unsigned char>(b2)};
            char16_t ch = cs.decode(two, 2);
            // Rows 89 to 92 hold NEC's selection of the IBM kanji, which
            // Windows writes in EUC-JP and the browsers read; glibc's EUC-JP-MS
            // has user-defined characters there, its CP932 has the kanji at
            // ED40-EEFC.
            if (isNecSelectedRow(b1)) {
                const auto [s1, s2] = shiftJisOf(b1 - 0x80, b2 - 0x80);
                const unsigned char sjis[2] = {s1, s2};
                ch = cp932.decode(sjis, 2);
            }
            if (ch != kKeep)
                t.g1[cell(b1, b2)] = classify(ch, std::uint32_t(b1 << 8 | b2));
            const unsigned char three[3] = {0x8F, static_cast<unsigned char>(b1), static_cast<unsigned char>(b2)};
            char16_t ch3 = cs.decode(three, 3);
            // Read as browsers do where they read another character.
            if (const char16_t b = browserReading0212(std::uint16_t((b1 << 8 | b2) - 0x8080)); b != kUnknownReading)
                ch3 = b;
            if (ch3 != kKeep)
                t.g3[cell(b1, b2)] = classify(ch3, 0x8F0000u | std::uint32_t(b1 << 8 | b2));
        }

    for (const auto &r : kBrowserReadsJis0208) {
        const unsigned char bytes[2] = {static_cast<unsigned char>((r.jis >> 8) + 0x80),
                                        static_cast<unsigned char>((r.jis & 0xFF) + 0x80)};
        if (cs.decode(bytes, 2) != r.ch)
            fail("EUC-JP-MS reads a code otherwise than browsers", r.jis + 0x8080u, r.ch);
    }

    // As for CP932: what iconv writes but never reads back, only where
    // browsers read it back (see browsersReadBack), and never a non-ASCII
    // character as an ASCII byte, nor a user-defined character as one of NEC's
    // kanji codes, which read back as the kanji.
    for (char32_t ch = 0x80; ch < 0x10000; ++ch) {
        if ((ch >= 0xD800 && ch < 0xE000) || t.encode[ch] != kRefused)
            continue;
        const std::uint16_t code = eucCode(cs, ch);
        if (code < 0x80 || code == kRefused || (isTwoByteCode(code) && isNecSelectedRow(code >> 8)))
            continue;
        if (isKanaCode(code))
            t.encode[ch] = code;
        else if (browsersReadBack(isTwoByteCode(code) ? std::uint16_t(code - 0x8080) : code,
                                  isThreeByteCode(code), ch))
            t.encode[ch] = code;
    }
    for (int b = 0; b < 256; ++b)
        t.encode[kKeptBase + b] = kRefused; // kept bytes are the conversions' own business

    // A character glibc writes with a three-byte code that browsers read as
    // no character or as another (the IBM kanji EUC-JP-MS puts in rows 0x73
    // and 0x74 of JIS X 0212: 髙 as 8FF4FB) is written with its two-byte code,
    // the one browsers write (髙 as FCE2): the lowest two-byte code that reads
    // as it. Its three-byte code still reads as it, as another of its codes.
    auto readsAsItself3 = [&](std::uint16_t code, char16_t ch) {
        return !isIbmCopyRow0212(code >> 8) && t.g3[cell((code >> 8) + 0x80, (code & 0xFF) + 0x80)] == ch;
    };
    for (char32_t c = 0x80; c < 0x10000; ++c) {
        const char16_t ch = char16_t(c);
        const std::uint16_t code = t.encode[ch];
        if (!isThreeByteCode(code) || readsAsItself3(code, ch))
            continue;
        const auto copy = std::find_if(t.alt.begin(), t.alt.end(), [&](const auto &a) {
            return a.second == ch && isTwoByteCode(a.first) &&
                   std::none_of(t.alt.begin(), t.alt.end(), [&](const auto &b) {
                       return b.second == ch && isTwoByteCode(b.first) && b.first < a.first;
                   });
        });
        char16_t &three = t.g3[cell((code >> 8) + 0x80, (code & 0xFF) + 0x80)];
        if (copy == t.alt.end()) {
            t.encode[ch] = kRefused;
            if (three == ch)
                three = kKeep;
            continue;
        }
        t.encode[ch] = std::uint16_t(copy->first);
        t.g1[cell(copy->first >> 8, copy->first & 0xFF)] = ch;
        t.alt.erase(copy);
        if (three == ch) {
            three = kAlt;
            t.alt.emplace_back(0x8F0000u | (code + 0x8080u), ch);
        }
    }

    // ISO-2022-JP has only the two-byte set: a character written in the
    // three-byte set is written there with its two-byte copy.
    for (const auto &[bytes, ch] : t.alt)
        if (isThreeByteCode(t.encode[ch]) && bytes <= 0xFFFF)
            t.twoByteCopy.emplace_back(ch, std::uint16_t(bytes));
    std::sort(t.twoByteCopy.begin(), t.twoByteCopy.end());
    t.twoByteCopy.erase(std::unique(t.twoByteCopy.begin(), t.twoByteCopy.end(),
                                    [](const auto &a, const auto &b) { return a.first == b.first; }),
                        t.twoByteCopy.end());
    for (const auto &[bytes, ch] : t.alt)
        t.hasAlt[ch / 64] |= std::uint64_t(1) << (ch % 64);
    std::sort(t.alt.begin(), t.alt.end());
}

// ---------------------------------------------------------------------------
// Output

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
        char buf[32];
        std::snprintf(buf, sizeof buf, "0x%llX,", static_cast<unsigned long long>(values[i]));
        out += buf;
    }
    out += "\n};\n";
}

template <typename A, typename B>
void emitPairs(std::string &out, const char *type, const char *name, const std::vector<std::pair<A, B>> &values)
{
    out += "constexpr ";
    out += type;
    out += ' ';
    out += name;
    out += '[' + std::to_string(values.size()) + "] = {";
    for (size_t i = 0; i < values.size(); ++i) {
        if (i % 8 == 0)
            out += "\n";
        char buf[48];
        std::snprintf(buf, sizeof buf, "{0x%X, 0x%X},", unsigned(values[i].first), unsigned(values[i].second));
        out += buf;
    }
    out += "\n};\n";
}

bool writeFile(const char *path, const std::string &text)
{
    FILE *f = std::fopen(path, "wb");
    bool written = f && std::fwrite(text.data(), 1, text.size(), f) == text.size();
    if (f)
        written = std::fclose(f) == 0 && written;
    return written;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <Cp932Tables.inc> <EucJpTables.inc>\n", argv[0]);
        return 2;
    }
    Charset cp932("CP932");
    Charset eucjp("EUC-JP-MS");
    if (!cp932.valid() || !eucjp.valid()) {
        std::fprintf(stderr, "%s: glibc iconv lacks CP932 or EUC-JP-MS (gconv modules missing?)\n", argv[0]);
        return 1;
    }

    auto c = std::make_unique<Cp932Tables>();
    buildCp932(*c, cp932);
    std::string out = "// Generated at build time from glibc iconv \"CP932\" by CodeTableGen.cpp; do not edit.\n";
    emit(out, "char16_t", "kSingle", c->single);
    emit(out, "char16_t", "kPair", c->pair);
    emit(out, "std::uint16_t", "kEncode", c->encode);
    emitPairs(out, "AltCode", "kAltCodes", c->alt);
    emit(out, "std::uint64_t", "kHasAlt", c->hasAlt);
    // The ASCII fast paths copy bytes and characters as they are, which holds
    // only while CP932 reads and writes ASCII unchanged (glibc does).
    out += std::string("constexpr bool kAsciiUnchanged = ") + (c->asciiUnchanged ? "true" : "false") + ";\n";

    auto e = std::make_unique<EucTables>();
    buildEucJp(*e, eucjp, cp932);
    if (!e->asciiUnchanged || !e->kanaAsExpected) {
        std::fprintf(stderr, "%s: iconv's EUC-JP-MS does not read ASCII and katakana as expected\n", argv[0]);
        return 1;
    }
    std::string eout =
        "// Generated at build time from glibc iconv \"EUC-JP-MS\" by CodeTableGen.cpp; do not edit.\n";
    emit(eout, "char16_t", "kEucTwoByte", e->g1);
    emit(eout, "char16_t", "kEucThreeByte", e->g3);
    emit(eout, "std::uint16_t", "kEucEncode", e->encode);
    emitPairs(eout, "AltCode", "kEucAltCodes", e->alt);
    emitPairs(eout, "TwoByteCopy", "kTwoByteCopies", e->twoByteCopy);
    emit(eout, "std::uint64_t", "kEucHasAlt", e->hasAlt);

    if (g_failed)
        return 1;
    if (!writeFile(argv[1], out) || !writeFile(argv[2], eout)) {
        std::fprintf(stderr, "%s: cannot write the tables: %s\n", argv[0], std::strerror(errno));
        return 1;
    }
    return 0;
}
