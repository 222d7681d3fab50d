// The helper thread beside the worker's, and its pause and quit.
#include "router/SideBySide.h"

#include <atomic>
#include <chrono>
#include <thread>

namespace zelta {

SideBySideOutcome runSideBySide(RunControl& control, const StoppableWork& own, const StoppableWork* helper) {
    SideBySideOutcome outcome;
    std::atomic<bool> abandon{false};
    std::atomic<bool> helperBusy{helper != nullptr};
    std::thread thread;
    if (helper != nullptr) {
        thread = std::thread([&] {
            outcome.helper = (*helper)([&] {
                while (!abandon.load() && control.paused())
                    std::this_thread::sleep_for(std::chrono::milliseconds(2));
                return !abandon.load();
            });
            helperBusy.store(false);
        });
    }
    outcome.own = own([&] { return control.checkpoint(); });
    // While the helper finishes its work this thread keeps answering pauses and quits.
    while (outcome.own && helperBusy.load()) {
        if (!control.checkpoint())
            outcome.own = false;
        else
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    if (!outcome.own)
        abandon.store(true);
    if (thread.joinable())
        thread.join();
    return outcome;
}

} // namespace zelta
