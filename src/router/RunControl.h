// Pause, resume and quit for the routing worker. The worker calls checkpoint() between
// connections, where the grid and the lists are consistent; a controller on another thread
// asks it to pause there and waits until it has.
#pragma once

#include "core/Jumper.h"

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>

namespace zelta {

// The figures of a lap that has just ended.
struct LapFigures {
    int32_t laps;
    int32_t idleLaps;
    int32_t lapValue;
    int32_t bestValue; // after this lap
    int32_t failures;
    int32_t handledPads;
    bool improved;
    bool done; // the method says no later lap can do better
};

class RunControl {
public:
    // Worker side. Blocks while a pause is in force; false when the worker must return.
    bool checkpoint();
    // Worker side: the lap hook asks for a pause at the next checkpoint.
    void pauseAtNextCheckpoint();
    // Worker side, when it returns for good.
    void workerFinished();

    // Controller side.
    void resume();
    // Asks for a pause and waits until the worker sits at a checkpoint (or has finished).
    void pauseAndWait();
    // Waits until the worker has paused by itself (its lap hook asked for it) or finished.
    void waitUntilPaused();
    // Makes the worker return at its next checkpoint, paused or not.
    void quit();
    bool paused() const;

    // Called by the worker at the end of every lap, on its own thread.
    std::function<void(const LapFigures&)> onLapEnd;
    // Called by the worker after a lap that improved the best, with the best plane and jumpers.
    std::function<void(const int32_t* bestPlane, const JumperList& bestJumpers)> onBestImproved;

private:
    enum class State { Running, PauseRequested, Paused, Quit, Finished };
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    State state_ = State::Running;
};

} // namespace zelta
