// Ctrl-C, kill and a closed terminal during a batch route. The first SIGINT, SIGTERM or SIGHUP
// only asks the run to stop, so that the best lap is saved as after a stop rule; a second one
// ends the process at once, after removing its temporary files.
#pragma once

#include <atomic>

namespace zelta::cli {

// Installs its handlers while it lives (and ignores SIGPIPE, so that a reader that goes away
// fails a write instead of ending the run); one at a time, since a signal has one handler.
class SignalStop {
public:
    SignalStop();
    ~SignalStop();
    SignalStop(const SignalStop&) = delete;
    SignalStop& operator=(const SignalStop&) = delete;

    // Set by the first signal; the routing session polls it.
    const std::atomic<bool>& requested() const;
    // The first signal, 0 when none came.
    int received() const;
    // The exit status of a run that a signal ended: 128 plus its number.
    int exitStatus() const { return 128 + received(); }
    // The signal's name, as a shell user knows it.
    const char* name() const;
};

} // namespace zelta::cli
