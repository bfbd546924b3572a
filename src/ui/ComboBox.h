#pragma once
// Combo box with an editable text part. Click is raised when the user chooses an
// item and when code sets ListIndex; Change when the text is edited, after which
// ListIndex is -1; KeyDown before a key takes effect. Adding items raises nothing.
#include <QComboBox>

class ComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit ComboBox(QWidget *parent = nullptr);

    int listIndex() const { return m_listIndex; }
    void setListIndex(int index);
    int listCount() const { return count(); }
    QString list(int index) const;
    void setEntries(const QStringList &items, const QString &text);
    void setEntryText(int index, const QString &text);
    QString text() const;

signals:
    void Click();
    void Change();
    void KeyDown(int keyCode, int shift);
    void MouseMove();

protected:
    void keyPressEvent(QKeyEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;

private:
    int m_listIndex = -1;
};
