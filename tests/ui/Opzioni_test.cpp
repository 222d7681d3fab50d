// The two options dialogs driven by their controls: loading from the settings at every opening,
// what OK, Abort and "Ricarica default" leave in the settings and in the file, and the refused
// board size.
#include "UiFixture.h"

#include "core/Messages.h"
#include "core/Report.h"
#include "ui/DesignRules.h"
#include "ui/HelpWindow.h"
#include "ui/Opzioni.h"
#include "ui/Opzioni2.h"
#include "ui/RadioGroup.h"
#include "ui/RoutingChoices.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QSpinBox>
#include <QTest>

namespace zelta::testing {
namespace {

const char* const ManualIni =
    "[Base]\ndue_facce=0\ndim_auto=0\nlayer_dim=3\nmm_larg_scheda=100\nmm_alt_scheda=50\n"
    "[Avanzate]\nampg=1\ngiriv=10\nricalct=0\npcurva=-1\npdiag=4\npfaccia=2\ndebug=1\nferma_vuoto=0\n";

class Options : public UiTest {
protected:
    void SetUp() override { startProgramWithIni(ManualIni); }
    ui::TForm2& basic() { return *forms->Form2; }
    ui::TForm3& advanced() { return *forms->Form3; }
    GestoreFileINI& settings() { return *program().settings; }
};

TEST_F(Options, BasicDialogShowsTheSettingsAndAbortKeepsOptionsChanged) {
    int result = -1;
    whenModalShows([&](QWidget*) {
        EXPECT_TRUE(basic().Dimman->isChecked());
        EXPECT_FALSE(basic().Dimauto->isChecked());
        EXPECT_EQ(basic().layerdim->currentText(), "Serigrafie");
        EXPECT_EQ(basic().layerdim->count(), 16);
        EXPECT_EQ(basic().larg->text(), "100");
        EXPECT_EQ(basic().alt->text(), "50");
        EXPECT_EQ(basic().Supp->itemIndex(), 0);
        EXPECT_FALSE(basic().Supp->isEnabled());
        basic().BitBtn2->click();
    });
    result = basic().exec();
    EXPECT_EQ(result, static_cast<int>(ModalResult::mrAbort));
    EXPECT_FALSE(settings().optionsChanged) << "loading the controls is no edit";

    whenModalShows([&](QWidget*) {
        QTest::keyClicks(basic().larg, "0");
        basic().BitBtn2->click();
    });
    basic().exec();
    EXPECT_TRUE(settings().optionsChanged);
    EXPECT_EQ(settings().mm_larg_scheda, 100) << "Abort copies nothing";
}

TEST_F(Options, BasicOkCopiesTheControlsAndWritesTheSettingsFile) {
    whenModalShows([&](QWidget*) {
        basic().Dimauto->click();
        basic().layerdim->setCurrentIndex(1);
        basic().larg->setText("120");
        basic().alt->setText("60");
        basic().BitBtn1->click();
    });
    EXPECT_EQ(basic().exec(), QDialog::Accepted);
    EXPECT_TRUE(settings().dim_auto);
    EXPECT_EQ(settings().layer_dim, 1);
    EXPECT_EQ(settings().mm_larg_scheda, 120);
    EXPECT_EQ(settings().mm_alt_scheda, 60);
    // The advanced options go to the file as they are in memory.
    EXPECT_EQ(
        readFile(iniPath),
        "[Base]\ndue_facce=0\ndim_auto=1\nlayer_dim=1\nmm_larg_scheda=120\nmm_alt_scheda=60\n"
        "[Avanzate]\nampg=1\ngiriv=10\nricalct=0\npcurva=-1\npdiag=4\npfaccia=2\ndebug=1\nferma_vuoto=0\n"
        "metodo=0\nponticelli=0\nponticelli_max=20\nponticelli_passi=4,6,8\nisolamento=0.3\nlarghezza=1\n"
        "piste_esistenti=0\n");
}

TEST_F(Options, BoardSizeThatIsNoWholeNumberIsRefusedAndNothingIsCopied) {
    bool stillOpen = false;
    whenModalShows([&](QWidget*) {
        basic().Dimauto->click();
        basic().larg->setText("120");
        basic().alt->setText("5,5");
        basic().BitBtn1->click();
        stillOpen = basic().isVisible();
        basic().alt->setText("");
        basic().BitBtn1->click();
        basic().BitBtn2->click();
    });
    basic().exec();
    EXPECT_TRUE(stillOpen);
    ASSERT_EQ(prompter.messages.size(), 2u);
    EXPECT_EQ(prompter.messages[0].text, strprintf(msg::BoardSizeNotNumber, "5,5"));
    EXPECT_EQ(prompter.messages[0].type, MsgDlgType::mtError);
    EXPECT_EQ(prompter.messages[1].text, strprintf(msg::BoardSizeNotNumber, ""));
    EXPECT_FALSE(settings().dim_auto);
    EXPECT_EQ(settings().mm_larg_scheda, 100);
    EXPECT_EQ(readFile(iniPath), ManualIni);
}

TEST_F(Options, SettingsFileThatCannotBeWrittenIsReported) {
    forms.reset();
    // The settings file's folder is a plain file, so the file can never be written.
    scratch.write("blocked", "");
    ui::StartupOptions options;
    options.program.iniPath = scratch.file("blocked/zelta.ini");
    options.prompter = &prompter;
    forms = std::make_unique<ui::Forms>(options);
    whenModalShows([&](QWidget*) { basic().BitBtn1->click(); });
    EXPECT_EQ(basic().exec(), QDialog::Accepted);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text, settings().writeError);
    EXPECT_NE(prompter.messages[0].text.find("blocked/zelta.ini"), std::string::npos);
}

TEST_F(Options, ClosingTheAdvancedDialogReloadsTheBasicOne) {
    std::string widthAfterAdvanced;
    whenModalShows([&](QWidget*) {
        basic().larg->setText("77");
        whenModalShows([&](QWidget* dialog) {
            EXPECT_EQ(dialog, &advanced());
            advanced().BitBtn2->click();
        });
        basic().Button1->click();
        widthAfterAdvanced = basic().larg->text().toStdString();
        basic().BitBtn2->click();
    });
    basic().exec();
    EXPECT_EQ(widthAfterAdvanced, "100");
    EXPECT_TRUE(settings().optionsChanged) << "the typed width counted as an edit";
}

TEST_F(Options, AdvancedDialogShowsLastItemForLargeValuesAndOkStoresItemNumbers) {
    whenModalShows([&](QWidget*) {
        EXPECT_EQ(advanced().ampg->itemIndex(), 1);
        EXPECT_EQ(advanced().giriv->itemIndex(), 3);
        EXPECT_EQ(advanced().giriv->button(3)->text(), "10");
        EXPECT_EQ(advanced().ricalct->itemIndex(), 0);
        EXPECT_EQ(advanced().pcurva->itemIndex(), -1) << "a negative value selects nothing";
        EXPECT_EQ(advanced().pdiago->itemIndex(), 4);
        EXPECT_EQ(advanced().debug->itemIndex(), 1);
        advanced().BitBtn1->click();
    });
    EXPECT_EQ(advanced().exec(), QDialog::Accepted);
    EXPECT_FALSE(settings().optionsChanged);
    EXPECT_EQ(settings().giriv, 3);
    EXPECT_EQ(settings().pcurva, -1);
    // OK in the advanced dialog writes nothing.
    EXPECT_EQ(readFile(iniPath), ManualIni);
}

TEST_F(Options, IdleLapStopIsStoredByOkKeptByAbortAndAsksForNoNewRead) {
    whenModalShows([&](QWidget*) {
        EXPECT_EQ(advanced().fermaVuoto->value(), 0);
        EXPECT_EQ(advanced().fermaVuoto->text(), "mai");
        advanced().fermaVuoto->setValue(25);
        advanced().BitBtn1->click();
    });
    EXPECT_EQ(advanced().exec(), QDialog::Accepted);
    EXPECT_EQ(settings().ferma_vuoto, 25);
    EXPECT_FALSE(settings().optionsChanged) << "when to stop does not change what was read";

    whenModalShows([&](QWidget*) {
        EXPECT_EQ(advanced().fermaVuoto->value(), 25);
        advanced().fermaVuoto->setValue(3);
        advanced().BitBtn2->click();
    });
    advanced().exec();
    EXPECT_EQ(settings().ferma_vuoto, 25);
}

TEST_F(Options, JumperChoicesAreStoredByOkAndBadLengthsKeepTheDialogOpen) {
    ui::RoutingChoices& c = *advanced().choices;
    whenModalShows([&](QWidget*) {
        EXPECT_FALSE(c.jumpers->isChecked());
        EXPECT_FALSE(c.jumperMax->isEnabled()) << "greyed while jumpers are off";
        EXPECT_EQ(c.jumperMax->value(), 20);
        EXPECT_EQ(c.jumperLengths->text(), "4,6,8");
        c.jumpers->click();
        EXPECT_TRUE(c.jumperMax->isEnabled());
        c.jumperMax->setValue(5);
        c.jumperLengths->setText("4,,8");
        advanced().BitBtn1->click();
        EXPECT_TRUE(advanced().isVisible()) << "lengths that are no list keep the dialog open";
        EXPECT_FALSE(settings().ponticelli) << "and store nothing";
        c.jumperLengths->setText("3, 5");
        advanced().BitBtn1->click();
    });
    EXPECT_EQ(advanced().exec(), QDialog::Accepted);
    EXPECT_TRUE(settings().ponticelli);
    EXPECT_EQ(settings().ponticelli_max, 5);
    EXPECT_EQ(settings().ponticelli_passi, (std::vector<int32_t>{3, 5}));
    EXPECT_TRUE(settings().optionsChanged) << "jumpers change the routing";

    whenModalShows([&](QWidget*) {
        EXPECT_EQ(c.jumperLengths->text(), "3,5");
        c.jumpers->click();
        advanced().BitBtn2->click();
    });
    advanced().exec();
    EXPECT_TRUE(settings().ponticelli) << "Abort changes nothing";
}

TEST_F(Options, TheRoutingMethodIsOneOfTwoChoicesAndCountsAsAnEdit) {
    ui::RoutingChoices& c = *advanced().choices;
    whenModalShows([&](QWidget*) {
        EXPECT_EQ(c.methodGroup->title(), " Metodo di instradamento ");
        EXPECT_TRUE(c.classicMethod->isChecked());
        EXPECT_EQ(c.classicMethod->text(), QString::fromUtf8("Classico (giri con priorità)"));
        EXPECT_EQ(c.negotiatedMethod->text(), QString::fromUtf8("Negoziato (più collegamenti)"));
        c.negotiatedMethod->click();
        advanced().BitBtn1->click();
    });
    EXPECT_EQ(advanced().exec(), QDialog::Accepted);
    EXPECT_EQ(settings().metodo, 1);
    EXPECT_TRUE(settings().optionsChanged);

    settings().optionsChanged = false;
    whenModalShows([&](QWidget*) {
        EXPECT_TRUE(c.negotiatedMethod->isChecked());
        advanced().BitBtn3->click(); // "Ricarica default"
        EXPECT_TRUE(c.classicMethod->isChecked());
        advanced().BitBtn2->click();
    });
    advanced().exec();
    EXPECT_EQ(settings().metodo, 1) << "Abort changes nothing";
}

TEST_F(Options, DesignRulesAreShownExplainedStoredByOkAndCountAsAnEdit) {
    ui::DesignRules& rules = *advanced().rules;
    whenModalShows([&](QWidget*) {
        EXPECT_EQ(rules.title(), " Regole di progetto ");
        EXPECT_DOUBLE_EQ(rules.isolamento->value(), 0.3) << "the default of a file without the key";
        EXPECT_EQ(rules.isolamento->text(), "0,300 mm") << "the dialog's decimal comma";
        EXPECT_EQ(rules.larghezza->itemIndex(), 1);
        EXPECT_EQ(rules.larghezza->button(0)->text(), "0,25 mm");
        EXPECT_FALSE(settings().optionsChanged) << "loading the controls is no edit";
        // One sentence each says what the rule does.
        EXPECT_EQ(rules.findChildren<QLabel*>().size(), 6);
        EXPECT_FALSE(rules.pisteEsistenti->isChecked()) << "a read asks, by default";
        bool saysClassicRemoves = false;
        for (const QLabel* label : rules.findChildren<QLabel*>())
            saysClassicRemoves =
                saysClassicRemoves || label->text().contains(QStringLiteral("classico le rimuove"));
        EXPECT_TRUE(saysClassicRemoves);
        rules.isolamento->setFocus();
        rules.isolamento->selectAll();
        QTest::keyClicks(rules.isolamento, "0.254"); // a point is taken as the comma
        EXPECT_EQ(rules.isolamento->text(), "0,254 mm");
        rules.larghezza->button(0)->click();
        rules.pisteEsistenti->click();
        advanced().BitBtn1->click();
    });
    EXPECT_EQ(advanced().exec(), QDialog::Accepted);
    EXPECT_DOUBLE_EQ(settings().isolamento, 0.254);
    EXPECT_EQ(settings().larghezza, 0);
    EXPECT_EQ(settings().piste_esistenti, 1);
    EXPECT_TRUE(settings().optionsChanged) << "the rules change what a read gives and what is kept apart";

    // The basic dialog's OK writes them at the end of [Avanzate].
    whenModalShows([&](QWidget*) { basic().BitBtn1->click(); });
    basic().exec();
    const std::string written = readFile(iniPath);
    EXPECT_NE(written.find("ponticelli_passi=4,6,8\nisolamento=0.254\nlarghezza=0\npiste_esistenti=1\n"),
              std::string::npos)
        << written;

    whenModalShows([&](QWidget*) {
        advanced().BitBtn3->click(); // "Ricarica default"
        EXPECT_DOUBLE_EQ(rules.isolamento->value(), 0.3);
        EXPECT_EQ(rules.larghezza->itemIndex(), 1);
        EXPECT_FALSE(rules.pisteEsistenti->isChecked());
        advanced().BitBtn2->click();
    });
    advanced().exec();
    EXPECT_DOUBLE_EQ(settings().isolamento, 0.254) << "Abort changes nothing";
}

TEST(JumperLengths, AreWholeNumbersFromOneTo99BetweenCommas) {
    std::vector<int32_t> v;
    EXPECT_TRUE(ui::parseJumperLengths(" 4, 6 ,8", v));
    EXPECT_EQ(v, (std::vector<int32_t>{4, 6, 8}));
    for (const char* bad : {"", ",", "4,", "0", "100", "4;6", "quattro", "-4"})
        EXPECT_FALSE(ui::parseJumperLengths(QString::fromUtf8(bad), v)) << bad;
    EXPECT_EQ(ui::jumperLengthsText({4, 10}), "4,10");
}

TEST_F(Options, AdvancedOkThenBasicAbortChangesMemoryButNotTheFile) {
    whenModalShows([&](QWidget*) {
        whenModalShows([&](QWidget*) {
            advanced().debug->button(2)->click();
            advanced().BitBtn1->click();
        });
        basic().Button1->click();
        basic().BitBtn2->click();
    });
    basic().exec();
    EXPECT_EQ(settings().debug, 2);
    EXPECT_TRUE(settings().optionsChanged);
    EXPECT_EQ(readFile(iniPath), ManualIni);
}

TEST_F(Options, ChoicesDroppedByAbortDoNotShowAtTheNextOpening) {
    // Every control of the basic dialog moved away from the settings, then Abort.
    whenModalShows([&](QWidget*) {
        QTest::mouseClick(basic().Dimauto, Qt::LeftButton);
        basic().layerdim->setCurrentIndex(0);
        QTest::keyClicks(basic().larg, "5");
        basic().BitBtn2->click();
    });
    EXPECT_EQ(basic().exec(), static_cast<int>(ModalResult::mrAbort));
    EXPECT_FALSE(settings().dim_auto);
    whenModalShows([&](QWidget*) {
        EXPECT_TRUE(basic().Dimman->isChecked());
        EXPECT_FALSE(basic().Dimauto->isChecked());
        EXPECT_EQ(basic().layerdim->currentText(), "Serigrafie");
        EXPECT_EQ(basic().larg->text(), "100");
        basic().BitBtn2->click();
    });
    basic().exec();

    // The same in the advanced dialog, including a row whose stored value selects nothing.
    whenModalShows([&](QWidget*) {
        QTest::mouseClick(advanced().giriv->button(0), Qt::LeftButton);
        QTest::mouseClick(advanced().pcurva->button(1), Qt::LeftButton);
        advanced().BitBtn2->click();
    });
    advanced().exec();
    whenModalShows([&](QWidget*) {
        EXPECT_EQ(advanced().giriv->itemIndex(), 3);
        EXPECT_EQ(advanced().pcurva->itemIndex(), -1);
        advanced().BitBtn2->click();
    });
    advanced().exec();
    EXPECT_EQ(settings().giriv, 10);
    EXPECT_EQ(settings().pcurva, -1);
}

TEST_F(Options, ReloadDefaultsReachesTheSettingsOnlyThroughOk) {
    whenModalShows([&](QWidget*) {
        advanced().BitBtn3->click();
        EXPECT_TRUE(advanced().isVisible());
        EXPECT_EQ(advanced().pcurva->itemIndex(), 2);
        advanced().BitBtn2->click();
    });
    advanced().exec();
    EXPECT_EQ(settings().giriv, 10);
    EXPECT_EQ(settings().ricalct, 0);
    EXPECT_EQ(settings().pcurva, -1);
    EXPECT_EQ(settings().pdiag, 4);
    EXPECT_EQ(settings().debug, 1);
    EXPECT_TRUE(settings().optionsChanged) << "the rows it changed count as edits";

    whenModalShows([&](QWidget*) {
        EXPECT_EQ(advanced().pcurva->itemIndex(), -1) << "the aborted defaults are gone";
        advanced().BitBtn3->click();
        advanced().BitBtn1->click();
    });
    advanced().exec();
    EXPECT_EQ(settings().ampg, 1);
    EXPECT_EQ(settings().giriv, 1);
    EXPECT_EQ(settings().ricalct, 2);
    EXPECT_EQ(settings().pcurva, 2);
    EXPECT_EQ(settings().pdiag, 2);
    EXPECT_EQ(settings().pfaccia, 2);
    EXPECT_EQ(settings().debug, 0);
}

TEST_F(Options, HelpKeyKeepsTheDialogAndHelpButtonClosesIt) {
    ui::HelpWindow& help = *forms->help;
    bool openAfterKey = false;
    whenModalShows([&](QWidget*) {
        // The F1 shortcut of the dialog, set off directly: whether a key press reaches it
        // depends on which window the platform made active.
        QShortcut* f1 = nullptr;
        for (QShortcut* s : basic().findChildren<QShortcut*>())
            if (s->key() == QKeySequence(Qt::Key_F1))
                f1 = s;
        EXPECT_NE(f1, nullptr);
        if (f1)
            emit f1->activated();
        openAfterKey = basic().isVisible();
        EXPECT_EQ(help.currentPage(), ":/help/opzioni-scheda.html");
        EXPECT_TRUE(help.isVisible());
        basic().BitBtn3->click();
    });
    EXPECT_EQ(basic().exec(), static_cast<int>(ModalResult::mrAbort));
    EXPECT_TRUE(openAfterKey);
    EXPECT_EQ(help.currentPage(), ":/help/opzioni.html");
    EXPECT_TRUE(help.isVisible());

    whenModalShows([&](QWidget*) { advanced().BitBtn4->click(); });
    EXPECT_EQ(advanced().exec(), static_cast<int>(ModalResult::mrAbort));
    EXPECT_EQ(help.currentPage(), ":/help/opzioni-avanzate.html");
}

} // namespace
} // namespace zelta::testing
