#pragma once
// How the save-as dialog turns a directory, a typed name and the chosen
// extension item into the file to write.
#include <QString>

namespace savepath {
inline const QString OtherItem = QStringLiteral("(その他)");

// dir + separator + name, then ext unless ext is the "(その他)" item or the
// name already ends with it (exact comparison, letter case included). No
// separator is added when dir already ends with one.
QString compose(const QString &dir, const QString &name, const QString &ext);

// Whether the name is the program's own work file in the start directory
// with "(その他)" chosen, which the dialog refuses.
bool isWorkFile(const QString &name, const QString &ext, const QString &dir, const QString &startDir);
} // namespace savepath
