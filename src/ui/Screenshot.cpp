// zelta-screenshot: runs the desktop program's windows (best offscreen), opens and routes a
// board for a few laps, stops, saves, and writes a PNG of the main window, of each dialog (the
// basic options also as reopened after Abort), of the board view (as it opens, then with a net
// highlighted), of the export dialog, of the help window (contents, and the board view's page),
// of the open and save dialogs (with the question before replacing a file), the warning after a
// save whose copper breaks the design rules (when it does), and the board's exported picture;
// last, the board view of the same board read again with jumpers drawn in.
//   zelta-screenshot --board B.fcd --ini B.ini --laps N --out DIR
#include "app/SaveVerdict.h"
#include "core/Jumper.h"
#include "core/Messages.h"
#include "render/ImageFiles.h"
#include "ui/About.h"
#include "ui/BoardView.h"
#include "ui/HelpWindow.h"
#include "ui/Main.h"
#include "ui/Opzioni.h"
#include "ui/Opzioni2.h"
#include "ui/ProductionDialog.h"
#include "ui/Spessore.h"
#include "ui/Startup.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

using namespace zelta;
using namespace zelta::ui;

bool save(QWidget& window, const QDir& dir, const char* name) {
    window.show();
    window.raise();
    QApplication::processEvents();
    const QString path = dir.filePath(QLatin1String(name));
    if (!window.grab().save(path)) {
        std::fprintf(stderr, "zelta-screenshot: impossibile scrivere %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

// Runs the steps in order, each on the next dialog that becomes the active modal window (one
// that no earlier step had), while the program waits in a modal dialog of its own.
class ModalSteps : public QObject {
public:
    explicit ModalSteps(std::vector<std::function<void(QWidget*)>> steps) : steps_(std::move(steps)) {
        timer_.setInterval(20);
        QObject::connect(&timer_, &QTimer::timeout, this, [this] { poll(); });
        timer_.start();
    }
    bool finished() const { return next_ == steps_.size(); }

private:
    void poll() {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || finished() || seen_.contains(modal))
            return;
        seen_.append(modal);
        steps_[next_++](modal);
    }

    std::vector<std::function<void(QWidget*)>> steps_;
    size_t next_ = 0;
    QList<QPointer<QWidget>> seen_;
    QTimer timer_;
};

// The toolkit's own open and save dialogs as the program shows them, and the save dialog's
// question before it replaces a file that exists.
bool saveFileDialogs(QWidget& parent, const QDir& dir, const std::string& existing) {
    bool ok = true;
    QPointer<QWidget> saveDialog;
    ModalSteps steps({
        [&](QWidget* open) {
            ok = save(*open, dir, "apri.png") && ok;
            QMetaObject::invokeMethod(open, "reject", Qt::QueuedConnection);
        },
        [&](QWidget* dialog) {
            saveDialog = dialog;
            ok = save(*dialog, dir, "salva.png") && ok;
            QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
        },
        [&](QWidget* question) {
            ok = save(*question, dir, "sostituisci.png") && ok;
            // No to the question, which leaves the save dialog open; then that is cancelled.
            QTimer::singleShot(0, question, [question, &saveDialog] {
                if (auto* box = qobject_cast<QMessageBox*>(question))
                    box->button(QMessageBox::No)->click();
                QMetaObject::invokeMethod(saveDialog, "reject", Qt::QueuedConnection);
            });
        },
    });
    ModalPrompter modal;
    const FileDialogSpec drawing{msg::FcdDefaultExt, msg::FcdFilter, ""};
    modal.openFileDialog(&parent, drawing);
    modal.saveFileDialog(&parent, {msg::FcdDefaultExt, msg::FcdFilter, existing});
    if (!steps.finished()) {
        std::fprintf(stderr, "zelta-screenshot: i dialoghi dei file non si sono aperti tutti\n");
        return false;
    }
    return ok;
}

// The warning box after a save whose copper breaks the design rules, as the program shows it; a
// board whose routed copper keeps them shows none and has no picture.
bool saveVerdictWarning(QWidget& parent, const QDir& dir, const std::string& written,
                        const GestoreFileINI& settings) {
    const SaveVerdict verdict = verdictOnSavedFile(written, settings);
    if (!verdict.worrying)
        return true;
    bool ok = true;
    ModalSteps steps({[&](QWidget* box) {
        ok = save(*box, dir, "avviso-verifica.png") && ok;
        QMetaObject::invokeMethod(box, "accept", Qt::QueuedConnection);
    }});
    ModalPrompter().messageDlg(&parent, verdict.warning, MsgDlgType::mtWarning, mbOK);
    return steps.finished() && ok;
}

// Lets the event loop run until done() or the time is up.
template <typename Done> bool waitFor(Done done, int milliseconds) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > milliseconds)
            return false;
        QApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
    QApplication::processEvents();
    return true;
}

