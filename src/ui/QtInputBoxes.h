#pragma once
#include "ui/InputBoxes.h"

// Shows each question as a small modal dialog: the prompt over a one-line
// text box, and the buttons "OK" (Enter) and "キャンセル" (Esc).
class QtInputBoxes : public InputBoxes {
public:
    std::optional<QString> ask(const InputBox &box) override;
};
