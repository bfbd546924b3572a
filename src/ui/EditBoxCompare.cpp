// Comparing the edit box's text with a text of the program's, in place.
#include "ui/EditBox.h"

#include <QTextBlock>
#include <QTextDocument>

namespace {
// The real character a stand-in holds, as a property of its character format
// (the edit box's loading and inserting set it).
constexpr int RealCharProperty = QTextFormat::UserProperty + 1;
} // namespace

bool EditBox::textEquals(QStringView other) const
{
    // The program's text is the paragraphs joined by CR LF, each stand-in
    // read as the character it holds: a marked one as its mark, an unmarked
    // line separator as a lone LF and the private character as a lone CR.
    const QTextDocument *d = document();
    const qsizetype n = other.size();
    if (textLength() != n)
        return false;
    const char16_t *const o = other.utf16();
    qsizetype at = 0;
    for (QTextBlock block = d->begin(); block.isValid(); block = block.next()) {
        if (block != d->begin()) {
            if (at + 2 > n || o[at] != u'\r' || o[at + 1] != u'\n')
                return false;
            at += 2;
        }
        for (QTextBlock::iterator it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QString piece = fragment.text(); // one fragment, never more than a paragraph
            if (at + piece.size() > n)
                return false;
            const char16_t *p = reinterpret_cast<const char16_t *>(piece.constData());
            const QTextCharFormat format = fragment.charFormat();
            const bool marked = format.hasProperty(RealCharProperty);
            const char16_t real = marked ? char16_t(format.intProperty(RealCharProperty)) : 0;
            for (qsizetype i = 0; i < piece.size(); ++i) {
                char16_t c = p[i];
                if (c == LoneLf || c == LoneCr)
                    c = marked ? real : c == LoneLf ? u'\n' : u'\r';
                if (c != o[at + i])
                    return false;
            }
            at += piece.size();
        }
    }
    return at == n;
}
