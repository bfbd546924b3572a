#pragma once
// The built-in preset page that New starts from when "プリセットを使う" is
// checked and the start directory has no "preset.lst".
#include <QString>
#include <QStringList>

namespace preset {
const QStringList &builtInLines();
// The lines joined by CR LF, without one after the last line.
QString builtInText();
} // namespace preset
