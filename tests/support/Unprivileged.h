// Takes away, for one block of a test, the superuser's right to ignore file permissions, so that
// a test of an unreadable file or an unwritable folder means the same under root (as in CI) as
// under an ordinary user.
#pragma once

#include <cstdlib>
#include <unistd.h>

namespace zelta::testing {

// While alive, the effective user is "nobody" if the process runs as root; otherwise nothing changes.
class WithoutRootRights {
public:
    WithoutRootRights() {
        if (geteuid() == 0)
            dropped_ = seteuid(NobodyUid) == 0;
    }
    ~WithoutRootRights() {
        if (dropped_ && seteuid(0) != 0)
            std::abort(); // every later test would run with the wrong rights
    }
    WithoutRootRights(const WithoutRootRights&) = delete;
    WithoutRootRights& operator=(const WithoutRootRights&) = delete;

    // False when root's rights could not be given up; the test then has nothing to show.
    bool active() const { return geteuid() != 0; }

private:
    static constexpr uid_t NobodyUid = 65534;
    bool dropped_ = false;
};

} // namespace zelta::testing
