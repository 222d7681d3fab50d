// The main window: the three phases as framed groups, the report log, the toolbar row and the
// menu. Its construction creates the program's shared objects; its handlers run the commands.
#pragma once

#include "app/Program.h"
#include "render/BoardPicture.h"
#include "ui/Prompter.h"
#include "ui/QtHost.h"

#include <QMainWindow>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTimer;

namespace zelta::ui {

class BoardView;
class HelpWindow;
class TAboutBox;
class TForm2;
class TForm4;

class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    TForm1(const ProgramOptions& options, Prompter& prompter, HelpWindow& help);
    ~TForm1() override;

    // The other forms, set by the start-up once they exist.
    TForm2* Form2 = nullptr;
    TAboutBox* AboutBox = nullptr;
    TForm4* Form4 = nullptr;

    // Controls, top to bottom.
    QLabel* Image1;
    QPushButton* BtnOpz;
    QPushButton* BtnBoardView;
    QPushButton* BitBtn1;
    QGroupBox* GroupBox1;
    QPushButton* start1;
    QPushButton* DimPiste;
    QLineEdit* file_in;
    QLineEdit* righe_in;
    QLineEdit* warning;
    QLineEdit* piaztot;
    QLineEdit* nettot;
    QLineEdit* larg;
    QLineEdit* alt;
    QGroupBox* GroupBox2;
    QPushButton* start2;
    QPushButton* stop2;
    QLineEdit* ciclitot;
    QLineEdit* ciclivuoto;
    QLineEdit* piazzscoll;
    QLineEdit* valore;
    QLineEdit* ponticelli;
    QProgressBar* barra;
    QGroupBox* GroupBox3;
    QPushButton* start3;
    QLineEdit* file_out;
    QLineEdit* piste_out;
    QLineEdit* righe_out;
    QPlainTextEdit* report;
    QTimer* Timer1;

    // Menu entries.
    QAction* MenuStart1;
    QAction* MenuStart2;
    QAction* MenuExport;
    QAction* MenuProduction;
    QAction* MenuSaveReport;
    QAction* N2;
    QAction* N3;
    QAction* MenuExit;
    QAction* Uscita1;
    QAction* Modificaopzioni1;
    QAction* MenuBoardView;
    QAction* MenuHelp;
    QAction* MenuAbout;
    QAction* Web1;
    QAction* Informazioni1;

    // The shared objects and the seam they reach the window through.
    std::unique_ptr<QtHost> host;
    std::unique_ptr<Program> program;

    // The board view, made when first opened.
    BoardView* boardView = nullptr;

    void start1Click();
    void start3Click();
    void DimPisteClick();
    void start2Click();
    void stop2Click();
    void BtnOpzClick();
    void MenuHelpClick();
    void MenuAboutClick();
    void Web1Click();
    void BitBtn1Click();
    void Informazioni1Click();
    // While processing: the bar follows the laps since the best one against the idle stop.
    void Timer1Timer();
    void showBoardView();
    void exportImage();
    // "Esporta per la produzione...": the manufacturing files of the drawing last saved, or else
    // of the drawing last opened, read from disk.
    void exportProduction();
    // The drawing that exportProduction exports; empty when none was opened or saved.
    const std::string& productionDrawing() const { return productionDrawing_; }
    // "Salva report...": every line of the report since the last read, not only those the log
    // still shows.
    void saveReport();

    // The board of the last read with the best lap so far, from the window's own copy of it.
    BoardPicture boardPicture() const;
    // Whether a lap has ended since the last read: the window holds a copy of its best plane.
    bool hasBestLap() const { return bestPlane_ != nullptr; }

    // Idle or processing: which commands can be used, and the bar.
    void setProcessingState(bool processing);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void createControls();
    void createMenu();
    void connectCommands();
    // Asks before routed results that were not saved are lost with the window.
    bool mayClose();
    // Runs a command; an exception that escapes it is shown and the window goes on.
    void run(const std::function<void()>& command);
    // The name the save dialogs propose: the drawing's own, with another extension ("" when no
    // drawing was read).
    std::string besideDrawing(const char* extension) const;
    // Takes the best plane the worker handed over last (on the window's thread).
    void takeBestPlane();
    // Shows what the worker produced since the last time, and takes in a stop it made by itself.
    void takeWorkerOutput();
    // After a read or a track-width reset: a best lap whose results are gone is dropped, and
    // the view shows the board as it now is.
    void boardChanged();

    HelpWindow& help_;
    std::string productionDrawing_;
    // The worker's output is taken at most once a tick of this timer: however fast the laps run,
    // the window repaints its figures and log a few times a second and stays free for clicks.
    QTimer* outputTimer_;
    // The worker leaves its latest best plane here and posts one call to take it: a burst of
    // improving laps makes one update of the view, with the newest plane.
    std::mutex handoverMutex_;
    // A copy of the best lap: its plane and its jumpers.
    struct BestLap {
        std::vector<int32_t> plane;
        JumperList jumpers;
    };
    std::shared_ptr<const BestLap> handover_;
    bool handoverPosted_ = false;
    std::shared_ptr<const BestLap> bestPlane_;
};

} // namespace zelta::ui
