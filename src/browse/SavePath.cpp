#include "browse/SavePath.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace savepath {
QString compose(const QString &dir, const QString &name, const QString &ext)
{
    const QString separator = dir.endsWith(u'/') ? QString() : u"/"_s;
    if (ext != OtherItem && !name.endsWith(ext))
        return dir + separator + name + ext;
    return dir + separator + name;
}

bool isWorkFile(const QString &name, const QString &ext, const QString &dir, const QString &startDir)
{
    if (name != u"Tessara.tmp"_s || ext != OtherItem)
        return false;
    if (dir == startDir)
        return true;
    // The same directory reached through another spelling or a link is the
    // same place: compare where both really are.
    const QString a = QFileInfo(dir).canonicalFilePath();
    return !a.isEmpty() && a == QFileInfo(startDir).canonicalFilePath();
}
} // namespace savepath
