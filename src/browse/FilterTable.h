#pragma once
// The extension filter: which wildcard pattern the file list uses for an item
// of a filter combo. The main window's items are "html", "txt", "(その他)";
// the save-as dialog's are ".html", ".txt", "(その他)". Both spellings of an
// extension give the same pattern; any other text lists every file.
#include <QString>
#include <QStringList>

namespace filtertable
{

// Exact comparison: "html" or ".html" gives "*.html", "txt" or ".txt" gives
// "*.txt", anything else "*.*".
QString patternFor(const QString &itemText);

// The items of the main window's filter combo, in order, and its text before
// any item is chosen.
QStringList paneItems();
QString paneInitialText();
// The pattern the main window's file list starts with, before any item is chosen.
QString initialPattern();
// The first of the main window's items whose pattern lists a file of this
// name (patterns match letter case loosely, as the file list does).
int paneItemListing(const QString &fileName);

} // namespace filtertable
