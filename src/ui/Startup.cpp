// The start-up sequence.
#include "ui/Startup.h"

#include "core/Messages.h"
#include "core/Report.h"
#include "ui/About.h"
#include "ui/HelpWindow.h"
#include "ui/Main.h"
#include "ui/Opzioni.h"
#include "ui/Opzioni2.h"
#include "ui/Spessore.h"

#include <QApplication>

namespace zelta::ui {

Forms::Forms(const StartupOptions& options) {
    Prompter& prompter = options.prompter ? *options.prompter : modalPrompter_;
    help = std::make_unique<HelpWindow>();
    // The help window alone never keeps the program running.
    help->setAttribute(Qt::WA_QuitOnClose, false);

    Form1 = std::make_unique<TForm1>(options.program, prompter, *help);
    GestoreFileINI& settings = *Form1->program->settings;
    Form2 = new TForm2(settings, *Form1->host, *help, Form1.get());
    Form3 = new TForm3(settings, *help, Form1.get());
    AboutBox = new TAboutBox(Form1.get());
    Form4 = new TForm4(*Form1->program->netTable, *help, Form1.get());

    Form1->Form2 = Form2;
    Form1->AboutBox = AboutBox;
    Form1->Form4 = Form4;
    Form2->Form3 = Form3;
}

Forms::~Forms() {
    // The help window may be a dialog's child at this moment; it goes first, on its own.
    help.reset();
    Form1.reset();
}

void initializeApplication(QApplication& app) {
    QApplication::setApplicationName(QStringLiteral("Zelta!"));
    QApplication::setApplicationDisplayName(QStringLiteral("Zelta!"));
    QApplication::setApplicationVersion(QStringLiteral("1.0.1"));
    app.setQuitOnLastWindowClosed(true);
}

int runZelta(QApplication& app, const StartupOptions& options) {
    std::unique_ptr<Forms> forms;
    try {
        forms = std::make_unique<Forms>(options);
    } catch (const std::exception& e) {
        ModalPrompter fallback;
        Prompter& prompter = options.prompter ? *options.prompter : fallback;
        prompter.messageDlg(nullptr, e.what(), MsgDlgType::mtError, mbOK);
        return 1;
    }
    const GestoreFileINI& settings = *forms->Form1->program->settings;
    forms->Form1->show();
    if (!settings.readProblem.empty())
        forms->Form1->host->messageDlg(
            strprintf(msg::SettingsUnreadable, settings.readFrom.c_str(), settings.readProblem.c_str()),
            MsgDlgType::mtWarning, mbOK);
    return app.exec();
}

} // namespace zelta::ui
