#include "ui/Browser.h"

#include "ui/DesktopEntry.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

QString Browser::notFound()
{
    return u"ウェブブラウザーが見つかりません（https の URL を開く既定のブラウザー、x-www-browser、"_s
           u"sensible-browser のいずれもありません）。既定のウェブブラウザーを設定してください。"_s;
}

namespace {
// Our own launcher opens HTML files: it must never stand in for a browser.
const QString OwnEntry = u"org.tessara.Tessara.desktop"_s;
// Web pages of either scheme, https first: a browser registers both.
const QStringList BrowserTypes = {u"x-scheme-handler/https"_s, u"x-scheme-handler/http"_s};

struct Launch {
    QString name;
    QStringList command;
};

// The mimeapps.list files in the desktop's order of preference: the user's
// configuration, the system's, then the data folders (desktop-specific ones
// first in each folder).
QStringList mimeappsLists()
{
    QStringList desktops;
    for (const QString &d : qEnvironmentVariable("XDG_CURRENT_DESKTOP").split(u':', Qt::SkipEmptyParts))
        desktops << d.toLower();
    QStringList dirs = QStandardPaths::standardLocations(QStandardPaths::GenericConfigLocation);
    for (const QString &d : QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation))
        dirs << d + u"/applications"_s;
    QStringList files;
    for (const QString &dir : dirs) {
        for (const QString &desktop : desktops)
            files << dir + u'/' + desktop + u"-mimeapps.list"_s;
        files << dir + u"/mimeapps.list"_s;
    }
    return files;
}

// The desktop file ids the lists name for the type in one group, most preferred first.
QStringList handlerIds(const QStringList &lists, const QString &group, const QString &type)
{
    QStringList ids;
    for (const QString &list : lists) {
        QFile file(list);
        if (!file.open(QIODevice::ReadOnly))
            continue;
        ids << keyfile::group(file.readAll(), group).value(type).split(u';', Qt::SkipEmptyParts);
    }
    return ids;
}

// An id names the first file of that name in the data folders' applications
// folders; a hidden one there means the application was removed.
std::optional<DesktopEntry> findEntry(const QString &id)
{
    for (const QString &dir : QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation)) {
        const QString path = dir + u"/applications/"_s + id;
        if (QFileInfo(path).isFile())
            return DesktopEntry::read(path);
    }
    return std::nullopt;
}

QString executable(const QString &program)
{
    if (program.contains(u'/'))
        return QFileInfo(program).isExecutable() ? program : QString();
    return QStandardPaths::findExecutable(program);
}

bool isThisProgram(const QString &path)
{
    const QString self = QFileInfo(QCoreApplication::applicationFilePath()).canonicalFilePath();
    return !self.isEmpty() && QFileInfo(path).canonicalFilePath() == self;
}

std::optional<Launch> launchFor(const QString &id, const QUrl &page)
{
    if (id == OwnEntry)
        return std::nullopt;
    const std::optional<DesktopEntry> entry = findEntry(id);
    if (!entry || entry->hidden || entry->terminal ||
        (!entry->tryExec.isEmpty() && executable(entry->tryExec).isEmpty()))
        return std::nullopt;
    const std::optional<QStringList> command = entry->commandFor(page);
    if (!command || isThisProgram(executable(command->first())))
        return std::nullopt;
    return Launch{entry->name.isEmpty() ? id : entry->name, *command};
}

// What xdg-settings names, for desktops that keep the choice elsewhere.
QString xdgSettingsBrowser()
{
    const QString tool = QStandardPaths::findExecutable(u"xdg-settings"_s);
    if (tool.isEmpty())
        return {};
    QProcess process;
    process.start(tool, {u"get"_s, u"default-web-browser"_s});
    if (!process.waitForFinished(5000)) {
        process.kill();
        process.waitForFinished();
        return {};
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return {};
    return QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed();
}

QList<Launch> browsersFor(const QUrl &page)
{
    QList<Launch> out;
    QStringList ids;
    const QStringList lists = mimeappsLists();
    for (const QString &group : {u"Default Applications"_s, u"Added Associations"_s})
        for (const QString &type : BrowserTypes)
            ids << handlerIds(lists, group, type);
    ids.removeDuplicates();
    for (const QString &id : ids)
        if (const std::optional<Launch> launch = launchFor(id, page))
            out << *launch;
    if (out.isEmpty())
        if (const QString id = xdgSettingsBrowser(); !id.isEmpty())
            if (const std::optional<Launch> launch = launchFor(id, page))
                out << *launch;
    const QString url = QString::fromLatin1(page.toEncoded());
    for (const QString &command : {u"x-www-browser"_s, u"sensible-browser"_s}) {
        const QString path = QStandardPaths::findExecutable(command);
        if (!path.isEmpty() && !isThisProgram(path))
            out << Launch{command, {path, url}};
    }
    return out;
}
} // namespace

bool DesktopBrowser::show(const QUrl &page)
{
    // The first browser that starts shows the page; the notice names the
    // first that would not.
    const QList<Launch> browsers = browsersFor(page);
    m_failure = browsers.isEmpty() ? notFound() : QString();
    for (const Launch &browser : browsers) {
        QProcess process;
        process.setProgram(browser.command.first());
        process.setArguments(browser.command.mid(1));
        if (process.startDetached())
            return true;
        if (!m_failure.isEmpty())
            continue;
        if (executable(browser.command.first()).isEmpty())
            m_failure = u"「"_s + browser.name + u"」を起動するプログラム「"_s + browser.command.first() +
                        u"」が見つかりません。"_s;
        else
            m_failure = u"「"_s + browser.name + u"」（"_s + browser.command.first() + u"）を起動できません。"_s;
    }
    return false;
}
