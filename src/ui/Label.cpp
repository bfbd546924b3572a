#include "ui/Label.h"

using namespace Qt::StringLiterals;

Label::Label(const QString &caption, QWidget *parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setMouseTracking(true);
    setAttribute(Qt::WA_NoMousePropagation);
    setCaption(caption);
}

void Label::setCaption(const QString &caption)
{
    if (caption == m_caption && !text().isNull())
        return;
    m_caption = caption;
    QString shown = caption;
    shown.replace(u"\r\n"_s, u"\n"_s);
    setText(shown);
}

void Label::mouseMoveEvent(QMouseEvent *e)
{
    emit MouseMove();
    QLabel::mouseMoveEvent(e);
}
