// Starting, pausing and ending the routing worker.
#include "app/Thread.h"

namespace zelta {

Thread_::~Thread_() {
    if (worker_.joinable()) {
        control.quit();
        worker_.join();
    }
}

void Thread_::resume() {
    if (!worker_.joinable())
        worker_ = std::thread([this] { work_(control); });
    else
        control.resume();
}

void Thread_::suspend() {
    if (worker_.joinable())
        control.pauseAndWait();
}

void Thread_::waitUntilPaused() {
    if (worker_.joinable())
        control.waitUntilPaused();
}

} // namespace zelta
