#pragma once
// Single-line text box.
#include <QLineEdit>

class LineBox : public QLineEdit {
    Q_OBJECT
public:
    explicit LineBox(QWidget *parent = nullptr);
signals:
    void Change(); // every change of the text, typed or set by code
    void KeyDown(int keyCode, int shift);
    void MouseMove();

protected:
    void keyPressEvent(QKeyEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
};
