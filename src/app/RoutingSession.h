// A run of laps under stop rules, for callers without a window: the batch tool, the screenshot
// tool and the tests. It starts processing, shows the worker's output on the calling thread while
// the laps run, and stops processing once a rule or an outside request ends the run.
#pragma once

#include "app/Program.h"

#include <atomic>
#include <functional>

namespace zelta {

struct SessionResult {
    bool started = false;       // false when start was refused
    bool stopRequested = false; // the outside request ended the run, not a rule
    bool timeUp = false;        // the rule's seconds ran out while a lap was under way
    int32_t laps = 0;           // laps counted when the run stopped
    int32_t bestLap = 0;        // the lap that is kept; 0 when none has ended
    LapFigures lastLap{};       // the figures of the last lap that ended
    LapFigures best{};          // the figures of the lap that is kept
};

class RoutingSession {
public:
    explicit RoutingSession(Program& program) : program_(program) {}

    // stopRequested, when given, is polled: setting it (from any thread, or a signal handler)
    // stops the run at the worker's next pause point. So does the end of the rules' seconds,
    // in the middle of a lap too: a lap of a very large board does not hold the run past its
    // time. onProgress is called on this thread after the worker's output has been shown, at
    // least every pollMs milliseconds.
    SessionResult run(const StopRules& rules, const std::atomic<bool>* stopRequested = nullptr,
                      const std::function<void()>& onProgress = {});

    int pollMs = 100;

private:
    Program& program_;
};

} // namespace zelta
