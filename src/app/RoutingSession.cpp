// The wait of a run without a window: woken by the worker's output, polling the outside request.
#include "app/RoutingSession.h"

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace zelta {

SessionResult RoutingSession::run(const StopRules& rules, const std::atomic<bool>* stopRequested,
                                  const std::function<void()>& onProgress) {
    SessionResult result;
    std::mutex mutex;
    std::condition_variable wake;
    bool pending = false;

    // The front's own hooks stay in force beside the session's.
    const std::function<void()> frontOutput = program_.onWorkerOutput;
    const std::function<void(const LapFigures&)> frontLapEnd = program_.onLapEnd;
    program_.onWorkerOutput = [&] {
        if (frontOutput)
            frontOutput();
        std::lock_guard lock(mutex);
        pending = true;
        wake.notify_one();
    };
    program_.onLapEnd = [&](const LapFigures& lap) {
        if (frontLapEnd)
            frontLapEnd(lap);
        std::lock_guard lock(mutex);
        result.lastLap = lap;
        if (lap.improved) {
            result.bestLap = lap.laps;
            result.best = lap;
        }
    };

    const StopRules frontRules = program_.stopRules;
    program_.stopRules = rules;
    const auto started = std::chrono::steady_clock::now();
    result.started = program_.startProcessing();
    program_.stopRules = frontRules;
    if (result.started) {
        while (!program_.workerPaused()) {
            {
                std::unique_lock lock(mutex);
                wake.wait_for(lock, std::chrono::milliseconds(pollMs), [&] { return pending; });
                pending = false;
            }
            program_.drainWorkerOutput();
            if (stopRequested && stopRequested->load()) {
                result.stopRequested = true;
                break;
            }
            if (rules.seconds > 0 &&
                std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count() >=
                    rules.seconds) {
                result.timeUp = true;
                break;
            }
            if (onProgress)
                onProgress();
        }
        program_.stopProcessing();
    }

    program_.onWorkerOutput = frontOutput;
    program_.onLapEnd = frontLapEnd;
    std::lock_guard lock(mutex);
    result.laps = result.lastLap.laps;
    return result;
}

} // namespace zelta
