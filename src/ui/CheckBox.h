#pragma once
#include <QCheckBox>

class CheckBox : public QCheckBox {
    Q_OBJECT
public:
    explicit CheckBox(const QString &caption, QWidget *parent = nullptr);
    int value() const { return isChecked() ? 1 : 0; }
    void setValue(int v) { setChecked(v == 1); }
signals:
    void MouseMove();

protected:
    void mouseMoveEvent(QMouseEvent *e) override;
};
