// The handler only writes the signal's number into a socket, which is safe in a handler; the
// event loop reads it and does the rest.
#include "ui/QuitOnSignal.h"

#include <QSocketNotifier>

#include <array>
#include <cerrno>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace zelta::ui {

namespace {

constexpr std::array<int, 3> Signals = {SIGTERM, SIGINT, SIGHUP};
int wakeFds[2] = {-1, -1};
struct sigaction previous[Signals.size()];

void onSignal(int sig) {
    const int saved = errno;
    const unsigned char byte = static_cast<unsigned char>(sig);
    [[maybe_unused]] const ssize_t n = ::write(wakeFds[0], &byte, 1);
    errno = saved;
}

} // namespace

QuitOnSignal::QuitOnSignal(std::function<void(int)> onSignal) : onSignal_(std::move(onSignal)) {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, wakeFds) != 0)
        return;
    notifier_ = new QSocketNotifier(wakeFds[1], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &QuitOnSignal::deliver);
    struct sigaction action = {};
    action.sa_handler = ::zelta::ui::onSignal;
    sigemptyset(&action.sa_mask);
    // The first signal is ours; the handler then gives way to the default action.
    action.sa_flags = SA_RESTART | SA_RESETHAND;
    for (size_t i = 0; i < Signals.size(); ++i)
        sigaction(Signals[i], &action, &previous[i]);
}

QuitOnSignal::~QuitOnSignal() {
    if (!notifier_)
        return;
    for (size_t i = 0; i < Signals.size(); ++i)
        sigaction(Signals[i], &previous[i], nullptr);
    delete notifier_;
    ::close(wakeFds[0]);
    ::close(wakeFds[1]);
    wakeFds[0] = wakeFds[1] = -1;
}

void QuitOnSignal::deliver() {
    unsigned char byte = 0;
    if (::read(wakeFds[1], &byte, 1) != 1)
        return;
    // A signal caught once is not caught twice: the others give way to their default too.
    struct sigaction fallback = {};
    fallback.sa_handler = SIG_DFL;
    sigemptyset(&fallback.sa_mask);
    for (int sig : Signals)
        sigaction(sig, &fallback, nullptr);
    if (onSignal_)
        onSignal_(byte);
}

} // namespace zelta::ui