// The board's text with jumpers added: wires on the component side, each between two pads of one
// net that share a row (the first wire) or a column (the second), passing over no other pad: the
// longest such wire of 6 to 25 grid steps, so that tracks of other nets will pass under it. Empty
// when no two pads qualify either way.
std::string withJumpers(const QString& board, const std::vector<PlacedPad>& pads) {
    constexpr int64_t MinLength = 60;
    constexpr int64_t MaxLength = 250;
    // Whether a pad other than a and b comes within a grid step of the wire between them.
    const auto clear = [&pads](const PlacedPad& a, const PlacedPad& b) {
        for (const PlacedPad& p : pads)
            if (&p != &a && &p != &b && p.x > std::min(a.x, b.x) - 10 && p.x < std::max(a.x, b.x) + 10 &&
                p.y > std::min(a.y, b.y) - 10 && p.y < std::max(a.y, b.y) + 10)
                return false;
        return true;
    };
    std::string wires;
    for (bool inRow : {true, false}) {
        const PlacedPad* best[2] = {nullptr, nullptr};
        int64_t bestLength = 0;
        for (size_t i = 0; i < pads.size(); ++i)
            for (size_t k = i + 1; k < pads.size(); ++k) {
                const PlacedPad& a = pads[i];
                const PlacedPad& b = pads[k];
                if (a.net == 0 || a.net != b.net || (inRow ? a.y != b.y : a.x != b.x))
                    continue;
                const int64_t length = std::abs(int64_t{a.x} - b.x) + std::abs(int64_t{a.y} - b.y);
                if (length >= MinLength && length <= MaxLength && length > bestLength && clear(a, b)) {
                    best[0] = &a;
                    best[1] = &b;
                    bestLength = length;
                }
            }
        if (best[0])
            wires += "PL " + std::to_string(best[0]->x) + " " + std::to_string(best[0]->y) + " " +
                     std::to_string(best[1]->x) + " " + std::to_string(best[1]->y) + " 5 " +
                     std::to_string(JumperLayer) + " " + std::to_string(best[0]->net) + "\n";
    }
    QFile in(board);
    if (wires.empty() || !in.open(QIODevice::ReadOnly))
        return {};
    std::string text = in.readAll().toStdString();
    if (!text.empty() && text.back() != '\n')
        text += '\n';
    return text + wires;
}

