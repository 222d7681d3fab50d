// The processing thread: runs the lap loop beside the window. It is created suspended; start
// resumes it, stop pauses it at the next consistent point and waits until it has.
#pragma once

#include "router/RunControl.h"

#include <functional>
#include <thread>

namespace zelta {

class Thread_ {
public:
    // work runs on the thread from the first resume until control says to quit.
    explicit Thread_(std::function<void(RunControl&)> work) : work_(std::move(work)) {}
    ~Thread_();
    Thread_(const Thread_&) = delete;
    Thread_& operator=(const Thread_&) = delete;

    void resume();
    // Returns once the worker sits at a pause point (at once if it never started).
    void suspend();
    // Waits until the worker has paused by itself (its lap hook asked for it).
    void waitUntilPaused();
    bool started() const { return worker_.joinable(); }

    RunControl control;

private:
    std::function<void(RunControl&)> work_;
    std::thread worker_;
};

} // namespace zelta
