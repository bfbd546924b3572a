#include "ui/LineBox.h"
#include "ui/Keys.h"

#include <QKeyEvent>

LineBox::LineBox(QWidget *parent) : QLineEdit(parent)
{
    setMouseTracking(true);
    setAttribute(Qt::WA_NoMousePropagation);
    connect(this, &QLineEdit::textChanged, this, [this] { emit Change(); });
}

void LineBox::keyPressEvent(QKeyEvent *e)
{
    emit KeyDown(keys::codeOf(e), keys::maskOf(e));
    QLineEdit::keyPressEvent(e);
}

void LineBox::mouseMoveEvent(QMouseEvent *e)
{
    emit MouseMove();
    QLineEdit::mouseMoveEvent(e);
}
