#include "browse/FilterTable.h"

#include <QDir>

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

int paneItemListing(const QString &fileName)
{
    const QStringList items = paneItems();
    for (int i = 0; i < items.size(); ++i)
        if (QDir::match(patternFor(items.at(i)), fileName))
            return i;
    return int(items.size()) - 1;
}

} // namespace filtertable
