#include "ui/EditBox.h"
#include "ui/Keys.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QResizeEvent>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <new>
#include <utility>

using namespace Qt::StringLiterals;

namespace {
constexpr char16_t ParagraphBreak = 0x2029;
// The real character a stand-in holds, as a property of its character format.
constexpr int RealCharProperty = QTextFormat::UserProperty + 1;
// Copies inside the program keep the text exactly, lone line ends included.
const QString ProgramTextMime = u"application/x-tessara-text"_s;

bool isBreak(char16_t c) { return c == u'\r' || c == u'\n'; }

// Whether a text has a CR or LF that is not part of a CR LF.
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

// Characters the document reads as something of its own: separators and its
// frame markers, and the stand-ins for lone line ends.
bool isSpecial(char16_t c)
{
    return c >= 0x2028 && (c <= 0x2029 || c == EditBox::LoneCr || c == 0xFDD0 || c == 0xFDD1);
}

// The stand-in the document holds for a special character: a line separator
// stays one (it shows as a break); the others show as the private character.
char16_t standIn(char16_t c) { return c == EditBox::LoneLf ? EditBox::LoneLf : EditBox::LoneCr; }

QTextCharFormat markedFormat(char16_t real)
{
    QTextCharFormat f;
    f.setProperty(RealCharProperty, int(real));
    return f;
}
} // namespace

EditBox::EditBox(QWidget *parent) : QPlainTextEdit(parent)
{
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setMouseTracking(true);
    viewport()->setMouseTracking(true);
    setAttribute(Qt::WA_NoMousePropagation);
    connect(document(), &QTextDocument::contentsChanged, this, [this] { emit Change(); });
    m_keyUpTimer.setSingleShot(true);
    m_keyUpTimer.setInterval(40);
    connect(&m_keyUpTimer, &QTimer::timeout, this, &EditBox::flushKeyUp);
    m_relayout.setSingleShot(true);
    m_relayout.setInterval(200);
    connect(&m_relayout, &QTimer::timeout, this, [this] {
        QResizeEvent widthChanged(size(), QSize(-1, -1));
        QPlainTextEdit::resizeEvent(&widthChanged);
    });
}

bool EditBox::storedDifferently(char16_t c) { return isBreak(c) || isSpecial(c); }

void EditBox::resizeEvent(QResizeEvent *e)
{
    // Wrapping follows a new width at once. A document of many lines is laid
    // out again only once the resizing has stopped: Qt drops the layout of
    // every line at each new width, which on a large document costs more than
    // a frame at every step of a drag (the lines on screen keep their old
    // wrapping for that moment).
    if (e->oldSize().width() == e->size().width() || document()->blockCount() < DeferRelayoutFromBlocks) {
        if (e->oldSize().width() != e->size().width())
            m_relayout.stop();
        QPlainTextEdit::resizeEvent(e);
        return;
    }
    QResizeEvent sameWidth(e->size(), QSize(e->size().width(), e->oldSize().height()));
    QPlainTextEdit::resizeEvent(&sameWidth);
    m_relayout.start();
}

QString EditBox::toDocument(QStringView text, Marks *marks)
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

QString EditBox::toDocumentText(QStringView text) { return toDocument(text, nullptr); }

QString EditBox::fromDocument(QStringView raw, const Marks &marks, qsizetype offset)
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

QString EditBox::fromDocumentText(QStringView raw) { return fromDocument(raw, {}, 0); }

