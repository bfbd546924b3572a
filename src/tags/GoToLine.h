#pragma once
// Go to line (Ctrl+G in the edit box): the lines of the edit text as the page
// counts them, the texts of the question, and the line an answer names.
#include <QString>
#include <QStringView>

namespace gotoline {
// A page's lines end at CR LF; a lone LF or CR stays inside its line. (A page
// whose file ends its lines in LF is held with CR LF between them too, so it
// counts by its LFs.)
struct Lines {
    qsizetype count = 1; // an empty text is one (empty) line
};
Lines linesOf(QStringView text);
// Where line `index` (from 0) starts in text; the end of the text for an index
// past the last line.
qsizetype startOf(QStringView text, const Lines &lines, qsizetype index);

// "行へ移動", and the prompt naming the range of line numbers.
QString title();
QString prompt(qsizetype count);

// The line (from 0) an answer names: a number of half- or full-width digits
// from 1; a number past the last line names the last line. -1 for anything
// else (0, nothing, not a number): then nothing moves.
qsizetype target(QStringView answer, qsizetype count);
} // namespace gotoline
