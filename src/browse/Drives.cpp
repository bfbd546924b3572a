#include "browse/Drives.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>

using namespace Qt::StringLiterals;

bool Drives::isPseudoFileSystem(const QByteArray &fsType, const QString &root)
{
    static const QList<QByteArray> pseudo = {
        "proc",    "sysfs",    "devtmpfs",    "devpts", "cgroup",      "cgroup2",        "mqueue",
        "debugfs", "tracefs",  "securityfs",  "pstore", "bpf",         "autofs",         "hugetlbfs",
        "fusectl", "configfs", "binfmt_misc", "nsfs",   "efivarfs",    "rpc_pipefs",     "squashfs",
        "ramfs",   "tmpfs",    "selinuxfs",   "nfsd",   "fuse.portal", "fuse.gvfsd-fuse"};
    if (pseudo.contains(fsType))
        return true;
    for (const QString &sys : {u"/proc"_s, u"/sys"_s, u"/dev"_s, u"/run"_s, u"/snap"_s})
        if (root == sys || root.startsWith(sys + u'/'))
            return true;
    return false;
}

Drives::Drives(QString startDir) : m_startDir(std::move(startDir))
{
    // The start volume is "c:" whatever its kind, so the start directory is
    // always reachable from the drive list.
    const QStorageInfo startVolume(m_startDir);
    const QString startRoot = startVolume.isValid() ? startVolume.rootPath() : u"/"_s;
    m_list.append({u"c:"_s, startRoot, u"c: ["_s + startRoot + u']'});
    for (const QStorageInfo &v : QStorageInfo::mountedVolumes()) {
        const QString root = v.rootPath();
        if (!v.isValid() || !v.isReady() || root == startRoot || indexOf(root) >= 0)
            continue;
        if (isPseudoFileSystem(v.fileSystemType(), root) || !QFileInfo(root).isDir())
            continue;
        m_list.append({root, root, root});
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
    const int index = indexOf(driveOrPath);
    return index >= 0 ? m_list[index].root : driveOrPath;
}

int Drives::indexOf(const QString &driveName) const
{
    // Drive letters ignore letter case; volume roots are paths and keep it.
    const Qt::CaseSensitivity cs = driveName.endsWith(u':') ? Qt::CaseInsensitive : Qt::CaseSensitive;
    for (int i = 0; i < m_list.size(); ++i)
        if (m_list[i].name.compare(driveName, cs) == 0)
            return i;
    return -1;
}
