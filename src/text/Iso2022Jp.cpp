#include "text/Iso2022Jp.h"

#include "text/AltCodes.h"
#include "text/EucJp.h"

#include <QByteArrayView>

#include <array>
#include <optional>

namespace Iso2022Jp {
namespace {

enum class Set { Ascii, Roman, Kanji, Kana };

constexpr unsigned char Esc = 0x1B;
constexpr char16_t Yen = 0x00A5;
constexpr char16_t Overline = 0x203E;
constexpr char16_t KanaFirst = 0xFF61;
constexpr char16_t KanaLast = 0xFF9F;

// The escape sequence writing uses for each set.
QByteArrayView escapeFor(Set set)
{
    switch (set) {
    case Set::Ascii: return "\x1B(B";
    case Set::Roman: return "\x1B(J";
    case Set::Kanji: return "\x1B$B";
    case Set::Kana: return "\x1B(I";
    }
    return {};
}

struct Escape
{
    int length = 1;
    std::optional<Set> set; // empty for a sequence of another set, or a broken one
};

// The escape sequence at in[i] (in[i] is ESC): one of the sets above, or any
// other ISO 2022 escape (ESC, bytes 0x20-0x2F, a final byte 0x30-0x7E), or
// the ESC byte alone when what follows is no escape sequence.
Escape escapeAt(const unsigned char *in, qsizetype i, qsizetype n)
{
    Escape e;
    qsizetype j = i + 1;
    while (j < n && in[j] >= 0x20 && in[j] <= 0x2F)
        ++j;
    if (j >= n || in[j] < 0x30 || in[j] > 0x7E || j == i + 1)
        return e;
    e.length = int(j - i + 1);
    if (e.length == 3) {
        const char i1 = char(in[i + 1]), f = char(in[i + 2]);
        if (i1 == '(' && f == 'B')
            e.set = Set::Ascii;
        else if (i1 == '(' && f == 'J')
            e.set = Set::Roman;
        else if (i1 == '(' && f == 'I')
            e.set = Set::Kana;
        else if (i1 == '$' && (f == 'B' || f == '@'))
            e.set = Set::Kanji;
    }
    return e;
}

bool isControl(char32_t c) { return (c < 0x21 && c != Esc) || c == 0x7F; }

// The bytes decoding can keep: escape sequences, bytes of a set's character
// that make none, and the bytes ISO-2022-JP never uses.
bool isKeepable(char16_t c)
{
    if (!keptbyte::is(c))
        return false;
    const unsigned char b = keptbyte::value(c);
    return b == Esc || (b >= 0x20 && b <= 0x7E) || b >= 0x80;
}

// The set writing switches to before the character c while in `set`, or
// nothing when c can be written in `set` as it is.
std::optional<Set> switchFor(Set set, char32_t c, const Habits &habits)
{
    if (isControl(c)) {
        if (habits.controlsKeepSet)
            return std::nullopt;
        if (set == Set::Kanji || set == Set::Kana || (set == Set::Roman && (c == u'\r' || c == u'\n')))
            return Set::Ascii;
        return std::nullopt;
    }
    if (c < 0x80) {
        if (set == Set::Ascii || (set == Set::Roman && c != u'\\' && c != u'~'))
            return std::nullopt;
        return Set::Ascii;
    }
    if (c == Yen || c == Overline)
        return set == Set::Roman ? std::nullopt : std::optional(Set::Roman);
    if (c >= KanaFirst && c <= KanaLast)
        return set == Set::Kana ? std::nullopt : std::optional(Set::Kana);
    return set == Set::Kanji ? std::nullopt : std::optional(Set::Kanji);
}

// One character of a set read at in[i] (not ESC).
struct Unit
{
    int length = 1;
    char16_t ch = 0;
    bool kept = false;
    bool alternative = false; // a copy's code (AltCodes.h)
    std::uint16_t code = 0;   // in the two-byte set: as EUC-JP writes it
};

Unit unitAt(Set set, const unsigned char *in, qsizetype i, qsizetype n)
{
    Unit u;
    const unsigned char b = in[i];
    if (b >= 0x80) {
        u.kept = true;
        return u;
    }
    if (isControl(b)) {
        u.ch = b;
        return u;
    }
    switch (set) {
    case Set::Ascii:
        u.ch = b;
        break;
    case Set::Roman:
        u.ch = b == 0x5C ? Yen : b == 0x7E ? Overline : char16_t(b);
        break;
    case Set::Kana:
        if (b <= 0x5F)
            u.ch = char16_t(KanaFirst + (b - 0x21));
        else
            u.kept = true;
        break;
    case Set::Kanji:
        if (i + 1 < n && in[i + 1] >= 0x21 && in[i + 1] <= 0x7E) {
            u.length = 2;
            u.code = std::uint16_t((b << 8 | in[i + 1]) + 0x8080);
            u.ch = EucJp::twobyte::decode(u.code, &u.alternative);
            u.kept = u.ch == 0xFFFF;
        } else {
            u.kept = true; // a first byte without its second
        }
        break;
    }
    return u;
}

// Where the file returns to ASCII: a first pass over the escapes.
Habits habitsOf(const unsigned char *in, qsizetype n)
{
    Habits h;
    Set set = Set::Ascii;
    qsizetype i = 0;
    while (i < n) {
        const unsigned char b = in[i];
        if (b == Esc) {
            const Escape e = escapeAt(in, i, n);
            if (e.set)
                set = *e.set;
            i += e.length;
            continue;
        }
        if (isControl(b)) {
            if (set == Set::Kanji || set == Set::Kana || (set == Set::Roman && (b == '\r' || b == '\n')))
                h.controlsKeepSet = true;
            ++i;
            continue;
        }
        i += unitAt(set, in, i, n).length;
    }
    h.endsOutsideAscii = set != Set::Ascii;
    return h;
}

} // namespace

Decoded decode(QByteArrayView bytes)
{
    const auto *in = reinterpret_cast<const unsigned char *>(bytes.data());
    const qsizetype n = bytes.size();
    Decoded result;
    result.habits = habitsOf(in, n);
    result.text.resize(n);
    char16_t *out = reinterpret_cast<char16_t *>(result.text.data());
    char16_t *const begin = out;
    AltCodeTally alt;

    // Invalid bytes are counted for the reader's notice; escape sequences
    // kept to be written back as they were are no fault of the file.
    auto keep = [&](qsizetype at, int count, bool invalid = true) {
        if (invalid) {
            out = keptbyte::keep(result, in, at, count, out);
            return;
        }
        for (int k = 0; k < count; ++k)
            *out++ = keptbyte::of(in[at + k]);
    };

    Set set = Set::Ascii;
    qsizetype i = 0;
    while (i < n) {
        if (in[i] != Esc) {
            const Unit u = unitAt(set, in, i, n);
            if (u.kept) {
                keep(i, u.length);
            } else {
                if (u.alternative)
                    alt.seen(u.ch, u.code, out - begin);
                *out++ = u.ch;
            }
            i += u.length;
            continue;
        }
        const Escape e = escapeAt(in, i, n);
        if (!e.set) {
            keep(i, e.length); // another set's escape: its bytes stay, and so does the set
            i += e.length;
            continue;
        }
        // The escape writing would put here: the switch the next character
        // needs (none before another escape), or the return to ASCII at the end.
        const qsizetype next = i + e.length;
        std::optional<Set> wanted;
        if (next >= n) {
            if (set != Set::Ascii && !result.habits.endsOutsideAscii)
                wanted = Set::Ascii;
        } else if (in[next] != Esc) {
            const Unit u = unitAt(*e.set, in, next, n);
            if (!u.kept)
                wanted = switchFor(set, u.ch, result.habits);
        }
        const QByteArrayView sequence(in + i, e.length);
        if (wanted != e.set || sequence != escapeFor(*e.set))
            keep(i, e.length, false); // the file's own escape, written back as it is
        set = *e.set;
        i += e.length;
    }
    result.text.truncate(out - begin);
    alt.into(result);
    return result;
}

EncodedText encode(QStringView text, const Habits &habits, const AltCodeChoice &altCodes, const CodesAt &codes)
{
    auto place = codes.cbegin();
    const char16_t *in = text.utf16();
    const qsizetype n = text.size();
    QByteArray bytes;
    bytes.reserve(n * 2 + 8);
    Set set = Set::Ascii;
    auto put = [&](QByteArrayView b) { bytes.append(b.data(), b.size()); };

    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = in[i];
        if (isKeepable(c)) {
            // A kept escape sequence is written as it was, and the set follows it.
            if (keptbyte::value(c) == Esc) {
                std::array<unsigned char, 8> seq{};
                qsizetype len = 0;
                while (len < qsizetype(seq.size()) && i + len < n && isKeepable(in[i + len])) {
                    seq[size_t(len)] = keptbyte::value(in[i + len]);
                    ++len;
                }
                const Escape e = escapeAt(seq.data(), 0, len);
                for (int k = 0; k < e.length; ++k)
                    bytes.append(char(seq[size_t(k)]));
                if (e.set)
                    set = *e.set;
                i += e.length - 1;
                continue;
            }
            bytes.append(char(keptbyte::value(c)));
            continue;
        }
        if (!canWrite(c))
            return encodeFailure(in, n, i);
        std::uint16_t code = 0;
        if (c >= 0x80 && c != Yen && c != Overline && !(c >= KanaFirst && c <= KanaLast)) {
            std::uint32_t chosen = 0;
            if (EucJp::twobyte::hasAlternatives(c)) {
                while (place != codes.cend() && place->index < i)
                    ++place;
                if (place != codes.cend() && place->index == i)
                    chosen = place->code;
                else
                    chosen = altCodes.value(c, 0);
            }
            code = chosen != 0 && chosen <= 0xFFFF ? std::uint16_t(chosen) : EucJp::twobyte::encode(c);
        }
        if (const std::optional<Set> to = switchFor(set, c, habits)) {
            put(escapeFor(*to));
            set = *to;
        }
        if (code != 0) {
            bytes.append(char((code >> 8) - 0x80));
            bytes.append(char((code & 0xFF) - 0x80));
        } else if (c == Yen) {
            bytes.append('\x5C');
        } else if (c == Overline) {
            bytes.append('\x7E');
        } else if (c >= KanaFirst && c <= KanaLast) {
            bytes.append(char(0x21 + (c - KanaFirst)));
        } else {
            bytes.append(char(c));
        }
    }
    if (set != Set::Ascii && !habits.endsOutsideAscii)
        put(escapeFor(Set::Ascii));
    EncodedText result;
    result.ok = true;
    result.bytes = std::move(bytes);
    return result;
}

