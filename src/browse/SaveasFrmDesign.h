#pragma once
// The save-as dialog as designed: client area 4140 x 2565 twips.
#include "ui/FormDesign.h"
#include <array>

namespace saveasfrm {
constexpr int ClientWidth = 4140;
constexpr int ClientHeight = 2565;

constexpr std::array<ControlPlace, 7> Design{{
    {u"Drive", 0, 0, 1995, 300, 0},
    {u"Dir1", 0, 360, 1995, 1350, 1},
    {u"File", 2100, 0, 1995, 1710, 2},
    {u"FilenameTxt", 0, 1800, 2955, 270, 3},
    {u"TailCmb", 3000, 1800, 1035, 300, 4},
    {u"SaveCmd", 60, 2160, 1035, 375, 5},
    {u"CancelCmd", 1200, 2160, 1035, 375, 6},
}};
} // namespace saveasfrm
