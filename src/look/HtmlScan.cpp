#include "look/HtmlScan.h"

#include <QLatin1StringView>

namespace htmlscan {
namespace {
bool isSpace(char16_t c)
{
    // HTML's white space, and the line separator a lone LF is shown as.
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\f' || c == u'\r' || c == 0x2028;
}
bool isAlpha(char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }
bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
bool isHexDigit(char16_t c) { return isDigit(c) || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F'); }

// The length of the character reference at p (which starts with &), or 0.
// A named one needs its semicolon, so that "AT&T" stays text.
int charRefLength(const char16_t *p, int n)
{
    if (n < 3)
        return 0;
    int k = 1;
    if (p[1] == u'#') {
        k = 2;
        const bool hex = p[k] == u'x' || p[k] == u'X';
        if (hex)
            ++k;
        const int digits = k;
        while (k < n && (hex ? isHexDigit(p[k]) : isDigit(p[k])))
            ++k;
        if (k == digits)
            return 0;
        return k < n && p[k] == u';' ? k + 1 : k;
    }
    if (!isAlpha(p[1]))
        return 0;
    while (k < n && (isAlpha(p[k]) || isDigit(p[k])))
        ++k;
    return k < n && p[k] == u';' ? k + 1 : 0;
}

// Where the end tag of a script or style element starts at or after i: </name
// followed by white space, / or > (or the line's end); -1 if not in the line.
int rawTextEnd(const char16_t *p, int n, int i, QLatin1StringView name)
{
    const int len = int(name.size());
    for (int k = i; k + 2 + len <= n; ++k) {
        if (p[k] != u'<' || p[k + 1] != u'/')
            continue;
        if (QStringView(p + k + 2, len).compare(name, Qt::CaseInsensitive) != 0)
            continue;
        const int after = k + 2 + len;
        if (after == n || isSpace(p[after]) || p[after] == u'/' || p[after] == u'>')
            return k;
    }
    return -1;
}

class Scanner {
public:
    Scanner(QStringView line, std::vector<Span> *spans)
        : m_p(line.utf16()), m_n(int(line.size())), m_spans(spans)
    {
    }

    State run(State s)
    {
        int from = 0; // where the part being scanned started in this line
        int i = 0;
        bool commentJustOpened = false;
        while (i < m_n) {
            switch (s.where) {
            case Where::Text: {
                int j = i;
                while (j < m_n && m_p[j] != u'<' && (!m_spans || m_p[j] != u'&'))
                    ++j;
                if (j == m_n)
                    return s;
                if (m_p[j] == u'&') {
                    const int len = charRefLength(m_p + j, m_n - j);
                    add(j, j + len, Kind::CharRef);
                    i = j + (len ? len : 1);
                    break;
                }
                i = openAt(j, s, from, commentJustOpened);
                break;
            }
            case Where::Comment: {
                int k = i;
                int end = -1;
                if (commentJustOpened && k < m_n && m_p[k] == u'>')
                    end = k + 1; // <!-->
                else if (commentJustOpened && k + 1 < m_n && m_p[k] == u'-' && m_p[k + 1] == u'>')
                    end = k + 2; // <!--->
                for (; end < 0 && k + 2 < m_n; ++k)
                    if (m_p[k] == u'-' && m_p[k + 1] == u'-' && m_p[k + 2] == u'>')
                        end = k + 3;
                commentJustOpened = false;
                i = finish(from, end, Kind::Comment, s);
                break;
            }
            case Where::Declaration: {
                int k = i;
                while (k < m_n && m_p[k] != u'>')
                    ++k;
                i = finish(from, k < m_n ? k + 1 : -1, Kind::Doctype, s);
                break;
            }
            case Where::InTag:
                i = inTag(i, s, from);
                break;
            case Where::BeforeValue: {
                while (i < m_n && isSpace(m_p[i]))
                    ++i;
                if (i == m_n)
                    return s;
                const char16_t c = m_p[i];
                if (c == u'"' || c == u'\'') {
                    from = i++;
                    s.where = c == u'"' ? Where::DoubleValue : Where::SingleValue;
                } else if (c == u'>') {
                    s.where = Where::InTag;
                } else {
                    int k = i;
                    while (k < m_n && !isSpace(m_p[k]) && m_p[k] != u'>')
                        ++k;
                    add(i, k, Kind::AttributeValue);
                    i = k;
                    s.where = Where::InTag;
                }
                break;
            }
            case Where::DoubleValue:
            case Where::SingleValue: {
                const char16_t quote = s.where == Where::DoubleValue ? u'"' : u'\'';
                int k = i;
                while (k < m_n && m_p[k] != quote)
                    ++k;
                const bool closed = k < m_n;
                add(from, closed ? k + 1 : m_n, Kind::AttributeValue);
                i = closed ? k + 1 : m_n;
                if (closed)
                    s.where = Where::InTag;
                break;
            }
            case Where::Script:
            case Where::Style: {
                const int end = rawTextEnd(m_p, m_n, i,
                                           s.where == Where::Script ? QLatin1StringView("script")
                                                                    : QLatin1StringView("style"));
                add(from, end < 0 ? m_n : end, Kind::ScriptStyle);
                if (end < 0)
                    return s;
                i = end;
                s.where = Where::Text;
                break;
            }
            }
        }
        return s;
    }

private:
    void add(int from, int to, Kind kind)
    {
        if (m_spans && to > from)
            m_spans->push_back({from, to - from, kind});
    }

    // Ends a part that started at from: at end when the line holds its end
    // (back to text), at the line's end otherwise.
    int finish(int from, int end, Kind kind, State &s)
    {
        add(from, end < 0 ? m_n : end, kind);
        if (end < 0)
            return m_n;
        s.where = Where::Text;
        return end;
    }

    // A < in text at j: a comment, a declaration, a tag, or just the character.
    int openAt(int j, State &s, int &from, bool &commentJustOpened)
    {
        if (j + 1 >= m_n)
            return j + 1;
        const char16_t c = m_p[j + 1];
        if (c == u'!' || c == u'?') {
            from = j;
            if (c == u'!' && j + 3 < m_n && m_p[j + 2] == u'-' && m_p[j + 3] == u'-') {
                s.where = Where::Comment;
                commentJustOpened = true;
                return j + 4;
            }
            s.where = Where::Declaration;
            return j + 2;
        }
        const bool closing = c == u'/';
        const int nameStart = j + 1 + closing;
        if (nameStart >= m_n || !isAlpha(m_p[nameStart]))
            return j + 1;
        int k = nameStart;
        while (k < m_n && !isSpace(m_p[k]) && m_p[k] != u'/' && m_p[k] != u'>')
            ++k;
        add(j, k, Kind::Tag);
        const QStringView name(m_p + nameStart, k - nameStart);
        s.where = Where::InTag;
        s.after = Where::Text;
        if (!closing && name.compare(QLatin1StringView("script"), Qt::CaseInsensitive) == 0)
            s.after = Where::Script;
        else if (!closing && name.compare(QLatin1StringView("style"), Qt::CaseInsensitive) == 0)
            s.after = Where::Style;
        return k;
    }

    // Between a tag's attributes: white space, an attribute name, =, or the tag's end.
    int inTag(int i, State &s, int &from)
    {
        while (i < m_n && isSpace(m_p[i]))
            ++i;
        if (i == m_n)
            return i;
        const char16_t c = m_p[i];
        const bool selfClosing = c == u'/' && i + 1 < m_n && m_p[i + 1] == u'>';
        if (c == u'>' || selfClosing) {
            const int end = i + 1 + selfClosing;
            add(i, end, Kind::Tag);
            s.where = s.after;
            s.after = Where::Text;
            from = end;
            return end;
        }
        if (c == u'=') {
            s.where = Where::BeforeValue;
            return i + 1;
        }
        if (c == u'/')
            return i + 1;
        int k = i + 1;
        while (k < m_n && !isSpace(m_p[k]) && m_p[k] != u'/' && m_p[k] != u'>' && m_p[k] != u'=')
            ++k;
        add(i, k, Kind::AttributeName);
        return k;
    }

    const char16_t *m_p;
    int m_n;
    std::vector<Span> *m_spans;
};
} // namespace

State State::unpack(int packed)
{
    const auto valid = [](int w) { return w >= 0 && w <= int(Where::Style) ? Where(w) : Where::Text; };
    if (packed < 0)
        return {};
    return {valid(packed & 0xF), valid((packed >> 4) & 0xF)};
}

State scanLine(QStringView line, State start, std::vector<Span> *spans)
{
    return Scanner(line, spans).run(start);
}
} // namespace htmlscan
