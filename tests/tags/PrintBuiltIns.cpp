// Prints the built-in catalogue and preset page as JSON in UTF-8, for the
// HTML parser check in test_builtin_html.py.
#include "tags/Catalogue.h"
#include "tags/Preset.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstdio>

using namespace Qt::StringLiterals;

int main()
{
    const QJsonObject out{{u"catalogue"_s, QJsonArray::fromStringList(catalogue::builtIn())},
                          {u"preset"_s, preset::builtInText()}};
    const QByteArray json = QJsonDocument(out).toJson();
    return std::fwrite(json.constData(), 1, size_t(json.size()), stdout) == size_t(json.size()) ? 0 : 1;
}
