#include "core/StartupFiles.h"
#include "text/Cp932.h"

#include <QDir>

#include <limits>

namespace {
constexpr int Step = 300;
constexpr int Min16 = std::numeric_limits<qint16>::min();
constexpr int Max16 = std::numeric_limits<qint16>::max();

// A decimal integer as the file holds it: optional minus sign and digits.
std::optional<int> parse16(const QString &s)
{
    if (s.isEmpty() || s.size() > 6)
        return std::nullopt;
    qsizetype i = s.startsWith(u'-') ? 1 : 0;
    if (i == s.size())
        return std::nullopt;
    int value = 0;
    for (; i < s.size(); ++i) {
        const char16_t c = s[i].unicode();
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + (c - u'0');
    }
    if (s.startsWith(u'-'))
        value = -value;
    if (value < Min16 || value > Max16)
        return std::nullopt;
    return value;
}

bool in16(long long v) { return v >= Min16 && v <= Max16; }
} // namespace

namespace workfile {
std::optional<Counts> parse(const QStringList &lines)
{
    if (lines.size() < 4)
        return std::nullopt;
    const auto n = parse16(lines[0]), m = parse16(lines[1]), l = parse16(lines[2]), t = parse16(lines[3]);
    if (!n || !m || !l || !t || *n < 0 || *m < 0)
        return std::nullopt;
    return Counts{*n, *m, *l, *t};
}

QStringList format(const Counts &c)
{
    return {QString::number(c.n), QString::number(c.m), QString::number(c.left), QString::number(c.top)};
}

Placement place(const std::optional<Counts> &read, const QSize &screen, const QSize &window)
{
    const long long n = read ? read->n : 0;
    const long long m = read ? read->m : 0;
    long long left, top;
    if (n % 100 == 0) {
        left = Step;
        top = n * Step / 100 + Step;
    } else if (n % 10 == 0) {
        left = n * Step / 10 + Step;
        top = Step;
    } else {
        left = read->left + Step;
        top = read->top + Step;
    }
    // The window must stand on the screen: where it would reach past the right
    // or bottom edge (as far as it can fit at all) or above or left of it, or
    // where the numbers leave the file's range, the cascade starts again.
    const long long needW = std::min<long long>(window.width(), screen.width());
    const long long needH = std::min<long long>(window.height(), screen.height());
    const bool onScreen = left >= 0 && top >= 0 && left + needW <= screen.width() && top + needH <= screen.height();
    long long written = n + 1;
    if (!onScreen || !in16(left) || !in16(top) || !in16(n + 1)) {
        left = Step;
        top = Step;
        written = 1;
    }
    const long long live = std::min<long long>(m + 1, Max16);
    return {int(left), int(top), Counts{int(written), int(live), int(left), int(top)}};
}

Shutdown shutdown(const std::optional<Counts> &read)
{
    if (!read || read->m <= 1)
        return {true, {}};
    Counts c = *read;
    c.m -= 1;
    return {false, c};
}
} // namespace workfile

namespace settingsfile {
Settings parse(const std::optional<QStringList> &lines)
{
    Settings s;
    if (!lines)
        return s;
    s.directory = lines->value(0);
    s.scheme = lines->size() > 1 ? lines->at(1) : QString();
    return s;
}

QStringList format(const QString &directory, const QString &schemeCaption)
{
    return {directory, schemeCaption};
}

QString storableDirectory(const QString &directory, const QString &startDir)
{
    const auto storable = [](const QString &dir) { return Cp932::encode(dir).ok; };
    if (storable(directory))
        return directory;
    for (QString dir = QDir::cleanPath(directory); dir.size() > 1;) {
        const qsizetype slash = dir.lastIndexOf(u'/');
        if (slash <= 0)
            break; // the root is no nearer folder than the start directory
        dir.truncate(slash);
        if (storable(dir))
            return dir;
    }
    return storable(startDir) ? startDir : QString();
}
} // namespace settingsfile
