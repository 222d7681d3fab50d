// Whether a worker's lap may go on: the lap asks before each search, and once the answer was no the
// lap is abandoned, whatever its parts ask later.
#pragma once

#include <functional>

namespace zelta {

class LapGuard {
public:
    void begin(const std::function<bool()>& keepGoing) {
        keepGoing_ = &keepGoing;
        abandoned_ = false;
    }
    // Asks keepGoing (it may block while a pause lasts), until it has said no once.
    bool alive() {
        if (!abandoned_ && !(*keepGoing_)())
            abandoned_ = true;
        return !abandoned_;
    }
    bool abandoned() const { return abandoned_; }

private:
    const std::function<bool()>* keepGoing_ = nullptr;
    bool abandoned_ = false;
};

} // namespace zelta
