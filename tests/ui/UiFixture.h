// A fixture that starts the whole desktop program offscreen, with its settings in a scratch
// folder and a prompter that answers message boxes and file choices from a script.
#pragma once

#include "support/TestFiles.h"
#include "ui/Main.h"
#include "ui/Prompter.h"
#include "ui/Startup.h"

#include <QApplication>
#include <QStringList>
#include <deque>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

QT_BEGIN_NAMESPACE
// Readable Qt strings in failure messages.
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}
QT_END_NAMESPACE

namespace zelta::testing {

struct PromptedMessage {
    std::string text;
    MsgDlgType type;
    unsigned buttons;
};

// Answers in order; with no answer left: Yes (or OK) for message boxes, cancel for files.
class ScriptedPrompter : public ui::Prompter {
public:
    ModalResult messageDlg(QWidget* parent, const std::string& text, MsgDlgType type,
                           unsigned buttons) override;
    std::optional<std::string> openFileDialog(QWidget* parent, const FileDialogSpec& request) override;
    std::optional<std::string> saveFileDialog(QWidget* parent, const FileDialogSpec& request) override;
    std::optional<std::string> chooseFolder(QWidget* parent, const std::string& start) override;

    std::deque<std::optional<std::string>> openAnswers;
    std::deque<std::optional<std::string>> folderAnswers;
    std::vector<std::string> folderStarts;
    std::deque<std::optional<std::string>> saveAnswers;
    std::deque<ModalResult> messageAnswers;
    std::vector<PromptedMessage> messages;
    std::vector<FileDialogSpec> saveDialogs;
    // Runs while a message box would show (the worker may be checked for being paused).
    std::function<void()> duringMessage;
};

class UiTest : public ::testing::Test {
protected:
    ~UiTest() override;

    // Starts the program with the settings file copied from tests/data/boards/iniName ("" for
    // no settings file).
    void startProgram(const std::string& iniName = "");
    // Starts it with a settings file of this content.
    void startProgramWithIni(const std::string& content);
    void openBoard(const std::string& boardName);
    // Starts processing and waits until the worker has paused by itself after lap `laps`.
    void routeLaps(int laps);

    ui::TForm1& window() { return *forms->Form1; }
    Program& program() { return *forms->Form1->program; }
    // The text of a field of the main window.
    std::string text(const char* lineEditName);
    QStringList reportLines();
    std::string lastMessage() const;
    // Lets the event loop run until done() holds; false after the time is up.
    static bool waitUntil(const std::function<bool()>& done, int milliseconds = 20000);
    // Runs action on the next modal dialog once it shows (call just before what opens it).
    static void whenModalShows(const std::function<void(QWidget*)>& action);

    ScratchDir scratch;
    ScriptedPrompter prompter;
    std::string iniPath;
    std::unique_ptr<ui::Forms> forms;
};

} // namespace zelta::testing
