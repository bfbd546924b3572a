#pragma once
// The program's own files, kept in the start directory.
#include <QString>

namespace programfiles {
inline const QString Settings = QStringLiteral("Tessel.conf");
inline const QString WorkFile = QStringLiteral("Tessara.tmp");
inline const QString Catalogue = QStringLiteral("htmllist.lst");
inline const QString ShortCuts = QStringLiteral("TagsShortCuts.dat");
inline const QString Preset = QStringLiteral("preset.lst");

inline QString pathOf(const QString &startDir, const QString &name) { return startDir + u'/' + name; }
} // namespace programfiles
