// "Esporta per la produzione..." from the File menu, offscreen: which drawing it exports, the
// dialog's folder, folder choice and mirror box, and what the person is told.
#include "UiFixture.h"

#include "core/Messages.h"
#include "core/Report.h"
#include "ui/ProductionDialog.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace zelta::testing {
namespace {

class ProductionExport : public UiTest {
protected:
    void SetUp() override { startProgram("auto-layer0.ini"); }

    // Triggers the menu entry and, in the dialog, does what act says; the dialog's fields as shown.
    struct Shown {
        std::string drawing;
        std::string folder;
        bool unsavedNoteVisible = false;
        QString title;
    };
    Shown exportWith(const std::function<void(ui::ProductionDialog&)>& act) {
        Shown shown;
        whenModalShows([&](QWidget* modal) {
            auto* dialog = qobject_cast<ui::ProductionDialog*>(modal);
            ASSERT_NE(dialog, nullptr) << "no export dialog";
            shown = {dialog->drawingField->text().toStdString(), dialog->folderField->text().toStdString(),
                     dialog->unsavedNote->isVisible(), dialog->windowTitle()};
            act(*dialog);
        });
        window().MenuProduction->trigger();
        return shown;
    }
    std::string routedBoard() {
        return scratch.write("mixer.fcd", readFile(sourcePath("tests/data/export/dc-mixer-jumpers.fcd")));
    }
};

TEST_F(ProductionExport, WithoutADrawingItSaysWhatToDoFirst) {
    window().MenuProduction->trigger();
    EXPECT_EQ(lastMessage(), msg::ProductionNothing);
    EXPECT_EQ(prompter.messages.back().type, MsgDlgType::mtInformation);
}

TEST_F(ProductionExport, ExportsTheDrawingOpenedIntoTheFolderBesideIt) {
    const std::string drawing = routedBoard();
    prompter.openAnswers.push_back(drawing);
    prompter.messageAnswers = {ModalResult::mrYes}; // remove the tracks found while reading
    window().start1->click();

    const Shown shown = exportWith([](ui::ProductionDialog& d) {
        EXPECT_FALSE(d.mirrorBox->isChecked());
        d.mirrorBox->click();
        d.exportButton->click();
    });
    EXPECT_EQ(shown.title, QString::fromUtf8(msg::ProductionTitle));
    EXPECT_EQ(shown.drawing, drawing);
    EXPECT_EQ(shown.folder, scratch.file("mixer-produzione"));
    EXPECT_FALSE(shown.unsavedNoteVisible);
    for (const char* name : {"mixer-rame.gbr", "mixer-contorno.gbr", "mixer.drl", "mixer-ponticelli.gbr",
                             "mixer-ponticelli.csv", "mixer-stampa.pdf", "mixer-leggimi.txt"}) {
        EXPECT_TRUE(fileExists(scratch.file("mixer-produzione/") + name)) << name;
        EXPECT_NE(lastMessage().find(std::string("\n") + name), std::string::npos) << lastMessage();
    }
    EXPECT_EQ(
        lastMessage().rfind(strprintf(msg::ProductionWritten, scratch.file("mixer-produzione").c_str()), 0),
        0u);
    EXPECT_NE(
        readFile(scratch.file("mixer-produzione/mixer-leggimi.txt")).find("speculare rispetto al disegno"),
        std::string::npos)
        << "the mirror box mirrors the print";
    EXPECT_NE(readFile(scratch.file("mixer-produzione/mixer-rame.gbr")).find("D01*"), std::string::npos)
        << "the tracks on disk are exported, though the read took them off the board";
}

TEST_F(ProductionExport, AfterASaveTheSavedDrawingIsExportedIntoTheFolderChosen) {
    openBoard("dip8-555.fcd");
    routeLaps(2);
    const std::string saved = scratch.file("routed.fcd");
    prompter.saveAnswers.push_back(saved);
    window().start3->click();
    ASSERT_TRUE(program().fcd->writeOutcome.written);

    prompter.folderAnswers.push_back(scratch.file("chosen"));
    const Shown shown = exportWith([](ui::ProductionDialog& d) {
        d.browseButton->click();
        EXPECT_EQ(d.folderField->text().toStdString(), d.folder());
        d.exportButton->click();
    });
    EXPECT_EQ(shown.drawing, saved);
    ASSERT_EQ(prompter.folderStarts.size(), 1u);
    EXPECT_EQ(prompter.folderStarts[0], scratch.file("routed-produzione"))
        << "the choice starts at the proposal";
    EXPECT_TRUE(fileExists(scratch.file("chosen/routed-rame.gbr")));
    EXPECT_EQ(prompter.messages.back().type, MsgDlgType::mtInformation);
}

TEST_F(ProductionExport, UnsavedLapsAreNotedAndAFailureIsShownAsAnError) {
    openBoard("dip8-555.fcd");
    routeLaps(1);
    const std::string blocker = scratch.write("blocker", "mine");
    const Shown shown = exportWith([&](ui::ProductionDialog& d) {
        d.folderField->setText(QString::fromStdString(blocker));
        d.exportButton->click();
    });
    EXPECT_TRUE(shown.unsavedNoteVisible);
    EXPECT_EQ(shown.drawing, boardPath("dip8-555.fcd"));
    EXPECT_EQ(prompter.messages.back().type, MsgDlgType::mtError);
    EXPECT_NE(lastMessage().find("non è una cartella"), std::string::npos) << lastMessage();
    EXPECT_EQ(readFile(blocker), "mine");

    // Cancelled, or with no folder to write to, nothing is exported.
    const size_t messages = prompter.messages.size();
    exportWith([](ui::ProductionDialog& d) {
        d.folderField->clear();
        EXPECT_FALSE(d.exportButton->isEnabled());
        d.cancelButton->click();
    });
    EXPECT_EQ(prompter.messages.size(), messages);
}

} // namespace
} // namespace zelta::testing
