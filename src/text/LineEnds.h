#pragma once
// The line rules applied to a whole decoded text at once, without splitting it
// into lines: a line ends at CR LF or at a lone CR; a lone LF stays in its line.
#include <QString>

namespace lineends {

// As Open reads a file: the lines joined by CR LF, none after the last one
// (a lone CR becomes CR LF, a final line end goes).
QString joined(QString text);
// As Discard reads a file: every line followed by CR LF, the last one too.
QString terminated(QString text);

} // namespace lineends
