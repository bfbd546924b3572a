#pragma once
// List box: entries by position from 0, ListIndex -1 when none is selected.
// Click is raised on every change of the selected entry, by the user or by code,
// and on nothing else (not when the list merely gets the focus).
#include <QListWidget>

class ListBox : public QListWidget {
    Q_OBJECT
public:
    explicit ListBox(QWidget *parent = nullptr);

    int listIndex() const { return m_listIndex; }
    void setListIndex(int index);
    int listCount() const { return count(); }
    QString list(int index) const; // empty outside the entries
    void addEntry(const QString &text);
    void addEntries(const QStringList &texts);
    void clearEntries();

signals:
    void Click();
    void DblClick();
    void KeyDown(int keyCode, int shift);
    void MouseMove();

protected:
    void keyPressEvent(QKeyEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void mouseDoubleClickEvent(QMouseEvent *e) override;

private:
    void selectionMoved();
    int m_listIndex = -1;
};
