// Start-up as the person meets it: window titles exactly as the forms give them, the toolkit's
// own dialogs in Italian, and a drawing named on the command line opened at once.
#include "UiFixture.h"

#include "core/Messages.h"
#include "ui/Opzioni.h"
#include "ui/Opzioni2.h"
#include "ui/Spessore.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QTranslator>
#include <QTreeView>
#include <QWindow>

namespace zelta::testing {
namespace {

// The application as the program's start-up leaves it; the test program's own settings come back
// afterwards, so that the other tests see the application they expect.
class ApplicationAsStarted {
public:
    ApplicationAsStarted() : locale_(QLocale()) {
        const QList<QTranslator*> before = qApp->findChildren<QTranslator*>();
        ui::initializeApplication(app());
        for (QTranslator* t : qApp->findChildren<QTranslator*>())
            if (!before.contains(t))
                added_.append(t);
    }
    ~ApplicationAsStarted() {
        for (QTranslator* t : added_) {
            QCoreApplication::removeTranslator(t);
            delete t;
        }
        QLocale::setDefault(locale_);
        app().setQuitOnLastWindowClosed(false);
    }
    bool translated() const { return !added_.isEmpty(); }

private:
    static QApplication& app() { return *static_cast<QApplication*>(QCoreApplication::instance()); }
    QLocale locale_;
    QList<QTranslator*> added_;
};

using StartupForms = UiTest;

TEST_F(StartupForms, WindowTitlesAreTheFormsCaptionsWithNothingAppended) {
    ApplicationAsStarted started;
    // The platform appends the application's display name to every title it shows when one is
    // set; when none is, the display name follows the application name.
    QCoreApplication::setApplicationName(QStringLiteral("probe"));
    EXPECT_EQ(QGuiApplication::applicationDisplayName(), "probe");
    QCoreApplication::setApplicationName(QStringLiteral("Zelta!"));

    startProgram();
    const std::pair<QWidget*, QString> titled[] = {{forms->Form1.get(), "Zelta!"},
                                                   {forms->Form2, "Zelta - Opzioni"},
                                                   {forms->Form3, "Zelta - Opzioni avanzate..."},
                                                   {forms->Form4, "Form4"}};
    for (const auto& [form, title] : titled) {
        form->show();
        EXPECT_EQ(form->windowTitle(), title);
        ASSERT_NE(form->windowHandle(), nullptr);
        EXPECT_EQ(form->windowHandle()->title(), title);
        if (form != titled[0].first)
            form->hide();
    }
}

TEST_F(StartupForms, TheFileDialogsAndTheirQuestionSpeakItalian) {
    ApplicationAsStarted started;
    ASSERT_TRUE(started.translated()) << "the toolkit's Italian catalogue is missing (scripts/install-deps)";
    startProgram();
    const std::string existing = scratch.write("scheda.fcd", "[FIDOCAD]\n");
    ui::ModalPrompter modal;

    QString openText, cancelText;
    bool ownDialog = false;
    whenModalShows([&](QWidget* w) {
        auto* dialog = qobject_cast<QFileDialog*>(w);
        ASSERT_NE(dialog, nullptr);
        ownDialog = dialog->testOption(QFileDialog::DontUseNativeDialog);
        auto* buttons = dialog->findChild<QDialogButtonBox*>();
        ASSERT_NE(buttons, nullptr);
        openText = buttons->button(QDialogButtonBox::Open)->text();
        cancelText = buttons->button(QDialogButtonBox::Cancel)->text();
        dialog->reject();
    });
    EXPECT_FALSE(modal.openFileDialog(&window(), {msg::FcdDefaultExt, msg::FcdFilter, ""}));
    EXPECT_TRUE(ownDialog);
    EXPECT_EQ(openText, "&Apri");
    EXPECT_EQ(cancelText, "Annulla");

    QString saveText, question, yesText, noText, listedDate;
    whenModalShows([&](QWidget* w) {
        auto* dialog = qobject_cast<QFileDialog*>(w);
        ASSERT_NE(dialog, nullptr);
        saveText = dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Save)->text();
        // The folder is listed in the background; the list shows the file once it is read.
        auto* list = dialog->findChild<QTreeView*>();
        ASSERT_NE(list, nullptr);
        waitUntil([&] {
            const QAbstractItemModel& model = *list->model();
            for (int row = 0; row < model.rowCount(list->rootIndex()); ++row) {
                const QModelIndex name = model.index(row, 0, list->rootIndex());
                if (name.data().toString() == "scheda.fcd") {
                    listedDate = name.siblingAtColumn(3).data().toString();
                    return true;
                }
            }
            return false;
        });
        whenModalShows([&](QWidget* q) {
            auto* box = qobject_cast<QMessageBox*>(q);
            ASSERT_NE(box, nullptr);
            question = box->text();
            yesText = box->button(QMessageBox::Yes)->text();
            noText = box->button(QMessageBox::No)->text();
            box->button(QMessageBox::No)->click();
        });
        // The proposed name exists: the dialog asks before it would replace it.
        static_cast<QDialog*>(dialog)->accept();
        dialog->reject();
    });
    EXPECT_FALSE(modal.saveFileDialog(&window(), {msg::FcdDefaultExt, msg::FcdFilter, existing}));
    EXPECT_EQ(saveText, "&Salva");
    EXPECT_EQ(listedDate, QLocale(QLocale::Italian, QLocale::Italy)
                              .toString(QFileInfo(QString::fromStdString(existing)).lastModified(),
                                        QLocale::ShortFormat));
    EXPECT_TRUE(question.startsWith("scheda.fcd esiste già")) << question.toStdString();
    EXPECT_EQ(yesText, "&Sì");
    EXPECT_EQ(noText, "&No");
}

TEST_F(StartupForms, ADrawingNamedAtStartIsOpenedAsIfChosenInTheOpenDialog) {
    const std::string board = boardPath("tiny-2nets.fcd");
    scratch.write("zelta.ini", readFile(boardPath("auto-layer0.ini")));
    ui::StartupOptions options;
    options.program.iniPath = scratch.file("zelta.ini");
    options.prompter = &prompter;
    options.drawing = board;
    forms = std::make_unique<ui::Forms>(options);
    forms->showMainWindow();

    ASSERT_TRUE(waitUntil([&] { return program().fcd->status != StatusNothingRead; }));
    EXPECT_EQ(program().fcd->status, StatusComplete) << lastMessage();
    EXPECT_EQ(text("file_in"), board);
    EXPECT_EQ(lastMessage(), msg::ReadCompleteClean);

    // Later opens ask the person again.
    window().start1->click();
    EXPECT_EQ(program().fcd->status, StatusCancelled);
}

TEST_F(StartupForms, SettingsOutOfTheirRangeAreToldOnceTheWindowShows) {
    scratch.write("zelta.ini", "[Avanzate]\nmetodo=7\n");
    ui::StartupOptions options;
    options.program.iniPath = scratch.file("zelta.ini");
    options.prompter = &prompter;
    forms = std::make_unique<ui::Forms>(options);
    forms->showMainWindow();
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].type, MsgDlgType::mtWarning);
    EXPECT_NE(prompter.messages[0].text.find("chiave metodo = \"7\" (ammesso da 0 a 1); si usa 0"),
              std::string::npos)
        << prompter.messages[0].text;
    EXPECT_EQ(program().settings->metodo, 0);
}

} // namespace
} // namespace zelta::testing
