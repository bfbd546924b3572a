#pragma once
// The command line: tessara [--desktop] [FILE...], --help and --version.
//
// Files are made absolute against the directory the command was given in, so
// that copies started for the second and later files open the same files.
// --desktop is what the application menu's launcher passes: the program then
// keeps its own five files in a data folder of its own instead of the
// directory it was started in, which for a launcher is the home folder.
#include <QString>
#include <QStringList>

namespace commandline {

struct Parsed {
    enum class Action { Run, Help, Version, Error };
    Action action = Action::Run;
    bool desktop = false;
    QStringList files; // absolute paths, in the order given
    // Help or version text for stdout, or the error for stderr.
    QString output;
    // 0 to run, or print `output` and end with this status.
    int exitStatus() const { return action == Action::Error ? 2 : 0; }
};

// args: the whole command line, program name first; cwd: the directory the
// command was given in.
Parsed parse(const QStringList &args, const QString &cwd);

// The folder where a program started from the desktop keeps its own files:
// $XDG_DATA_HOME/tessara, or ~/.local/share/tessara when XDG_DATA_HOME is
// unset, empty or not absolute (as the XDG base directory rules say).
QString desktopDataDir(const QString &xdgDataHome, const QString &home);

// Creates that folder (and the folders above it) when it is missing. Empty
// when the folder is there to use; otherwise the notice that says why not:
// no home folder, or the system's reason for the folder that failed.
QString makeDesktopDataDir(const QString &xdgDataHome, const QString &home);

// The arguments for the copy that opens the files after the first one.
QStringList argumentsForNextCopy(const Parsed &parsed);

} // namespace commandline
