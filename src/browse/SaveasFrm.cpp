#include "browse/SaveasFrm.h"
#include "browse/SaveasFrmDesign.h"
#include "core/TesselFrm.h"
#include "ui/Button.h"
#include "ui/ComboBox.h"
#include "ui/DirList.h"
#include "ui/DriveList.h"
#include "ui/FileList.h"
#include "ui/Fonts.h"
#include "ui/LineBox.h"
#include "ui/Twips.h"

using namespace Qt::StringLiterals;

SaveasFrm::SaveasFrm(TesselFrm &owner) : QWidget(&owner, Qt::Window), m_owner(owner)
{
    setObjectName(u"SaveasFrm"_s);
    setWindowTitle(u"名前を変えて保存"_s);
    setFont(fonts::japaneseGothic(9));
    Drive = new DriveList(this);
    Drive->setDrives(&owner.drives());
    Drive->setObjectName(u"Drive"_s);
    Drive->setAccessibleName(u"ドライブ"_s);
    Dir1 = new DirList(this);
    Dir1->setDrives(&owner.drives());
    Dir1->setObjectName(u"Dir1"_s);
    Dir1->setAccessibleName(u"ディレクトリ"_s);
    File = new FileList(this);
    File->setObjectName(u"File"_s);
    File->setAccessibleName(u"ファイル"_s);
    FilenameTxt = new LineBox(this);
    FilenameTxt->setObjectName(u"FilenameTxt"_s);
    FilenameTxt->setAccessibleName(u"ファイル名"_s);
    TailCmb = new ComboBox(this);
    TailCmb->setObjectName(u"TailCmb"_s);
    TailCmb->setAccessibleName(u"拡張子"_s);
    TailCmb->setEntries({u".html"_s, u".txt"_s, u"(その他)"_s}, u".html"_s);
    SaveCmd = new Button(u"保存"_s, this);
    SaveCmd->setObjectName(u"SaveCmd"_s);
    CancelCmd = new Button(u"キャンセル"_s, this);
    CancelCmd->setObjectName(u"CancelCmd"_s);

    formdesign::apply(this, saveasfrm::Design);
    setFixedSize(twips::toPixels(saveasfrm::ClientWidth), twips::toPixels(saveasfrm::ClientHeight));
}
