#include "text/TextPlace.h"

#include <QChar>

using namespace Qt::StringLiterals;

namespace textplace {

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

} // namespace textplace
