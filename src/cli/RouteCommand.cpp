// The batch route: the outputs checked, open, start, laps until a stop rule or a signal, stop,
// save, how good the result is, and the report and summary files whatever ended the run.
#include "cli/RouteCommand.h"

#include "app/Program.h"
#include "app/RoutingSession.h"
#include "app/SaveVerdict.h"
#include "cli/CliHost.h"
#include "cli/NetWidths.h"
#include "cli/Pictures.h"
#include "cli/RunSummary.h"
#include "cli/SameFile.h"
#include "cli/Settings.h"
#include "cli/SignalStop.h"
#include "core/Messages.h"
#include "core/Report.h"
#include "core/SafeFile.h"

#include <chrono>
#include <cstdio>
#include <string>
#include <unistd.h>
#include <vector>

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

// True when no two of the files name the same file; else says which two.
bool distinctFiles(const RouteOptions& options) {
    const std::vector<NamedFile> files = {{msg::CliInputRole, options.input, false},
                                          {"--ini", options.iniPath, false},
                                          {"-o", options.output, true},
                                          {"--report", options.reportPath, true},
                                          {"--svg", options.svgPath, true},
                                          {"--png", options.pngPath, true},
                                          {"--json", options.jsonPath, true}};
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

void sayReason(const std::string& reason) {
    if (!reason.empty())
        std::fprintf(stderr, "%s\n", strprintf(msg::FailureReason, reason.c_str()).c_str());
}

// What a run carries from step to step, up to its way out.
struct Run {
    const RouteOptions& options;
    CliHost host;
    // Before the program makes its temporary copy, so that no signal finds the copy unguarded.
    SignalStop interrupt;
    // Holds the pipes among the outputs open from their check to their write.
    OutputProbe outputs;
    RunFacts facts;
    RunSummary summary;
    bool checked = false; // the outputs were found writable: the summary file may be written
};

// Whether every output can be written, found before anything is read or routed, so that a
// mistyped folder does not cost a whole run. Says why not as the failed write would.
bool outputsWritable(Run& run) {
    const RouteOptions& options = run.options;
    if (!options.reportPath.empty() && !run.host.startReport(options.reportPath)) {
        std::fprintf(
            stderr, "%s\n",
            strprintf(msg::CliReportUnwritable, options.reportPath.c_str(), run.host.reportProblem().c_str())
                .c_str());
        return false;
    }
    if (const std::string why = run.outputs.check(options.output); !why.empty()) {
        run.host.reportLine(msg::Err301Report);
        run.host.reportLine(strprintf(msg::FailureReason, why.c_str()));
        run.host.messageDlg(msg::Err301Box, MsgDlgType::mtError, mbOK);
        sayReason(why);
        return false;
    }
    for (const std::string* path : {&options.svgPath, &options.pngPath, &options.jsonPath}) {
        if (path->empty())
            continue;
        if (const std::string why = run.outputs.check(*path); !why.empty()) {
            std::fprintf(stderr, "%s\n",
                         strprintf(msg::CliOutputUnwritable, path->c_str(), why.c_str()).c_str());
            return false;
        }
    }
    run.checked = true;
    return true;
}

bool writeSummaryFile(const std::string& path, const std::string& json) {
    SafeFileWriter out;
    if (out.open(path)) {
        out.write(json);
        if (out.commit())
            return true;
    }
    std::fprintf(stderr, "%s\n",
                 strprintf(msg::CliOutputUnwritable, path.c_str(), out.reason().c_str()).c_str());
    return false;
}

// The last step of every way out of a run: the report file, the summary file, the result's name
// when it was written, and the exit status, which a signal that stopped the run decides.
int finish(Run& run, int status) {
    const RouteOptions& options = run.options;
    if (!run.host.finishReport()) {
        std::fprintf(
            stderr, "%s\n",
            strprintf(msg::CliReportUnwritable, options.reportPath.c_str(), run.host.reportProblem().c_str())
                .c_str());
        if (status == ExitOk)
            status = ExitWrite;
    }
    const bool signalled = run.interrupt.received() != 0;
    const int exitStatus = signalled ? run.interrupt.exitStatus() : status;
    if (run.checked && !options.jsonPath.empty()) {
        run.facts.exitStatus = exitStatus;
        if (!writeSummaryFile(options.jsonPath, summaryJson(run.summary, run.facts)) && status == ExitOk &&
            !signalled)
            return ExitWrite;
    }
    if (run.facts.written && (status == ExitOk || signalled))
        std::fprintf(stderr, "Risultato: %s\n", options.output.c_str());
    if (signalled)
        std::fprintf(
            stderr, "%s\n",
            strprintf(msg::CliInterrupted, run.interrupt.name(), run.interrupt.exitStatus()).c_str());
    return exitStatus;
}

} // namespace

