#include "tags/Preset.h"

using namespace Qt::StringLiterals;

namespace preset {
const QStringList &builtInLines()
{
    // Line 1 begins with a blank and, unlike catalogue entry 0, has none
    // before its ">"; line 10 is empty.
    static const QStringList lines = {
        u" <!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//EN\">"_s,
        u"<html>"_s,
        u"<head>"_s,
        u"<title>タイトル</title>"_s,
        u"<meta http-equiv=\"Content-Type\" content=\"text/html; charset=shift_jis\">"_s,
        u"<meta http-equiv=\"Content-Style-Type\" content=\"text/css\">"_s,
        u"<meta name=\"generator\" content=\"Tessara\">"_s,
        u"</head>"_s,
        u"<body bgcolor=\"#ffffff\" text=\"#000000\" link=\"#ff0000\" vlink=\"#880088\" alink=\"#888800\">"_s,
        QString(),
        u"</body>"_s,
        u"</html>"_s,
    };
    return lines;
}

QString builtInText() { return builtInLines().join(u"\r\n"_s); }
} // namespace preset
