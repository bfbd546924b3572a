#include "AddressSpaceLimit.h"

#include <QFile>

namespace {
qint64 mappedNow()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmSize:"))
            return line.mid(7).trimmed().split(' ').first().toLongLong() * 1024;
    return -1;
}
} // namespace

AddressSpaceLimit::AddressSpaceLimit(qint64 headroom)
{
    const qint64 mapped = mappedNow();
    if (mapped < 0 || ::getrlimit(RLIMIT_AS, &m_before) != 0)
        return;
    struct rlimit limited = m_before;
    limited.rlim_cur = rlim_t(mapped + headroom);
    m_ok = ::setrlimit(RLIMIT_AS, &limited) == 0;
}

AddressSpaceLimit::~AddressSpaceLimit()
{
    if (m_ok)
        ::setrlimit(RLIMIT_AS, &m_before);
}
