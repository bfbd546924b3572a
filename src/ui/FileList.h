#pragma once
// File list: the files of Path that match Pattern (a wildcard, "*.*" for all
// files, letter case ignored), sorted by name. Click is raised when an entry is
// selected by the user or by code; re-reading the directory raises nothing and
// leaves no entry selected.
#include <QListWidget>

class FileList : public QListWidget
{
    Q_OBJECT
  public:
    explicit FileList(QWidget *parent = nullptr);

    QString path() const { return m_path; }
    // Lists another directory; fails, keeping the listing, when it cannot be
    // read (why says so in Japanese).
    bool setPath(const QString &path, QString *why = nullptr);
    QString pattern() const { return m_pattern; }
    void setPattern(const QString &pattern);
    // Reads the directory again; when it can no longer be read the list is
    // emptied and why says so.
    bool refresh(QString *why = nullptr);

    QString fileName() const; // the selected name, without its directory
    QString list(int index) const;
    int listIndex() const { return m_listIndex; }
    void setListIndex(int index);
    int listCount() const { return count(); }

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
    void fill();
    QString m_path;
    QString m_pattern = QStringLiteral("*.*");
    int m_listIndex = -1;
};
