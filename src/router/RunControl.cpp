// The pause handshake between the routing worker and its controller.
#include "router/RunControl.h"

namespace zelta {

bool RunControl::checkpoint() {
    std::unique_lock lock(mutex_);
    if (state_ == State::PauseRequested) {
        state_ = State::Paused;
        changed_.notify_all();
    }
    changed_.wait(lock, [this] { return state_ != State::Paused; });
    return state_ != State::Quit;
}

void RunControl::pauseAtNextCheckpoint() {
    std::lock_guard lock(mutex_);
    if (state_ == State::Running)
        state_ = State::PauseRequested;
}

void RunControl::workerFinished() {
    std::lock_guard lock(mutex_);
    state_ = State::Finished;
    changed_.notify_all();
}

void RunControl::resume() {
    std::lock_guard lock(mutex_);
    if (state_ == State::Paused || state_ == State::PauseRequested)
        state_ = State::Running;
    changed_.notify_all();
}

void RunControl::pauseAndWait() {
    std::unique_lock lock(mutex_);
    if (state_ == State::Running)
        state_ = State::PauseRequested;
    changed_.wait(lock, [this] { return state_ == State::Paused || state_ == State::Finished; });
}

void RunControl::waitUntilPaused() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return state_ == State::Paused || state_ == State::Finished; });
}

void RunControl::quit() {
    std::lock_guard lock(mutex_);
    if (state_ != State::Finished)
        state_ = State::Quit;
    changed_.notify_all();
}

bool RunControl::paused() const {
    std::lock_guard lock(mutex_);
    return state_ == State::Paused || state_ == State::Finished;
}

} // namespace zelta
