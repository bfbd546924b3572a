#include "ui/Keys.h"

#include <QKeyEvent>

namespace keys {
int codeOf(int k)
{
    if (k >= Qt::Key_A && k <= Qt::Key_Z)
        return k; // Qt uses the same codes for letters
    if (k >= Qt::Key_0 && k <= Qt::Key_9)
        return k;
    if (k >= Qt::Key_F1 && k <= Qt::Key_F24)
        return F1 + (k - Qt::Key_F1);
    switch (k) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return Enter;
    case Qt::Key_Backspace: return Back;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return Tab;
    case Qt::Key_Shift: return ShiftKey;
    case Qt::Key_Control: return ControlKey;
    case Qt::Key_Alt: return Menu;
    case Qt::Key_Escape: return Escape;
    case Qt::Key_Space: return Space;
    case Qt::Key_PageUp: return PageUp;
    case Qt::Key_PageDown: return PageDown;
    case Qt::Key_End: return End;
    case Qt::Key_Home: return Home;
    case Qt::Key_Left: return Left;
    case Qt::Key_Up: return Up;
    case Qt::Key_Right: return Right;
    case Qt::Key_Down: return Down;
    case Qt::Key_Insert: return Insert;
    case Qt::Key_Delete: return Delete;
    default: return 0;
    }
}

int maskOf(Qt::KeyboardModifiers m)
{
    int mask = 0;
    if (m & Qt::ShiftModifier)
        mask |= Shift;
    if (m & Qt::ControlModifier)
        mask |= Ctrl;
    if (m & Qt::AltModifier)
        mask |= Alt;
    return mask;
}

int codeOf(const QKeyEvent *e) { return codeOf(e->key()); }

int maskOf(const QKeyEvent *e)
{
    // While a modifier key itself goes down or up, the reported state may or may
    // not include it depending on the platform; the mask is the state of the
    // other keys plus the modifier as pressed.
    return maskOf(e->modifiers());
}
} // namespace keys
