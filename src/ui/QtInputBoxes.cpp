#include "ui/QtInputBoxes.h"
#include "ui/Fonts.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

std::optional<QString> QtInputBoxes::ask(const InputBox &box)
{
    QDialog dlg(QApplication::activeWindow());
    dlg.setObjectName(u"InputBox"_s);
    dlg.setWindowTitle(box.title);
    dlg.setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    dlg.setFont(fonts::japaneseGothic(9));

    auto *prompt = new QLabel(box.prompt, &dlg);
    prompt->setObjectName(u"PromptLbl"_s);
    prompt->setTextFormat(Qt::PlainText);
    auto *answer = new QLineEdit(&dlg);
    answer->setObjectName(u"AnswerTxt"_s);
    answer->setAccessibleName(box.prompt);
    prompt->setBuddy(answer);
    if (box.digitsOnly) {
        // Nine digits name any line a page can have, and cannot overflow.
        answer->setValidator(new QRegularExpressionValidator(QRegularExpression(u"[0-9０-９]{0,9}"_s), answer));
        answer->setInputMethodHints(Qt::ImhDigitsOnly);
    }

    auto *buttons = new QDialogButtonBox(&dlg);
    QPushButton *ok = buttons->addButton(u"OK"_s, QDialogButtonBox::AcceptRole);
    ok->setObjectName(u"OkCmd"_s);
    ok->setDefault(true);
    QPushButton *cancel = buttons->addButton(u"キャンセル"_s, QDialogButtonBox::RejectRole);
    cancel->setObjectName(u"CancelCmd"_s);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dlg, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dlg, &QDialog::reject);

    auto *layout = new QVBoxLayout(&dlg);
    layout->addWidget(prompt);
    layout->addWidget(answer);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    answer->setFocus();

    if (dlg.exec() != QDialog::Accepted)
        return std::nullopt;
    return answer->text();
}
