#pragma once
// How much more memory the program may take: what its address-space limit
// (ulimit -v, RLIMIT_AS) leaves above what it has mapped already, and what
// the system has available (MemAvailable), whichever is less. A page whose
// reading would need more is refused before a byte of it is read.
#include <QtGlobal>

#include <limits>

namespace memoryroom {

// No limit, nothing known.
constexpr qint64 Unlimited = std::numeric_limits<qint64>::max();

// From the figures: the address-space limit (Unlimited for none), the
// address space mapped now, and the memory available (Unlimited when unknown).
qint64 roomFrom(qint64 addressSpaceLimit, qint64 mappedNow, qint64 memAvailable);

// The room this program has now.
qint64 now();

} // namespace memoryroom
