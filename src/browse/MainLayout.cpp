#include "browse/MainLayout.h"
#include "browse/LayoutRules.h"
#include "core/TesselFrm.h"
#include "ui/EditBox.h"
#include "ui/Label.h"
#include "ui/Twips.h"

namespace mainlayout {
namespace {
float tw(int px) { return float(twips::fromPixels(px)); }
int px(float tw) { return twips::toPixels(tw); }
} // namespace

void apply(TesselFrm &frm)
{
    const QRect edit = frm.EditTxt->geometry();
    const QRect description = frm.DescriptionLbl->geometry();
    const QRect filename = frm.FilenameLbl->geometry();
    const QRect byte = frm.ByteLbl->geometry();
    const QRect shortCuts = frm.ShortCutsLbl->geometry();
    const layoutrules::Values now{tw(edit.width()),   tw(edit.height()),    tw(description.width()),
                                  tw(filename.top()), tw(filename.width()), tw(byte.top()),
                                  tw(byte.left()),    tw(shortCuts.top()),  tw(shortCuts.width())};
    const layoutrules::Values v = layoutrules::apply(tw(frm.width()) + layoutrules::FrameWidth,
                                                     tw(frm.height()) + layoutrules::FrameHeight, now);
    if (v == now)
        return;
    frm.EditTxt->resize(px(v.editWidth), px(v.editHeight));
    frm.DescriptionLbl->resize(px(v.descriptionWidth), description.height());
    frm.FilenameLbl->setGeometry(filename.left(), px(v.filenameTop), px(v.filenameWidth), filename.height());
    frm.ByteLbl->move(px(v.byteLeft), px(v.byteTop));
    frm.ShortCutsLbl->setGeometry(shortCuts.left(), px(v.shortCutsTop), px(v.shortCutsWidth),
                                  shortCuts.height());
}
} // namespace mainlayout
