// The desktop program under test.
#include "UiFixture.h"

#include <QElapsedTimer>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QThread>
#include <QTimer>

namespace zelta::testing {

ModalResult ScriptedPrompter::messageDlg(QWidget*, const std::string& text, MsgDlgType type,
                                         unsigned buttons) {
    messages.push_back({text, type, buttons});
    if (duringMessage)
        duringMessage();
    if (!messageAnswers.empty()) {
        ModalResult r = messageAnswers.front();
        messageAnswers.pop_front();
        return r;
    }
    return (buttons & mbYes) ? ModalResult::mrYes : ModalResult::mrOk;
}

std::optional<std::string> ScriptedPrompter::openFileDialog(QWidget*, const FileDialogSpec&) {
    if (openAnswers.empty())
        return std::nullopt;
    auto r = openAnswers.front();
    openAnswers.pop_front();
    return r;
}

std::optional<std::string> ScriptedPrompter::chooseFolder(QWidget*, const std::string& start) {
    folderStarts.push_back(start);
    if (folderAnswers.empty())
        return std::nullopt;
    auto r = folderAnswers.front();
    folderAnswers.pop_front();
    return r;
}

std::optional<std::string> ScriptedPrompter::saveFileDialog(QWidget*, const FileDialogSpec& request) {
    saveDialogs.push_back(request);
    if (saveAnswers.empty())
        return std::nullopt;
    auto r = saveAnswers.front();
    saveAnswers.pop_front();
    return r;
}

UiTest::~UiTest() {
    forms.reset();
}

void UiTest::startProgram(const std::string& iniName) {
    iniPath = scratch.file("zelta.ini");
    if (!iniName.empty())
        scratch.write("zelta.ini", readFile(boardPath(iniName)));
    ui::StartupOptions options;
    options.program.iniPath = iniPath;
    options.prompter = &prompter;
    forms = std::make_unique<ui::Forms>(options);
    forms->Form1->show();
    QApplication::processEvents();
}

void UiTest::startProgramWithIni(const std::string& content) {
    iniPath = scratch.write("zelta.ini", content);
    ui::StartupOptions options;
    options.program.iniPath = iniPath;
    options.prompter = &prompter;
    forms = std::make_unique<ui::Forms>(options);
    forms->Form1->show();
    QApplication::processEvents();
}

void UiTest::openBoard(const std::string& boardName) {
    prompter.openAnswers.push_back(boardPath(boardName));
    window().start1->click();
    ASSERT_EQ(program().fcd->status, StatusComplete) << lastMessage();
}

void UiTest::routeLaps(int laps) {
    // The run stops by itself after the laps, and the window takes that stop in as if Stop el.
    // had been pressed.
    program().stopRules.laps = laps;
    window().start2->click();
    program().stopRules = {};
    ASSERT_TRUE(program().processing()) << lastMessage();
    ASSERT_TRUE(waitUntil([this] { return !program().processing(); }, 120000));
    QApplication::processEvents();
}

std::string UiTest::text(const char* lineEditName) {
    // The dialogs are the main window's children and have fields of the same names.
    QLineEdit* edit = window().centralWidget()->findChild<QLineEdit*>(QLatin1String(lineEditName));
    if (!edit)
        ADD_FAILURE() << "no field named " << lineEditName;
    return edit ? edit->text().toStdString() : std::string();
}

QStringList UiTest::reportLines() {
    return window().report->toPlainText().split(QLatin1Char('\n'));
}

std::string UiTest::lastMessage() const {
    return prompter.messages.empty() ? std::string() : prompter.messages.back().text;
}

bool UiTest::waitUntil(const std::function<bool()>& done, int milliseconds) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > milliseconds)
            return false;
        QApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(2);
    }
    return true;
}

void UiTest::whenModalShows(const std::function<void(QWidget*)>& action) {
    auto* poll = new QTimer;
    poll->setInterval(5);
    auto started = std::make_shared<QElapsedTimer>();
    started->start();
    QObject::connect(poll, &QTimer::timeout, [poll, action, started] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal->isVisible()) {
            poll->stop();
            poll->deleteLater();
            action(modal);
        } else if (started->elapsed() > 10000) {
            poll->stop();
            poll->deleteLater();
            ADD_FAILURE() << "no modal dialog showed";
        }
    });
    poll->start();
}

} // namespace zelta::testing
