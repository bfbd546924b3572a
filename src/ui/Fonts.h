#pragma once
#include <QFont>

namespace fonts {
// "ＭＳ Ｐゴシック" first, then Japanese Gothic fonts found on the machine.
QFont japaneseGothic(double pointSize);
}
