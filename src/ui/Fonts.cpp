#include "ui/Fonts.h"

#include <QStringList>

using namespace Qt::StringLiterals;

namespace fonts {
QFont japaneseGothic(double pointSize)
{
    QFont f;
    QStringList families;
    families << u"ＭＳ Ｐゴシック"_s << u"MS PGothic"_s << u"IPAPGothic"_s << u"IPAGothic"_s
             << u"Noto Sans CJK JP"_s << u"VL PGothic"_s << u"TakaoPGothic"_s << u"Sans Serif"_s;
    f.setFamilies(families);
    f.setPointSizeF(pointSize);
    f.setWeight(QFont::Normal);
    return f;
}
} // namespace fonts
