// The processing thread: runs the router's lap loop beside the window. It is created suspended;
// start resumes it, stop pauses it between connections and waits until it has.
#pragma once

#include "router/Aprizelta.h"
#include "router/RunControl.h"

#include <thread>

namespace zelta {

class Thread_ {
public:
    explicit Thread_(ApriZelta& router) : router_(router) {}
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
    ApriZelta& router_;
    std::thread worker_;
};

} // namespace zelta
