#pragma once
// The modeless search and replace dialog working on the main window's edit box.
#include <QWidget>

#include "ui/Platform.h"

class Button;
class Label;
class LineBox;

class SearchFrm : public QWidget {
    Q_OBJECT
public:
    explicit SearchFrm(const Platform &platform, QWidget *parent = nullptr);

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
};
