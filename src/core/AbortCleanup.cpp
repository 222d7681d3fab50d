// A fixed table of paths that a signal handler may walk at any moment: each slot is claimed,
// filled and then marked in use with atomics, and the handler reads only slots marked in use.
#include "core/AbortCleanup.h"

#include <atomic>
#include <climits>
#include <cstring>
#include <unistd.h>

namespace zelta {

namespace {

enum SlotState : int { Free, Filling, InUse };

struct Slot {
    std::atomic<int> state = Free;
    char path[PATH_MAX];
};

static_assert(std::atomic<int>::is_always_lock_free);

// A run holds a few temporary files at once: its copy of the drawing, and one beside each output
// being written.
Slot slots[16];

} // namespace

int listForAbortCleanup(const std::string& path) {
    if (path.empty() || path.size() >= PATH_MAX)
        return -1;
    for (int i = 0; i < static_cast<int>(std::size(slots)); ++i) {
        int expected = Free;
        if (!slots[i].state.compare_exchange_strong(expected, Filling))
            continue;
        std::memcpy(slots[i].path, path.c_str(), path.size() + 1);
        slots[i].state = InUse;
        return i;
    }
    return -1;
}

void unlistForAbortCleanup(int slot) {
    if (slot >= 0 && slot < static_cast<int>(std::size(slots)))
        slots[slot].state = Free;
}

void removeListedFiles() {
    for (Slot& slot : slots)
        if (slot.state == InUse)
            ::unlink(slot.path);
}

} // namespace zelta
