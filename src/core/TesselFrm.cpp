#include "core/TesselFrm.h"
#include "core/TesselFrmDesign.h"
#include "ui/Button.h"
#include "ui/CheckBox.h"
#include "ui/ComboBox.h"
#include "ui/DirList.h"
#include "ui/DriveList.h"
#include "ui/EditBox.h"
#include "ui/FileList.h"
#include "ui/Fonts.h"
#include "ui/Label.h"
#include "ui/ListBox.h"
#include "ui/Twips.h"

using namespace Qt::StringLiterals;

namespace {
template <typename W> W *named(W *w, const QString &name, const QString &accessible)
{
    w->setObjectName(name);
    if (!accessible.isEmpty())
        w->setAccessibleName(accessible);
    return w;
}
} // namespace

TesselFrm::TesselFrm(const Platform &platform, ValueDesc &values, QWidget *parent)
    : QWidget(parent), m_platform(platform), m_values(values)
{
    setObjectName(u"TesselFrm"_s);
    setWindowTitle(u"Tessara"_s);
    setMouseTracking(true);
    setAutoFillBackground(true);
    setFont(fonts::japaneseGothic(9));

    EditTxt = named(new EditBox(this), u"EditTxt"_s, u"編集テキスト"_s);
    EditTxt->setFont(fonts::japaneseGothic(11.25));
    SearchCmd = named(new Button(u"検索・置換"_s, this), u"SearchCmd"_s, {});
    HTMLLst = named(new ListBox(this), u"HTMLLst"_s, u"タグリスト"_s);
    PresetChk = named(new CheckBox(u"プリセットを使う"_s, this), u"PresetChk"_s, {});
    NewBtn = named(new Button(u"新規作成"_s, this), u"NewBtn"_s, {});
    Drive = named(new DriveList(this), u"Drive"_s, u"ドライブ"_s);
    Dir1 = named(new DirList(this), u"Dir1"_s, u"ディレクトリ"_s);
    File = named(new FileList(this), u"File"_s, u"ファイル"_s);
    TailCmb = named(new ComboBox(this), u"TailCmb"_s, u"拡張子"_s);
    TailCmb->setEntries({u"html"_s, u"txt"_s, u"(その他)"_s}, u"html"_s);
    OpenBtn = named(new Button(u"開く"_s, this), u"OpenBtn"_s, {});
    CancelBtn = named(new Button(u"編集内容の破棄"_s, this), u"CancelBtn"_s, {});
    SaveBtn = named(new Button(u"保存"_s, this), u"SaveBtn"_s, {});
    SaveasBtn = named(new Button(u"名前を変えて保存"_s, this), u"SaveasBtn"_s, {});
    FilenameLbl = named(new Label(QString(), this), u"FilenameLbl"_s, {});
    FilenameLbl->setAccessibleDescription(u"ファイル名"_s);
    ByteLbl = named(new Label(u"0 KB"_s, this), u"ByteLbl"_s, {});
    DescriptionLbl = named(new Label(u"ここに各機能の説明が現れます。説明が見たいボタンやフィールドにマウスを合わせてください。"_s, this),
                           u"DescriptionLbl"_s, {});
    DescriptionLbl->setWordWrap(true);
    ColorCmd = named(new Button(u"暗くする"_s, this), u"ColorCmd"_s, {});
    ShortCutsLbl = named(new Label(QString(), this), u"ShortCutsLbl"_s, {});
    ShortCutsLbl->setAccessibleDescription(u"ショートカット"_s);

    formdesign::apply(this, tesselfrm::Design);
    resize(twips::toPixels(tesselfrm::ClientWidth), twips::toPixels(tesselfrm::ClientHeight));
    setFocusProxy(EditTxt);
    EditTxt->setFocus();
}

TesselFrm::~TesselFrm() = default;
