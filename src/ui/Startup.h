// Start-up: the help window, then the five forms in their fixed order. The main window's
// construction creates the shared objects, so the settings are read before the dialogs exist.
#pragma once

#include "app/Program.h"
#include "ui/Prompter.h"
#include "ui/StartDrawing.h"

#include <memory>
#include <string>

class QApplication;

namespace zelta::ui {

class HelpWindow;
class TAboutBox;
class TForm1;
class TForm2;
class TForm3;
class TForm4;

struct StartupOptions {
    ProgramOptions program;
    // Message boxes and file choices; null: the toolkit's modal dialogs.
    Prompter* prompter = nullptr;
    // A drawing to open as soon as the main window shows, as if chosen in the open dialog.
    std::string drawing;
};

class Forms {
public:
    // Settings that cannot be used are in the program's settings->readOutcome.
    explicit Forms(const StartupOptions& options);
    ~Forms();
    Forms(const Forms&) = delete;
    Forms& operator=(const Forms&) = delete;

    // Shows the main window, tells of a settings file that could not be read, and, once the event
    // loop runs, opens the drawing of the start-up options with the open command.
    void showMainWindow();

    std::unique_ptr<HelpWindow> help;
    // Owns the four dialogs, which are its children.
    std::unique_ptr<TForm1> Form1;
    TForm2* Form2 = nullptr;
    TForm3* Form3 = nullptr;
    TAboutBox* AboutBox = nullptr;
    TForm4* Form4 = nullptr;

private:
    ModalPrompter modalPrompter_;
    std::unique_ptr<FirstOpenAnswer> startDrawing_;
};

// Names the application and makes the toolkit's own texts Italian; run before any form is made.
void initializeApplication(QApplication& app);

// The whole program: the forms, the main window shown, the event loop. A settings file that
// cannot be used is shown, and the program ends with exit code 1.
int runZelta(QApplication& app, const StartupOptions& options);

} // namespace zelta::ui
