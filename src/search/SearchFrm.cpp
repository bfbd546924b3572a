#include "search/SearchFrm.h"
#include "search/SearchFrmDesign.h"
#include "ui/Button.h"
#include "ui/Fonts.h"
#include "ui/Label.h"
#include "ui/LineBox.h"
#include "ui/Twips.h"

using namespace Qt::StringLiterals;

SearchFrm::SearchFrm(const Platform &platform, EditBox *editTxt, QWidget *owner)
    : QWidget(owner, Qt::Window), m_platform(platform), m_editTxt(editTxt)
{
    setObjectName(u"SearchFrm"_s);
    setWindowTitle(u"検索・置換"_s);
    setFont(fonts::japaneseGothic(9));
    const QFont font = fonts::japaneseGothic(11.25);
    SearchLbl = new Label(u"検索語句："_s, this);
    SearchLbl->setObjectName(u"SearchLbl"_s);
    ReplaceLbl = new Label(u"置換語句："_s, this);
    ReplaceLbl->setObjectName(u"ReplaceLbl"_s);
    SearchTxt = new LineBox(this);
    SearchTxt->setObjectName(u"SearchTxt"_s);
    SearchTxt->setAccessibleName(u"検索語句"_s);
    ReplaceTxt = new LineBox(this);
    ReplaceTxt->setObjectName(u"ReplaceTxt"_s);
    ReplaceTxt->setAccessibleName(u"置換語句"_s);
    for (QWidget *w : {static_cast<QWidget *>(SearchLbl), static_cast<QWidget *>(ReplaceLbl),
                       static_cast<QWidget *>(SearchTxt), static_cast<QWidget *>(ReplaceTxt)})
        w->setFont(font);
    SearchLbl->setBuddy(SearchTxt);
    ReplaceLbl->setBuddy(ReplaceTxt);
    SearchCmd = new Button(u"下を検索"_s, this);
    SearchCmd->setObjectName(u"SearchCmd"_s);
    ReSearchCmd = new Button(u"上を検索"_s, this);
    ReSearchCmd->setObjectName(u"ReSearchCmd"_s);
    ReplaceCmd = new Button(u"置換"_s, this);
    ReplaceCmd->setObjectName(u"ReplaceCmd"_s);
    AllReplaceCmd = new Button(u"全て置換"_s, this);
    AllReplaceCmd->setObjectName(u"AllReplaceCmd"_s);
    CancelCmd = new Button(u"キャンセル"_s, this);
    CancelCmd->setObjectName(u"CancelCmd"_s);

    formdesign::apply(this, searchfrm::Design);
    setFixedSize(twips::toPixels(searchfrm::ClientWidth), twips::toPixels(searchfrm::ClientHeight));
}
