#include "text/Detect.h"

#include "text/EucJp.h"
#include "text/Utf8.h"

#include <QByteArray>

#include <array>
#include <cstring>

namespace detect {
namespace {

bool isSpace(unsigned char c) { return c == 0x09 || c == 0x0A || c == 0x0C || c == 0x0D || c == 0x20; }
bool isAlpha(unsigned char c) { return (c | 0x20) >= 'a' && (c | 0x20) <= 'z'; }
unsigned char lower(unsigned char c) { return c >= 'A' && c <= 'Z' ? c | 0x20 : c; }

bool startsWithNoCase(QByteArrayView s, qsizetype at, const char *word)
{
    for (qsizetype k = 0; word[k]; ++k)
        if (at + k >= s.size() || lower(uchar(s[at + k])) != uchar(word[k]))
            return false;
    return true;
}

// The pre-scan's "get an attribute": reads one attribute from `pos` on,
// lower-cased name and value as written. False when the tag has ended.
bool attributeAt(QByteArrayView s, qsizetype &pos, QByteArray &name, QByteArray &value)
{
    const qsizetype n = s.size();
    name.clear();
    value.clear();
    while (pos < n && (isSpace(uchar(s[pos])) || s[pos] == '/'))
        ++pos;
    if (pos >= n || s[pos] == '>')
        return false;
    // The name.
    for (;;) {
        if (pos >= n)
            return false;
        const unsigned char c = uchar(s[pos]);
        if (c == '=' && !name.isEmpty()) {
            ++pos;
            break;
        }
        if (isSpace(c)) {
            while (pos < n && isSpace(uchar(s[pos])))
                ++pos;
            if (pos >= n || s[pos] != '=')
                return true; // a name without a value
            ++pos;
            break;
        }
        if (c == '/' || c == '>')
            return true;
        name.append(char(lower(c)));
        ++pos;
    }
    // The value.
    while (pos < n && isSpace(uchar(s[pos])))
        ++pos;
    if (pos >= n)
        return false;
    const char quote = s[pos];
    if (quote == '"' || quote == '\'') {
        ++pos;
        while (pos < n && s[pos] != quote)
            value.append(char(lower(uchar(s[pos++]))));
        if (pos >= n)
            return false;
        ++pos;
        return true;
    }
    if (quote == '>')
        return true;
    while (pos < n && !isSpace(uchar(s[pos])) && s[pos] != '>')
        value.append(char(lower(uchar(s[pos++]))));
    return pos < n;
}

// "Extracting a character encoding from a meta element": the label after
// "charset" (and blanks and "=") in a content attribute.
std::optional<QByteArray> charsetInContent(QByteArrayView content)
{
    const qsizetype n = content.size();
    qsizetype pos = 0;
    for (;;) {
        const qsizetype at = QByteArrayView(content).sliced(pos).indexOf("charset");
        if (at < 0)
            return std::nullopt;
        pos += at + 7;
        qsizetype p = pos;
        while (p < n && isSpace(uchar(content[p])))
            ++p;
        if (p >= n || content[p] != '=')
            continue; // look for the next "charset"
        ++p;
        while (p < n && isSpace(uchar(content[p])))
            ++p;
        if (p >= n)
            return std::nullopt;
        const char quote = content[p];
        if (quote == '"' || quote == '\'') {
            const qsizetype end = QByteArrayView(content).sliced(p + 1).indexOf(quote);
            if (end < 0)
                return std::nullopt;
            return content.sliced(p + 1, end).toByteArray();
        }
        qsizetype end = p;
        while (end < n && !isSpace(uchar(content[end])) && content[end] != ';')
            ++end;
        return content.sliced(p, end - p).toByteArray();
    }
}

// The Encoding Standard's encodings and their labels (Encoding.h names the
// ones this program writes).
struct EncodingLabels
{
    const char *name;
    const char *labels; // separated by blanks
};
constexpr EncodingLabels kLabels[] = {
    {"UTF-8", "unicode-1-1-utf-8 unicode11utf8 unicode20utf8 utf-8 utf8 x-unicode20utf8"},
    {"IBM866", "866 cp866 csibm866 ibm866"},
    {"ISO-8859-2", "csisolatin2 iso-8859-2 iso-ir-101 iso8859-2 iso88592 iso_8859-2 iso_8859-2:1987 l2 latin2"},
    {"ISO-8859-3", "csisolatin3 iso-8859-3 iso-ir-109 iso8859-3 iso88593 iso_8859-3 iso_8859-3:1988 l3 latin3"},
    {"ISO-8859-4", "csisolatin4 iso-8859-4 iso-ir-110 iso8859-4 iso88594 iso_8859-4 iso_8859-4:1988 l4 latin4"},
    {"ISO-8859-5", "csisolatincyrillic cyrillic iso-8859-5 iso-ir-144 iso8859-5 iso88595 iso_8859-5 "
                   "iso_8859-5:1988"},
    {"ISO-8859-6", "arabic asmo-708 csiso88596e csiso88596i csisolatinarabic ecma-114 iso-8859-6 iso-8859-6-e "
                   "iso-8859-6-i iso-ir-127 iso8859-6 iso88596 iso_8859-6 iso_8859-6:1987"},
    {"ISO-8859-7", "csisolatingreek ecma-118 elot_928 greek greek8 iso-8859-7 iso-ir-126 iso8859-7 iso88597 "
                   "iso_8859-7 iso_8859-7:1987 sun_eu_greek"},
    {"ISO-8859-8", "csiso88598e csisolatinhebrew hebrew iso-8859-8 iso-8859-8-e iso-ir-138 iso8859-8 iso88598 "
                   "iso_8859-8 iso_8859-8:1988 visual"},
    {"ISO-8859-8-I", "csiso88598i iso-8859-8-i logical"},
    {"ISO-8859-10", "csisolatin6 iso-8859-10 iso-ir-157 iso8859-10 iso885910 l6 latin6"},
    {"ISO-8859-13", "iso-8859-13 iso8859-13 iso885913"},
    {"ISO-8859-14", "iso-8859-14 iso8859-14 iso885914"},
    {"ISO-8859-15", "csisolatin9 iso-8859-15 iso8859-15 iso885915 iso_8859-15 l9"},
    {"ISO-8859-16", "iso-8859-16"},
    {"KOI8-R", "cskoi8r koi koi8 koi8-r koi8_r"},
    {"KOI8-U", "koi8-ru koi8-u"},
    {"macintosh", "csmacintosh mac macintosh x-mac-roman"},
    {"windows-874", "dos-874 iso-8859-11 iso8859-11 iso885911 tis-620 windows-874"},
    {"windows-1250", "cp1250 windows-1250 x-cp1250"},
    {"windows-1251", "cp1251 windows-1251 x-cp1251"},
    {"windows-1252", "ansi_x3.4-1968 ascii cp1252 cp819 csisolatin1 ibm819 iso-8859-1 iso-ir-100 iso8859-1 "
                     "iso88591 iso_8859-1 iso_8859-1:1987 l1 latin1 us-ascii windows-1252 x-cp1252"},
    {"windows-1253", "cp1253 windows-1253 x-cp1253"},
    {"windows-1254", "cp1254 csisolatin5 iso-8859-9 iso-ir-148 iso8859-9 iso88599 iso_8859-9 iso_8859-9:1989 l5 "
                     "latin5 windows-1254 x-cp1254"},
    {"windows-1255", "cp1255 windows-1255 x-cp1255"},
    {"windows-1256", "cp1256 windows-1256 x-cp1256"},
    {"windows-1257", "cp1257 windows-1257 x-cp1257"},
    {"windows-1258", "cp1258 windows-1258 x-cp1258"},
    {"x-mac-cyrillic", "x-mac-cyrillic x-mac-ukrainian"},
    {"GBK", "chinese csgb2312 csiso58gb231280 gb2312 gb_2312 gb_2312-80 gbk iso-ir-58 x-gbk"},
    {"gb18030", "gb18030"},
    {"Big5", "big5 big5-hkscs cn-big5 csbig5 x-x-big5"},
    // cp932 is no label of the standard's; pages that say it mean Shift_JIS.
    {"EUC-JP", "cseucpkdfmtjapanese euc-jp x-euc-jp"},
    {"ISO-2022-JP", "csiso2022jp iso-2022-jp"},
    {"Shift_JIS", "cp932 csshiftjis ms932 ms_kanji shift-jis shift_jis sjis windows-31j x-sjis"},
    {"EUC-KR", "cseuckr csksc56011987 euc-kr iso-ir-149 korean ks_c_5601-1987 ks_c_5601-1989 ksc5601 ksc_5601 "
               "windows-949"},
    {"replacement", "csiso2022kr hz-gb-2312 iso-2022-cn iso-2022-cn-ext iso-2022-kr"},
    {"UTF-16BE", "unicodefffe utf-16be"},
    {"UTF-16LE", "csunicode iso-10646-ucs-2 ucs-2 unicode unicodefeff utf-16 utf-16le"},
    {"x-user-defined", "x-user-defined"},
};

QByteArrayView trimmed(QByteArrayView label)
{
    qsizetype b = 0, e = label.size();
    while (b < e && isSpace(uchar(label[b])))
        ++b;
    while (e > b && isSpace(uchar(label[e - 1])))
        --e;
    return label.sliced(b, e - b);
}

std::optional<Encoding> writtenEncoding(QByteArrayView name)
{
    if (name == "UTF-8")
        return Encoding::Utf8;
    if (name == "Shift_JIS")
        return Encoding::ShiftJis;
    if (name == "EUC-JP")
        return Encoding::EucJp;
    if (name == "ISO-2022-JP")
        return Encoding::Iso2022Jp;
    return std::nullopt;
}

// A declaration of the label, or none when the label names no encoding. As
// the prescan has it, UTF-16 means UTF-8 and x-user-defined windows-1252.
std::optional<Declaration> declarationOf(Source source, QByteArrayView label)
{
    QByteArray name = standardName(label);
    if (name.isEmpty())
        return std::nullopt;
    if (name == "UTF-16BE" || name == "UTF-16LE")
        name = "UTF-8";
    else if (name == "x-user-defined")
        name = "windows-1252";
    Declaration d;
    d.source = source;
    d.label = trimmed(label).toByteArray();
    d.encoding = writtenEncoding(name);
    d.standardName = std::move(name);
    return d;
}

// The declaration a <meta> element's attributes make, from `pos` (just after
// "<meta") to the end of the tag, which `pos` is left at. None when the tag
// does not end within the bytes (a tag cut off at the pre-scan's limit).
std::optional<Declaration> metaDeclaration(QByteArrayView s, qsizetype &pos)
{
    QList<QByteArray> seen;
    bool gotPragma = false;
    std::optional<bool> needPragma;
    // Unset: no charset yet; set but empty: a charset attribute that names no
    // encoding. A charset attribute wins over an earlier content attribute;
    // a content attribute counts only while there is no charset yet.
    std::optional<std::optional<Declaration>> charset;
    QByteArray name, value;
    while (attributeAt(s, pos, name, value)) {
        if (seen.contains(name))
            continue;
        seen << name;
        if (name == "http-equiv") {
            if (value == "content-type")
                gotPragma = true;
        } else if (name == "content") {
            if (const std::optional<QByteArray> label = charsetInContent(value)) {
                std::optional<Declaration> d = declarationOf(Source::HttpEquiv, *label);
                if (d && !charset) {
                    charset = std::move(d);
                    needPragma = true;
                }
            }
        } else if (name == "charset") {
            charset = declarationOf(Source::MetaCharset, value);
            needPragma = false;
        }
    }
    if (pos >= s.size() || s[pos] != '>')
        return std::nullopt;
    if (!needPragma || (*needPragma && !gotPragma) || !charset)
        return std::nullopt;
    return *charset;
}

// "Get an XML encoding": the encoding="..." of an XML declaration at the
// very start.
std::optional<Declaration> xmlDeclaration(QByteArrayView s)
{
    if (!s.startsWith("<?xml"))
        return std::nullopt;
    const qsizetype end = s.indexOf('>');
    if (end < 0)
        return std::nullopt;
    const QByteArrayView decl = s.first(end);
    qsizetype pos = 5;
    while (pos < decl.size() && !startsWithNoCase(decl, pos, "encoding"))
        ++pos;
    pos += 8;
    auto skipBlanks = [&] {
        while (pos < decl.size() && uchar(decl[pos]) <= 0x20)
            ++pos;
    };
    skipBlanks();
    if (pos >= decl.size() || decl[pos] != '=')
        return std::nullopt;
    ++pos;
    skipBlanks();
    if (pos >= decl.size() || (decl[pos] != '"' && decl[pos] != '\''))
        return std::nullopt;
    const qsizetype close = decl.indexOf(decl[pos], pos + 1);
    if (close < 0)
        return std::nullopt;
    const QByteArrayView label = decl.sliced(pos + 1, close - pos - 1);
    for (char c : label)
        if (uchar(c) <= 0x20)
            return std::nullopt;
    return declarationOf(Source::XmlDeclaration, label);
}

// ---------------------------------------------------------------------------
// Deciding by the bytes

// How far from `at` the bytes are ASCII, eight at a time.
qsizetype asciiRun(const unsigned char *p, qsizetype at, qsizetype n)
{
    qsizetype i = at;
    while (i + 8 <= n) {
        std::uint64_t w;
        std::memcpy(&w, p + i, 8);
        if (w & 0x8080808080808080ull)
            break;
        i += 8;
    }
    while (i < n && p[i] < 0x80)
        ++i;
    return i;
}

// 7-bit text with an escape sequence into a set of ISO-2022-JP.
bool looksIso2022Jp(QByteArrayView bytes)
{
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.data());
    const qsizetype n = bytes.size();
    if (n < 3)
        return false;
    bool escape = false;
    const void *esc = std::memchr(p, 0x1B, size_t(n));
    for (qsizetype i = esc ? static_cast<const unsigned char *>(esc) - p : n; i + 2 < n && !escape; ++i)
        if (p[i] == 0x1B)
            escape = (p[i + 1] == '$' && (p[i + 2] == 'B' || p[i + 2] == '@')) ||
                     (p[i + 1] == '(' && (p[i + 2] == 'J' || p[i + 2] == 'I'));
    return escape && asciiRun(p, 0, n) == n;
}

// The bytes read as EUC-JP: whether every code is one, and how many of its
// two-byte characters there are and how many of them are kana (rows 4 and 5).
struct EucJpReading
{
    bool valid = true;
    qsizetype characters = 0;
    qsizetype kana = 0;
    qsizetype hiragana = 0;
    // A byte E0-FE, which half-width katakana (A1-DF) never has.
    bool beyondKatakana = false;
};

EucJpReading readAsEucJp(QByteArrayView bytes)
{
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.data());
    const qsizetype n = bytes.size();
    EucJpReading r;
    auto row = [](unsigned char b) { return b >= 0xA1 && b <= 0xFE; };
    // Whether each two-byte code has a character, asked once per code.
    enum : std::uint8_t { Unasked, Assigned, Unassigned };
    std::array<std::uint8_t, 94 * 94> codes{};
    for (qsizetype i = asciiRun(p, 0, n); i < n; i = asciiRun(p, i, n)) {
        while (i + 1 < n && row(p[i]) && row(p[i + 1])) {
            std::uint8_t &known = codes[size_t((p[i] - 0xA1) * 94 + (p[i + 1] - 0xA1))];
            if (known == Unasked) {
                bool alternative = false;
                known = EucJp::twobyte::decode(std::uint16_t(p[i] << 8 | p[i + 1]), &alternative) != 0xFFFF
                            ? Assigned
                            : Unassigned;
            }
            if (known == Unassigned) {
                r.valid = false;
                return r;
            }
            ++r.characters;
            r.kana += p[i] == 0xA4 || p[i] == 0xA5;
            r.hiragana += p[i] == 0xA4;
            r.beyondKatakana = r.beyondKatakana || p[i] >= 0xE0 || p[i + 1] >= 0xE0;
            i += 2;
        }
        if (i >= n || p[i] < 0x80)
            continue;
        const unsigned char b = p[i];
        if (b == 0x8E && i + 1 < n && p[i + 1] >= 0xA1 && p[i + 1] <= 0xDF) {
            i += 2;
        } else if (b == 0x8F && i + 2 < n && row(p[i + 1]) && row(p[i + 2]) &&
                   EucJp::decode(bytes.sliced(i, 3)).keptByteCount == 0) { // rare enough
            i += 3;
        } else {
            r.valid = false;
            break;
        }
    }
    return r;
}

