// The batch route: open, start, laps until a stop rule or a signal, stop, save, and the report
// file whatever ended the run.
#include "cli/RouteCommand.h"

#include "app/Program.h"
#include "app/RoutingSession.h"
#include "cli/CliHost.h"
#include "cli/SameFile.h"
#include "cli/Settings.h"
#include "cli/SignalStop.h"
#include "core/Messages.h"
#include "core/Report.h"
#include "core/SafeFile.h"
#include "render/BoardPicture.h"
#include "render/ImageFiles.h"

#include <QGuiApplication>

#include <chrono>
#include <cstdio>
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
        std::fprintf(stderr, "\r\033[Kgiri %s  a vuoto %s  piazz. scollegate %s  punteggio %s",
                     value(Field::ciclitot), value(Field::ciclivuoto), value(Field::piazzscoll),
                     value(Field::valore));
        if (!host_.text(Field::ponticelli).empty())
            std::fprintf(stderr, "  ponticelli %s", value(Field::ponticelli));
        std::fprintf(stderr, "  %.1f s", seconds);
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
        addBestLap(picture, program.grid->plane(BestPlane), *program.netTable, program.bestJumpers);
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

// True when no two of the files name the same file; else says which two.
bool distinctFiles(const RouteOptions& options) {
    const std::vector<NamedFile> files = {{msg::CliInputRole, options.input, false},
                                          {"--ini", options.iniPath, false},
                                          {"-o", options.output, true},
                                          {"--report", options.reportPath, true},
                                          {"--svg", options.svgPath, true},
                                          {"--png", options.pngPath, true}};
    const auto same = firstSameFile(files);
    if (!same)
        return true;
    const NamedFile& first = files[same->first];
    const NamedFile& second = files[same->second];
    std::fprintf(
        stderr, "%s\n",
        strprintf(msg::CliSameFile, first.role.c_str(), second.role.c_str(), second.path.c_str()).c_str());
    return false;
}

// The report file holds every line of the report log, whatever ended the run.
bool writeReport(const std::string& path, const std::vector<std::string>& lines) {
    if (path.empty())
        return true;
    SafeFileWriter out;
    if (out.open(path)) {
        for (const std::string& line : lines) {
            out.write(line);
            out.write("\n");
        }
        if (out.commit())
            return true;
    }
    std::fprintf(stderr, "%s\n",
                 strprintf(msg::CliReportUnwritable, path.c_str(), out.reason().c_str()).c_str());
    return false;
}

// The last step of every way out of a run: the report file, the result's name when it was
// written, and the exit status, which a signal that stopped the run decides.
int finish(const RouteOptions& options, const CliHost& host, const SignalStop& interrupt, int status,
           bool saved = false) {
    if (!writeReport(options.reportPath, host.log()) && status == ExitOk)
        status = ExitWrite;
    if (saved && (status == ExitOk || interrupt.received() != 0))
        std::fprintf(stderr, "Risultato: %s\n", options.output.c_str());
    if (interrupt.received() == 0)
        return status;
    std::fprintf(stderr, "%s\n",
                 strprintf(msg::CliInterrupted, interrupt.name(), interrupt.exitStatus()).c_str());
    return interrupt.exitStatus();
}

} // namespace

int runRoute(const RouteOptions& options, const std::string& executablePath) {
    // Before anything is read or written: a refused run must leave every file as it was.
    if (!distinctFiles(options))
        return ExitUsage;

    // Before the program makes its temporary copy, so that no signal finds the copy unguarded.
    SignalStop interrupt;
    CliHost host;
    host.quiet = options.quiet;

    ProgramOptions programOptions;
    const SettingsLocation settings = settingsLocation(options.iniPath, executablePath);
    programOptions.iniPath = settings.writePath;
    programOptions.iniReadPath = settings.readPath;
    std::unique_ptr<Program> program;
    try {
        program = std::make_unique<Program>(host, programOptions);
    } catch (const SettingsError& e) {
        std::fprintf(stderr, "zelta-cli: %s\n", e.what());
        return finish(options, host, interrupt, ExitRead);
    }
    interrupt.removeOnAbort(program->fcd->tmpPath);
    if (program->fcd->tmpPath.empty()) {
        std::fprintf(stderr, "zelta-cli: impossibile creare un file temporaneo\n");
        return finish(options, host, interrupt, ExitRead);
    }
    if (!program->settings->readProblem.empty())
        std::fprintf(stderr, "zelta-cli: %s: %s\n", program->settings->readFrom.c_str(),
                     program->settings->readProblem.c_str());
    if (!applySettings(*program->settings, options.settings))
        return finish(options, host, interrupt, ExitUsage);

    ProgressLine progress(host);
    host.beforePrint = [&] { progress.wipe(); };
    // The batch run answers the existing-tracks question from its command line, and says so.
    program->removeTracks = [&] {
        host.beforePrint();
        std::fprintf(stderr, "%s\n-> %s\n", msg::RemoveTracksQuestion, options.replaceTracks ? "Si" : "No");
        return options.replaceTracks;
    };

    const bool read = program->openFile(options.input).status == StatusComplete;
    // A signal during the read: the run ends there, and nothing but the report is written.
    if (!read || interrupt.received() != 0)
        return finish(options, host, interrupt, ExitRead);

    StopRules rules;
    rules.laps = options.laps.value_or(0);
    rules.idleLaps = options.idle.value_or(options.laps || options.seconds ? 0 : 50);
    rules.seconds = options.seconds.value_or(0);
    const auto started = std::chrono::steady_clock::now();
    RoutingSession session(*program);
    const SessionResult run = session.run(rules, &interrupt.requested(), [&] {
        progress.draw(std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count());
        // A pipe or a file that the report goes to follows the run, not only its end.
        std::fflush(stdout);
    });
    progress.wipe();
    if (run.stopRequested)
        std::fprintf(stderr, "%s\n", strprintf(msg::CliStopping, interrupt.name()).c_str());
    if (!run.started)
        return finish(options, host, interrupt, ExitRead);

    // A signal from here on lets the writing finish: it is what the first signal asks for.
    const bool saved = program->saveTo(options.output).written;
    // Every jumper the written board holds: the drawing's and those laid now.
    const size_t jumpers = program->bestJumpers.size() + program->fcd->existingJumpers.size();
    if (saved && (program->settings->ponticelli || jumpers > 0))
        std::fprintf(stderr, "%s\n", strprintf(msg::CliJumpers, jumpers).c_str());
    // The pictures come after the drawing: a picture that cannot be written loses no routing.
    const bool pictured = writePictures(options, *program);
    return finish(options, host, interrupt, saved && pictured ? ExitOk : ExitWrite, saved);
}

} // namespace zelta::cli
