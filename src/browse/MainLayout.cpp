#include "browse/MainLayout.h"
#include "core/TesselFrm.h"

namespace mainlayout {
void apply(TesselFrm &) {}
} // namespace mainlayout