// Whether Shift_JIS reads the bytes without an invalid byte, a user-defined
// character (F040-F9FC) or one of the bytes only Windows reads (80, A0, FD-FF).
bool readsCleanlyAsShiftJis(QByteArrayView bytes)
{
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.data());
    const qsizetype n = bytes.size();
    for (qsizetype i = asciiRun(p, 0, n); i < n; i = asciiRun(p, i, n)) {
        const unsigned char b = p[i];
        if (b >= 0xA1 && b <= 0xDF) {
            ++i;
            continue;
        }
        const bool lead = (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xEF) || (b >= 0xFA && b <= 0xFC);
        if (!lead || i + 1 >= n)
            return false;
        const unsigned char t = p[i + 1];
        if (t < 0x40 || t == 0x7F || t > 0xFC)
            return false;
        i += 2;
    }
    return true;
}

// Japanese text read as EUC-JP: enough characters, and either kana among
// them with a byte beyond the half-width katakana, or as much hiragana as
// sentences have. A Shift_JIS text that is valid EUC-JP is half-width
// katakana (A1-DF), whose bytes pair up into kanji rows, seldom into the kana
// rows (､ and ･ before a letter), never with a byte E0-FE.
bool readsAsJapanese(const EucJpReading &r)
{
    if (r.characters < 4)
        return false;
    return (r.beyondKatakana && r.kana * 5 >= r.characters) || r.hiragana * 5 >= r.characters * 2;
}

} // namespace

