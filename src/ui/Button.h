#pragma once
#include <QPushButton>

class Button : public QPushButton {
    Q_OBJECT
public:
    explicit Button(const QString &caption, QWidget *parent = nullptr);
    QString caption() const { return text(); }
    void setCaption(const QString &caption);
signals:
    void Click();
    void MouseMove();

protected:
    void mouseMoveEvent(QMouseEvent *e) override;
};
