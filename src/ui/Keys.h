#pragma once
// Key codes and the modifier mask the handlers receive: letters A-Z are 65-90,
// digits 48-57, F1-F12 112-123, Enter 13; Shift 1, Ctrl 2, Alt 4.
#include <Qt>

class QKeyEvent;

namespace keys {
enum Code : int {
    Back = 8, Tab = 9, Enter = 13, ShiftKey = 16, ControlKey = 17, Menu = 18, Escape = 27, Space = 32,
    PageUp = 33, PageDown = 34, End = 35, Home = 36, Left = 37, Up = 38, Right = 39, Down = 40,
    Insert = 45, Delete = 46, A = 65, Z = 90, F1 = 112, F12 = 123
};
enum Mask : int { Shift = 1, Ctrl = 2, Alt = 4 };

int codeOf(int qtKey);
int maskOf(Qt::KeyboardModifiers mods);
int codeOf(const QKeyEvent *e);
int maskOf(const QKeyEvent *e);
} // namespace keys
