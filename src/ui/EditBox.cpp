#include "ui/EditBox.h"
#include "ui/Keys.h"

#include <QKeyEvent>

#include <algorithm>
#include <utility>
#include <QResizeEvent>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace {
constexpr char16_t ParagraphBreak = 0x2029;
}

EditBox::EditBox(QWidget *parent) : QPlainTextEdit(parent)
{
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setMouseTracking(true);
    viewport()->setMouseTracking(true);
    setAttribute(Qt::WA_NoMousePropagation);
    connect(document(), &QTextDocument::contentsChanged, this, [this] { emit Change(); });
    // Lines are never wrapped, so a new width changes no line: the text's
    // layout is brought up to the new width once the resizing has stopped
    // instead of on every step of it, which on a large document would cost
    // more than a frame each time.
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

void EditBox::resizeEvent(QResizeEvent *e)
{
    if (e->oldSize().width() == e->size().width() || lineWrapMode() != QPlainTextEdit::NoWrap) {
        QPlainTextEdit::resizeEvent(e);
        return;
    }
    QResizeEvent sameWidth(e->size(), QSize(e->size().width(), e->oldSize().height()));
    QPlainTextEdit::resizeEvent(&sameWidth);
    m_relayout.start();
}

QString EditBox::toDocumentText(QStringView text)
{
    // Copies the runs between line breaks whole; only the breaks are looked at.
    QString out(text.size(), Qt::Uninitialized);
    char16_t *o = reinterpret_cast<char16_t *>(out.data());
    const char16_t *p = text.utf16();
    const char16_t *const end = p + text.size();
    while (p < end) {
        const char16_t *q = p;
        while (q < end && *q != u'\r' && *q != u'\n')
            ++q;
        o = std::copy(p, q, o);
        if (q == end)
            break;
        if (*q == u'\r' && q + 1 < end && q[1] == u'\n') {
            *o++ = ParagraphBreak;
            p = q + 2;
        } else {
            *o++ = *q == u'\r' ? LoneCr : LoneLf;
            p = q + 1;
        }
    }
    out.truncate(o - reinterpret_cast<char16_t *>(out.data()));
    return out;
}

QString EditBox::fromDocumentText(QStringView raw)
{
    qsizetype breaks = 0;
    for (QChar c : raw)
        breaks += c.unicode() == ParagraphBreak;
    QString out(raw.size() + breaks, Qt::Uninitialized);
    char16_t *o = reinterpret_cast<char16_t *>(out.data());
    const char16_t *p = raw.utf16();
    for (const char16_t *const end = p + raw.size(); p < end; ++p) {
        const char16_t c = *p;
        if (c == ParagraphBreak) {
            *o++ = u'\r';
            *o++ = u'\n';
        } else {
            *o++ = c == LoneLf ? u'\n' : c == LoneCr ? u'\r' : c;
        }
    }
    return out;
}

QString EditBox::documentText() const { return document()->toRawText(); }

QString EditBox::text() const { return fromDocumentText(document()->toRawText()); }

void EditBox::setText(const QString &text) { setPlainText(toDocumentText(text)); }

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

void EditBox::replaceRange(qsizetype start, qsizetype length, const QString &with)
{
    const qsizetype total = textLength();
    start = std::clamp<qsizetype>(start, 0, total);
    const qsizetype end = std::clamp<qsizetype>(start + length, start, total);
    QTextCursor c(document());
    c.setPosition(int(toDocumentPosition(start)));
    c.setPosition(int(toDocumentPosition(end)), QTextCursor::KeepAnchor);
    c.insertText(toDocumentText(with));
}

void EditBox::replaceAllText(const QString &text)
{
    QTextCursor c(document());
    c.select(QTextCursor::Document);
    c.insertText(toDocumentText(text));
    QTextCursor caret(document());
    setTextCursor(caret);
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
    emit KeyDown(keys::codeOf(e), keys::maskOf(e));
    // Shift+Enter would insert a lone line separator; the program's lines all
    // end with CR LF, so it starts a new line like Enter.
    if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) && (e->modifiers() & Qt::ShiftModifier)) {
        textCursor().insertBlock();
        ensureCursorVisible();
        return;
    }
    QPlainTextEdit::keyPressEvent(e);
}

void EditBox::keyReleaseEvent(QKeyEvent *e)
{
    if (!e->isAutoRepeat()) {
        flushKeyUp();
        if (e->nativeScanCode() == 0) {
            // No native key behind it (a synthesized event): nothing to pair with.
            emit KeyUp(keys::codeOf(e), keys::maskOf(e));
        } else {
            m_pendingUp = PendingUp{keys::codeOf(e), keys::maskOf(e), e->nativeScanCode(), e->timestamp()};
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
