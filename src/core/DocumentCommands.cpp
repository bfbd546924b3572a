#include "core/DocumentCommands.h"
#include "core/TesselFrm.h"

DocumentCommands::DocumentCommands(TesselFrm &frm) : QObject(&frm), m_frm(frm) {}

void DocumentCommands::NewBtn_Click() {}

void DocumentCommands::OpenBtn_Click() {}

void DocumentCommands::SaveBtn_Click() {}

void DocumentCommands::SaveasBtn_Click() {}

void DocumentCommands::CancelBtn_Click() {}
