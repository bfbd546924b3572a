#include "core/CommandLine.h"
#include "text/SystemError.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace commandline {

Parsed parse(const QStringList &args, const QString &cwd)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(u"Tessara: a small editor for writing HTML pages by hand."_s);
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help({u"h"_s, u"help"_s}, u"Show this help and exit."_s);
    const QCommandLineOption version({u"v"_s, u"version"_s}, u"Show the version and exit."_s);
    const QCommandLineOption desktop(
        u"desktop"_s,
        u"Keep the program's own files in ${XDG_DATA_HOME:-~/.local/share}/tessara instead of the current "
        "directory (the application menu's launcher passes this)."_s);
    parser.addOption(help);
    parser.addOption(version);
    parser.addOption(desktop);
    // The toolkit's own options (-display, -platform, -style and the like) are
    // taken by QApplication itself: accept them here without listing them.
    for (const char *name : {"platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry",
                             "qwindowicon", "qwindowtitle", "session", "display", "name", "title", "visual",
                             "geometry", "style", "stylesheet", "qmljsdebugger"}) {
        QCommandLineOption option(QString::fromLatin1(name), QString(), u"value"_s);
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const char *name : {"reverse", "nograb", "dograb", "sync", "widgetcount"}) {
        QCommandLineOption option(QString::fromLatin1(name));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    parser.addPositionalArgument(u"FILE"_s,
                                 u"Pages to open; each further file opens in a copy of its own."_s,
                                 u"[FILE...]"_s);

    Parsed result;
    if (!parser.parse(args)) {
        result.action = Parsed::Action::Error;
        result.output = u"tessara: "_s + parser.errorText() + u"\nTry 'tessara --help' for more information.\n"_s;
        return result;
    }
    if (parser.isSet(help)) {
        result.action = Parsed::Action::Help;
        // The usage line names the program as it is installed, whatever started it.
        QString text = parser.helpText();
        const qsizetype at = text.indexOf(u"Usage: "_s);
        const qsizetype end = at < 0 ? -1 : text.indexOf(u' ', at + 7);
        if (end > 0)
            text.replace(at + 7, end - at - 7, u"tessara"_s);
        result.output = text;
        return result;
    }
    if (parser.isSet(version)) {
        result.action = Parsed::Action::Version;
        result.output = u"Tessara "_s + QCoreApplication::applicationVersion() + u'\n';
        return result;
    }
    result.desktop = parser.isSet(desktop);
    const QDir base(cwd);
    for (const QString &file : parser.positionalArguments())
        if (!file.isEmpty())
            result.files << QDir::cleanPath(base.absoluteFilePath(file));
    return result;
}

QString desktopDataDir(const QString &xdgDataHome, const QString &home)
{
    const QString base = !xdgDataHome.isEmpty() && QDir::isAbsolutePath(xdgDataHome)
                             ? xdgDataHome
                             : home + u"/.local/share"_s;
    return QDir::cleanPath(base + u"/tessara"_s);
}

QString makeDesktopDataDir(const QString &xdgDataHome, const QString &home)
{
    const QString dir = desktopDataDir(xdgDataHome, home);
    const QString cannot = u"Tessara のファイルを置くフォルダー「"_s + dir + u"」を作成できません。\r\n"_s;
    const bool underHome = xdgDataHome.isEmpty() || !QDir::isAbsolutePath(xdgDataHome);
    struct stat st {};
    if (underHome && (home.isEmpty() || !QDir::isAbsolutePath(home)))
        return cannot + u"ホームフォルダーが設定されていません（環境変数 HOME）。"_s;
    if (underHome && (::stat(QFile::encodeName(home).constData(), &st) != 0 || !S_ISDIR(st.st_mode)))
        return cannot + u"ホームフォルダー「"_s + home + u"」がありません。"_s;
    // Each folder on the way, so that the one that fails is named with its reason.
    const QStringList parts = dir.split(u'/', Qt::SkipEmptyParts);
    QString path;
    for (const QString &part : parts) {
        path += u'/' + part;
        const QByteArray native = QFile::encodeName(path);
        if (::mkdir(native.constData(), 0700) == 0)
            continue;
        const int error = errno;
        if (::stat(native.constData(), &st) == 0 && S_ISDIR(st.st_mode))
            continue;
        if (error == EEXIST)
            return cannot + u"「"_s + path + u"」はフォルダーではありません。"_s;
        return cannot + u"「"_s + path + u"」: "_s + syserror::reason(error, syserror::Action::Write);
    }
    if (::access(QFile::encodeName(dir).constData(), R_OK | W_OK | X_OK) != 0)
        return cannot + syserror::reason(errno, syserror::Action::Write);
    return QString();
}

QStringList argumentsForNextCopy(const Parsed &parsed)
{
    QStringList args;
    if (parsed.desktop)
        args << u"--desktop"_s;
    // "--" so that a file whose name begins with a dash stays a file.
    args << u"--"_s;
    args << parsed.files.mid(1);
    return args;
}

} // namespace commandline
