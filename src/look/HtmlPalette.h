#pragma once
// The colours of HTML in the edit box, one palette per colour scheme: the
// normal one for the system's light window background, the dark one for the
// dark scheme's black field. Tags are blue, attribute names red, values
// purple, comments green, declarations grey, character references orange
// and script and style contents brown or tan, as HTML editors are wont to
// show them. Every colour reads against its background with a contrast ratio
// of at least 4.5:1 (WCAG AA).
#include "look/HtmlScan.h"

#include <QColor>
#include <array>

namespace htmlpalette {
struct Palette {
    QColor background; // what the colours are chosen against
    std::array<QColor, htmlscan::KindCount> colours;
    QColor colour(htmlscan::Kind kind) const { return colours[std::size_t(kind)]; }
};

const Palette &normal();
const Palette &dark();
// The palette for a background: the dark one where white text reads better
// than black, as on the dark scheme's field.
const Palette &forBackground(const QColor &background);

// WCAG 2 relative luminance and contrast ratio.
double relativeLuminance(const QColor &c);
double contrastRatio(const QColor &a, const QColor &b);
} // namespace htmlpalette
