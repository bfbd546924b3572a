#include "ui/Fonts.h"

#include <QFontDatabase>
#include <QStringList>

using namespace Qt::StringLiterals;

namespace fonts {
namespace {
// The first of the preferred Japanese Gothic families that the machine has,
// chosen once. Naming only that family spares the font system a fallback
// search through missing names for every size and script.
//
// Proportional families come first: the windows were laid out for the
// proportional kana of "ＭＳ Ｐゴシック", and full-width kana need a sixth more
// room ("プリセットを使う" no longer fits its check box). Each family is known
// by its Latin and its Japanese name: under a Japanese locale the font system
// lists it by the Japanese one only, and a family looked for by the other
// name alone would seem missing.
QString installedFamily()
{
    static const QString family = [] {
        const QList<QStringList> preferred = {
            {u"ＭＳ Ｐゴシック"_s, u"MS PGothic"_s},
            {u"IPAPGothic"_s, u"IPA Pゴシック"_s},
            {u"VL PGothic"_s, u"VL Pゴシック"_s},
            {u"TakaoPGothic"_s, u"Takao Pゴシック"_s},
            {u"Noto Sans CJK JP"_s},
            {u"IPAGothic"_s, u"IPAゴシック"_s},
        };
        const QStringList installed = QFontDatabase::families();
        for (const QStringList &names : preferred)
            for (const QString &name : names)
                if (installed.contains(name, Qt::CaseInsensitive))
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
