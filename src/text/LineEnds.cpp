#include "text/LineEnds.h"

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

} // namespace

QString joined(QString text)
{
    text = withCrLf(std::move(text));
    if (text.endsWith(u"\r\n"))
        text.chop(2);
    return text;
}

QString terminated(QString text)
{
    text = withCrLf(std::move(text));
    if (!text.isEmpty() && !text.endsWith(u"\r\n"))
        text += u"\r\n";
    return text;
}

} // namespace lineends
