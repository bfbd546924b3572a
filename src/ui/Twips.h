#pragma once
// Positions and sizes are designed in twips; the screen works in device-independent
// pixels at 15 twips each (96 dots per inch).
#include <QRect>
#include <cmath>

namespace twips {
constexpr int perPixel = 15;
constexpr int toPixels(double tw) { return static_cast<int>(tw / perPixel + (tw >= 0 ? 0.5 : -0.5)); }
constexpr double fromPixels(int px) { return double(px) * perPixel; }
inline QRect rect(int left, int top, int width, int height)
{
    return QRect(toPixels(left), toPixels(top), toPixels(width), toPixels(height));
}
} // namespace twips
