#include "look/HtmlPalette.h"

#include <algorithm>
#include <cmath>

namespace htmlpalette {
namespace {
// In the order of htmlscan::Kind: tag, attribute name, attribute value,
// comment, doctype, character reference, script and style contents.
const Palette Normal{QColor(0xFF, 0xFF, 0xFF),
                     {QColor(0x00, 0x00, 0xC0), QColor(0xB0, 0x00, 0x00), QColor(0x7A, 0x00, 0xB8),
                      QColor(0x00, 0x70, 0x00), QColor(0x5F, 0x5F, 0x5F), QColor(0xA0, 0x48, 0x00),
                      QColor(0x70, 0x50, 0x00)}};
const Palette Dark{QColor(0x00, 0x00, 0x00),
                   {QColor(0x66, 0xA3, 0xFF), QColor(0xFF, 0x7B, 0x72), QColor(0xD2, 0xA8, 0xFF),
                    QColor(0x6C, 0xC0, 0x6C), QColor(0xA8, 0xA8, 0xA8), QColor(0xFF, 0xA6, 0x57),
                    QColor(0xE3, 0xC2, 0x7A)}};

double channel(double c)
{
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}
} // namespace

const Palette &normal() { return Normal; }
const Palette &dark() { return Dark; }

const Palette &forBackground(const QColor &background)
{
    return contrastRatio(background, Qt::white) > contrastRatio(background, Qt::black) ? Dark : Normal;
}

double relativeLuminance(const QColor &c)
{
    const QColor rgb = c.toRgb();
    return 0.2126 * channel(rgb.redF()) + 0.7152 * channel(rgb.greenF()) + 0.0722 * channel(rgb.blueF());
}

double contrastRatio(const QColor &a, const QColor &b)
{
    const double la = relativeLuminance(a);
    const double lb = relativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}
} // namespace htmlpalette
