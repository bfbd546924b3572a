#pragma once
// The search and replace dialog as designed: client area 5280 x 1380 twips.
#include "ui/FormDesign.h"
#include <array>

namespace searchfrm {
constexpr int ClientWidth = 5280;
constexpr int ClientHeight = 1380;

constexpr std::array<ControlPlace, 9> Design{{
    {u"SearchLbl", 60, 120, 1035, 255, 0},
    {u"ReplaceLbl", 60, 540, 1035, 255, 1},
    {u"SearchTxt", 1200, 60, 4035, 375, 2},
    {u"ReplaceTxt", 1200, 480, 4035, 375, 3},
    {u"SearchCmd", 60, 960, 915, 375, 4},
    {u"ReSearchCmd", 1080, 960, 915, 375, 5},
    {u"ReplaceCmd", 2100, 960, 975, 375, 6},
    {u"AllReplaceCmd", 3180, 960, 975, 375, 7},
    {u"CancelCmd", 4260, 960, 975, 375, 8},
}};
} // namespace searchfrm
