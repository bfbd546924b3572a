#include "ui/LineEndStandIns.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>

namespace standins {
namespace {
// The property stays clear of Qt's own.
static_assert(RealCharProperty == QTextFormat::UserProperty + 1);

// The stand-in the document holds for a special character: a line separator
// stays one (it shows as a break); the others show as the private character.
char16_t standIn(char16_t c) { return c == LoneLf ? LoneLf : LoneCr; }

QTextCharFormat markedFormat(char16_t real)
{
    QTextCharFormat f;
    f.setProperty(RealCharProperty, int(real));
    return f;
}
} // namespace

bool isBreak(char16_t c) { return c == u'\r' || c == u'\n'; }

bool isSpecial(char16_t c) { return c >= 0x2028 && (c <= 0x2029 || c == LoneCr || c == 0xFDD0 || c == 0xFDD1); }

bool holdsSpecial(QStringView text)
{
    return std::any_of(text.cbegin(), text.cend(), [](QChar c) { return isSpecial(c.unicode()); });
}

bool holdsLoneBreak(QStringView text)
{
    const char16_t *p = text.utf16();
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (p[i] == u'\n')
            return true;
        if (p[i] == u'\r') {
            if (i + 1 == n || p[i + 1] != u'\n')
                return true;
            ++i;
        }
    }
    return false;
}

QString toDocument(QStringView text, Marks *marks)
{
    // Copies the runs between line breaks whole; only the breaks and the
    // special characters are looked at.
    QString out(text.size(), Qt::Uninitialized);
    char16_t *const begin = reinterpret_cast<char16_t *>(out.data());
    char16_t *o = begin;
    const char16_t *p = text.utf16();
    const char16_t *const end = p + text.size();
    while (p < end) {
        const char16_t *q = p;
        while (q < end && !isBreak(*q) && !isSpecial(*q))
            ++q;
        o = std::copy(p, q, o);
        if (q == end)
            break;
        if (isSpecial(*q)) {
            if (marks)
                marks->emplace_back(o - begin, *q);
            *o++ = standIn(*q);
            p = q + 1;
        } else if (*q == u'\r' && q + 1 < end && q[1] == u'\n') {
            *o++ = ParagraphBreak;
            p = q + 2;
        } else {
            *o++ = *q == u'\r' ? LoneCr : LoneLf;
            p = q + 1;
        }
    }
    out.truncate(o - begin);
    return out;
}

QString fromDocument(QStringView raw, const Marks &marks, qsizetype offset)
{
    qsizetype breaks = 0;
    for (QChar c : raw)
        breaks += c.unicode() == ParagraphBreak;
    QString out(raw.size() + breaks, Qt::Uninitialized);
    char16_t *o = reinterpret_cast<char16_t *>(out.data());
    const char16_t *const begin = raw.utf16();
    const char16_t *p = begin;
    auto mark = marks.cbegin();
    for (const char16_t *const end = p + raw.size(); p < end; ++p) {
        const char16_t c = *p;
        if (c == ParagraphBreak) {
            *o++ = u'\r';
            *o++ = u'\n';
        } else if (c == LoneLf || c == LoneCr) {
            const qsizetype at = offset + (p - begin);
            while (mark != marks.cend() && mark->first < at)
                ++mark;
            if (mark != marks.cend() && mark->first == at)
                *o++ = mark->second;
            else
                *o++ = c == LoneLf ? u'\n' : u'\r';
        } else {
            *o++ = c;
        }
    }
    return out;
}

Marks marksIn(const QTextDocument *d, QStringView raw, qsizetype offset)
{
    Marks marks;
    // Only a document that has ever held a marked character needs looking at.
    const QList<QTextFormat> formats = d->allFormats();
    if (std::none_of(formats.cbegin(), formats.cend(),
                     [](const QTextFormat &f) { return f.hasProperty(RealCharProperty); }))
        return marks;
    QTextBlock block;
    QTextBlock::iterator it;
    for (qsizetype i = 0; i < raw.size(); ++i) {
        const char16_t c = raw[i].unicode();
        if (c != LoneLf && c != LoneCr)
            continue;
        const int pos = int(offset + i);
        if (!block.isValid() || pos < block.position() || pos >= block.position() + block.length()) {
            block = d->findBlock(pos);
            it = block.begin();
        }
        while (!it.atEnd() && it.fragment().position() + it.fragment().length() <= pos)
            ++it;
        if (it.atEnd())
            continue;
        const QTextCharFormat f = it.fragment().charFormat();
        if (f.hasProperty(RealCharProperty))
            marks.emplace_back(pos, char16_t(f.intProperty(RealCharProperty)));
    }
    return marks;
}

void markLoaded(QTextDocument *d, const Marks &marks)
{
    if (marks.empty())
        return;
    const bool undo = d->isUndoRedoEnabled();
    d->setUndoRedoEnabled(false);
    QTextCursor c(d);
    for (const auto &[pos, real] : marks) {
        c.setPosition(int(pos));
        c.setPosition(int(pos) + 1, QTextCursor::KeepAnchor);
        c.setCharFormat(markedFormat(real));
    }
    d->setUndoRedoEnabled(undo);
}

void insert(QTextCursor &c, QStringView text)
{
    Marks marks;
    const QString doc = toDocument(text, &marks);
    const QTextCharFormat plain;
    qsizetype from = 0;
    for (const auto &[pos, real] : marks) {
        if (pos > from)
            c.insertText(doc.sliced(from, pos - from), plain);
        c.insertText(QString(QChar(doc[pos])), markedFormat(real));
        from = pos + 1;
    }
    if (from < doc.size() || marks.empty())
        c.insertText(doc.sliced(from), plain);
}
} // namespace standins