bool canWrite(char32_t ch)
{
    if (ch == Esc)
        return false;
    if (ch < 0x80 || ch == Yen || ch == Overline || (ch >= KanaFirst && ch <= KanaLast))
        return true;
    if (ch >= 0x10000)
        return false;
    return isKeepable(char16_t(ch)) || EucJp::twobyte::encode(char16_t(ch)) != 0;
}

namespace {
constexpr unsigned ControlsKeepSet = 1;
constexpr unsigned EndsOutsideAscii = 2;

class Iso2022JpCodec final : public Codec
{
public:
    QString name() const override { return QStringLiteral("ISO-2022-JP"); }
    QByteArrayView label() const override { return "ISO-2022-JP"; }
    CodecDecoded decode(QByteArrayView bytes) const override
    {
        Iso2022Jp::Decoded r = Iso2022Jp::decode(bytes);
        CodecDecoded d;
        d.habits.altCodes = r.altCodes;
        d.habits.flags = (r.habits.controlsKeepSet ? ControlsKeepSet : 0) |
                         (r.habits.endsOutsideAscii ? EndsOutsideAscii : 0);
        static_cast<DecodedText &>(d) = std::move(r);
        return d;
    }
    EncodedText encode(QStringView text, const CodecHabits &habits, const CodesAt &codes) const override
    {
        Habits h;
        h.controlsKeepSet = habits.flags & ControlsKeepSet;
        h.endsOutsideAscii = habits.flags & EndsOutsideAscii;
        return Iso2022Jp::encode(text, h, habits.altCodes, codes);
    }
    bool canWrite(char32_t ch) const override { return Iso2022Jp::canWrite(ch); }
};
} // namespace

const Codec &codec()
{
    static const Iso2022JpCodec c;
    return c;
}

} // namespace Iso2022Jp
