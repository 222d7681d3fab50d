// Two pieces of a lap's work at once: one on the worker's thread, one on a helper thread. Only the
// worker's thread calls the run control's checkpoint: a pause is taken there and the helper waits
// while it lasts; a quit seen there ends the helper's work at its next step. Each piece asks its
// keepGoing between two steps and returns false once it was told to stop.
#pragma once

#include "router/RunControl.h"

#include <functional>

namespace zelta {

using StoppableWork = std::function<bool(const std::function<bool()>& keepGoing)>;

struct SideBySideOutcome {
    bool own = false;    // the worker's thread's piece finished
    bool helper = false; // the helper's piece finished (false when there was none)
};

// Runs helper (when given) on a helper thread and own on this thread, and returns once both have
// ended. When own is told to stop, the helper is told too.
SideBySideOutcome runSideBySide(RunControl& control, const StoppableWork& own, const StoppableWork* helper);

} // namespace zelta
