#include "ui/DesktopEntry.h"

#include <QFile>

using namespace Qt::StringLiterals;

namespace keyfile {
QHash<QString, QString> group(const QByteArray &text, const QString &name)
{
    QHash<QString, QString> keys;
    bool inside = false;
    for (const QByteArray &raw : text.split('\n')) {
        const QString line = QString::fromUtf8(raw).trimmed();
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        if (line.startsWith(u'[')) {
            inside = line == u'[' + name + u']';
            continue;
        }
        const qsizetype eq = line.indexOf(u'=');
        if (!inside || eq <= 0)
            continue;
        const QString key = line.left(eq).trimmed();
        if (!keys.contains(key))
            keys.insert(key, line.mid(eq + 1).trimmed());
    }
    return keys;
}
} // namespace keyfile

namespace {
// The escapes of a key file's string values.
QString unescapeValue(const QString &value)
{
    QString out;
    out.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value[i];
        if (c != u'\\' || i + 1 == value.size()) {
            out += c;
            continue;
        }
        switch (value[++i].unicode()) {
        case 's': out += u' '; break;
        case 'n': out += u'\n'; break;
        case 't': out += u'\t'; break;
        case 'r': out += u'\r'; break;
        case '\\': out += u'\\'; break;
        default: out += c; out += value[i]; break;
        }
    }
    return out;
}

// Splits an Exec line into its arguments. Inside double quotes a backslash
// takes the next character as it is. Null on an open quote.
std::optional<QStringList> splitExec(const QString &exec)
{
    QStringList args;
    QString arg;
    bool inArg = false;
    bool quoted = false;
    for (qsizetype i = 0; i < exec.size(); ++i) {
        const QChar c = exec[i];
        if (quoted) {
            if (c == u'"')
                quoted = false;
            else if (c == u'\\' && i + 1 < exec.size())
                arg += exec[++i];
            else
                arg += c;
        } else if (c == u' ' || c == u'\t') {
            if (inArg)
                args << std::exchange(arg, QString());
            inArg = false;
        } else {
            inArg = true;
            if (c == u'"')
                quoted = true;
            else
                arg += c;
        }
    }
    if (quoted)
        return std::nullopt;
    if (inArg)
        args << arg;
    return args;
}
} // namespace

std::optional<DesktopEntry> DesktopEntry::read(const QString &location)
{
    QFile file(location);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return parse(file.readAll(), location);
}

std::optional<DesktopEntry> DesktopEntry::parse(const QByteArray &text, const QString &location)
{
    const QHash<QString, QString> keys = keyfile::group(text, u"Desktop Entry"_s);
    DesktopEntry entry;
    entry.location = location;
    entry.name = unescapeValue(keys.value(u"Name"_s));
    entry.exec = unescapeValue(keys.value(u"Exec"_s));
    entry.tryExec = unescapeValue(keys.value(u"TryExec"_s));
    entry.icon = unescapeValue(keys.value(u"Icon"_s));
    entry.hidden = keys.value(u"Hidden"_s) == u"true"_s;
    entry.terminal = keys.value(u"Terminal"_s) == u"true"_s;
    if (keys.value(u"Type"_s) != u"Application"_s || entry.exec.isEmpty())
        return std::nullopt;
    return entry;
}

std::optional<QStringList> DesktopEntry::commandFor(const QUrl &page) const
{
    const std::optional<QStringList> split = splitExec(exec);
    if (!split || split->isEmpty())
        return std::nullopt;
    const QString path = page.toLocalFile();
    const QString url = QString::fromLatin1(page.toEncoded());
    bool pageGiven = false;
    QStringList out;
    for (const QString &arg : *split) {
        if (arg == u"%i"_s) {
            if (!icon.isEmpty())
                out << u"--icon"_s << icon;
            continue;
        }
        QString expanded;
        bool onlyCodes = true;
        for (qsizetype i = 0; i < arg.size(); ++i) {
            if (arg[i] != u'%' || i + 1 == arg.size()) {
                expanded += arg[i];
                onlyCodes = false;
                continue;
            }
            switch (arg[++i].unicode()) {
            case 'f': case 'F': expanded += path; pageGiven = true; break;
            case 'u': case 'U': expanded += url; pageGiven = true; break;
            case 'c': expanded += name; break;
            case 'k': expanded += location; break;
            case '%': expanded += u'%'; onlyCodes = false; break;
            default: break; // %d %D %n %N %v %m are deprecated, others invalid: dropped
            }
        }
        // An argument made of codes that stand for nothing is no argument.
        if (!expanded.isEmpty() || !onlyCodes || arg.isEmpty())
            out << expanded;
    }
    if (out.isEmpty())
        return std::nullopt;
    if (!pageGiven)
        out << path;
    return out;
}
