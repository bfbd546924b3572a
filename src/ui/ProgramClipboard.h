#pragma once
// What the edit box puts on the clipboard and takes from it. Other programs
// get lines ended by LF; this program also puts its text under a private type
// of its own, so a copy inside the program keeps the text exactly, lone line
// ends included.
#include <QString>
#include <optional>

class QMimeData;

namespace programclipboard {
// The clipboard data for a piece of the program's text (CR LF lines).
QMimeData *dataFor(const QString &programText);
bool holdsProgramText(const QMimeData *source);
// The program's text of clipboard data: its own type exactly, or plain text
// with its lines ended as the program's lines are, in CR LF; nothing when the
// data holds no text.
std::optional<QString> programText(const QMimeData *source);
} // namespace programclipboard
