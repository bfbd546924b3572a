#include "BenchSupport.h"

using namespace Qt::StringLiterals;

namespace benchsupport {
QString japaneseHtml(qsizetype approxChars)
{
    static const QString lines[] = {
        u"<p>吾輩は猫である。名前はまだ無い。どこで生れたかとんと見当がつかぬ。</p>"_s,
        u"<h2>第一章　はじめに</h2>"_s,
        u"<td bgcolor=\"#ffffff\">東京都千代田区丸の内一丁目</td>"_s,
        u"<a href=\"index.html\">目次へ戻る</a>"_s,
        u"何でも薄暗いじめじめした所でニャーニャー泣いていた事だけは記憶している。"_s,
    };
    QString out;
    out.reserve(approxChars + 200);
    for (int i = 0; out.size() < approxChars; ++i) {
        out += lines[i % 5];
        out += u"\r\n"_s;
    }
    return out;
}

QString japaneseHtmlOfShiftJisSize(qint64 bytes) { return japaneseHtml(qsizetype(double(bytes) / ShiftJisBytesPerChar)); }
} // namespace benchsupport
