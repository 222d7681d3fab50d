// The signal handlers of the batch route. A handler runs on whatever thread the signal finds,
// between any two instructions, so it only touches lock-free atomics and calls functions that
// are safe there (unlink, sigaction, pthread_sigmask, raise, _exit).
#include "cli/SignalStop.h"

#include "core/AbortCleanup.h"

#include <csignal>
#include <pthread.h>
#include <unistd.h>

namespace zelta::cli {

namespace {

static_assert(std::atomic<bool>::is_always_lock_free && std::atomic<int>::is_always_lock_free);

std::atomic<bool> stopRequested = false;
std::atomic<int> firstSignal = 0;

// The signals that ask a run to stop: the terminal's Ctrl-C, kill, and the end of the session
// the run was started from.
constexpr int StopSignals[] = {SIGINT, SIGTERM, SIGHUP};

void onSignal(int sig) {
    int none = 0;
    if (firstSignal.compare_exchange_strong(none, sig)) {
        stopRequested = true;
        return;
    }
    // The second signal: the person wants out now. The process dies by the signal itself, so
    // that a calling shell sees it as interrupted, and leaves none of its temporary files: the
    // copy of the drawing, nor a file half written beside an output.
    removeListedFiles();
    struct sigaction fallback = {};
    fallback.sa_handler = SIG_DFL;
    sigemptyset(&fallback.sa_mask);
    sigaction(sig, &fallback, nullptr);
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, sig);
    pthread_sigmask(SIG_UNBLOCK, &set, nullptr);
    raise(sig);
    _exit(128 + sig);
}

void setAction(int sig, void (*handler)(int)) {
    struct sigaction action = {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    // Calls that the signal breaks into go on: the run notices the request when it polls.
    action.sa_flags = SA_RESTART;
    sigaction(sig, &action, nullptr);
}

} // namespace

SignalStop::SignalStop() {
    stopRequested = false;
    firstSignal = 0;
    for (int sig : StopSignals)
        setAction(sig, onSignal);
    // A reader that goes away (the end of a pipe the report or a result goes to) makes the
    // write fail with its reason, instead of ending the process with nothing saved.
    setAction(SIGPIPE, SIG_IGN);
}

SignalStop::~SignalStop() {
    for (int sig : StopSignals)
        setAction(sig, SIG_DFL);
    setAction(SIGPIPE, SIG_DFL);
}

const std::atomic<bool>& SignalStop::requested() const {
    return stopRequested;
}

int SignalStop::received() const {
    return firstSignal;
}

const char* SignalStop::name() const {
    switch (firstSignal) {
    case SIGINT:
        return "SIGINT";
    case SIGTERM:
        return "SIGTERM";
    case SIGHUP:
        return "SIGHUP";
    default:
        return "?";
    }
}

} // namespace zelta::cli
