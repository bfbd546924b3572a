#pragma once
// The work file that counts the copies started from one directory and cascades
// their windows, and the settings file. Plain rules, no file access.
#include <QRect>
#include <QSize>
#include <QStringList>
#include <optional>

namespace workfile {
// The four lines of "Tessara.tmp": launch counter n, live count m, and the
// left and top edge (twips) of the window started last.
struct Counts {
    int n = 0;
    int m = 0;
    int left = 0;
    int top = 0;
    bool operator==(const Counts &) const = default;
};

// Reads the four lines; a file that is short, holds something that is not a
// decimal 16-bit integer, or is otherwise damaged gives nothing.
std::optional<Counts> parse(const QStringList &lines);
QStringList format(const Counts &c);

struct Placement {
    int left = 0; // twips
    int top = 0;
    Counts written; // what start-up writes back
};

// Where a window starts, given what was read (nothing when the file is
// missing or damaged). The cascade runs in steps of 300 twips, starting a new
// diagonal every 10 windows and a new column of diagonals every 100. Places
// are measured from the top left corner of the whole screen (docks and panels
// included), which need not be at 0, 0. A place from which the window would
// run past the screen's right or bottom edge, or that starts outside the
// screen, or beyond the 16-bit range the file holds, starts the cascade again
// at 300, 300 with the counter at 1.
Placement place(const std::optional<Counts> &read, const QSize &screenTwips, const QSize &windowTwips);

// What shutdown does with the work file it read: delete it when this copy is
// the last one (or the file is damaged), otherwise write the counts with m - 1.
struct Shutdown {
    bool remove = false;
    Counts written;
};
Shutdown shutdown(const std::optional<Counts> &read);
// The most a work file can hold: four 16-bit numbers with their line ends.
constexpr qint64 MaxBytes = 64;
} // namespace workfile

namespace settingsfile {
inline const QString NormalCaption = QStringLiteral("暗くする");
inline const QString DarkCaption = QStringLiteral("元に戻す");

struct Settings {
    QString directory;                // empty when none was stored
    QString scheme = NormalCaption;   // the stored caption of the colour button
};
// Missing file: nothing stored. Lines after the second are ignored.
Settings parse(const std::optional<QStringList> &lines);
QStringList format(const QString &directory, const QString &schemeCaption);
// The directory to store: the file is Shift_JIS, so a directory whose name it
// cannot hold gives way to the nearest enclosing one that it can (the root
// aside), then to the start directory, then to nothing.
QString storableDirectory(const QString &directory, const QString &startDir);
// The most a settings file can hold: a path and a caption.
constexpr qint64 MaxBytes = 8192;
} // namespace settingsfile
