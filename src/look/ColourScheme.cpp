#include "look/ColourScheme.h"
#include "core/TesselFrm.h"
#include "ui/Button.h"
#include "ui/CheckBox.h"
#include "ui/ComboBox.h"
#include "ui/DirList.h"
#include "ui/DriveList.h"
#include "ui/EditBox.h"
#include "ui/FileList.h"
#include "ui/Label.h"
#include "ui/ListBox.h"

#include <QAbstractItemView>

using namespace colourtable;

namespace {
// The palette roles a property paints with. A surface fills its background
// with its background role (Window, or Button for the check box) and writes
// with its foreground role (WindowText); a field fills with Base and writes
// with Text. The drive list is drawn by the style as a button, so its face
// takes the Button roles as well.
struct Roles {
    QPalette::ColorRole main;
    QPalette::ColorRole extra; // NoRole when there is none
};

Roles rolesOf(const QWidget *w, Area area, Property property)
{
    const bool back = property == Property::BackColor;
    if (area == Area::Surface)
        return {back ? w->backgroundRole() : w->foregroundRole(), QPalette::NoRole};
    if (qobject_cast<const DriveList *>(w))
        return {back ? QPalette::Base : QPalette::Text, back ? QPalette::Button : QPalette::ButtonText};
    return {back ? QPalette::Base : QPalette::Text, QPalette::NoRole};
}

// Makes every colour of the palette the widget's own, so that a change of the
// window's palette does not reach it.
void keepPalette(QWidget *w)
{
    QPalette p = w->palette();
    p.setResolveMask(~QPalette::ResolveMask(0));
    w->setPalette(p);
}
} // namespace

ColourScheme::ColourScheme(TesselFrm &frm) : QObject(&frm), m_frm(frm)
{
    m_objects = {{u"TesselFrm", &frm},
                 {u"PresetChk", frm.PresetChk},
                 {u"FilenameLbl", frm.FilenameLbl},
                 {u"DescriptionLbl", frm.DescriptionLbl},
                 {u"ByteLbl", frm.ByteLbl},
                 {u"ShortCutsLbl", frm.ShortCutsLbl},
                 {u"EditTxt", frm.EditTxt},
                 {u"Drive", frm.Drive},
                 {u"Dir1", frm.Dir1},
                 {u"File", frm.File},
                 {u"TailCmb", frm.TailCmb},
                 {u"HTMLLst", frm.HTMLLst}};
    for (Button *b :
         {frm.NewBtn, frm.OpenBtn, frm.SaveBtn, frm.SaveasBtn, frm.CancelBtn, frm.SearchCmd, frm.ColorCmd})
        keepPalette(b);
    recordBaseColours();
    // The drive list is designed in the edit box's colours like the other
    // lists; without this the style would show it in the button colour until
    // the first switch and in the field colour after the switch back.
    setColour(frm.Drive, Area::Field, Property::BackColor, m_base.editBack);
    setColour(frm.Drive, Area::Field, Property::ForeColor, m_base.editFore);
}

void ColourScheme::recordBaseColours()
{
    m_base.formBack = StateColour::of(m_frm.palette(), QPalette::Window);
    m_base.editBack = StateColour::of(m_frm.EditTxt->palette(), QPalette::Base);
    m_base.editFore = StateColour::of(m_frm.EditTxt->palette(), QPalette::Text);
}

QWidget *ColourScheme::object(QStringView name) const
{
    for (const auto &[n, w] : m_objects)
        if (n == name)
            return w;
    return nullptr;
}

StateColour ColourScheme::backColor(const QWidget *w, Area area)
{
    return StateColour::of(w->palette(), rolesOf(w, area, Property::BackColor).main);
}

StateColour ColourScheme::foreColor(const QWidget *w, Area area)
{
    return StateColour::of(w->palette(), rolesOf(w, area, Property::ForeColor).main);
}

void ColourScheme::setColour(QWidget *w, Area area, Property property, const StateColour &colour)
{
    const Roles roles = rolesOf(w, area, property);
    QPalette p = w->palette();
    colour.applyTo(p, roles.main);
    if (roles.extra != QPalette::NoRole)
        colour.applyTo(p, roles.extra);
    if (area == Area::Surface && property == Property::BackColor)
        w->setAutoFillBackground(true); // labels and the check box paint no background of their own
    w->setPalette(p);
    // A combo box's drop-down list is a window of its own: give it the field's colours too.
    if (auto *combo = qobject_cast<QComboBox *>(w)) {
        QAbstractItemView *view = combo->view();
        QPalette vp = view->palette();
        colour.applyTo(vp, property == Property::BackColor ? QPalette::Base : QPalette::Text);
        if (property == Property::BackColor)
            colour.applyTo(vp, QPalette::Window);
        view->setPalette(vp);
    }
}

void ColourScheme::ColorCmd_Click()
{
    const Scheme scheme = afterPress(m_frm.ColorCmd->caption());
    for (const Assignment &a : switchTo(scheme))
        setColour(object(a.object), a.area, a.property, a.colour(m_base));
    m_frm.ColorCmd->setCaption(captionWhileShown(scheme));
}