EditBox::Marks EditBox::marksIn(QStringView raw, qsizetype offset) const
{
    Marks marks;
    const QTextDocument *d = document();
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

QString EditBox::documentText() const { return document()->toRawText(); }

QString EditBox::text() const
{
    const QString raw = document()->toRawText();
    return fromDocument(raw, marksIn(raw, 0), 0);
}

void EditBox::setText(const QString &text) { setText(text, {}); }

void EditBox::setText(const QString &text, const LoadProgress &progress)
{
    // A text without lone line ends or special characters goes to the
    // document as it is: the document reads CR LF as a line break itself, so
    // no converted copy of a large page is made.
    const bool plain = std::none_of(text.cbegin(), text.cend(), [](QChar c) { return isSpecial(c.unicode()); }) &&
                       !holdsLoneBreak(text);
    Marks marks;
    load(plain ? text : toDocument(text, &marks), progress);
    if (marks.empty())
        return;
    // The stand-ins get their real characters; this is part of loading, not an edit.
    QTextDocument *d = document();
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

void EditBox::load(const QString &documentText, const LoadProgress &progress)
{
    // As QPlainTextEdit::setPlainText, but without laying the insertion format
    // over the whole text afterwards: every character has the plain format
    // already, and on a large page that pass costs time and memory.
    QTextDocument *d = document();
    const bool undo = d->isUndoRedoEnabled();
    d->setUndoRedoEnabled(false); // the history starts anew
    const qsizetype size = documentText.size();
    if (!progress || size < LoadInPiecesFrom) {
        d->setPlainText(documentText);
    } else {
        // A large page goes in in pieces that end at a paragraph break, so
        // that the window can show how far it is; the document ends the same.
        qsizetype done = 0;
        QTextCursor end(d);
        while (done < size) {
            qsizetype cut = qMin(size, done + LoadPiece);
            if (cut < size) {
                // After the last line break in the piece (never between a CR and its LF).
                const char16_t *p = reinterpret_cast<const char16_t *>(documentText.constData());
                qsizetype at = cut;
                while (at > done && p[at - 1] != u'\n' && p[at - 1] != ParagraphBreak)
                    --at;
                cut = at > done ? at : p[cut - 1] == u'\r' ? cut - 1 : cut;
            }
            // The document copies what it is given: the piece needs no copy of its own.
            const QString piece = QString::fromRawData(documentText.constData() + done, cut - done);
            if (done == 0) {
                d->setPlainText(piece);
                end = QTextCursor(d);
            } else {
                end.movePosition(QTextCursor::End);
                end.insertText(piece);
            }
            done = cut;
            progress(done, size);
        }
    }
    d->setUndoRedoEnabled(undo);
    d->setModified(false);
    setTextCursor(QTextCursor(d));
    ensureCursorVisible();
}

qsizetype EditBox::textLength() const
{
    const QTextDocument *d = document();
    return d->characterCount() - 1 + (d->blockCount() - 1);
}

qsizetype EditBox::fromDocumentPosition(qsizetype docPos) const
{
    const QTextBlock b = document()->findBlock(int(docPos));
    return docPos + (b.isValid() ? b.blockNumber() : document()->blockCount() - 1);
}

qsizetype EditBox::toDocumentPosition(qsizetype pos) const
{
    const QTextDocument *d = document();
    if (pos <= 0)
        return 0;
    // The block holding pos is the last one whose start, counted with one extra
    // character per earlier line break, is not past pos.
    int lo = 0, hi = d->blockCount() - 1;
    while (lo < hi) {
        const int mid = lo + (hi - lo + 1) / 2;
        if (d->findBlockByNumber(mid).position() + qsizetype(mid) <= pos)
            lo = mid;
        else
            hi = mid - 1;
    }
    const QTextBlock b = d->findBlockByNumber(lo);
    const qsizetype blockEnd = b.position() + b.length() - 1; // before its break
    return std::min(pos - lo, blockEnd); // between CR and LF counts as the line's end
}

qsizetype EditBox::selStart() const
{
    return fromDocumentPosition(textCursor().selectionStart());
}

qsizetype EditBox::selLength() const
{
    const QTextCursor c = textCursor();
    return fromDocumentPosition(c.selectionEnd()) - fromDocumentPosition(c.selectionStart());
}

void EditBox::selectDocumentRange(qsizetype anchor, qsizetype position)
{
    QTextCursor c(document());
    c.setPosition(int(anchor));
    c.setPosition(int(position), QTextCursor::KeepAnchor);
    setTextCursor(c);
}

void EditBox::setSelStart(qsizetype pos)
{
    const qsizetype d = toDocumentPosition(std::clamp<qsizetype>(pos, 0, textLength()));
    selectDocumentRange(d, d);
}

void EditBox::setSelLength(qsizetype length)
{
    const qsizetype start = selStart();
    const qsizetype end = std::clamp<qsizetype>(start + std::max<qsizetype>(length, 0), 0, textLength());
    selectDocumentRange(toDocumentPosition(start), toDocumentPosition(end));
}

void EditBox::insertProgramText(QTextCursor &c, QStringView text)
{
    // Plain text never takes on a neighbour's mark.
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

void EditBox::replaceRange(qsizetype start, qsizetype length, const QString &with)
{
    replaceRanges({{start, length, with}});
}

void EditBox::replaceRanges(const QList<TextReplacement> &edits)
{
    const qsizetype total = textLength();
    QTextCursor c(document());
    c.beginEditBlock();
    // From the last to the first, so that the earlier positions stay where they were.
    for (auto it = edits.crbegin(); it != edits.crend(); ++it) {
        const qsizetype start = std::clamp<qsizetype>(it->start, 0, total);
        const qsizetype end = std::clamp<qsizetype>(start + it->length, start, total);
        c.setPosition(int(toDocumentPosition(start)));
        c.setPosition(int(toDocumentPosition(end)), QTextCursor::KeepAnchor);
        insertProgramText(c, it->text);
    }
    c.endEditBlock();
}

void EditBox::replaceAllText(const QString &text)
{
    QTextCursor c(document());
    c.beginEditBlock();
    c.select(QTextCursor::Document);
    insertTakingBackOnFailure(c, text);
    QTextCursor caret(document());
    setTextCursor(caret);
}

QMimeData *EditBox::createMimeDataFromSelection() const
{
    const QTextCursor c = textCursor();
    const QString raw = c.selectedText();
    const QString program = fromDocument(raw, marksIn(raw, c.selectionStart()), c.selectionStart());
    auto *mime = new QMimeData;
    // Other programs get lines ended by LF; this one gets the text exactly.
    QString plain = program;
    plain.replace(u"\r\n"_s, u"\n"_s);
    mime->setText(plain);
    mime->setData(ProgramTextMime,
                  QByteArray(reinterpret_cast<const char *>(program.utf16()), program.size() * 2));
    return mime;
}

bool EditBox::canInsertFromMimeData(const QMimeData *source) const
{
    return source->hasFormat(ProgramTextMime) || QPlainTextEdit::canInsertFromMimeData(source);
}

void EditBox::insertFromMimeData(const QMimeData *source)
try {
    QString text;
    if (source->hasFormat(ProgramTextMime)) {
        const QByteArray data = source->data(ProgramTextMime);
        text = QString(reinterpret_cast<const QChar *>(data.constData()), data.size() / 2);
    } else if (source->hasText()) {
        // Lines from elsewhere end as the program's lines do, in CR LF.
        text = source->text();
        text.replace(u"\r\n"_s, u"\n"_s);
        text.replace(u'\r', u'\n');
        text.replace(u"\n"_s, u"\r\n"_s);
    } else {
        return;
    }
    QTextCursor c = textCursor();
    c.beginEditBlock();
    insertTakingBackOnFailure(c, text);
    setTextCursor(c);
    ensureCursorVisible();
} catch (const std::bad_alloc &) {
    // Nothing was pasted; the program runs on.
    emit outOfMemory();
}

void EditBox::insertTakingBackOnFailure(QTextCursor &c, QStringView text)
{
    QTextDocument *d = document();
    const int steps = d->availableUndoSteps();
    try {
        insertProgramText(c, text);
    } catch (const std::bad_alloc &) {
        // What went in before memory ran out comes out again.
        c.endEditBlock();
        if (d->availableUndoSteps() > steps)
            d->undo();
        throw;
    }
    c.endEditBlock();
}

void EditBox::flushKeyUp()
{
    m_keyUpTimer.stop();
    if (const std::optional<PendingUp> up = std::exchange(m_pendingUp, std::nullopt))
        emit KeyUp(up->code, up->mask);
}

void EditBox::keyPressEvent(QKeyEvent *e)
{
    // X repeats a held key as a release and a press with one time stamp, and
    // Qt marks that release as auto-repeated only when the press has already
    // arrived. A held-back release that turns out to be such a pair is dropped.
    if (m_pendingUp && m_pendingUp->scanCode == e->nativeScanCode() && m_pendingUp->time == e->timestamp()) {
        m_pendingUp.reset();
        m_keyUpTimer.stop();
    } else {
        flushKeyUp();
    }
    if (e->nativeScanCode() != 0 && !e->isAutoRepeat())
        m_lastPress = LastPress{e->nativeScanCode(), keys::maskOf(e), e->timestamp()};
    emit KeyDown(keys::codeOf(e), keys::maskOf(e));
    // Shift+Enter would insert a lone line separator; the program's lines all
    // end with CR LF, so it starts a new line like Enter.
    if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) && (e->modifiers() & Qt::ShiftModifier)) {
        textCursor().insertBlock();
        ensureCursorVisible();
        return;
    }
    // A typed separator is the character itself, never a lone line end.
    const QString typed = e->text();
    if (!typed.isEmpty() && std::any_of(typed.cbegin(), typed.cend(), [](QChar c) { return isSpecial(c.unicode()); }) &&
        !isReadOnly()) {
        QTextCursor c = textCursor();
        c.beginEditBlock();
        insertProgramText(c, typed);
        c.endEditBlock();
        setTextCursor(c);
        ensureCursorVisible();
        return;
    }
    QPlainTextEdit::keyPressEvent(e);
}

void EditBox::inputMethodEvent(QInputMethodEvent *e)
{
    const QString commit = e->commitString();
    if (std::none_of(commit.cbegin(), commit.cend(), [](QChar c) { return isSpecial(c.unicode()); })) {
        QPlainTextEdit::inputMethodEvent(e);
        return;
    }
    // The input method's text goes in with its separators marked.
    QInputMethodEvent rest(e->preeditString(), e->attributes());
    QPlainTextEdit::inputMethodEvent(&rest);
    QTextCursor c = textCursor();
    c.beginEditBlock();
    insertProgramText(c, commit);
    c.endEditBlock();
    setTextCursor(c);
}

void EditBox::keyReleaseEvent(QKeyEvent *e)
{
    if (!e->isAutoRepeat()) {
        flushKeyUp();
        if (e->nativeScanCode() == 0) {
            // No native key behind it (a synthesized event): nothing to pair with.
            emit KeyUp(keys::codeOf(e), keys::maskOf(e));
        } else {
            // An instantaneous chord keeps the modifiers its key went down with.
            int mask = keys::maskOf(e);
            if (m_lastPress && m_lastPress->scanCode == e->nativeScanCode() && e->timestamp() >= m_lastPress->time &&
                e->timestamp() - m_lastPress->time <= InstantKeyMs)
                mask = m_lastPress->mask;
            m_pendingUp = PendingUp{keys::codeOf(e), mask, e->nativeScanCode(), e->timestamp()};
            m_keyUpTimer.start();
        }
    }
    QPlainTextEdit::keyReleaseEvent(e);
}

void EditBox::mouseMoveEvent(QMouseEvent *e)
{
    emit MouseMove();
    QPlainTextEdit::mouseMoveEvent(e);
}
