#include "tags/GoToLine.h"

using namespace Qt::StringLiterals;

namespace gotoline {
Lines linesOf(QStringView text)
{
    Lines lines;
    lines.count = 1 + text.count(u"\r\n");
    return lines;
}

qsizetype startOf(QStringView text, const Lines &, qsizetype index)
{
    const QStringView sep = u"\r\n";
    qsizetype pos = 0;
    for (qsizetype i = 0; i < index; ++i) {
        const qsizetype at = text.indexOf(sep, pos);
        if (at < 0)
            return text.size();
        pos = at + sep.size();
    }
    return pos;
}

QString title() { return u"行へ移動"_s; }

QString prompt(qsizetype count) { return u"行番号（1 ～ "_s + QString::number(count) + u"）："_s; }

qsizetype target(QStringView answer, qsizetype count)
{
    if (answer.isEmpty() || count < 1)
        return -1;
    qsizetype number = 0;
    for (const QChar c : answer) {
        int digit = -1;
        if (c >= u'0' && c <= u'9')
            digit = c.unicode() - u'0';
        else if (c.unicode() >= 0xFF10 && c.unicode() <= 0xFF19) // ０ to ９, as an input method types them
            digit = c.unicode() - 0xFF10;
        if (digit < 0)
            return -1;
        // Past the last line is as good as the last line: no need to count on.
        number = qMin(number * 10 + digit, count + 1);
    }
    if (number < 1)
        return -1;
    return qMin(number, count) - 1;
}
} // namespace gotoline
