#include "ui/Button.h"

Button::Button(const QString &caption, QWidget *parent) : QPushButton(caption, parent)
{
    setAutoDefault(false);
    setDefault(false);
    setMouseTracking(true);
    setAttribute(Qt::WA_NoMousePropagation);
    setAccessibleName(caption);
    connect(this, &QPushButton::clicked, this, [this] { emit Click(); });
}

void Button::setCaption(const QString &caption)
{
    setText(caption);
    setAccessibleName(caption);
}

void Button::mouseMoveEvent(QMouseEvent *e)
{
    emit MouseMove();
    QPushButton::mouseMoveEvent(e);
}
