// Creation of the shared objects and the processing commands: start, stop, track widths and the
// options warning, with the stop rules the worker applies at the end of a lap.
#include "app/Program.h"

#include "core/Messages.h"
#include "core/Report.h"
#include "core/Units.h"
#include "router/OpenNets.h"

namespace zelta {

Program::Program(Host& h, ProgramOptions options) : documentsFolder(options.documentsFolder), host(h) {
    std::string tmpPath = options.tmpPath;
    if (tmpPath.empty() && tempFile_.create())
        tmpPath = tempFile_.path();
    // Without a temporary file of its own the program has none: the read then fails with its
    // error, instead of sharing a file with another program.

    grid = std::make_unique<GestScheda>();
    workList = std::make_unique<ListaCoord>();
    netTable = std::make_unique<NetTable>();
    tracer = std::make_unique<TracciaPiste>();
    fcd = std::make_unique<GestoreFileFCD>(tmpPath);
    thread_ = makeThread();
    settings = std::make_unique<GestoreFileINI>(SettingsLocation{
        options.iniReadPath.empty() ? options.iniPath : options.iniReadPath, options.iniPath});
    crono = std::make_unique<Crono>(options.clock);

    driver_.links = {grid.get(), settings.get(), &workerOutput_, &bestJumpers};
    tracer->links = {grid.get(), netTable.get(), fcd.get(), settings.get(), &host, &bestJumpers};
    fcd->links.grid = grid.get();
    fcd->links.workList = workList.get();
    fcd->links.netTable = netTable.get();
    fcd->links.settings = settings.get();
    fcd->links.crono = crono.get();
    fcd->links.sink = &host;
    fcd->links.stopRequested = options.stopRequested;
    fcd->links.resetOthers = [this] {
        tracer->resultsReady = false;
        bestJumpers.clear();
        replaceThread();
    };
    removeTracks = [this] { return askRemoveTracks(); };
    workerOutput_.onPending = [this] {
        if (onWorkerOutput)
            onWorkerOutput();
    };
    wireThread();
}

Program::~Program() {
    // The worker ends before the objects it works on.
    thread_.reset();
}

std::unique_ptr<Thread_> Program::makeThread() {
    // The method is built when the worker starts, that is by the first start after a read.
    return std::make_unique<Thread_>([this](RunControl& control) {
        const std::unique_ptr<RoutingMethod> method =
            makeRoutingMethod({grid.get(), workList.get(), settings.get(), &workerOutput_,
                               &fcd->existingJumpers, &copper_, netTable.get(), &fcd->keptJoins});
        driver_.run(*method, control);
    });
}

void Program::wireThread() {
    thread_->control.onLapEnd = [this](const LapFigures& figures) { lapEnded(figures); };
    thread_->control.onBestImproved = [this](const int32_t* bestPlane, const JumperList& jumpers) {
        if (onBestImproved)
            onBestImproved(bestPlane, jumpers);
    };
}

void Program::lapEnded(const LapFigures& figures) {
    fcd->resultsUnsaved = true;
    tracer->resultsReady = true;
    if (onLapEnd)
        onLapEnd(figures);
    const StopRules& rules = runRules_;
    const bool stop =
        figures.done || (rules.laps > 0 && figures.laps >= rules.laps) ||
        (rules.idleLaps > 0 && figures.idleLaps >= rules.idleLaps) ||
        (rules.seconds > 0 &&
         std::chrono::duration<double>(std::chrono::steady_clock::now() - runStarted_).count() >=
             rules.seconds);
    if (stop && !stoppedByItself_) {
        stoppedByItself_ = true;
        thread_->control.pauseAtNextCheckpoint();
        if (onWorkerOutput)
            onWorkerOutput();
    }
}

void Program::replaceThread() {
    thread_ = makeThread();
    wireThread();
    drainWorkerOutput();
}

void Program::drainWorkerOutput() {
    workerOutput_.drainInto(host);
}

bool Program::startProcessing() {
    drainWorkerOutput();
    if (fcd->status < 0) {
        host.messageDlg(msg::StartRefused, MsgDlgType::mtInformation, mbOK);
        return false;
    }
    if (settings->optionsChanged) {
        host.messageDlg(msg::OptionsChanged, MsgDlgType::mtWarning, mbOK);
        return false;
    }
    // The classic lays its tracks over anything: a drawing read with its tracks kept is read
    // again (the tracks then removed) before the classic may route it.
    if (!fcd->keptTracks.empty() && settings->metodo == 0) {
        host.messageDlg(msg::KeptTracksClassic, MsgDlgType::mtWarning, mbOK);
        return false;
    }
    processing_ = true;
    host.processingStateChanged(true);
    copper_ = {fcd->originX,     fcd->originY, settings->boardWidth, settings->boardHeight, &fcd->placedPads,
               &fcd->keptTracks, fcd->pitch};
    const std::string started = strprintf(msg::ProcessingStarted, crono->elapsed(2));
    crono->start(2);
    host.reportLine(started);
    // The worker is paused or not started: nothing reads these while they change.
    runRules_ = stopRules;
    runStarted_ = std::chrono::steady_clock::now();
    stoppedByItself_ = false;
    thread_->resume();
    return true;
}

void Program::stopProcessing() {
    thread_->suspend();
    drainWorkerOutput();
    processing_ = false;
    host.processingStateChanged(false);
    crono->stop(2);
    host.reportLine(strprintf(msg::ProcessingStopped, crono->elapsed(2)));
}

void Program::holdWorker() {
    thread_->suspend();
}

void Program::releaseWorker() {
    thread_->resume();
}

bool Program::prepareTrackWidths() {
    drainWorkerOutput();
    if (fcd->resultsUnsaved &&
        host.messageDlg(msg::UnsavedResults, MsgDlgType::mtConfirmation, mbYes | mbNo) == ModalResult::mrNo)
        return false;
    for (Field f : {Field::ciclitot, Field::ciclivuoto, Field::piazzscoll, Field::valore, Field::file_out,
                    Field::piste_out, Field::righe_out, Field::ponticelli})
        host.setText(f, "");
    host.clearReport();
    tracer->resultsReady = false;
    replaceThread();
    return true;
}

std::vector<std::string> Program::openNetLines() const {
    if (!tracer->resultsReady)
        return {};
    const JumperRun jumpers{settings->ponticelli,
                            static_cast<int64_t>(fcd->existingJumpers.size() + bestJumpers.size()) >=
                                settings->ponticelli_max};
    // The pads that kept tracks join are joined as a jumper's ends are.
    JumperList joined = fcd->existingJumpers;
    joined.insert(joined.end(), fcd->keptJoins.begin(), fcd->keptJoins.end());
    const std::vector<OpenNet> open = openNets(grid->plane(BasePlane), grid->plane(BestPlane), *workList,
                                               settings->cols, settings->rows, joined, bestJumpers, jumpers);
    if (open.empty())
        return {};
    std::vector<std::string> lines{strprintf(msg::OpenNetsHeader, static_cast<int>(open.size()))};
    for (const OpenNet& net : open) {
        std::string pads;
        for (int32_t cell : net.pads) {
            const int32_t col = cell / GridRows;
            const int32_t row = cell % GridRows;
            // The pad's own place in the drawing; a cell no pad was placed on is named by the grid.
            int32_t x = fcd->originX + cellToUnits(col, fcd->pitch);
            int32_t y = fcd->originY + cellToUnits(row, fcd->pitch);
            for (const PlacedPad& p : fcd->placedPads)
                if (p.col == col && p.row == row) {
                    x = p.x;
                    y = p.y;
                    break;
                }
            if (!pads.empty())
                pads += ' ';
            pads += strprintf(msg::OpenPad, x, y);
        }
        lines.push_back(strprintf(msg::OpenNet, net.net, pads.c_str(), openReasonText(net.reason)));
    }
    return lines;
}

std::vector<std::string> Program::reportOpenNets() {
    std::vector<std::string> lines = openNetLines();
    if (reportsAt(settings->debug, 1))
        for (const std::string& line : lines)
            host.reportLine(line);
    return lines;
}

void Program::optionsDialogClosed() {
    if (fcd->status == StatusComplete && settings->optionsChanged)
        host.messageDlg(msg::OptionsChanged, MsgDlgType::mtWarning, mbOK);
}

} // namespace zelta