int runRoute(const RouteOptions& options, const std::string& executablePath) {
    // Before anything is read or written: a refused run must leave every file as it was.
    if (!distinctFiles(options))
        return ExitUsage;
    const std::optional<std::vector<NetWidth>> widths = parseNetWidths(options.widths);
    if (!widths)
        return ExitUsage;

    Run run{options, {}, {}, {}, {}, {}};
    CliHost& host = run.host;
    host.quiet = options.quiet;
    run.facts.output = options.output;
    if (!outputsWritable(run))
        return finish(run, ExitWrite);

    ProgramOptions programOptions;
    const SettingsLocation settings = settingsLocation(options.iniPath, executablePath);
    programOptions.iniPath = settings.writePath;
    programOptions.iniReadPath = settings.readPath;
    programOptions.stopRequested = &run.interrupt.requested();
    auto program = std::make_unique<Program>(host, programOptions);
    if (int status = settingsStatus(*program->settings, !options.iniPath.empty()); status != ExitOk)
        return finish(run, status);
    if (program->fcd->tmpPath.empty()) {
        std::fprintf(stderr, "zelta-cli: impossibile creare un file temporaneo\n");
        return finish(run, ExitRead);
    }
    if (!applySettings(*program->settings, options.settings))
        return finish(run, ExitUsage);
    run.facts.method = program->settings->metodo;
    run.facts.jumperMode = program->settings->ponticelli;

    ProgressLine progress(host);
    host.beforePrint = [&] { progress.wipe(); };
    // The batch run answers the existing-tracks question from its command line, and says so.
    bool tracksKept = false;
    program->removeTracks = [&] {
        host.beforePrint();
        std::fprintf(stderr, "%s\n-> %s\n", msg::RemoveTracksQuestion, options.replaceTracks ? "Si" : "No");
        tracksKept = !options.replaceTracks;
        return options.replaceTracks;
    };

    const ReadOutcome read = program->openFile(options.input);
    sayReason(read.reason);
    if (tracksKept)
        std::fprintf(stderr, "%s\n", msg::CliTracksKept);
    // A signal during the read: the run ends there, and nothing but the report is written.
    if (read.status != StatusComplete || run.interrupt.received() != 0)
        return finish(run, ExitRead);
    if (!applyNetWidths(*program->netTable, *widths))
        return finish(run, ExitUsage);

    StopRules rules;
    rules.laps = options.laps.value_or(0);
    rules.idleLaps = options.idle.value_or(options.laps || options.seconds ? 0 : 50);
    rules.seconds = options.seconds.value_or(0);
    const auto started = std::chrono::steady_clock::now();
    auto seconds = [&] {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    };
    RoutingSession session(*program);
    const SessionResult routed = session.run(rules, &run.interrupt.requested(), [&] {
        progress.draw(seconds());
        // A pipe or a file that the report goes to follows the run, not only its end.
        std::fflush(stdout);
        host.flushReport();
    });
    progress.wipe();
    run.facts.seconds = seconds();
    run.facts.laps = routed.laps;
    run.facts.bestLap = routed.bestLap;
    if (routed.stopRequested)
        std::fprintf(stderr, "%s\n", strprintf(msg::CliStopping, run.interrupt.name()).c_str());
    if (!routed.started)
        return finish(run, ExitRead);

    // A signal from here on lets the writing finish: it is what the first signal asks for.
    const WriteOutcome saved = program->saveTo(options.output);
    sayReason(saved.reason);
    run.facts.written = saved.written;
    if (saved.written) {
        // The check of the file written: a report line, and the figures of the summary. A run
        // stopped by a signal ends as soon as its best lap is saved: the check of a large board
        // takes seconds, and `zelta-cli check` gives the same figures afterwards.
        SaveVerdict verdict;
        if (canCheckWritten(options.output) && !routed.stopRequested)
            verdict = reportSaveVerdict(host, options.output, *program->settings);
        // Every jumper the written board holds: the drawing's and those laid now.
        const size_t jumpers = program->bestJumpers.size() + program->fcd->existingJumpers.size();
        if (program->settings->ponticelli || jumpers > 0)
            std::fprintf(stderr, "%s\n", strprintf(msg::CliJumpers, jumpers).c_str());
        // A best lap is kept only once a lap beats the worst value: until then nothing is known of
        // the connections.
        run.summary = summarizeResult(verdict, routed.bestLap > 0 ? routed.best.failures : -1);
        std::fprintf(stderr, "%s\n", summaryLine(run.summary).c_str());
    }
    // The nets left open and why: report lines at debug "Medio" and "Alto", else on standard
    // output alone; neither with --quiet.
    const std::vector<std::string> open = program->reportOpenNets();
    if (!reportsAt(program->settings->debug, 1) && !options.quiet)
        for (const std::string& line : open)
            std::printf("%s\n", line.c_str());
    // The pictures come after the drawing: a picture that cannot be written loses no routing.
    const bool pictured = writePictures(options.svgPath, options.pngPath, options.scale, *program);
    return finish(run, saved.written && pictured ? ExitOk : ExitWrite);
}

} // namespace zelta::cli
