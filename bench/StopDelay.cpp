// How long the desktop program takes to stop at every report level, on a small board that routes
// thousands of laps a second: the window runs offscreen, routes for a while, and a Stop el. click
// is queued behind whatever the window still has to do, as a person's click would be. Prints,
// per level, the time from the click to the paused worker and to the window back in its idle
// state, and how much the process grew while routing.
//   zelta-stop-bench [--seconds S]   (default 2 s of routing per level)
#include "ui/Main.h"
#include "ui/Prompter.h"
#include "ui/Startup.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QThread>

#include <cstdio>
#include <fstream>
#include <string>

namespace {

using namespace zelta;
using namespace zelta::ui;

// Resident memory of the process in kB.
long residentKb() {
    std::ifstream status("/proc/self/status");
    std::string key;
    long value = 0;
    while (status >> key) {
        if (key == "VmRSS:") {
            status >> value;
            return value;
        }
        status.ignore(1 << 12, '\n');
    }
    return 0;
}

// Gives up after a minute, or when the process passes 3 GB: a window that falls that far behind
// would not stop in any useful time.
inline constexpr qint64 GiveUpMs = 60000;
inline constexpr long GiveUpKb = 3L * 1024 * 1024;

template <typename Done> bool runEventsUntil(Done done, qint64 limitMs) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > limitMs || residentKb() > GiveUpKb)
            return false;
        QApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::usleep(200);
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    double seconds = 2;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::string(argv[i]) == "--seconds")
            seconds = std::stod(argv[i + 1]);

    std::printf(
        "| debug | laps | stop to paused worker (ms) | stop to idle window (ms) | memory growth (MB) |\n");
    std::printf("|---|---|---|---|---|\n");
    for (int level = 0; level <= 2; ++level) {
        QTemporaryDir scratch;
        const std::string ini = scratch.filePath(QStringLiteral("zelta.ini")).toStdString();
        std::ofstream(ini) << "[Base]\ndim_auto=1\nlayer_dim=0\n[Avanzate]\ndebug=" << level << "\n";
        Autopilot autopilot;
        autopilot.board = ZELTA_DATA_DIR "/boards/tiny-2nets.fcd";
        StartupOptions options;
        options.program.iniPath = ini;
        options.prompter = &autopilot;
        Forms forms(options);
        TForm1& main = *forms.Form1;
        main.show();
        main.start1->click();
        if (main.program->fcd->status != StatusComplete) {
            std::fprintf(stderr, "zelta-stop-bench: the board was not read\n");
            return 1;
        }

        const long before = residentKb();
        main.start2->click();
        QElapsedTimer routing;
        routing.start();
        runEventsUntil([&] { return routing.elapsed() >= seconds * 1000; }, GiveUpMs);
        const long grown = residentKb() - before;

        QElapsedTimer sinceClick;
        qint64 pausedAt = -1;
        QMetaObject::invokeMethod(
            main.stop2, [&] { main.stop2->click(); }, Qt::QueuedConnection);
        sinceClick.start();
        const bool stopped = runEventsUntil(
            [&] {
                if (pausedAt < 0 && main.program->workerPaused())
                    pausedAt = sinceClick.elapsed();
                return !main.program->processing();
            },
            GiveUpMs);
        const qint64 idleAt = sinceClick.elapsed();
        auto ms = [](qint64 t) { return t < 0 ? std::string("no stop") : std::to_string(t); };
        std::printf("| %d | %s | %s | %s | %.1f%s |\n", level, main.ciclitot->text().toUtf8().constData(),
                    ms(pausedAt).c_str(), stopped ? ms(idleAt).c_str() : "gave up",
                    static_cast<double>(grown) / 1024.0, stopped ? "" : " (then over 3 GB or a minute)");
        std::fflush(stdout);
    }
    return 0;
}
