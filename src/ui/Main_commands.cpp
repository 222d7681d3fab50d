// The main window's handlers: each runs one command of the program, and the window switches
// between its idle and processing states.
#include "ui/Main.h"

#include "app/SaveVerdict.h"
#include "core/Messages.h"
#include "core/Report.h"
#include "production/ProductionSet.h"
#include "render/ImageFiles.h"
#include "ui/About.h"
#include "ui/BoardView.h"
#include "ui/HelpWindow.h"
#include "ui/Opzioni.h"
#include "ui/ProductionDialog.h"
#include "ui/Spessore.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <exception>

namespace zelta::ui {

namespace {

// Pixels per millimetre of an exported PNG (an SVG keeps the board's true size).
constexpr double ExportScale = 10;

} // namespace

void TForm1::connectCommands() {
    auto bind = [this](auto* sender, auto signal, void (TForm1::*handler)()) {
        connect(sender, signal, this, [this, handler] { run([this, handler] { (this->*handler)(); }); });
    };
    bind(start1, &QPushButton::clicked, &TForm1::start1Click);
    bind(MenuStart1, &QAction::triggered, &TForm1::start1Click);
    bind(start3, &QPushButton::clicked, &TForm1::start3Click);
    bind(MenuStart2, &QAction::triggered, &TForm1::start3Click);
    bind(DimPiste, &QPushButton::clicked, &TForm1::DimPisteClick);
    bind(N2, &QAction::triggered, &TForm1::DimPisteClick);
    bind(start2, &QPushButton::clicked, &TForm1::start2Click);
    bind(N3, &QAction::triggered, &TForm1::start2Click);
    bind(stop2, &QPushButton::clicked, &TForm1::stop2Click);
    bind(MenuExit, &QAction::triggered, &TForm1::stop2Click);
    bind(BtnOpz, &QPushButton::clicked, &TForm1::BtnOpzClick);
    bind(Modificaopzioni1, &QAction::triggered, &TForm1::BtnOpzClick);
    bind(MenuHelp, &QAction::triggered, &TForm1::MenuHelpClick);
    bind(MenuAbout, &QAction::triggered, &TForm1::MenuAboutClick);
    bind(Web1, &QAction::triggered, &TForm1::Web1Click);
    bind(BitBtn1, &QPushButton::clicked, &TForm1::BitBtn1Click);
    bind(Informazioni1, &QAction::triggered, &TForm1::Informazioni1Click);
    bind(BtnBoardView, &QPushButton::clicked, &TForm1::showBoardView);
    bind(MenuBoardView, &QAction::triggered, &TForm1::showBoardView);
    bind(MenuExport, &QAction::triggered, &TForm1::exportImage);
    bind(MenuProduction, &QAction::triggered, &TForm1::exportProduction);
    bind(MenuSaveReport, &QAction::triggered, &TForm1::saveReport);
    connect(Uscita1, &QAction::triggered, this, &QWidget::close);
    connect(Timer1, &QTimer::timeout, this, &TForm1::Timer1Timer);
}

void TForm1::run(const std::function<void()>& command) {
    try {
        command();
    } catch (const std::exception& e) {
        host->messageDlg(e.what(), MsgDlgType::mtError, mbOK);
    }
}

void TForm1::start1Click() {
    // A read that begins clears the unsaved mark; one the person declined leaves it set.
    const bool declined = [&] {
        const bool unsaved = program->fcd->resultsUnsaved;
        program->openFcd();
        return unsaved && program->fcd->resultsUnsaved;
    }();
    if (!declined)
        productionDrawing_ = program->fcd->status == StatusCancelled ? std::string() : program->fcd->fcdPath;
    boardChanged();
}

void TForm1::start3Click() {
    const std::optional<std::string> written = program->save();
    if (!written)
        return;
    productionDrawing_ = *written;
    // The file is the person's, written whatever the check finds; the box says what it found.
    const SaveVerdict verdict = reportSaveVerdict(*host, *written, *program->settings);
    if (verdict.worrying)
        host->messageDlg(verdict.warning, MsgDlgType::mtWarning, mbOK);
}

void TForm1::DimPisteClick() {
    if (!program->prepareTrackWidths())
        return;
    boardChanged();
    Form4->exec();
}

void TForm1::start2Click() {
    program->stopRules.idleLaps = std::max(0, program->settings->ferma_vuoto);
    program->startProcessing();
}

void TForm1::stop2Click() {
    program->stopProcessing();
}

void TForm1::BtnOpzClick() {
    Form2->exec();
    program->optionsDialogClosed();
}

void TForm1::MenuHelpClick() {
    help_.showContents();
}

void TForm1::MenuAboutClick() {
    help_.showContext(HelpNovita);
}

void TForm1::Web1Click() {
    help_.showContext(HelpLicenza);
}

void TForm1::BitBtn1Click() {
    help_.showContext(HelpMainWindow);
}

void TForm1::Informazioni1Click() {
    AboutBox->exec();
}

void TForm1::Timer1Timer() {
    // Without an idle stop the bar is the toolkit's busy bar, which moves by itself.
    if (barra->maximum() > 0)
        barra->setValue(std::clamp(ciclivuoto->text().toInt(), 0, barra->maximum()));
}

void TForm1::showBoardView() {
    const bool opening = !boardView || !boardView->isVisible();
    if (!boardView)
        boardView = new BoardView(this);
    boardView->setPicture(boardPicture());
    boardView->show();
    if (opening)
        boardView->fitBoard();
    boardView->raise();
    boardView->activateWindow();
}

std::string TForm1::besideDrawing(const char* extension) const {
    if (program->fcd->fcdPath.empty())
        return {};
    const QFileInfo drawing(QString::fromStdString(program->fcd->fcdPath));
    return drawing.dir().filePath(drawing.completeBaseName() + QLatin1String(extension)).toStdString();
}

void TForm1::exportImage() {
    if (!hasBestLap()) {
        host->messageDlg(msg::NothingToExport, MsgDlgType::mtInformation, mbOK);
        return;
    }
    const std::optional<std::string> chosen =
        host->saveFileDialog({msg::ExportDefaultExt, msg::ExportFilter, besideDrawing(".png")});
    if (!chosen)
        return;
    const QString type = QFileInfo(QString::fromStdString(*chosen)).suffix().toLower();
    std::string problem;
    if (type == QLatin1String("svg"))
        problem = writeSvg(*chosen, boardPicture(), ExportScale);
    else if (type == QLatin1String("png"))
        problem = writePng(*chosen, boardPicture(), ExportScale);
    else {
        host->messageDlg(strprintf(msg::ExportUnknownType, chosen->c_str()), MsgDlgType::mtWarning, mbOK);
        return;
    }
    if (!problem.empty())
        host->messageDlg(strprintf(msg::ExportFailed, problem.c_str()), MsgDlgType::mtError, mbOK);
}

void TForm1::exportProduction() {
    if (productionDrawing_.empty()) {
        host->messageDlg(msg::ProductionNothing, MsgDlgType::mtInformation, mbOK);
        return;
    }
    program->drainWorkerOutput();
    ProductionDialog dialog(this, [this](const std::string& start) { return host->chooseFolder(start); });
    dialog.prepare(productionDrawing_, proposedFolder(productionDrawing_), program->fcd->resultsUnsaved);
    if (dialog.exec() != QDialog::Accepted)
        return;
    ProductionRequest request;
    request.drawing = productionDrawing_;
    request.folder = dialog.folder();
    request.mirror = dialog.mirror();
    request.protectedFiles = {program->settings->iniFile, program->settings->readFrom};
    const ProductionResult result = writeProductionSet(request, *program->settings);
    std::string text;
    if (result.outcome == ProductionOutcome::Written) {
        text = strprintf(msg::ProductionWritten, request.folder.c_str());
        for (const std::string& file : result.files) {
            text += '\n';
            text += QFileInfo(QString::fromStdString(file)).fileName().toStdString();
        }
    } else {
        text = result.message;
    }
    if (result.padsLeftOut > 0)
        text += "\n\n";
    text += strprintf(msg::ProductionPadsLeftOut, result.padsLeftOut);
    const bool written = result.outcome == ProductionOutcome::Written;
    host->messageDlg(text, written ? MsgDlgType::mtInformation : MsgDlgType::mtError, mbOK);
}

void TForm1::saveReport() {
    const std::optional<std::string> chosen =
        host->saveFileDialog({msg::ReportDefaultExt, msg::ReportFilter, besideDrawing(".txt")});
    if (!chosen)
        return;
    // The worker's lines still on their way belong in the file too.
    program->drainWorkerOutput();
    const std::string problem = host->spool.saveTo(*chosen);
    if (!problem.empty())
        host->messageDlg(strprintf(msg::ReportSaveFailed, problem.c_str()), MsgDlgType::mtError, mbOK);
}

void TForm1::takeWorkerOutput() {
    if (!program)
        return;
    program->drainWorkerOutput();
    // A run that stopped by itself ends as if Stop el. had been pressed.
    if (program->processing() && program->stoppedByItself())
        stop2Click();
}

BoardPicture TForm1::boardPicture() const {
    BoardPicture picture = padsPicture(*program->fcd, *program->settings);
    if (bestPlane_)
        addBestLap(picture, bestPlane_->plane.data(), *program->netTable, bestPlane_->jumpers,
                   program->settings->metodo);
    return picture;
}

void TForm1::takeBestPlane() {
    std::shared_ptr<const BestLap> plane;
    {
        std::lock_guard lock(handoverMutex_);
        plane = std::move(handover_);
        handoverPosted_ = false;
    }
    if (!plane)
        return;
    bestPlane_ = std::move(plane);
    if (boardView)
        boardView->setPicture(boardPicture());
}

void TForm1::boardChanged() {
    // The worker is not running here (the commands that call this are refused while it runs),
    // and the one that made the results is gone: nothing it handed over is still on its way.
    if (!program->tracer->resultsReady) {
        std::lock_guard lock(handoverMutex_);
        handover_.reset();
        bestPlane_.reset();
    }
    if (boardView)
        boardView->setPicture(boardPicture());
}

void TForm1::setProcessingState(bool processing) {
    for (QPushButton* b : {start1, start2, start3, BtnOpz, DimPiste})
        b->setEnabled(!processing);
    for (QAction* a : {MenuStart1, MenuStart2, MenuProduction, N2, N3, Modificaopzioni1})
        a->setEnabled(!processing);
    stop2->setEnabled(processing);
    MenuExit->setEnabled(processing);
    if (processing) {
        // A run has no natural end: the bar measures only what stops it by itself, the laps
        // without a better one against the idle stop; with none it is a busy bar.
        const int idleStop = program ? std::max(0, program->stopRules.idleLaps) : 0;
        barra->setRange(0, idleStop);
        barra->setValue(0);
        barra->setToolTip(idleStop > 0 ? QStringLiteral("Giri a vuoto, fino a %1").arg(idleStop)
                                       : QStringLiteral("Elaborazione in corso"));
    }
    barra->setVisible(processing);
}

bool TForm1::mayClose() {
    if (!program)
        return true;
    // The worker waits between two connections while the person answers, so the flag read
    // below is the last word and the question does not race the laps.
    const bool wasRunning = program->processing();
    if (wasRunning)
        program->holdWorker();
    program->drainWorkerOutput();
    if (program->fcd->resultsUnsaved && host->messageDlg(msg::UnsavedResults, MsgDlgType::mtConfirmation,
                                                         mbYes | mbNo) == ModalResult::mrNo) {
        if (wasRunning)
            program->releaseWorker();
        return false;
    }
    return true;
}

void TForm1::closeEvent(QCloseEvent* event) {
    // A worker paused here is ended with the shared objects when the window goes.
    if (mayClose())
        event->accept();
    else
        event->ignore();
}

} // namespace zelta::ui
