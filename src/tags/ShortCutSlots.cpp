#include "tags/ShortCutSlots.h"
#include "core/TesselFrm.h"

ShortCutSlots::ShortCutSlots(TesselFrm &frm) : QObject(&frm), m_frm(frm) {}

void ShortCutSlots::ShowShortCuts() {}

void ShortCutSlots::EditTxt_KeyDown(int, int) {}

void ShortCutSlots::HTMLLst_KeyDown(int, int) {}
