#include "text/CharRefs.h"

using namespace Qt::StringLiterals;

namespace charref {

QString reference(char32_t ch)
{
    return u"&#x"_s + QString::number(uint(ch), 16).toUpper() + u';';
}

QList<TextReplacement> unwritable(QStringView text, Encoding encoding)
{
    QList<TextReplacement> out;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        char32_t ch = text[i].unicode();
        qsizetype length = 1;
        if (QChar::isHighSurrogate(ch) && i + 1 < n && text[i + 1].isLowSurrogate()) {
            ch = QChar::surrogateToUcs4(text[i], text[i + 1]);
            length = 2;
        }
        if (!encoding::canWrite(encoding, ch))
            out.append({i, length, reference(ch)});
        i += length - 1;
    }
    return out;
}

} // namespace charref
