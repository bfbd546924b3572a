#include "look/HoverHelp.h"
#include "core/TesselFrm.h"

HoverHelp::HoverHelp(TesselFrm &frm) : QObject(&frm), m_frm(frm) {}

void HoverHelp::Form_MouseMove() {}
