#pragma once
// Desktop entries (.desktop files) and the desktop's MIME application lists
// (mimeapps.list) as far as starting a program on one page goes. Both are
// key files: [groups] of key=value lines.
#include <QHash>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <optional>

namespace keyfile {
// The keys of one group, values as written (no escapes undone). Comment and
// blank lines are skipped; a later duplicate key does not replace the first.
QHash<QString, QString> group(const QByteArray &text, const QString &name);
} // namespace keyfile

struct DesktopEntry {
    QString location; // the file it was read from
    QString name;     // Name, untranslated
    QString exec;     // Exec with the value escapes (\s, \\, ...) undone
    QString tryExec;
    QString icon;
    bool hidden = false;   // removed by the user or the system
    bool terminal = false; // needs a terminal to show anything

    // Null when the file cannot be read or has no [Desktop Entry] of Type
    // Application with an Exec line.
    static std::optional<DesktopEntry> read(const QString &location);
    static std::optional<DesktopEntry> parse(const QByteArray &text, const QString &location);

    // The command line that opens one page: the Exec line split into its
    // arguments (double quotes and their backslash escapes), with the field
    // codes filled in for that page: %f and %F its local path, %u and %U its
    // URL, %i the icon option, %c the name, %k the location, %% a percent
    // sign; the deprecated codes vanish. A line that takes no page gets the
    // path at its end. Null when the line is malformed (an open quote) or empty.
    std::optional<QStringList> commandFor(const QUrl &page) const;
};
