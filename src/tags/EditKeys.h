#pragma once
// The edit box's Ctrl commands, acted on when the letter key is released while
// Ctrl alone is held.
namespace editkeys {
enum class Command { None, New, Open, Discard, Save, SaveAs, Search, Colour, SelectAll, ShowInBrowser, GoToLine };
// Compares the key with N, O, D, S, R, F, B, A, P and G in this order; only the
// mask exactly Ctrl (2) counts.
Command onKeyUp(int keyCode, int shift);
} // namespace editkeys
