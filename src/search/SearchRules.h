#pragma once
// Where the search word occurs in a text, and the text with every occurrence
// replaced. Words compare exactly, code unit by code unit: case, full-width and
// half-width forms, hiragana and katakana all differ. An empty word occurs
// nowhere.
#include <QString>
#include <QStringView>

namespace searchrules
{

// Index of the first occurrence of word at or after from; -1 when there is none.
// A from past the end finds nothing; a negative from counts as 0.
qsizetype findFrom(QStringView text, QStringView word, qsizetype from);

// Index of the last occurrence lying wholly within the first `end` characters
// (the largest q with q + word length <= end); -1 when there is none.
qsizetype findBefore(QStringView text, QStringView word, qsizetype end);

// The text with every occurrence of word replaced by with, taken from left to
// right without overlap; an inserted replacement is never searched again.
QString replaceAll(QStringView text, QStringView word, QStringView with);

} // namespace searchrules
