#include "ui/Fonts.h"

#include <QFontDatabase>
#include <QStringList>

using namespace Qt::StringLiterals;

namespace fonts {
namespace {
// The first of the preferred Japanese Gothic families that the machine has,
// chosen once. Naming only that family spares the font system a fallback
// search through missing names for every size and script.
QString installedFamily()
{
    static const QString family = [] {
        const QStringList preferred = {u"ＭＳ Ｐゴシック"_s, u"MS PGothic"_s,       u"IPAPGothic"_s,
                                       u"IPAGothic"_s,    u"Noto Sans CJK JP"_s, u"VL PGothic"_s,
                                       u"TakaoPGothic"_s};
        const QStringList installed = QFontDatabase::families();
        for (const QString &name : preferred)
            if (installed.contains(name))
                return name;
        return QString();
    }();
    return family;
}
} // namespace

QFont japaneseGothic(double pointSize)
{
    QFont f;
    const QString family = installedFamily();
    if (!family.isEmpty())
        f.setFamilies(QStringList{family});
    f.setPointSizeF(pointSize);
    f.setWeight(QFont::Normal);
    return f;
}
} // namespace fonts
