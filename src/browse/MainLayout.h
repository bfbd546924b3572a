#pragma once
// How the main window's edit box and bottom labels follow the window's size.
//
// The rules are given for the window's outer size. They are applied to the
// client area plus the designed frame (120 twips wide, 405 high) rather than to
// the frame the window manager happens to draw: the outer size is not known
// before the window is mapped, differs between window managers (and is the
// client area itself without one), and only this way does the layout keep the
// designed distances to the client's edges everywhere.
//
// Writes: EditTxt's width and height, DescriptionLbl's width, FilenameLbl's top
// and width, ByteLbl's top and left, ShortCutsLbl's top and width.
class TesselFrm;

namespace mainlayout {
void apply(TesselFrm &frm);
}
