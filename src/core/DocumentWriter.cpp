#include "core/DocumentWriter.h"
#include "core/TesselFrm.h"

DocumentWriter::DocumentWriter(TesselFrm &frm) : QObject(&frm), m_frm(frm) {}

bool DocumentWriter::SaveTextFile(const QString &, const QString &) { return false; }
