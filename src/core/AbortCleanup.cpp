// A fixed table of paths that a signal handler may walk at any moment: each slot is claimed,
// filled and then marked in use with atomics, and the handler reads only slots marked in use.
#include "core/AbortCleanup.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <random>
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

int createListedFile(const std::string& stem, int letters, const char* suffix, mode_t mode, std::string& path,
                     int& slot) {
    static const char Letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::random_device random;
    slot = -1;
    for (int attempt = 0; attempt < 100; ++attempt) {
        path = stem;
        for (int i = 0; i < letters; ++i)
            path += Letters[random() % (sizeof Letters - 1)];
        path += suffix;
        // Listed first: a file that exists unlisted for an instant could be left by a signal. A
        // name that another file already has is taken off the list before anything else runs;
        // only a signal in that instant, on a name chosen at random that another file holds,
        // could remove a file not ours.
        slot = listForAbortCleanup(path);
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0)
            return fd;
        const int err = errno;
        unlistForAbortCleanup(slot);
        slot = -1;
        if (err != EEXIST) {
            errno = err;
            return -1;
        }
    }
    errno = EEXIST;
    return -1;
}

void removeListedFiles() {
    for (Slot& slot : slots)
        if (slot.state == InUse)
            ::unlink(slot.path);
}

} // namespace zelta