// The board view of the same board read again with jumpers drawn in, and routed. A board where
// no two pads qualify for a jumper has no such view.
bool saveJumperView(TForm1& main, Autopilot& autopilot, const QString& scratch, const QDir& dir, int laps) {
    const std::string jumpered =
        withJumpers(QString::fromStdString(autopilot.board), main.program->fcd->placedPads);
    if (jumpered.empty()) {
        std::fprintf(stderr, "zelta-screenshot: nessuna coppia di piazzole per un ponticello\n");
        return true;
    }
    const QString jumperBoard = QDir(scratch).filePath(QStringLiteral("ponticello.fcd"));
    QFile jumperFile(jumperBoard);
    if (!jumperFile.open(QIODevice::WriteOnly) ||
        jumperFile.write(jumpered.data(), static_cast<qint64>(jumpered.size())) !=
            static_cast<qint64>(jumpered.size())) {
        std::fprintf(stderr, "zelta-screenshot: impossibile scrivere %s\n", qPrintable(jumperBoard));
        return false;
    }
    jumperFile.close();
    autopilot.board = jumperBoard.toStdString();
    main.start1Click();
    if (main.program->fcd->status != StatusComplete || main.program->fcd->existingJumpers.empty())
        return false;
    main.program->stopRules.laps = laps;
    main.start2->click();
    if (!waitFor([&] { return !main.program->processing(); }, 120000)) {
        std::fprintf(stderr, "zelta-screenshot: i giri non finiscono\n");
        return false;
    }
    main.showBoardView();
    // A click on bare board, in the outline's corner, clears the highlight of the earlier view.
    BoardView& view = *main.boardView;
    const QPointF corner =
        view.canvas->toWidget(QPointF(view.picture().originX + 1, view.picture().originY + 1));
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent click(type, corner, view.canvas->mapToGlobal(corner), Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(view.canvas, &click);
    }
    return save(view, dir, "anteprima-ponticello.png");
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    initializeApplication(app);

    QString board, ini, out = QStringLiteral("screenshots");
    int laps = 5;
    const QStringList args = QApplication::arguments();
    for (int i = 1; i + 1 < args.size(); i += 2) {
        if (args[i] == QLatin1String("--board"))
            board = args[i + 1];
        else if (args[i] == QLatin1String("--ini"))
            ini = args[i + 1];
        else if (args[i] == QLatin1String("--laps"))
            laps = args[i + 1].toInt();
        else if (args[i] == QLatin1String("--out"))
            out = args[i + 1];
    }
    if (board.isEmpty() || laps < 1) {
        std::fprintf(stderr, "uso: zelta-screenshot --board B.fcd [--ini B.ini] [--laps N] [--out DIR]\n");
        return 2;
    }

    // The settings and the results live in a scratch folder; the given files are only read.
    QTemporaryDir scratch;
    const QString iniCopy = QDir(scratch.path()).filePath(QStringLiteral("zelta.ini"));
    if (!ini.isEmpty() && !QFile::copy(ini, iniCopy)) {
        std::fprintf(stderr, "zelta-screenshot: impossibile leggere %s\n", qPrintable(ini));
        return 2;
    }
    QDir dir(out);
    if (!dir.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "zelta-screenshot: impossibile creare %s\n", qPrintable(out));
        return 2;
    }
    // The file dialogs are shown from another working folder.
    dir.makeAbsolute();

    Autopilot autopilot;
    autopilot.board = QFileInfo(board).absoluteFilePath().toStdString();
    autopilot.output = QDir(scratch.path()).filePath(QStringLiteral("routed.fcd")).toStdString();
    autopilot.echo = true;
    StartupOptions options;
    options.program.iniPath = iniCopy.toStdString();
    options.prompter = &autopilot;
    Forms forms(options);
    TForm1& main = *forms.Form1;
    main.show();

    main.start1Click();
    if (main.program->fcd->status != StatusComplete)
        return 1;
    // The run stops by itself after the laps asked for. The window is pictured before it takes
    // that stop in (its hand-over of the worker's output is held back meanwhile), so the picture
    // shows the processing state with the figures of the last lap.
    const std::function<void()> handOver = main.program->onWorkerOutput;
    main.program->onWorkerOutput = nullptr;
    main.program->stopRules.laps = laps;
    main.start2->click();
    QElapsedTimer clock;
    clock.start();
    while (!(main.program->stoppedByItself() && main.program->workerPaused())) {
        if (clock.elapsed() > 120000) {
            std::fprintf(stderr, "zelta-screenshot: i giri non finiscono\n");
            return 1;
        }
        QThread::msleep(5);
    }
    main.program->drainWorkerOutput();
    main.Timer1Timer();
    main.Timer1Timer();
    bool ok = save(main, dir, "main-processing.png");
    main.program->onWorkerOutput = handOver;
    main.stop2->click();
    main.start3->click();
    ok = save(main, dir, "main.png") && ok;
    ok = saveVerdictWarning(main, dir, autopilot.output, *main.program->settings) && ok;

    TForm2& basicOptions = *forms.Form2;
    ok = save(basicOptions, dir, "opzioni.png") && ok;
    // Other choices dropped by Abort: opened again, the dialog shows the settings as they were.
    (basicOptions.Dimauto->isChecked() ? basicOptions.Dimman : basicOptions.Dimauto)->click();
    basicOptions.larg->setText(QStringLiteral("999"));
    basicOptions.BitBtn2->click();
    ok = save(basicOptions, dir, "opzioni-dopo-abort.png") && ok;
    basicOptions.hide();
    ok = save(*forms.Form3, dir, "opzioni-avanzate.png") && ok;
    forms.Form3->hide();
    ok = save(*forms.Form4, dir, "larghezza-piste.png") && ok;
    forms.Form4->hide();
    ok = save(*forms.AboutBox, dir, "informazioni.png") && ok;
    forms.AboutBox->hide();
    {
        // The export dialog as the File menu opens it after the save.
        ProductionDialog production(&main, [](const std::string&) { return std::nullopt; });
        production.prepare(main.productionDrawing(), proposedFolder(main.productionDrawing()), false);
        ok = save(production, dir, "esporta-produzione.png") && ok;
    }
    main.showBoardView();
    ok = save(*main.boardView, dir, "anteprima.png") && ok;
    // The same view with a net clicked on: that of the first pad left unconnected, so that its
    // rat lines show, else that of the first pad with a net.
    BoardView& view = *main.boardView;
    const std::vector<PicturePad>& pads = view.picture().pads;
    auto pad = std::find_if(pads.begin(), pads.end(), [](const PicturePad& p) { return p.unconnected; });
    if (pad == pads.end())
        pad = std::find_if(pads.begin(), pads.end(), [](const PicturePad& p) { return p.net != 0; });
    if (pad != pads.end()) {
        const QPointF at = view.canvas->toWidget(QPointF(pad->x, pad->y));
        const QPointF global = view.canvas->mapToGlobal(at);
        QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton,
                            Qt::NoModifier);
        QApplication::sendEvent(view.canvas, &press);
        QApplication::sendEvent(view.canvas, &release);
    }
    ok = save(view, dir, "anteprima-net.png") && ok;
    view.hide();
    const QString picture = dir.filePath(QStringLiteral("scheda.png"));
    if (const std::string problem = writePng(picture.toStdString(), main.boardPicture(), 10);
        problem.empty()) {
        std::printf("%s\n", qPrintable(picture));
    } else {
        std::fprintf(stderr, "zelta-screenshot: %s\n", problem.c_str());
        ok = false;
    }
    forms.help->showContents();
    ok = save(*forms.help, dir, "guida.png") && ok;
    forms.help->showContext(HelpMainWindow);
    forms.help->browser()->scrollToAnchor(QStringLiteral("anteprima"));
    ok = save(*forms.help, dir, "guida-anteprima.png") && ok;
    forms.help->hide();
    // The open dialog starts in the board's folder; the save dialog proposes the routed file,
    // which exists by now.
    QDir::setCurrent(QFileInfo(board).absolutePath());
    ok = saveFileDialogs(main, dir, autopilot.output) && ok;

    ok = saveJumperView(main, autopilot, scratch.path(), dir, laps) && ok;
    return ok ? 0 : 1;
}
