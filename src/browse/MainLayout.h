#pragma once
// How the main window's edit box and bottom labels follow the window's size.
class TesselFrm;

namespace mainlayout {
void apply(TesselFrm &frm);
}
