#pragma once
#include <QString>

#include <sys/types.h>
#include <vector>

// Runs as an unprivileged user while it lives (when the test runs as root,
// who may read and write everything), so that permission failures are real.
class Unprivileged {
public:
    Unprivileged();
    ~Unprivileged();
    bool active() const { return m_active; }

private:
    bool m_switched = false;
    bool m_active = false;
    std::vector<gid_t> m_groups; // root's supplementary groups, given back afterwards
};

// Hands a directory (and what is in it) to the unprivileged user, so that it
// can be the start directory of a program running as that user.
void giveToUnprivileged(const QString &path);
