#pragma once
// The modeless search and replace dialog working on the main window's edit box.
#include <QWidget>

#include "ui/Platform.h"

class Button;
class EditBox;
class Label;
class LineBox;

class SearchFrm : public QWidget {
    Q_OBJECT
public:
    // A window of its own over the owner; works on the owner's edit box.
    SearchFrm(const Platform &platform, EditBox *editTxt, QWidget *owner);

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
    const Platform &m_platform;
    EditBox *m_editTxt;
};
