#pragma once
// The program's text as the edit box's document holds it, and back.
//
// Inside the document a CR LF is a paragraph break; a lone LF is kept as a
// line separator (shown as a break) and a lone CR as a private character. The
// characters the document cannot hold as themselves (a line or paragraph
// separator, that private character, the document's frame markers) are kept
// as a stand-in whose character format carries the real character, so a line
// separator a page holds or a user pastes is never taken for a lone LF.
#include <QString>
#include <QStringView>
#include <utility>
#include <vector>

class QTextCursor;
class QTextDocument;

namespace standins {
constexpr char16_t ParagraphBreak = 0x2029;
constexpr char16_t LoneLf = 0x2028;
constexpr char16_t LoneCr = 0xF8FE;
// The real character a stand-in holds, as a property of its character format.
constexpr int RealCharProperty = 0x100000 + 1; // QTextFormat::UserProperty + 1

// Document position and the real character of each stand-in, in order.
using Marks = std::vector<std::pair<qsizetype, char16_t>>;

bool isBreak(char16_t c);
// Characters the document reads as something of its own: separators and its
// frame markers, and the stand-ins for lone line ends.
bool isSpecial(char16_t c);
bool holdsSpecial(QStringView text);
// Whether a text has a CR or LF that is not part of a CR LF.
bool holdsLoneBreak(QStringView text);

// The program's text as the document holds it; marks receives where the
// stand-ins for special characters go.
QString toDocument(QStringView text, Marks *marks);
// The program's text of raw, the document's text from document position
// offset on, with the stand-ins of marks given back as their real characters.
QString fromDocument(QStringView raw, const Marks &marks, qsizetype offset);
// The stand-ins in raw (the document's text from document position offset on).
Marks marksIn(const QTextDocument *d, QStringView raw, qsizetype offset);
// Gives the stand-ins of a just loaded text their real characters; part of
// loading, not an edit.
void markLoaded(QTextDocument *d, const Marks &marks);
// Inserts program text at the cursor, with its stand-ins marked. Plain text
// never takes on a neighbour's mark.
void insert(QTextCursor &c, QStringView text);
} // namespace standins
