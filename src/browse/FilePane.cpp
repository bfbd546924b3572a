#include "browse/FilePane.h"
#include "core/TesselFrm.h"

FilePane::FilePane(TesselFrm &frm) : QObject(&frm), m_frm(frm) {}
