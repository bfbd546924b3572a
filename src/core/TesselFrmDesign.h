#pragma once
// The main window as designed: client area 9795 x 9060 twips.
#include "ui/FormDesign.h"
#include <array>

namespace tesselfrm {
constexpr int ClientWidth = 9795;
constexpr int ClientHeight = 9060;
// The designed frame adds 120 twips to the width and 405 to the height.
constexpr int FrameWidth = 120;
constexpr int FrameHeight = 405;

constexpr std::array<ControlPlace, 18> Design{{
    {u"EditTxt", 0, 2100, 9795, 6375, 0},
    {u"SearchCmd", 5760, 1740, 1035, 315, 1},
    {u"HTMLLst", 5760, 0, 1755, 1680, 2},
    {u"PresetChk", 60, 1800, 1515, 255, 3},
    {u"NewBtn", 0, 0, 1575, 315, 4},
    {u"Drive", 1620, 0, 1995, 300, 5},
    {u"Dir1", 1620, 360, 1995, 1350, 6},
    {u"File", 3660, 0, 1995, 1710, 7},
    {u"TailCmb", 4620, 1740, 1035, 300, 8},
    {u"OpenBtn", 0, 360, 1575, 315, 9},
    {u"CancelBtn", 0, 720, 1575, 315, 10},
    {u"SaveBtn", 0, 1080, 1575, 315, 11},
    {u"SaveasBtn", 0, 1440, 1575, 315, 12},
    {u"FilenameLbl", 0, 8520, 7875, 195, 13},
    {u"ByteLbl", 7980, 8520, 1815, 255, 14},
    {u"DescriptionLbl", 8040, 0, 1755, 1755, 15},
    {u"ColorCmd", 6900, 1740, 1035, 315, 16},
    {u"ShortCutsLbl", 0, 8820, 9795, 195, 17},
}};
} // namespace tesselfrm
