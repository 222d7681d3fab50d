// The start-up sequence.
#include "ui/Startup.h"

#include "core/Messages.h"
#include "core/Report.h"
#include "core/Version.h"
#include "ui/About.h"
#include "ui/Glyphs.h"
#include "ui/HelpWindow.h"
#include "ui/Italian.h"
#include "ui/Main.h"
#include "ui/Opzioni.h"
#include "ui/Opzioni2.h"
#include "ui/QuitOnSignal.h"
#include "ui/Spessore.h"

#include <QApplication>
#include <QPushButton>
#include <QTimer>

namespace zelta::ui {

Forms::Forms(const StartupOptions& options) {
    Prompter* chosen = options.prompter ? options.prompter : &modalPrompter_;
    if (!options.drawing.empty()) {
        startDrawing_ = std::make_unique<FirstOpenAnswer>(*chosen, options.drawing);
        chosen = startDrawing_.get();
    }
    Prompter& prompter = *chosen;
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

void Forms::showMainWindow() {
    Form1->show();
    // A file that could not be read, or values out of range that took their defaults.
    const Notice& settingsNotice = Form1->program->settings->readOutcome.notice;
    if (settingsNotice)
        Form1->host->messageDlg(settingsNotice.text, MsgDlgType::mtWarning, mbOK);
    if (startDrawing_)
        QTimer::singleShot(0, Form1.get(), [this] { Form1->start1->click(); });
}

void initializeApplication(QApplication& app) {
    // No display name: the platform would append it to every window title, and each form has
    // its own caption.
    QApplication::setApplicationName(QStringLiteral("Zelta!"));
    QApplication::setApplicationVersion(QString::fromLatin1(ProgramVersion));
    // The desktop entry that gives the windows their icon where the platform looks it up, and the
    // same logo where it does not.
    QGuiApplication::setDesktopFileName(QStringLiteral("zelta"));
    QApplication::setWindowIcon(glyph("logo"));
    installItalianTranslations(app);
    app.setQuitOnLastWindowClosed(true);
}

int runZelta(QApplication& app, const StartupOptions& options) {
    std::unique_ptr<Forms> forms;
    std::string failure;
    try {
        forms = std::make_unique<Forms>(options);
        // Settings that cannot be used end the program before its window shows.
        const SettingsOutcome& settings = forms->Form1->program->settings->readOutcome;
        if (!settings.usable())
            failure = settings.notice.text;
    } catch (const std::exception& e) {
        failure = e.what();
    }
    if (!failure.empty()) {
        forms.reset();
        ModalPrompter fallback;
        Prompter& prompter = options.prompter ? *options.prompter : fallback;
        prompter.messageDlg(nullptr, failure, MsgDlgType::mtError, mbOK);
        return 1;
    }
    // A signal leaves the event loop with the status a shell gives it (128 + its number); the
    // forms, and with them the worker and the private copy of the drawing, end after it.
    QuitOnSignal quitOnSignal([](int sig) { QCoreApplication::exit(128 + sig); });
    forms->showMainWindow();
    return app.exec();
}

} // namespace zelta::ui
