#include "browse/Drives.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>

using namespace Qt::StringLiterals;

bool Drives::isPseudoFileSystem(const QByteArray &fsType, const QString &root)
{
    static const QList<QByteArray> pseudo = {
        "proc", "sysfs", "devtmpfs", "devpts", "cgroup", "cgroup2", "mqueue", "debugfs", "tracefs",
        "securityfs", "pstore", "bpf", "autofs", "hugetlbfs", "fusectl", "configfs", "binfmt_misc",
        "nsfs", "efivarfs", "rpc_pipefs", "squashfs", "ramfs"};
    if (pseudo.contains(fsType))
        return true;
    for (const QString &sys : {u"/proc"_s, u"/sys"_s, u"/dev"_s, u"/run"_s, u"/snap"_s})
        if (root == sys || root.startsWith(sys + u'/'))
            return true;
    return false;
}

Drives::Drives(QString startDir) : m_startDir(std::move(startDir))
{
    const QStorageInfo startVolume(m_startDir);
    m_list.append({u"c:"_s, startVolume.isValid() ? startVolume.rootPath() : u"/"_s,
                   u"c: ["_s + (startVolume.isValid() ? startVolume.rootPath() : u"/"_s) + u']'});
    for (const QStorageInfo &v : QStorageInfo::mountedVolumes()) {
        if (!v.isValid() || !v.isReady() || v.rootPath() == m_list.first().root)
            continue;
        if (isPseudoFileSystem(v.fileSystemType(), v.rootPath()) || !QFileInfo(v.rootPath()).isDir())
            continue;
        m_list.append({v.rootPath(), v.rootPath(), v.rootPath()});
    }
}

Drives Drives::withVolumes(QString startDir, QList<Drive> volumes)
{
    Drives d;
    d.m_startDir = std::move(startDir);
    d.m_list = std::move(volumes);
    return d;
}

QString Drives::directoryOf(const QString &driveOrPath) const
{
    if (driveOrPath.compare(u"c:"_s, Qt::CaseInsensitive) == 0)
        return m_startDir;
    return driveOrPath;
}

int Drives::indexOf(const QString &driveName) const
{
    for (int i = 0; i < m_list.size(); ++i)
        if (m_list[i].name.compare(driveName, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}
