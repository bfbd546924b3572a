#include "ui/MessageBoxes.h"

MsgBox MsgBox::question(const QString &text, const QString &title)
{
    return {text, title, MsgButtons::YesNo, MsgIcon::None, MsgAnswer::Yes};
}

MsgBox MsgBox::warning(const QString &text, const QString &title)
{
    return {text, title, MsgButtons::Ok, MsgIcon::Exclamation, MsgAnswer::Ok};
}

MsgBox MsgBox::information(const QString &text, const QString &title)
{
    return {text, title, MsgButtons::Ok, MsgIcon::Information, MsgAnswer::Ok};
}