QByteArray standardName(QByteArrayView label)
{
    const QByteArray l = trimmed(label).toByteArray().toLower();
    if (l.isEmpty() || l.contains(' '))
        return {};
    for (const EncodingLabels &e : kLabels) {
        const QByteArrayView list(e.labels);
        for (qsizetype at = list.indexOf(l); at >= 0; at = list.indexOf(l, at + 1)) {
            const qsizetype end = at + l.size();
            if ((at == 0 || list[at - 1] == ' ') && (end == list.size() || list[end] == ' '))
                return QByteArray(e.name);
        }
    }
    return {};
}

std::optional<Encoding> forLabel(QByteArrayView label)
{
    const QByteArray name = standardName(label);
    return name.isEmpty() ? std::nullopt : writtenEncoding(name);
}

Declaration declaration(QByteArrayView bytes)
{
    const QByteArrayView s = bytes.first(qMin(bytes.size(), PrescanBytes));
    const qsizetype n = s.size();
    qsizetype pos = 0;
    QByteArray name, value;
    while (pos < n) {
        if (startsWithNoCase(s, pos, "<!--")) {
            const qsizetype end = s.sliced(pos + 2).indexOf("-->");
            if (end < 0)
                break;
            pos += 2 + end + 3;
        } else if (startsWithNoCase(s, pos, "<meta") && pos + 5 < n &&
                   (isSpace(uchar(s[pos + 5])) || s[pos + 5] == '/')) {
            pos += 6;
            if (std::optional<Declaration> d = metaDeclaration(s, pos))
                return *d;
        } else if (s[pos] == '<' && pos + 1 < n &&
                   (isAlpha(uchar(s[pos + 1])) ||
                    (s[pos + 1] == '/' && pos + 2 < n && isAlpha(uchar(s[pos + 2]))))) {
            // Another tag: skip its name and attributes.
            ++pos;
            while (pos < n && !isSpace(uchar(s[pos])) && s[pos] != '>')
                ++pos;
            while (attributeAt(s, pos, name, value)) {
            }
        } else if (startsWithNoCase(s, pos, "<!") || startsWithNoCase(s, pos, "</") ||
                   startsWithNoCase(s, pos, "<?")) {
            const qsizetype end = s.sliced(pos).indexOf('>');
            if (end < 0)
                break;
            pos += end + 1;
        } else {
            ++pos;
        }
    }
    return xmlDeclaration(s).value_or(Declaration{});
}

std::optional<Encoding> declared(QByteArrayView bytes)
{
    return declaration(bytes).encoding;
}

Encoding byBytes(QByteArrayView bytes)
{
    switch (Utf8::check(bytes)) {
    case Utf8::Validity::Ascii:
        return looksIso2022Jp(bytes) ? Encoding::Iso2022Jp : Encoding::ShiftJis;
    case Utf8::Validity::Valid:
        return Encoding::Utf8;
    case Utf8::Validity::Invalid:
        break;
    }
    const EucJpReading euc = readAsEucJp(bytes);
    if (!euc.valid)
        return Encoding::ShiftJis;
    if (readsAsJapanese(euc))
        return Encoding::EucJp;
    return readsCleanlyAsShiftJis(bytes) ? Encoding::ShiftJis : Encoding::EucJp;
}

Encoding encodingOf(QByteArrayView bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return Encoding::Utf8;
    if (bytes.startsWith("\xFF\xFE"))
        return Encoding::Utf16Le;
    if (bytes.startsWith("\xFE\xFF"))
        return Encoding::Utf16Be;
    if (const std::optional<Encoding> e = declared(bytes))
        return *e;
    return byBytes(bytes);
}

} // namespace detect
