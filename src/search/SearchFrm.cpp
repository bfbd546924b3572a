#include "search/SearchFrm.h"
#include "search/SearchFrmDesign.h"
#include "search/SearchRules.h"
#include "text/TextFile.h"
#include "ui/Button.h"
#include "ui/EditBox.h"
#include "ui/Fonts.h"
#include "ui/Label.h"
#include "ui/LineBox.h"
#include "ui/MessageBoxes.h"
#include "ui/Twips.h"

#include <new>

using namespace Qt::StringLiterals;

namespace
{
const QString EmptyWordText = u"検索語句を入力してください。"_s;
const QString NotFoundText = u"検索語句が見つかりません。"_s;

// Characters that stand for line breaks in the edit box's document. A word
// without them matches the document's own text exactly where it matches the
// program's text, so the search can skip converting the whole text.
bool holdsLineBreak(QStringView word)
{
    for (QChar c : word)
        if (EditBox::storedDifferently(c.unicode()))
            return true;
    return false;
}
} // namespace

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
    // The window frame's close box unloads the dialog; the owner loads it
    // afresh, with empty words, the next time it is asked for.
    setAttribute(Qt::WA_DeleteOnClose);

    connect(SearchCmd, &Button::Click, this, &SearchFrm::SearchCmd_Click);
    connect(ReSearchCmd, &Button::Click, this, &SearchFrm::ReSearchCmd_Click);
    connect(ReplaceCmd, &Button::Click, this, &SearchFrm::ReplaceCmd_Click);
    connect(AllReplaceCmd, &Button::Click, this, &SearchFrm::AllReplaceCmd_Click);
    connect(CancelCmd, &Button::Click, this, &SearchFrm::CancelCmd_Click);
    connect(SearchTxt, &LineBox::Change, this, &SearchFrm::SearchTxt_Change);
    // Every change of the document, typed, pasted, undone or made here.
    connect(m_editTxt, &EditBox::Change, this, [this] {
        m_documentTextValid = false;
        m_documentText = QString();
    });
    Form_Load();
}

void SearchFrm::Form_Load()
{
    m_hitSelected = 0;
}

void SearchFrm::SearchCmd_Click()
{
    const QString word = SearchTxt->text();
    if (word.isEmpty())
        return refuseEmptyWord(u"検索"_s);
    if (m_hitSelected == 1)
        stepPastHit();
    const qsizetype q = findFrom(word, m_editTxt->selStart());
    if (q < 0) {
        tellNotFound(u"検索"_s);
        m_hitSelected = 0;
        focusEditTxt();
        return;
    }
    selectInEditTxt(q, word.size());
    focusEditTxt();
    m_hitSelected = 1;
}

void SearchFrm::ReSearchCmd_Click()
{
    const QString word = SearchTxt->text();
    if (word.isEmpty())
        return refuseEmptyWord(u"逆検索"_s);
    const qsizetype s = m_editTxt->selStart();
    if (s == 0) {
        tellNotFound(u"逆検索"_s);
        m_hitSelected = 0;
        focusEditTxt();
        return;
    }
    const qsizetype q = findBefore(word, s);
    if (q < 0) {
        // The last hit, if any, is still selected, so HitSelected stays.
        tellNotFound(u"逆検索"_s);
        focusEditTxt();
        return;
    }
    selectInEditTxt(q, word.size());
    focusEditTxt();
    m_hitSelected = 1;
}

void SearchFrm::ReplaceCmd_Click()
{
    const QString word = SearchTxt->text();
    if (word.isEmpty())
        return refuseEmptyWord(u"置換"_s);
    if (m_hitSelected == 1)
        stepPastHit();
    // The selection as such is never replaced: the next occurrence from the caret is.
    const qsizetype q = findFrom(word, m_editTxt->selStart());
    if (q < 0) {
        tellNotFound(u"置換"_s);
        m_hitSelected = 0;
        focusEditTxt();
        return;
    }
    const QString with = ReplaceTxt->text();
    m_editTxt->replaceRange(q, word.size(), with);
    selectInEditTxt(q, with.size());
    focusEditTxt();
    m_hitSelected = 1;
}

void SearchFrm::AllReplaceCmd_Click()
{
    if (SearchTxt->text().isEmpty())
        return refuseEmptyWord(u"検索"_s);
    if (findFrom(SearchTxt->text(), 0) < 0) {
        tellNotFound(u"全置換"_s);
        m_hitSelected = 0;
        focusEditTxt();
        return;
    }
    const MsgBox ask =
        MsgBox::question(u"全置換を実行します。\r\nアンドゥはできませんがよろしいですか？"_s, u"全置換"_s);
    if (m_platform.boxes->ask(ask) != MsgAnswer::Yes)
        return;
    m_hitSelected = 0;
    // Text and words are read again: they are what the user agreed to now.
    const QString word = SearchTxt->text();
    if (!word.isEmpty()) {
        // One edit for the whole text; it puts the caret at the start.
        try {
            m_editTxt->replaceAllText(searchrules::replaceAll(m_editTxt->text(), word, ReplaceTxt->text()));
        } catch (const std::bad_alloc &) {
            // The text is as it was before.
            m_platform.boxes->ask(MsgBox::warning(
                u"メモリが足りないため、全置換できません。"_s + u"\r\n"_s + TextFile::outOfMemoryReason(), u"全置換"_s));
        }
    }
    focusEditTxt();
}

void SearchFrm::CancelCmd_Click()
{
    m_hitSelected = 0;
    setVisible(false);
    setEnabled(false);
}

void SearchFrm::SearchTxt_Change()
{
    m_hitSelected = 0;
}

void SearchFrm::refuseEmptyWord(const QString &title)
{
    m_platform.boxes->ask(MsgBox::warning(EmptyWordText, title));
    m_hitSelected = 0;
}

void SearchFrm::tellNotFound(const QString &title)
{
    m_platform.boxes->ask(MsgBox::information(NotFoundText, title));
}

void SearchFrm::focusEditTxt()
{
    // The edit box is in the main window: giving it the focus activates that window.
    m_editTxt->activateWindow();
    m_editTxt->setFocus(Qt::OtherFocusReason);
}

void SearchFrm::selectInEditTxt(qsizetype start, qsizetype length)
{
    m_editTxt->setSelStart(start);
    m_editTxt->setSelLength(length);
}

void SearchFrm::stepPastHit()
{
    m_editTxt->setSelStart(m_editTxt->selStart() + 1);
}

qsizetype SearchFrm::findFrom(const QString &word, qsizetype from) const
{
    if (holdsLineBreak(word))
        return searchrules::findFrom(m_editTxt->text(), word, from);
    const qsizetype q = searchrules::findFrom(documentText(), word, m_editTxt->toDocumentPosition(from));
    return q < 0 ? -1 : m_editTxt->fromDocumentPosition(q);
}

qsizetype SearchFrm::findBefore(const QString &word, qsizetype end) const
{
    if (holdsLineBreak(word))
        return searchrules::findBefore(m_editTxt->text(), word, end);
    const qsizetype q = searchrules::findBefore(documentText(), word, m_editTxt->toDocumentPosition(end));
    return q < 0 ? -1 : m_editTxt->fromDocumentPosition(q);
}

const QString &SearchFrm::documentText() const
{
    if (!m_documentTextValid) {
        m_documentText = m_editTxt->documentText();
        m_documentTextValid = true;
    }
    return m_documentText;
}
