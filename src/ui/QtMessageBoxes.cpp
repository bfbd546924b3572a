#include "ui/QtMessageBoxes.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

using namespace Qt::StringLiterals;

MsgAnswer QtMessageBoxes::ask(const MsgBox &box)
{
    QWidget *parent = QApplication::activeWindow();
    QMessageBox mb(parent);
    mb.setWindowTitle(box.title);
    QString shown = box.text;
    shown.replace(u"\r\n"_s, u"\n"_s);
    mb.setText(shown);
    mb.setTextFormat(Qt::PlainText);
    switch (box.icon) {
    case MsgIcon::None: mb.setIcon(QMessageBox::NoIcon); break;
    case MsgIcon::Exclamation: mb.setIcon(QMessageBox::Warning); break;
    case MsgIcon::Information: mb.setIcon(QMessageBox::Information); break;
    }
    QPushButton *ok = nullptr, *yes = nullptr, *no = nullptr, *cancel = nullptr;
    switch (box.buttons) {
    case MsgButtons::Ok:
        ok = mb.addButton(u"OK"_s, QMessageBox::AcceptRole);
        mb.setEscapeButton(ok);
        break;
    case MsgButtons::YesNo:
        yes = mb.addButton(u"はい(&Y)"_s, QMessageBox::YesRole);
        no = mb.addButton(u"いいえ(&N)"_s, QMessageBox::NoRole);
        // Without Cancel, Esc answers No: the answer that changes nothing.
        mb.setEscapeButton(no);
        break;
    case MsgButtons::YesNoCancel:
        yes = mb.addButton(u"はい(&Y)"_s, QMessageBox::YesRole);
        no = mb.addButton(u"いいえ(&N)"_s, QMessageBox::NoRole);
        cancel = mb.addButton(u"キャンセル"_s, QMessageBox::RejectRole);
        mb.setEscapeButton(cancel);
        break;
    }
    QPushButton *def = nullptr;
    switch (box.defaultButton) {
    case MsgAnswer::Ok: def = ok; break;
    case MsgAnswer::Yes: def = yes; break;
    case MsgAnswer::No: def = no; break;
    case MsgAnswer::Cancel: def = cancel; break;
    }
    if (def)
        mb.setDefaultButton(def);
    mb.exec();
    QAbstractButton *clicked = mb.clickedButton();
    if (clicked && clicked == yes)
        return MsgAnswer::Yes;
    if (clicked && clicked == no)
        return MsgAnswer::No;
    if (clicked && clicked == ok)
        return MsgAnswer::Ok;
    if (box.buttons == MsgButtons::Ok)
        return MsgAnswer::Ok;
    if (box.buttons == MsgButtons::YesNo)
        return MsgAnswer::No;
    return MsgAnswer::Cancel;
}
