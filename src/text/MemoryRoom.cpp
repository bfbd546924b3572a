#include "text/MemoryRoom.h"

#include <cstdio>
#include <cstring>
#include <sys/resource.h>
#include <unistd.h>

namespace memoryroom {
namespace {

// The first figure after key in a /proc file of "key value" lines, or -1.
long long procField(const char *path, const char *key)
{
    std::FILE *f = std::fopen(path, "re");
    if (!f)
        return -1;
    char line[256];
    long long value = -1;
    const size_t keyLength = std::strlen(key);
    while (std::fgets(line, sizeof line, f)) {
        if (std::strncmp(line, key, keyLength) == 0) {
            std::sscanf(line + keyLength, "%lld", &value);
            break;
        }
    }
    std::fclose(f);
    return value;
}

} // namespace

qint64 roomFrom(qint64 addressSpaceLimit, qint64 mappedNow, qint64 memAvailable)
{
    const qint64 underLimit = addressSpaceLimit == Unlimited ? Unlimited : qMax<qint64>(0, addressSpaceLimit - mappedNow);
    return qMin(underLimit, memAvailable);
}

qint64 now()
{
    qint64 limit = Unlimited;
    struct rlimit rl {};
    if (::getrlimit(RLIMIT_AS, &rl) == 0 && rl.rlim_cur != RLIM_INFINITY)
        limit = qint64(qMin<rlim_t>(rl.rlim_cur, rlim_t(Unlimited)));
    qint64 mapped = 0;
    if (limit != Unlimited) {
        const long long vmKb = procField("/proc/self/status", "VmSize:");
        mapped = vmKb < 0 ? 0 : vmKb * 1024;
    }
    // Memory that is free or can be freed without swapping, plus the swap
    // still free: what the kernel can give before it must end a program.
    const long long availableKb = procField("/proc/meminfo", "MemAvailable:");
    const long long swapKb = procField("/proc/meminfo", "SwapFree:");
    const qint64 available = availableKb < 0 ? Unlimited : (availableKb + qMax(0LL, swapKb)) * 1024;
    return roomFrom(limit, mapped, available);
}

} // namespace memoryroom
