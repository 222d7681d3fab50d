// Creation of the shared objects and the main window's commands: open, start, stop, save,
// track widths and the options warning.
#include "app/Program.h"

#include "core/Messages.h"
#include "core/Report.h"

namespace zelta {

std::string temporaryPathBeside(const std::string& iniPath) {
    auto slash = iniPath.find_last_of('/');
    if (slash == std::string::npos)
        return "zelta.tmp";
    return iniPath.substr(0, slash + 1) + "zelta.tmp";
}

Program::Program(Host& h, ProgramOptions options) : host(h) {
    grid = std::make_unique<GestScheda>();
    workList = std::make_unique<ListaCoord>();
    netTable = std::make_unique<NetTable>();
    targetList = std::make_unique<TargetList>();
    router = std::make_unique<ApriZelta>();
    tracer = std::make_unique<TracciaPiste>();
    fcd = std::make_unique<GestoreFileFCD>(options.tmpPath.empty() ? temporaryPathBeside(options.iniPath)
                                                                   : options.tmpPath);
    thread = makeThread();
    settings = std::make_unique<GestoreFileINI>(options.iniPath);
    crono = std::make_unique<Crono>(options.clock);
    negotiated = std::make_unique<NegotiatedRouter>();

    router->links = {grid.get(), workList.get(), targetList.get(), settings.get(), &workerOutput_};
    driver_.links = {grid.get(), settings.get(), &workerOutput_};
    negotiated->links = {grid.get(), workList.get(), settings.get()};
    tracer->links = {grid.get(), netTable.get(), fcd.get(), settings.get(), &host};
    fcd->links.grid = grid.get();
    fcd->links.workList = workList.get();
    fcd->links.netTable = netTable.get();
    fcd->links.settings = settings.get();
    fcd->links.crono = crono.get();
    fcd->links.host = &host;
    fcd->links.resetOthers = [this] {
        tracer->resultsReady = false;
        replaceThread();
    };
    workerOutput_.onPending = [this] {
        if (onWorkerOutput)
            onWorkerOutput();
    };
    wireThread();
}

Program::~Program() {
    // The worker ends before the objects it works on.
    thread.reset();
}

void Program::wireThread() {
    thread->control.onLapEnd = [this](const LapFigures& figures) {
        fcd->resultsUnsaved = true;
        tracer->resultsReady = true;
        if (onLapEnd)
            onLapEnd(figures);
    };
    thread->control.onBestImproved = [this](const int32_t* bestPlane) {
        if (onBestImproved)
            onBestImproved(bestPlane);
    };
}

std::unique_ptr<Thread_> Program::makeThread() {
    // The method is chosen when the worker starts, that is by the first start after a read.
    return std::make_unique<Thread_>([this](RunControl& control) {
        RoutingMethod& method = settings->metodo == 1 ? static_cast<RoutingMethod&>(*negotiated) : *router;
        driver_.run(method, control);
    });
}

void Program::replaceThread() {
    thread = makeThread();
    wireThread();
    drainWorkerOutput();
}

void Program::drainWorkerOutput() {
    workerOutput_.drainInto(host);
}

void Program::openFcd() {
    drainWorkerOutput();
    fcd->openFcd();
}

void Program::save() {
    drainWorkerOutput();
    tracer->save();
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
    processing_ = true;
    host.processingStateChanged(true);
    router->fastLaps = fastLapsFor(settings->giriv);
    router->retargetEvery = retargetEveryFor(settings->ricalct);
    router->bendPenalty = bendPenaltyFor(settings->pcurva);
    router->diagonalPenalty = diagonalPenaltyFor(settings->pdiag);
    router->statusText = strprintf(msg::ProcessingStarted, crono->elapsed(2));
    crono->start(2);
    host.reportLine(router->statusText);
    thread->resume();
    return true;
}

void Program::stopProcessing() {
    thread->suspend();
    drainWorkerOutput();
    processing_ = false;
    host.processingStateChanged(false);
    crono->stop(2);
    router->statusText = strprintf(msg::ProcessingStopped, crono->elapsed(2));
    host.reportLine(router->statusText);
}

bool Program::prepareTrackWidths() {
    drainWorkerOutput();
    if (fcd->resultsUnsaved &&
        host.messageDlg(msg::UnsavedResults, MsgDlgType::mtConfirmation, mbYes | mbNo) == ModalResult::mrNo)
        return false;
    for (Field f : {Field::ciclitot, Field::ciclivuoto, Field::piazzscoll, Field::valore, Field::file_out,
                    Field::piste_out, Field::righe_out})
        host.setText(f, "");
    host.clearReport();
    tracer->resultsReady = false;
    replaceThread();
    return true;
}

void Program::optionsDialogClosed() {
    if (fcd->status == StatusComplete && settings->optionsChanged)
        host.messageDlg(msg::OptionsChanged, MsgDlgType::mtWarning, mbOK);
}

} // namespace zelta
