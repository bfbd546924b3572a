// Comparing the edit box's text with a text of the program's, in place.
#include "ui/EditBox.h"
#include "ui/LineEndStandIns.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace {
using standins::ParagraphBreak;
using standins::RealCharProperty;
// The document is read this many characters at a time: a copy of a piece,
// never of the whole page.
constexpr int Piece = 1 << 20;

// The character of the program's text a stand-in at document position pos
// holds: its mark, or the lone line end it stands for.
char16_t realCharAt(const QTextDocument *d, int pos, char16_t standIn)
{
    const QTextBlock block = d->findBlock(pos);
    for (QTextBlock::iterator it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment f = it.fragment();
        if (pos < f.position() || pos >= f.position() + f.length())
            continue;
        const QTextCharFormat format = f.charFormat();
        if (format.hasProperty(RealCharProperty))
            return char16_t(format.intProperty(RealCharProperty));
        break;
    }
    return standIn == EditBox::LoneLf ? u'\n' : u'\r';
}
} // namespace

bool EditBox::textEquals(QStringView other) const
{
    // The program's text is the document's with each paragraph break read as
    // CR LF and each stand-in as the character it holds.
    const qsizetype n = other.size();
    if (textLength() != n)
        return false;
    const QTextDocument *d = document();
    const int size = d->characterCount() - 1; // without the document's own last break
    const char16_t *const o = other.utf16();
    qsizetype at = 0;
    QTextCursor c(const_cast<QTextDocument *>(d)); // only reads
    for (int from = 0; from < size; from += Piece) {
        const int to = qMin(size, from + Piece);
        c.setPosition(from);
        c.setPosition(to, QTextCursor::KeepAnchor);
        const QString raw = c.selectedText();
        const char16_t *p = reinterpret_cast<const char16_t *>(raw.constData());
        for (qsizetype i = 0; i < raw.size(); ++i) {
            const char16_t ch = p[i];
            if (ch == ParagraphBreak) {
                if (at + 2 > n || o[at] != u'\r' || o[at + 1] != u'\n')
                    return false;
                at += 2;
                continue;
            }
            if (at >= n)
                return false;
            const bool same = ch == LoneLf || ch == LoneCr ? realCharAt(d, from + int(i), ch) == o[at] : ch == o[at];
            if (!same)
                return false;
            ++at;
        }
    }
    return at == n;
}
