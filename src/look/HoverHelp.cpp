#include "look/HoverHelp.h"
#include "core/TesselFrm.h"
#include "look/HelpTexts.h"
#include "ui/Button.h"
#include "ui/CheckBox.h"
#include "ui/DirList.h"
#include "ui/EditBox.h"
#include "ui/FileList.h"
#include "ui/Label.h"
#include "ui/ListBox.h"

HoverHelp::HoverHelp(TesselFrm &frm) : QObject(&frm), m_frm(frm)
{
    connect(frm.EditTxt, &EditBox::MouseMove, this, &HoverHelp::EditTxt_MouseMove);
    connect(frm.NewBtn, &Button::MouseMove, this, &HoverHelp::NewBtn_MouseMove);
    connect(frm.OpenBtn, &Button::MouseMove, this, &HoverHelp::OpenBtn_MouseMove);
    connect(frm.CancelBtn, &Button::MouseMove, this, &HoverHelp::CancelBtn_MouseMove);
    connect(frm.SaveBtn, &Button::MouseMove, this, &HoverHelp::SaveBtn_MouseMove);
    connect(frm.SaveasBtn, &Button::MouseMove, this, &HoverHelp::SaveasBtn_MouseMove);
    connect(frm.Dir1, &DirList::MouseMove, this, &HoverHelp::Dir1_MouseMove);
    connect(frm.File, &FileList::MouseMove, this, &HoverHelp::File_MouseMove);
    connect(frm.HTMLLst, &ListBox::MouseMove, this, &HoverHelp::HTMLLst_MouseMove);
    connect(frm.PresetChk, &CheckBox::MouseMove, this, &HoverHelp::PresetChk_MouseMove);
    connect(frm.ColorCmd, &Button::MouseMove, this, &HoverHelp::ColorCmd_MouseMove);
    connect(frm.SearchCmd, &Button::MouseMove, this, &HoverHelp::SearchCmd_MouseMove);
    connect(frm.ShortCutsLbl, &Label::MouseMove, this, &HoverHelp::ShortCutsLbl_MouseMove);
    connect(frm.DescriptionLbl, &Label::MouseMove, this, &HoverHelp::DescriptionLbl_MouseMove);
    // Form_MouseMove comes from the window's own mouse-move event.
}

void HoverHelp::show(qint16 id)
{
    if (m_hoverId == id)
        return;
    m_hoverId = id;
    m_frm.DescriptionLbl->setCaption(helptexts::text(id));
}

void HoverHelp::showDefault() { m_frm.DescriptionLbl->setCaption(helptexts::defaultText()); }

void HoverHelp::EditTxt_MouseMove() { show(1); }
void HoverHelp::NewBtn_MouseMove() { show(2); }
void HoverHelp::OpenBtn_MouseMove() { show(3); }
void HoverHelp::CancelBtn_MouseMove() { show(4); }
void HoverHelp::SaveBtn_MouseMove() { show(5); }
void HoverHelp::SaveasBtn_MouseMove() { show(6); }
void HoverHelp::Dir1_MouseMove() { show(7); }
void HoverHelp::File_MouseMove() { show(8); }
void HoverHelp::HTMLLst_MouseMove() { show(9); }
void HoverHelp::PresetChk_MouseMove() { show(10); }
void HoverHelp::ColorCmd_MouseMove() { show(11); }
void HoverHelp::SearchCmd_MouseMove() { show(12); }
void HoverHelp::ShortCutsLbl_MouseMove() { show(13); }
void HoverHelp::Form_MouseMove() { show(0); }
void HoverHelp::DescriptionLbl_MouseMove() { show(0); }
