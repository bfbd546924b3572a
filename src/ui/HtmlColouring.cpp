#include "ui/HtmlColouring.h"

#include <QAbstractTextDocumentLayout>
#include <QEvent>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <algorithm>

using htmlscan::State;

HtmlColouring::HtmlColouring(QPlainTextEdit *edit) : QObject(edit), m_edit(edit), m_viewport(edit->viewport())
{
    choosePalette();
    connect(edit->document(), &QTextDocument::contentsChange, this,
            [this](int position, int, int) { contentsChanged(position); });
    edit->installEventFilter(this);
    edit->viewport()->installEventFilter(this);
}

bool HtmlColouring::eventFilter(QObject *watched, QEvent *event)
{
    // Only the pointers are compared: events also come while the edit box is
    // being taken down, when it is no longer one to ask.
    if (event->type() == QEvent::Paint && watched == m_viewport)
        colourShown();
    else if (event->type() == QEvent::PaletteChange && watched == m_edit)
        choosePalette();
    return false;
}

void HtmlColouring::choosePalette()
{
    const htmlpalette::Palette &p = htmlpalette::forBackground(m_edit->palette().color(QPalette::Base));
    if (&p == m_palette)
        return;
    m_palette = &p;
    for (int k = 0; k < htmlscan::KindCount; ++k)
        m_formats[k].setForeground(p.colours[k]);
    m_edit->viewport()->update();
}

void HtmlColouring::contentsChanged(int position)
{
    // The lines up to the changed one start as they did: what comes before
    // them is unchanged.
    const QTextBlock changed = m_edit->document()->findBlock(position);
    m_knownUpTo = std::min(m_knownUpTo, changed.isValid() ? changed.blockNumber() : 0);
}

State HtmlColouring::startState(const QTextBlock &block)
{
    const int number = block.blockNumber();
    if (number <= m_knownUpTo)
        return number == 0 ? State{} : State::unpack(block.userState());
    QTextBlock b = m_edit->document()->findBlockByNumber(m_knownUpTo);
    State state = m_knownUpTo == 0 ? State{} : State::unpack(b.userState());
    for (int n = m_knownUpTo; n < number; ++n) {
        state = htmlscan::scanLine(b.text(), state, nullptr);
        b = b.next();
        b.setUserState(state.pack());
    }
    m_knownUpTo = number;
    return state;
}

void HtmlColouring::colourShown()
{
    // The line at the top of the box (the first one shown).
    QTextBlock block = m_edit->cursorForPosition(QPoint(0, 0)).block();
    if (!block.isValid())
        return;
    const QAbstractTextDocumentLayout *layout = m_edit->document()->documentLayout();
    const qreal height = m_edit->viewport()->height();
    int number = block.blockNumber();
    State state = startState(block);
    // From the top of the first line shown: a line or so more than is shown.
    for (qreal y = 0; block.isValid() && y < height; ++number) {
        m_spans.clear();
        const QString text = block.text();
        // A line longer than many screens (a page written as one line) is
        // shown without colours: its formats would cost more than the line.
        const bool colour = text.size() <= LongestColouredLine;
        state = htmlscan::scanLine(text, state, colour ? &m_spans : nullptr);
        apply(block, m_spans);
        y += layout->blockBoundingRect(block).height();
        block = block.next();
        if (block.isValid() && number == m_knownUpTo) {
            block.setUserState(state.pack());
            ++m_knownUpTo;
        }
    }
}

void HtmlColouring::apply(const QTextBlock &block, const std::vector<htmlscan::Span> &spans)
{
    QTextLayout *layout = block.layout();
    const QList<QTextLayout::FormatRange> current = layout->formats();
    QList<QTextLayout::FormatRange> wanted;
    wanted.reserve(qsizetype(spans.size()));
    // While an input method composes, the layout holds its preedit text and
    // the formats the input method gave it: those stay, and the colours
    // around the preedit text move past it.
    const int preeditAt = layout->preeditAreaPosition();
    const int preeditLength = int(layout->preeditAreaText().size());
    if (preeditLength > 0)
        std::copy_if(current.cbegin(), current.cend(), std::back_inserter(wanted), [&](const auto &r) {
            return r.start >= preeditAt && r.start + r.length <= preeditAt + preeditLength;
        });
    for (const htmlscan::Span &s : spans) {
        QTextLayout::FormatRange r{s.start, s.length, m_formats[std::size_t(s.kind)]};
        if (preeditLength > 0) {
            if (r.start >= preeditAt)
                r.start += preeditLength;
            else if (r.start + r.length > preeditAt)
                r.length += preeditLength;
        }
        wanted.append(r);
    }
    if (wanted == current)
        return;
    layout->setFormats(wanted);
    // Lays the line out again with its new formats and repaints it. The
    // plain-text layout takes a change of n characters for one of 2n, so one
    // character keeps it to this line; the line's length would make it clear
    // the layout of the lines after it and repaint the whole box.
    m_edit->document()->markContentsDirty(block.position(), 1);
}
