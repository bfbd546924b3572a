#include "Unprivileged.h"

#include <QDirIterator>
#include <QFile>
#include <QtGlobal>

#include <grp.h>
#include <unistd.h>

Unprivileged::Unprivileged()
{
    if (::geteuid() != 0) {
        m_active = true; // already unprivileged: permission bits apply as they are
        return;
    }
    // The effective user only: the saved root user lets us switch back. Root's
    // supplementary groups go too, or files of group 0 would stay writable.
    m_groups.resize(::getgroups(0, nullptr));
    if (::getgroups(int(m_groups.size()), m_groups.data()) < 0 || ::setgroups(0, nullptr) != 0)
        return;
    if (::setegid(65534) != 0) {
        ::setgroups(m_groups.size(), m_groups.data());
        return;
    }
    if (::seteuid(65534) != 0) {
        if (::setegid(0) != 0 || ::setgroups(m_groups.size(), m_groups.data()) != 0)
            qFatal("cannot return to the test's own group");
        return;
    }
    m_switched = m_active = true;
}

Unprivileged::~Unprivileged()
{
    if (m_switched) {
        if (::seteuid(0) != 0 || ::setegid(0) != 0 || ::setgroups(m_groups.size(), m_groups.data()) != 0)
            qFatal("cannot return to the test's own user");
    }
}

void giveToUnprivileged(const QString &path)
{
    if (::geteuid() != 0)
        return;
    if (::chown(QFile::encodeName(path).constData(), 65534, 65534) != 0)
        qFatal("cannot hand the directory over");
    QDirIterator it(path, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        if (::chown(QFile::encodeName(it.next()).constData(), 65534, 65534) != 0)
            qFatal("cannot hand a file over");
}
