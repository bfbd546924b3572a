#include "tags/TagList.h"
#include "core/TesselFrm.h"

TagList::TagList(TesselFrm &frm) : QObject(&frm), m_frm(frm) {}

void TagList::HTMLLst_DblClick() {}
