#pragma once
// Directory list. Path is the current directory (no trailing separator except
// at the root). Entries by index: -1 the current directory, -2, -3 ... its
// parents up to the root, 0 upwards its subdirectories. ListIndex is the
// highlighted entry (-1 until the user moves the highlight). Every change of
// Path, by the user or by code, raises Change; a double-click opens the entry.
//
// While it is shown the list follows its folder: a subfolder that another
// program creates, renames or removes comes into or leaves the list within a
// second, raising nothing; the highlighted entry stays highlighted.
#include <QListWidget>

class Drives;
class FolderWatch;

class DirList : public QListWidget
{
    Q_OBJECT
  public:
    explicit DirList(QWidget *parent = nullptr);
    void setDrives(const Drives *drives) { m_drives = drives; }

    QString path() const { return m_path; }
    // Shows the directory (a drive name stands for its current directory).
    // Fails, keeping the current directory and raising nothing, when the
    // directory does not exist or cannot be read; why says so in Japanese.
    // Setting the path it already shows reads it again and raises nothing.
    bool setPath(const QString &path, QString *why = nullptr);
    // The directory setPath(path) would show: a drive name stands for its
    // current directory; absolute, cleaned, without a trailing separator.
    QString directoryOf(const QString &path) const;
    // Reads the current directory again (subdirectories may have come or
    // gone), raising nothing; false when it can no longer be read.
    bool refresh(QString *why = nullptr);
    QString list(int index) const;
    int listIndex() const;
    void setListIndex(int index);
    int listCount() const { return int(m_subdirs.size()); }
    // Reads the subfolders again as following the folder does: the
    // highlighted entry and the scroll position stay; raises nothing.
    void follow();

  signals:
    void Change();
    void KeyDown(int keyCode, int shift);
    void MouseMove();
    // A directory the user opened could not be shown.
    void Failure(const QString &path, const QString &why);

  protected:
    void keyPressEvent(QKeyEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void showEvent(QShowEvent *e) override;
    void hideEvent(QHideEvent *e) override;

  private:
    void fill();
    QStringList subdirectories() const;
    void present(int row);
    void watchShownFolder();
    FolderWatch *m_watch;
    bool m_stale = false; // hidden since the last listing: the folder was not followed
    const Drives *m_drives = nullptr;
    QString m_path;
    QStringList m_ancestors; // root first, the current directory last
    QStringList m_subdirs;   // full paths
};

namespace dirpath
{
// Absolute, cleaned, without a trailing separator except at the root.
QString normalize(const QString &path);
// Whether a directory exists and can be listed; why says in Japanese what is
// wrong. An empty path is not a directory.
bool readable(const QString &path, QString *why);
// A Japanese sentence for a system error met while reading a directory.
QString reasonFor(int error);
} // namespace dirpath
