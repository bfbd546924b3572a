#pragma once
#include "ui/MessageBoxes.h"

// Shows the boxes as QMessageBox with Japanese button texts.
class QtMessageBoxes : public MessageBoxes {
public:
    MsgAnswer ask(const MsgBox &box) override;
};
