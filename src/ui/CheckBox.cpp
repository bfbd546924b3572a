#include "ui/CheckBox.h"

CheckBox::CheckBox(const QString &caption, QWidget *parent) : QCheckBox(caption, parent)
{
    setMouseTracking(true);
    setAttribute(Qt::WA_NoMousePropagation);
    setAccessibleName(caption);
}

void CheckBox::mouseMoveEvent(QMouseEvent *e)
{
    emit MouseMove();
    QCheckBox::mouseMoveEvent(e);
}
