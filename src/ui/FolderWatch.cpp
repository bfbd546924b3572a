#include "ui/FolderWatch.h"

#include <QFileSystemWatcher>

FolderWatch::FolderWatch(QObject *parent) : QObject(parent)
{
    m_settle.setSingleShot(true);
    m_settle.setInterval(SettleMs);
    connect(&m_settle, &QTimer::timeout, this, &FolderWatch::Changed);
}

void FolderWatch::watch(const QString &path)
{
    // A folder that was removed drops out of the watcher by itself: watching
    // the same path again re-adds it when it is back.
    if (path == m_path && (path.isEmpty() || (m_watcher && m_watcher->directories().contains(path))))
        return;
    if (m_watcher && !m_watcher->directories().isEmpty())
        m_watcher->removePaths(m_watcher->directories());
    m_settle.stop();
    m_path = path;
    if (path.isEmpty())
        return;
    if (!m_watcher) {
        m_watcher = new QFileSystemWatcher(this);
        connect(m_watcher, &QFileSystemWatcher::directoryChanged, this, &FolderWatch::noticed);
    }
    m_watcher->addPath(path);
}

void FolderWatch::noticed()
{
    // The first change starts the wait; later ones join it rather than
    // putting it off, so a steady stream still updates the list.
    if (!m_settle.isActive())
        m_settle.start();
}
