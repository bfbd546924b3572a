#pragma once
// How the main window's edit box and bottom labels follow the window's size.
// Everything is in twips. The rules read the window's outer size; each rule
// fires only when its strict test holds, and otherwise the value stays as it
// was: no minimum is applied.
namespace layoutrules {
// The designed frame: the outer size is the client area plus these.
constexpr float FrameWidth = 120;
constexpr float FrameHeight = 405;

// The values the rules may change.
struct Values {
    float editWidth;        // EditTxt.Width
    float editHeight;       // EditTxt.Height
    float descriptionWidth; // DescriptionLbl.Width
    float filenameTop;      // FilenameLbl.Top
    float filenameWidth;    // FilenameLbl.Width
    float byteTop;          // ByteLbl.Top
    float byteLeft;         // ByteLbl.Left
    float shortCutsTop;     // ShortCutsLbl.Top
    float shortCutsWidth;   // ShortCutsLbl.Width
    bool operator==(const Values &) const = default;
};

// The nine rules in order, for the outer width W and height H.
Values apply(float W, float H, Values current);
} // namespace layoutrules
