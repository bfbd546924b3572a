#pragma once
// The modeless search and replace dialog working on the main window's edit box.
// It reads the search and replace words, and reads and changes only the text,
// the selection and the focus of the edit box (never SavedText or ByteLbl).
// Closing it through the window frame unloads it; CancelCmd only hides it.
#include <QWidget>

#include "ui/Platform.h"

class Button;
class EditBox;
class Label;
class LineBox;

class SearchFrm : public QWidget
{
    Q_OBJECT
  public:
    // A window of its own over the owner; works on the owner's edit box.
    // Constructing it is loading it: Form_Load runs here.
    SearchFrm(const Platform &platform, EditBox *editTxt, QWidget *owner);

    void Form_Load();
    void SearchCmd_Click();     // "下を検索"
    void ReSearchCmd_Click();   // "上を検索"
    void ReplaceCmd_Click();    // "置換"
    void AllReplaceCmd_Click(); // "全て置換"
    void CancelCmd_Click();     // "キャンセル": hides, the words stay
    void SearchTxt_Change();

    // 1 while the edit box's selection is the occurrence the last command found
    // or inserted: the next downward search or replacement then starts one
    // character after its start.
    qint16 HitSelected() const { return m_hitSelected; }

    Label *SearchLbl;
    Label *ReplaceLbl;
    LineBox *SearchTxt;
    LineBox *ReplaceTxt;
    Button *SearchCmd;
    Button *ReSearchCmd;
    Button *ReplaceCmd;
    Button *AllReplaceCmd;
    Button *CancelCmd;

  private:
    // The search word is empty: tells so and ends the command.
    void refuseEmptyWord(const QString &title);
    void tellNotFound(const QString &title);
    void focusEditTxt();
    void selectInEditTxt(qsizetype start, qsizetype length);
    // Moves the caret one past the last hit's start, so that hit is not found again.
    void stepPastHit();
    // Occurrences in the edit box's text, in its positions.
    qsizetype findFrom(const QString &word, qsizetype from) const;
    qsizetype findBefore(const QString &word, qsizetype end) const;
    // The edit box's document text, copied once and kept until the document
    // changes: on a long document the copy costs more than the search.
    const QString &documentText() const;

    const Platform &m_platform;
    EditBox *m_editTxt;
    qint16 m_hitSelected = 0;
    mutable QString m_documentText;
    mutable bool m_documentTextValid = false;
};
