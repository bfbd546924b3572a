#include "text/LineEnds.h"

#include <algorithm>
#include <string>

namespace lineends {
namespace {

// Every lone CR followed by an LF; the text is reused when it has none.
QString withCrLf(QString text)
{
    const char16_t *p = reinterpret_cast<const char16_t *>(text.constData());
    const qsizetype n = text.size();
    qsizetype lone = 0;
    for (qsizetype i = 0; i < n; ++i)
        if (p[i] == u'\r' && (i + 1 == n || p[i + 1] != u'\n'))
            ++lone;
    if (lone == 0)
        return text;
    QString out(n + lone, Qt::Uninitialized);
    char16_t *o = reinterpret_cast<char16_t *>(out.data());
    for (qsizetype i = 0; i < n; ++i) {
        *o++ = p[i];
        if (p[i] == u'\r' && (i + 1 == n || p[i + 1] != u'\n'))
            *o++ = u'\n';
    }
    return out;
}

// Every LF preceded by a CR: the lines of a page that ends them in LF.
QString lfToCrLf(QString text)
{
    const qsizetype lfs = text.count(u'\n');
    if (lfs == 0)
        return text;
    const char16_t *p = reinterpret_cast<const char16_t *>(text.constData());
    const qsizetype n = text.size();
    QString out(n + lfs, Qt::Uninitialized);
    char16_t *o = reinterpret_cast<char16_t *>(out.data());
    for (qsizetype i = 0; i < n;) {
        const char16_t *lf = std::char_traits<char16_t>::find(p + i, size_t(n - i), u'\n');
        const qsizetype run = lf ? lf - (p + i) : n - i;
        o = std::copy(p + i, p + i + run, o);
        i += run;
        if (!lf)
            break;
        *o++ = u'\r';
        *o++ = u'\n';
        ++i;
    }
    return out;
}

QString withLineEnds(QString text, LineEnd end)
{
    return end == LineEnd::Lf ? lfToCrLf(std::move(text)) : withCrLf(std::move(text));
}

} // namespace

QString joined(QString text, LineEnd end)
{
    text = withLineEnds(std::move(text), end);
    if (text.endsWith(u"\r\n"))
        text.chop(2);
    return text;
}

QString terminated(QString text, LineEnd end)
{
    text = withLineEnds(std::move(text), end);
    if (!text.isEmpty() && !text.endsWith(u"\r\n"))
        text += u"\r\n";
    return text;
}

} // namespace lineends
