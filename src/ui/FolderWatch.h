#pragma once
// Watches the one folder a list shows for entries that come, go or are
// renamed, and says so once per burst of changes, a moment after it began: a
// program writing a hundred files costs one re-read, and the list has followed
// well within a second.
#include <QObject>
#include <QString>
#include <QTimer>

class QFileSystemWatcher;

class FolderWatch : public QObject {
    Q_OBJECT
public:
    explicit FolderWatch(QObject *parent);

    // Watches this folder instead of the one watched so far; an empty path
    // watches nothing. A folder that cannot be watched (the system's limit on
    // watches reached) is simply not followed.
    void watch(const QString &path);
    void stop() { watch(QString()); }
    QString watched() const { return m_path; }

    // How long a burst of changes is gathered before Changed is raised.
    static constexpr int SettleMs = 150;

signals:
    void Changed();

private:
    void noticed();
    QFileSystemWatcher *m_watcher = nullptr; // made when a folder is first watched
    QTimer m_settle;
    QString m_path;
};
