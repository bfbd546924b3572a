#include "browse/LayoutRules.h"

namespace layoutrules {
Values apply(float W, float H, Values v)
{
    if (W > 120)
        v.editWidth = W - 120;
    if (H > 3090)
        v.editHeight = H - 3090;
    if (W > 8160)
        v.descriptionWidth = W - 8160;
    if (H > 945)
        v.filenameTop = H - 945;
    if (W > 2040)
        v.filenameWidth = W - 2040;
    if (H > 945)
        v.byteTop = H - 945;
    if (W > 1935)
        v.byteLeft = W - 1935;
    if (H > 645)
        v.shortCutsTop = H - 645;
    if (W > 120)
        v.shortCutsWidth = W - 120;
    return v;
}
} // namespace layoutrules
