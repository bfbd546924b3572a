#pragma once
// The Qt modifiers for a modifier mask (Shift 1, Ctrl 2, Alt 4), for tests
// that press keys with every combination.
#include <Qt>

inline Qt::KeyboardModifiers modifiersOf(int mask)
{
    Qt::KeyboardModifiers m;
    if (mask & 1)
        m |= Qt::ShiftModifier;
    if (mask & 2)
        m |= Qt::ControlModifier;
    if (mask & 4)
        m |= Qt::AltModifier;
    return m;
}
