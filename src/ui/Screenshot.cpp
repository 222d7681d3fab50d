// zelta-screenshot: runs the desktop program's windows (best offscreen), opens and routes a
// board for a few laps, stops, saves, and writes a PNG of the main window, of each dialog (the
// basic options also as reopened after Abort), of the board view (as it opens, then with a net
// highlighted) and of the help window (contents, and the board view's page), and the board's
// exported picture.
//   zelta-screenshot --board B.fcd --ini B.ini --laps N --out DIR
#include "render/ImageFiles.h"
#include "ui/About.h"
#include "ui/BoardView.h"
#include "ui/HelpWindow.h"
#include "ui/Main.h"
#include "ui/Opzioni.h"
#include "ui/Opzioni2.h"
#include "ui/Spessore.h"
#include "ui/Startup.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <atomic>
#include <cstdio>

namespace {

using namespace zelta;
using namespace zelta::ui;

// Answers every question at once: the board to open, the file to save, Yes and OK.
class Autopilot : public Prompter {
public:
    std::string board;
    std::string output;
    ModalResult messageDlg(QWidget*, const std::string& text, MsgDlgType, unsigned buttons) override {
        std::fprintf(stderr, "[messaggio] %s\n", text.c_str());
        return (buttons & mbYes) ? ModalResult::mrYes : ModalResult::mrOk;
    }
    std::optional<std::string> openFileDialog(QWidget*, const FileDialogSpec&) override { return board; }
    std::optional<std::string> saveFileDialog(QWidget*, const FileDialogSpec&) override { return output; }
};

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

    Autopilot autopilot;
    autopilot.board = QFileInfo(board).absoluteFilePath().toStdString();
    autopilot.output = QDir(scratch.path()).filePath(QStringLiteral("routed.fcd")).toStdString();
    StartupOptions options;
    options.program.iniPath = iniCopy.toStdString();
    options.prompter = &autopilot;
    Forms forms(options);
    TForm1& main = *forms.Form1;
    main.show();

    main.start1Click();
    if (main.program->fcd->status != StatusComplete)
        return 1;
    main.program->onLapEnd = [&main, laps](const LapFigures& lap) {
        if (lap.laps >= laps)
            main.program->thread->control.pauseAtNextCheckpoint();
    };
    main.start2->click();
    if (!waitFor([&] { return main.program->thread->control.paused(); }, 120000)) {
        std::fprintf(stderr, "zelta-screenshot: i giri non finiscono\n");
        return 1;
    }
    main.Timer1Timer();
    main.Timer1Timer();
    bool ok = save(main, dir, "main-processing.png");
    main.stop2->click();
    main.start3->click();
    ok = save(main, dir, "main.png") && ok;

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
    return ok ? 0 : 1;
}
