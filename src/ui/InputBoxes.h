#pragma once
// Every question that asks the user to type an answer goes through this
// interface, as notices and yes/no questions go through MessageBoxes.
#include <QString>
#include <optional>

struct InputBox {
    QString prompt;
    QString title;
    // Only digits (half- or full-width, as an input method types them) can be typed.
    bool digitsOnly = false;

    bool operator==(const InputBox &) const = default;
};

class InputBoxes {
public:
    virtual ~InputBoxes() = default;
    // The text typed, when the user answers OK; nothing for Cancel, Esc or closing.
    virtual std::optional<QString> ask(const InputBox &box) = 0;
};
