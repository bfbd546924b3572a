#include "ui/EditBox.h"
#include "ui/HtmlColouring.h"
#include "ui/KeyTiming.h"
#include "ui/Keys.h"
#include "ui/ProgramClipboard.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QResizeEvent>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <new>
#include <utility>

EditBox::EditBox(QWidget *parent)
    : QPlainTextEdit(parent), m_keyTiming(new KeyTiming(this)), m_colouring(new HtmlColouring(this))
{
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setMouseTracking(true);
    viewport()->setMouseTracking(true);
    setAttribute(Qt::WA_NoMousePropagation);
    connect(document(), &QTextDocument::contentsChanged, this, [this] { emit Change(); });
    connect(m_keyTiming, &KeyTiming::keyUp, this, &EditBox::KeyUp);
    m_relayout.setSingleShot(true);
    m_relayout.setInterval(200);
    connect(&m_relayout, &QTimer::timeout, this, [this] {
        QResizeEvent widthChanged(size(), QSize(-1, -1));
        QPlainTextEdit::resizeEvent(&widthChanged);
    });
}

bool EditBox::storedDifferently(char16_t c) { return standins::isBreak(c) || standins::isSpecial(c); }

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

QString EditBox::toDocument(QStringView text, Marks *marks) { return standins::toDocument(text, marks); }

QString EditBox::toDocumentText(QStringView text) { return standins::toDocument(text, nullptr); }

QString EditBox::fromDocument(QStringView raw, const Marks &marks, qsizetype offset)
{
    return standins::fromDocument(raw, marks, offset);
}

QString EditBox::fromDocumentText(QStringView raw) { return standins::fromDocument(raw, {}, 0); }

EditBox::Marks EditBox::marksIn(QStringView raw, qsizetype offset) const
{
    return standins::marksIn(document(), raw, offset);
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
    const bool plain = !standins::holdsSpecial(text) && !standins::holdsLoneBreak(text);
    Marks marks;
    load(plain ? text : toDocument(text, &marks), progress);
    standins::markLoaded(document(), marks);
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
                while (at > done && p[at - 1] != u'\n' && p[at - 1] != standins::ParagraphBreak)
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

void EditBox::insertProgramText(QTextCursor &c, QStringView text) { standins::insert(c, text); }

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
    return programclipboard::dataFor(fromDocument(raw, marksIn(raw, c.selectionStart()), c.selectionStart()));
}

bool EditBox::canInsertFromMimeData(const QMimeData *source) const
{
    return programclipboard::holdsProgramText(source) || QPlainTextEdit::canInsertFromMimeData(source);
}

void EditBox::insertFromMimeData(const QMimeData *source)
try {
    const std::optional<QString> text = programclipboard::programText(source);
    if (!text)
        return;
    QTextCursor c = textCursor();
    c.beginEditBlock();
    insertTakingBackOnFailure(c, *text);
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

void EditBox::keyPressEvent(QKeyEvent *e)
{
    m_keyTiming->pressed(e);
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
    if (standins::holdsSpecial(typed) && !isReadOnly()) {
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
    if (!standins::holdsSpecial(commit)) {
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
    m_keyTiming->released(e);
    QPlainTextEdit::keyReleaseEvent(e);
}

void EditBox::mouseMoveEvent(QMouseEvent *e)
{
    emit MouseMove();
    QPlainTextEdit::mouseMoveEvent(e);
}
