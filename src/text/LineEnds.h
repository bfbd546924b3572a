#pragma once
// The line rules applied to a whole decoded text at once, without splitting it
// into lines: a line ends at CR LF or at a lone CR; a lone LF stays in its line.
// A page whose line end is LF (it holds no CR) has its lines end at LF; the
// result has CR LF between lines either way, as the program holds its text.
#include "text/Encoding.h"

#include <QString>

namespace lineends {

// As Open reads a file: the lines joined by CR LF, none after the last one
// (a lone CR becomes CR LF, a final line end goes).
QString joined(QString text, LineEnd end = LineEnd::CrLf);
// As Discard reads a file: every line followed by CR LF, the last one too.
QString terminated(QString text, LineEnd end = LineEnd::CrLf);

} // namespace lineends
