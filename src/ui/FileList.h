#pragma once
// File list: the files of Path that match Pattern (a wildcard, "*.*" for all
// files, letter case ignored), sorted by name. Click is raised when an entry is
// selected by the user or by code; re-reading the directory raises nothing and
// leaves no entry selected.
//
// While it is shown the list follows its folder: a file that another program
// (or a save) creates, renames or removes there comes into or leaves the list
// within a second, the selected file staying selected, and nothing is raised
// but SelectionLost when the selected file itself has gone.
#include <QListWidget>

class FolderWatch;

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
    // Reads the folder again as following it does: the selected file stays
    // selected, the scroll position stays; raises SelectionLost when the
    // selected file is no longer listed.
    void follow();

  signals:
    void Click();
    // Following the folder took away the selected file (removed or renamed).
    void SelectionLost();
    void DblClick();
    void KeyDown(int keyCode, int shift);
    void MouseMove();

  protected:
    void keyPressEvent(QKeyEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void mouseDoubleClickEvent(QMouseEvent *e) override;
    void showEvent(QShowEvent *e) override;
    void hideEvent(QHideEvent *e) override;

  private:
    void selectionMoved();
    void fill();
    QStringList entries() const;
    void present(const QStringList &names, int selected);
    void watchShownFolder();
    FolderWatch *m_watch;
    QStringList m_names; // as listed
    bool m_stale = false; // hidden since the last listing: the folder was not followed
    QString m_path;
    QString m_pattern = QStringLiteral("*.*");
    int m_listIndex = -1;
};
