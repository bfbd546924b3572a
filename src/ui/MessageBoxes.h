#pragma once
// Every question and notice of the program goes through this interface.
#include <QString>

enum class MsgButtons { Ok, YesNo, YesNoCancel };
enum class MsgIcon { None, Exclamation, Information };
enum class MsgAnswer { Ok, Yes, No, Cancel };

struct MsgBox {
    QString text;
    QString title;
    MsgButtons buttons = MsgButtons::Ok;
    MsgIcon icon = MsgIcon::None;
    MsgAnswer defaultButton = MsgAnswer::Ok;

    bool operator==(const MsgBox &) const = default;
    // Yes/No question, no icon, Yes the default.
    static MsgBox question(const QString &text, const QString &title);
    // OK-only notice with the exclamation icon (refused input, failures).
    static MsgBox warning(const QString &text, const QString &title);
    // OK-only notice with the information icon.
    static MsgBox information(const QString &text, const QString &title);
};

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    virtual MsgAnswer ask(const MsgBox &box) = 0;
};
