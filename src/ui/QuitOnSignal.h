// SIGTERM, SIGINT and SIGHUP end the desktop program as leaving its event loop does: the worker
// stops, the windows close and the private copy of the drawing is removed, where the default
// action would kill the process and leave the copy behind. Nothing is asked: whoever sends the
// signal (a logout, a kill, Ctrl-C in a terminal) is not at the window to answer. A second signal
// takes its default action.
#pragma once

#include <QObject>

#include <functional>

class QSocketNotifier;

namespace zelta::ui {

class QuitOnSignal : public QObject {
public:
    // onSignal runs on the thread of the event loop, with the signal's number. Only one may be
    // installed at a time; the handlers it replaced come back when it is destroyed.
    explicit QuitOnSignal(std::function<void(int)> onSignal);
    ~QuitOnSignal() override;
    QuitOnSignal(const QuitOnSignal&) = delete;
    QuitOnSignal& operator=(const QuitOnSignal&) = delete;

private:
    void deliver();

    std::function<void(int)> onSignal_;
    QSocketNotifier* notifier_ = nullptr;
};

} // namespace zelta::ui
