#pragma once
// An address-space limit (RLIMIT_AS, ulimit -v) for a stretch of a test:
// room for `headroom` bytes more than the test program has mapped now, the
// limit as it was again when it goes out of scope. What needs more than that
// fails to allocate, as it would in a program started under prlimit --as.
#include <QtGlobal>

#include <sys/resource.h>

class AddressSpaceLimit {
public:
    explicit AddressSpaceLimit(qint64 headroom);
    ~AddressSpaceLimit();
    AddressSpaceLimit(const AddressSpaceLimit &) = delete;
    AddressSpaceLimit &operator=(const AddressSpaceLimit &) = delete;
    bool ok() const { return m_ok; }

private:
    struct rlimit m_before {};
    bool m_ok = false;
};
