// The batch route: open, start, laps until the stop rule, stop, save.
#include "cli/RouteCommand.h"

#include "app/Program.h"
#include "cli/CliHost.h"
#include "cli/Settings.h"
#include "cli/TempFile.h"
#include "render/BoardPicture.h"
#include "render/ImageFiles.h"

#include <QGuiApplication>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <fstream>
#include <mutex>
#include <unistd.h>

namespace zelta::cli {

namespace {

// One line on a terminal, redrawn in place while the laps run.
class ProgressLine {
public:
    explicit ProgressLine(const CliHost& host) : host_(host), enabled_(isatty(STDERR_FILENO) == 1) {}
    void draw(double seconds) {
        if (!enabled_)
            return;
        std::fprintf(stderr, "\r\033[Kgiri %s  a vuoto %s  piazz. scollegate %s  punteggio %s  %.1f s",
                     value(Field::ciclitot), value(Field::ciclivuoto), value(Field::piazzscoll),
                     value(Field::valore), seconds);
        std::fflush(stderr);
        shown_ = true;
    }
    void wipe() {
        if (shown_)
            std::fprintf(stderr, "\r\033[K");
        shown_ = false;
    }

private:
    const char* value(Field f) const {
        const std::string& t = host_.text(f);
        return t.empty() ? "-" : t.c_str();
    }
    const CliHost& host_;
    bool enabled_;
    bool shown_ = false;
};

// Writes the pictures of the best lap that the options ask for; false when one could not be
// written (said on standard error). Drawing needs the toolkit's application object, which is made
// only here, on the offscreen platform unless the environment names another: a batch run needs
// no display.
bool writePictures(const RouteOptions& options, const Program& program) {
    if (options.svgPath.empty() && options.pngPath.empty())
        return true;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "zelta-cli";
    static char* argv[] = {name, nullptr};
    // The toolkit's notice about a missing runtime folder says nothing to a batch user: the
    // offscreen platform never uses that folder.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString& message) {
        if (!message.startsWith(QStringLiteral("QStandardPaths:")))
            std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
    });
    std::unique_ptr<QGuiApplication> app;
    if (!QCoreApplication::instance())
        app = std::make_unique<QGuiApplication>(argc, argv);

    BoardPicture picture = padsPicture(*program.fcd, *program.settings);
    if (program.tracer->resultsReady)
        addBestLap(picture, program.grid->plane(BestPlane), *program.netTable);
    bool ok = true;
    auto write = [&](const std::string& path, auto writer) {
        if (path.empty())
            return;
        const std::string problem = writer(path, picture, options.scale);
        if (!problem.empty()) {
            std::fprintf(stderr, "zelta-cli: impossibile scrivere l'immagine %s: %s\n", path.c_str(),
                         problem.c_str());
            ok = false;
        }
    };
    write(options.svgPath, writeSvg);
    write(options.pngPath, writePng);
    return ok;
}

} // namespace

int runRoute(const RouteOptions& options, const std::string& executablePath) {
    CliHost host;
    host.inputPath = options.input;
    host.outputPath = options.output;
    host.replaceTracks = options.replaceTracks;
    host.quiet = options.quiet;

    TempFile tmp;
    if (!tmp.create()) {
        std::fprintf(stderr, "zelta-cli: impossibile creare un file temporaneo\n");
        return ExitRead;
    }

    ProgramOptions programOptions;
    programOptions.iniPath =
        options.iniPath.empty() ? GestoreFileINI::defaultPath(executablePath) : options.iniPath;
    programOptions.tmpPath = tmp.path();
    std::unique_ptr<Program> program;
    try {
        program = std::make_unique<Program>(host, programOptions);
    } catch (const SettingsError& e) {
        std::fprintf(stderr, "zelta-cli: %s\n", e.what());
        return ExitRead;
    }
    if (!program->settings->readProblem.empty())
        std::fprintf(stderr, "zelta-cli: %s: %s\n", program->settings->iniFile.c_str(),
                     program->settings->readProblem.c_str());
    if (!applySettings(*program->settings, options.settings))
        return ExitUsage;

    ProgressLine progress(host);
    host.beforePrint = [&] { progress.wipe(); };

    program->openFcd();
    if (program->fcd->status != StatusComplete)
        return ExitRead;

    // The stop rule is applied by the worker itself at the end of a lap, so that the run
    // stops right after the lap that meets it.
    const int lapLimit = options.laps.value_or(0);
    const int idleLimit = options.idle.value_or(options.laps || options.seconds ? 0 : 50);
    const double secondsLimit = options.seconds.value_or(0);
    const auto started = std::chrono::steady_clock::now();
    auto elapsedSeconds = [&] {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    };
    std::mutex mutex;
    std::condition_variable wake;
    bool pending = false;
    program->onWorkerOutput = [&] {
        std::lock_guard lock(mutex);
        pending = true;
        wake.notify_one();
    };
    program->onLapEnd = [&](const LapFigures& lap) {
        if (lap.done || (lapLimit > 0 && lap.laps >= lapLimit) ||
            (idleLimit > 0 && lap.idleLaps >= idleLimit) ||
            (secondsLimit > 0 && elapsedSeconds() >= secondsLimit))
            program->thread->control.pauseAtNextCheckpoint();
    };

    if (!program->startProcessing())
        return ExitRead;
    while (!program->thread->control.paused()) {
        {
            std::unique_lock lock(mutex);
            wake.wait_for(lock, std::chrono::milliseconds(200), [&] { return pending; });
            pending = false;
        }
        program->drainWorkerOutput();
        progress.draw(elapsedSeconds());
    }
    program->stopProcessing();
    progress.wipe();

    program->save();
    const bool saved = program->fcd->status == StatusComplete && !program->fcd->resultsUnsaved;
    // The pictures come after the drawing: a picture that cannot be written loses no routing.
    const bool pictured = writePictures(options, *program);

    if (!options.reportPath.empty()) {
        std::ofstream report(options.reportPath, std::ios::binary);
        for (const std::string& line : host.log())
            report << line << '\n';
        if (!report.flush()) {
            std::fprintf(stderr, "zelta-cli: impossibile scrivere il rapporto %s\n",
                         options.reportPath.c_str());
            return ExitWrite;
        }
    }
    if (!saved || !pictured)
        return ExitWrite;
    std::fprintf(stderr, "Risultato: %s\n", options.output.c_str());
    return ExitOk;
}

} // namespace zelta::cli
