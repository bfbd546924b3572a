#include "text/Detect.h"

#include "text/Utf8.h"

#include <QByteArray>

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

// The encoding a <meta> element's attributes declare, from `pos` (just after
// "<meta") to the end of the tag, which `pos` is left at.
std::optional<Encoding> metaDeclaration(QByteArrayView s, qsizetype &pos, QByteArray *label = nullptr)
{
    QList<QByteArray> seen;
    bool gotPragma = false;
    std::optional<bool> needPragma;
    std::optional<Encoding> charset;
    bool charsetFailed = false;
    QByteArray name, value;
    while (attributeAt(s, pos, name, value)) {
        if (seen.contains(name))
            continue;
        seen << name;
        if (name == "http-equiv") {
            if (value == "content-type")
                gotPragma = true;
        } else if (name == "content") {
            if (!charset && !charsetFailed) {
                if (const std::optional<QByteArray> found = charsetInContent(value)) {
                    charset = forLabel(*found);
                    if (label)
                        *label = found->trimmed();
                    charsetFailed = !charset;
                    needPragma = true;
                }
            }
        } else if (name == "charset") {
            if (!charset && !charsetFailed) {
                charset = forLabel(value);
                if (label)
                    *label = value.trimmed();
                charsetFailed = !charset;
                needPragma = false;
            }
        }
    }
    if (!needPragma || (*needPragma && !gotPragma)) {
        if (label)
            label->clear();
        return std::nullopt;
    }
    return charset;
}

} // namespace

std::optional<Encoding> forLabel(QByteArrayView label)
{
    qsizetype b = 0, e = label.size();
    while (b < e && isSpace(uchar(label[b])))
        ++b;
    while (e > b && isSpace(uchar(label[e - 1])))
        --e;
    QByteArray l = label.sliced(b, e - b).toByteArray().toLower();
    static const struct {
        const char *label;
        Encoding encoding;
    } labels[] = {
        {"utf-8", Encoding::Utf8},          {"utf8", Encoding::Utf8},
        {"unicode-1-1-utf-8", Encoding::Utf8}, {"unicode11utf8", Encoding::Utf8},
        {"unicode20utf8", Encoding::Utf8},  {"x-unicode20utf8", Encoding::Utf8},
        {"shift_jis", Encoding::ShiftJis},  {"shift-jis", Encoding::ShiftJis},
        {"sjis", Encoding::ShiftJis},       {"x-sjis", Encoding::ShiftJis},
        {"windows-31j", Encoding::ShiftJis}, {"cp932", Encoding::ShiftJis},
        {"ms932", Encoding::ShiftJis},      {"ms_kanji", Encoding::ShiftJis},
        {"csshiftjis", Encoding::ShiftJis}, {"euc-jp", Encoding::EucJp},
        {"x-euc-jp", Encoding::EucJp},      {"cseucpkdfmtjapanese", Encoding::EucJp},
        {"iso-2022-jp", Encoding::Iso2022Jp}, {"csiso2022jp", Encoding::Iso2022Jp},
    };
    for (const auto &row : labels)
        if (l == row.label)
            return row.encoding;
    return std::nullopt;
}

std::optional<Encoding> declared(QByteArrayView bytes) { return declaration(bytes).encoding; }

Declared declaration(QByteArrayView bytes)
{
    Declared d;
    const QByteArrayView s = bytes.first(qMin(bytes.size(), PrescanBytes));
    const qsizetype n = s.size();
    qsizetype pos = 0;
    QByteArray name, value;
    while (pos < n) {
        if (startsWithNoCase(s, pos, "<!--")) {
            const qsizetype end = s.sliced(pos + 2).indexOf("-->");
            if (end < 0)
                return d;
            pos += 2 + end + 3;
        } else if (startsWithNoCase(s, pos, "<meta") && pos + 5 < n &&
                   (isSpace(uchar(s[pos + 5])) || s[pos + 5] == '/')) {
            pos += 6;
            QByteArray label;
            const std::optional<Encoding> e = metaDeclaration(s, pos, &label);
            if (!label.isEmpty()) {
                d.label = label;
                d.encoding = e;
                return d;
            }
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
                return d;
            pos += end + 1;
        } else {
            ++pos;
        }
    }
    return d;
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

Encoding byBytes(QByteArrayView bytes)
{
    if (Utf8::check(bytes) == Utf8::Validity::Valid)
        return Encoding::Utf8;
    return Encoding::ShiftJis;
}

} // namespace detect
