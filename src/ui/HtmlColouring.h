#pragma once
// Colours the HTML an edit box shows, and only what it shows.
//
// Every line (block) keeps the scanner's state at its start as its user
// state; the states are known from the first line up to some line, and a
// change of the text forgets them from the changed line on. Before the box
// paints, the states are carried forward, without formats, to the lines it
// shows, and those lines get their colours as formats of their layout: a
// large page costs nothing for the lines nobody looks at. Only the
// foreground changes, so selection, search highlighting and the caret look
// as without colouring, and text outside the markup keeps the box's text
// colour. The input method's own formats of its preedit text are kept.
//
// The palette follows the box's background: a switch of colour scheme
// recolours what is shown.
#include "look/HtmlPalette.h"
#include "look/HtmlScan.h"

#include <QObject>
#include <QTextCharFormat>
#include <array>
#include <vector>

class QPlainTextEdit;
class QTextBlock;

class HtmlColouring : public QObject {
    Q_OBJECT
public:
    explicit HtmlColouring(QPlainTextEdit *edit);

    // Gives the lines shown now their colours (done before every paint).
    void colourShown();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void contentsChanged(int position);
    void choosePalette();
    // The state at the start of a line, carrying the known states forward.
    htmlscan::State startState(const QTextBlock &block);
    void apply(const QTextBlock &block, const std::vector<htmlscan::Span> &spans);

    static constexpr qsizetype LongestColouredLine = 20000;
    QPlainTextEdit *m_edit;
    QObject *m_viewport; // the edit box's, to know its events by
    const htmlpalette::Palette *m_palette = nullptr;
    std::array<QTextCharFormat, htmlscan::KindCount> m_formats;
    // Lines 0 to m_knownUpTo hold their start state.
    int m_knownUpTo = 0;
    std::vector<htmlscan::Span> m_spans;
};
