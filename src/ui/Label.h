#pragma once
// Label whose caption is kept exactly as set (CR LF included) and shown with
// its line breaks.
#include <QLabel>

class Label : public QLabel {
    Q_OBJECT
public:
    explicit Label(const QString &caption, QWidget *parent = nullptr);
    QString caption() const { return m_caption; }
    void setCaption(const QString &caption);
signals:
    void MouseMove();

protected:
    void mouseMoveEvent(QMouseEvent *e) override;

private:
    QString m_caption;
};
