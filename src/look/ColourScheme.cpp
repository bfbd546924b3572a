#include "look/ColourScheme.h"
#include "core/TesselFrm.h"

ColourScheme::ColourScheme(TesselFrm &frm) : QObject(&frm), m_frm(frm) {}

void ColourScheme::ColorCmd_Click() {}
