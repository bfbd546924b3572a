#include "browse/FilterTable.h"

using namespace Qt::StringLiterals;

namespace filtertable
{

QString patternFor(const QString &itemText)
{
    if (itemText == u"html"_s || itemText == u".html"_s)
        return u"*.html"_s;
    if (itemText == u"txt"_s || itemText == u".txt"_s)
        return u"*.txt"_s;
    return u"*.*"_s;
}

QStringList paneItems()
{
    return {u"html"_s, u"txt"_s, u"(その他)"_s};
}

QString paneInitialText()
{
    return u"html"_s;
}

QString initialPattern()
{
    return u"*.html"_s;
}

} // namespace filtertable
