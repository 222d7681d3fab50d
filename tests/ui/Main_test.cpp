// The main window driven by its controls: the read, processing, save, enabling, the options
// warning, the progress animation, closing, and start-up with a broken settings file.
#include "UiFixture.h"

#include "core/Messages.h"
#include "ui/About.h"
#include "ui/HelpWindow.h"
#include "ui/Spessore.h"

#include <QAction>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cstdlib>
#include <filesystem>

namespace zelta::testing {
namespace {

using Main = UiTest;

TEST_F(Main, LaysOutEveryControlWithoutClippingOrOverlap) {
    startProgram();
    ui::TForm1& w = window();
    EXPECT_EQ(w.windowTitle(), "Zelta!");
    EXPECT_EQ(w.GroupBox1->title(), " Fase 1: Lettura file Fidocad ");
    EXPECT_EQ(w.GroupBox2->title(), " Fase 2: Elaborazione ");
    EXPECT_EQ(w.GroupBox3->title(), " Fase 3: Scrittura file Fidocad");
    EXPECT_EQ(w.minimumSize(), w.maximumSize()) << "the window does not resize";
    EXPECT_GE(w.centralWidget()->width(), 361);
    EXPECT_GE(w.centralWidget()->height(), 420);

    // Within each group: every caption shows whole, and no two controls overlap.
    for (QGroupBox* group : {w.GroupBox1, w.GroupBox2, w.GroupBox3}) {
        const QList<QWidget*> controls = group->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
        for (QWidget* c : controls) {
            if (auto* label = qobject_cast<QLabel*>(c)) {
                EXPECT_GE(label->width(), label->sizeHint().width()) << label->text().toStdString();
            }
            if (auto* button = qobject_cast<QPushButton*>(c)) {
                EXPECT_GE(button->width(), button->sizeHint().width()) << button->text().toStdString();
            }
            for (QWidget* other : controls) {
                if (c != other && c->isVisibleTo(group) && other->isVisibleTo(group)) {
                    EXPECT_FALSE(c->geometry().intersects(other->geometry()))
                        << c->objectName().toStdString() << " / " << other->objectName().toStdString();
                }
            }
        }
    }
    EXPECT_TRUE(w.report->isReadOnly());
    EXPECT_EQ(w.report->toPlainText(), "");
    EXPECT_FALSE(w.barra->isVisible());
    EXPECT_EQ(w.focusWidget(), w.start1);
}

TEST_F(Main, MenuHoldsEveryEntryInOrder) {
    startProgram();
    const QList<QMenu*> menus = window().menuBar()->findChildren<QMenu*>(Qt::FindDirectChildrenOnly);
    auto entries = [&](const char* title) {
        QStringList texts;
        for (QMenu* m : menus)
            if (m->title() == QLatin1String(title))
                for (QAction* a : m->actions())
                    texts << (a->isSeparator() ? QStringLiteral("-") : a->text());
        return texts;
    };
    EXPECT_EQ(entries("&File"),
              QStringList({"&Apri fcd", "&Salva fcd", "Esporta &immagine...", "Esporta per la &produzione...",
                           "Salva &report...", "-", "&Larg. piste", "-", "Start &elaborazione",
                           "Stop ela&borazione", "-", "&Uscita"}));
    EXPECT_EQ(entries("&Opzioni"), QStringList({"&Modifica opzioni"}));
    EXPECT_EQ(entries("&Visualizza"), QStringList({"&Anteprima scheda"}));
    EXPECT_EQ(entries("&Help"), QStringList({"&Guida in linea", QString::fromUtf8("&Novità"),
                                             "&Licenza && supporto", "-", "&Informazioni"}));
    EXPECT_EQ(window().MenuHelp->shortcut(), QKeySequence(Qt::Key_F1));
}

TEST_F(Main, OpenShowsThePhaseOneFigures) {
    startProgram("auto-layer0.ini");
    openBoard("dip8-555.fcd");
    EXPECT_EQ(text("file_in"), boardPath("dip8-555.fcd"));
    EXPECT_EQ(text("righe_in"), "49");
    EXPECT_EQ(text("warning"), "0");
    EXPECT_EQ(text("piaztot"), "23");
    EXPECT_EQ(text("nettot"), "7");
    EXPECT_EQ(text("larg"), "50");
    EXPECT_EQ(text("alt"), "37");
    ASSERT_FALSE(prompter.messages.empty());
    EXPECT_EQ(prompter.messages.back().text, msg::ReadCompleteClean);
    EXPECT_EQ(prompter.messages.back().type, MsgDlgType::mtInformation);
    EXPECT_TRUE(reportLines().contains(QString::fromStdString(msg::ReadingFile + boardPath("dip8-555.fcd"))));
}

TEST_F(Main, StartAndStopSwitchEveryCommandAndLogTheirTwoLines) {
    startProgram("auto-layer0.ini");
    openBoard("dip8-555.fcd");
    ui::TForm1& w = window();
    const std::vector<QPushButton*> idleButtons = {w.start1, w.start2, w.start3, w.BtnOpz, w.DimPiste};
    const std::vector<QAction*> idleEntries = {w.MenuStart1, w.MenuStart2, w.MenuProduction,
                                               w.N2,         w.N3,         w.Modificaopzioni1};
    const std::vector<QAction*> alwaysEntries = {w.MenuHelp, w.MenuAbout, w.Web1, w.Informazioni1, w.Uscita1};
    auto expectState = [&](bool processing) {
        for (QPushButton* b : idleButtons)
            EXPECT_EQ(b->isEnabled(), !processing) << b->objectName().toStdString();
        for (QAction* a : idleEntries)
            EXPECT_EQ(a->isEnabled(), !processing) << a->objectName().toStdString();
        EXPECT_EQ(w.stop2->isEnabled(), processing);
        EXPECT_EQ(w.MenuExit->isEnabled(), processing);
        EXPECT_EQ(w.barra->isVisible(), processing);
        EXPECT_TRUE(w.BitBtn1->isEnabled());
        for (QAction* a : alwaysEntries)
            EXPECT_TRUE(a->isEnabled()) << a->objectName().toStdString();
    };
    expectState(false);
    const int linesBefore = static_cast<int>(reportLines().size());

    w.start2->click();
    expectState(true);
    EXPECT_EQ(reportLines().value(linesBefore), "Start elaborazione... (0 ms)");
    ASSERT_TRUE(waitUntil([&] { return !text("ciclitot").empty(); }));

    w.stop2->click();
    expectState(false);
    const QString last = reportLines().last();
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\.\\.\\.stop elaborazione \\(\\d+ ms\\)$"))
                    .match(last)
                    .hasMatch())
        << last.toStdString();
    // Nothing of the worker arrives after the stop line.
    QTest::qWait(100);
    EXPECT_EQ(reportLines().last(), last);

    // A second start resumes the same run: its line gives the time already spent.
    const QString spent = QRegularExpression(QStringLiteral("\\((\\d+) ms\\)")).match(last).captured(1);
    w.N3->trigger();
    EXPECT_EQ(reportLines().last(), QStringLiteral("Start elaborazione... (%1 ms)").arg(spent));
    w.MenuExit->trigger();
    expectState(false);
}

// A small board routes thousands of laps a second, and at the higher levels each lap writes lines:
// a click on Stop el. must still be taken at once, and the log must not grow without bound.
TEST_F(Main, StopIsTakenAtOnceAtEveryReportLevelAndTheLogKeepsItsLastLines) {
    for (int level = 0; level <= 2; ++level) {
        SCOPED_TRACE("debug " + std::to_string(level));
        startProgramWithIni("[Base]\ndim_auto=1\nlayer_dim=0\n[Avanzate]\ndebug=" + std::to_string(level) +
                            "\n");
        openBoard("tiny-2nets.fcd");
        window().start2->click();
        QElapsedTimer clock;
        clock.start();
        ASSERT_TRUE(waitUntil([&] { return clock.elapsed() > 700; }, 5000));

        // Queued as a person's click is, behind whatever the window still has to do.
        QMetaObject::invokeMethod(
            window().stop2, [this] { window().stop2->click(); }, Qt::QueuedConnection);
        clock.restart();
        ASSERT_TRUE(waitUntil([&] { return !program().processing(); }, 10000));
        // Generous: the benchmark measures it (about a tenth of a second on a loaded machine).
        EXPECT_LT(clock.elapsed(), 2000);
        EXPECT_LE(window().report->blockCount(), ui::MaxLogLines);
        EXPECT_TRUE(reportLines().last().startsWith("...stop elaborazione"))
            << reportLines().last().toStdString();

        if (level == 2) {
            // The report's file holds every line, many more than the log shows.
            const std::string path = scratch.file("report.txt");
            prompter.saveAnswers.push_back(path);
            window().MenuSaveReport->trigger();
            const std::string saved = readFile(path);
            const auto lines = std::count(saved.begin(), saved.end(), '\n');
            EXPECT_GT(lines, ui::MaxLogLines);
            EXPECT_EQ(saved.substr(saved.rfind('\n', saved.size() - 2) + 1),
                      reportLines().last().toStdString() + "\n");
        }
        forms.reset();
    }
}

TEST_F(Main, StartIsRefusedBeforeARead) {
    startProgram("auto-layer0.ini");
    window().start2->click();
    EXPECT_EQ(lastMessage(), msg::StartRefused);
    EXPECT_EQ(prompter.messages.back().type, MsgDlgType::mtInformation);
    EXPECT_FALSE(program().processing());
    EXPECT_FALSE(window().stop2->isEnabled());
    EXPECT_EQ(window().report->toPlainText(), "");
}

TEST_F(Main, OptionsChangedAfterAReadWarnAndRefuseStartUntilTheNextRead) {
    startProgram("auto-layer0.ini");
    auto editWidthThenAbort = [](QWidget* dialog) {
        QTest::keyClicks(dialog->findChild<QLineEdit*>("larg"), "5");
        dialog->findChild<QPushButton*>("BitBtn2")->click();
    };

    // Before any read the options command says nothing.
    whenModalShows(editWidthThenAbort);
    window().BtnOpz->click();
    EXPECT_TRUE(prompter.messages.empty());

    openBoard("dip8-555.fcd");
    const size_t shown = prompter.messages.size();
    whenModalShows(editWidthThenAbort);
    window().BtnOpz->click();
    ASSERT_EQ(prompter.messages.size(), shown + 1);
    EXPECT_EQ(lastMessage(), msg::OptionsChanged);
    EXPECT_EQ(prompter.messages.back().type, MsgDlgType::mtWarning);

    window().start2->click();
    EXPECT_EQ(prompter.messages.size(), shown + 2);
    EXPECT_EQ(lastMessage(), msg::OptionsChanged);
    EXPECT_FALSE(program().processing());

    openBoard("dip8-555.fcd");
    window().start2->click();
    EXPECT_TRUE(program().processing());
    window().stop2->click();
}

TEST_F(Main, SavedFileEqualsTheBatchToolsAfterTheSameLaps) {
    startProgram("auto-layer0.ini");
    openBoard("dip8-555.fcd");
    routeLaps(3);
    window().stop2->click();
    const std::string fromWindow = scratch.file("window.fcd");
    prompter.saveAnswers.push_back(fromWindow);
    window().start3->click();
    ASSERT_EQ(prompter.saveDialogs.size(), 1u);
    EXPECT_EQ(prompter.saveDialogs[0].fileName, boardPath("dip8-555.fcd"));
    EXPECT_EQ(lastMessage(), msg::WriteComplete) << "no warning: the copper keeps 0,3 mm";
    EXPECT_TRUE(reportLines().last().startsWith("Verifica: collegamenti aperti "))
        << reportLines().last().toStdString();
    EXPECT_EQ(text("file_out"), fromWindow);
    EXPECT_FALSE(text("piste_out").empty());
    EXPECT_FALSE(text("righe_out").empty());

    const std::string fromBatch = scratch.file("batch.fcd");
    const std::string command = std::string(ZELTA_CLI) + " route " + boardPath("dip8-555.fcd") + " -o " +
                                fromBatch + " --laps 3 --ini " + boardPath("auto-layer0.ini") +
                                " --replace-tracks -q 2>/dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0);
    const std::string written = readFile(fromWindow);
    EXPECT_NE(written.find("\nPL "), std::string::npos);
    EXPECT_EQ(written, readFile(fromBatch));
}

TEST_F(Main, ASaveWhoseCopperBreaksTheClearanceIsWrittenAndSaysSoInAWarning) {
    // No routed copper keeps 2 mm from another net on this board.
    startProgramWithIni(readFile(boardPath("auto-layer0.ini")) + "isolamento=2\n");
    openBoard("dip8-555.fcd");
    routeLaps(1);
    window().stop2->click();
    const std::string path = scratch.file("out.fcd");
    prompter.saveAnswers.push_back(path);
    const size_t shown = prompter.messages.size();
    window().start3->click();
    ASSERT_EQ(prompter.messages.size(), shown + 2);
    EXPECT_EQ(prompter.messages[shown].text, msg::WriteComplete);
    EXPECT_EQ(prompter.messages[shown + 1].type, MsgDlgType::mtWarning);
    EXPECT_EQ(prompter.messages[shown + 1].text.rfind("Il file è stato scritto.", 0), 0u);
    EXPECT_NE(prompter.messages[shown + 1].text.find("isolamento di 2 mm"), std::string::npos);
    EXPECT_NE(readFile(path).find("\nPL "), std::string::npos) << "the file is the person's";
    const QString verdict = reportLines().last();
    EXPECT_TRUE(verdict.startsWith("Verifica: collegamenti aperti ")) << verdict.toStdString();
    EXPECT_TRUE(verdict.contains("violazioni isolamento 2 mm: ")) << verdict.toStdString();
    EXPECT_FALSE(verdict.contains("violazioni isolamento 2 mm: 0,")) << verdict.toStdString();
}

TEST_F(Main, TheBarIsBusyWithoutAnIdleStopAndCountsTheIdleLapsAgainstOne) {
    // Without an idle stop a run has no end to measure: the toolkit's busy bar, whatever the
    // timer does.
    startProgram("auto-layer0.ini");
    openBoard("dip8-555.fcd");
    ui::TForm1& w = window();
    w.Timer1->stop();
    w.start2->click();
    for (int tick = 0; tick < 7; ++tick) {
        w.Timer1Timer();
        EXPECT_EQ(w.barra->minimum(), 0);
        EXPECT_EQ(w.barra->maximum(), 0);
    }
    w.stop2->click();
    EXPECT_EQ(w.Timer1->interval(), 250);

    // With the stop after 40 idle laps, the bar shows the laps since the best one out of 40.
    startProgramWithIni(readFile(boardPath("auto-layer0.ini")) + "ferma_vuoto=40\n");
    openBoard("dip8-555.fcd");
    ui::TForm1& v = window();
    v.Timer1->stop();
    v.start2->click();
    EXPECT_EQ(v.barra->maximum(), 40);
    EXPECT_EQ(v.barra->value(), 0);
    auto idleLaps = [&] { return std::atoi(text("ciclivuoto").c_str()); };
    ASSERT_TRUE(waitUntil([&] { return idleLaps() >= 3; }));
    v.Timer1Timer();
    EXPECT_GE(v.barra->value(), 3);
    EXPECT_EQ(v.barra->value(), std::min(idleLaps(), 40));
    v.stop2->click();
}

TEST_F(Main, ClosingWithUnsavedResultsAsksAndNoKeepsTheWindow) {
    startProgram("auto-layer0.ini");
    openBoard("dip8-555.fcd");
    routeLaps(1);
    window().stop2->click();

    prompter.messageAnswers.push_back(ModalResult::mrNo);
    window().Uscita1->trigger();
    EXPECT_EQ(lastMessage(), msg::UnsavedResults);
    EXPECT_TRUE(window().isVisible());

    prompter.messageAnswers.push_back(ModalResult::mrYes);
    EXPECT_TRUE(window().close());
    EXPECT_FALSE(window().isVisible());
}

TEST_F(Main, ClosingWhileRoutingPausesTheWorkerForTheQuestionAndEndsIt) {
    startProgram("auto-layer0.ini");
    openBoard("dip8-555.fcd");
    window().start2->click();
    ASSERT_TRUE(waitUntil([&] { return !text("ciclitot").empty(); }));

    // No: the run goes on where it was.
    bool pausedWhileAsking = false;
    prompter.duringMessage = [&] { pausedWhileAsking = program().workerPaused(); };
    prompter.messageAnswers.push_back(ModalResult::mrNo);
    EXPECT_FALSE(window().close());
    EXPECT_TRUE(pausedWhileAsking);
    const int lapsThen = std::stoi(text("ciclitot"));
    ASSERT_TRUE(waitUntil([&] { return std::stoi(text("ciclitot")) > lapsThen; }));

    prompter.messageAnswers.push_back(ModalResult::mrYes);
    EXPECT_TRUE(window().close());
    EXPECT_TRUE(program().workerPaused());
    forms.reset(); // ends the worker; a hang here fails by the test's time limit
}

TEST_F(Main, TrackWidthCommandKeepsResultsOnNoAndClearsPhasesTwoAndThreeOnYes) {
    startProgram("auto-layer0.ini");
    openBoard("dip8-555.fcd");
    routeLaps(1);
    window().stop2->click();
    const std::string laps = text("ciclitot");

    prompter.messageAnswers.push_back(ModalResult::mrNo);
    window().DimPiste->click();
    EXPECT_EQ(lastMessage(), msg::UnsavedResults);
    EXPECT_EQ(text("ciclitot"), laps);
    EXPECT_FALSE(window().report->toPlainText().isEmpty());

    bool dialogShown = false;
    whenModalShows([&](QWidget* dialog) {
        dialogShown = dialog == forms->Form4;
        dialog->findChild<QPushButton*>("BitBtn1")->click();
    });
    window().N2->trigger();
    EXPECT_TRUE(dialogShown);
    for (const char* name :
         {"ciclitot", "ciclivuoto", "piazzscoll", "valore", "file_out", "piste_out", "righe_out"})
        EXPECT_EQ(text(name), "") << name;
    EXPECT_EQ(text("piaztot"), "23");
    EXPECT_EQ(window().report->toPlainText(), "");
    // The next start begins a new run: its first lap is lap 1 again.
    routeLaps(1);
    EXPECT_EQ(text("ciclitot"), "1");
    window().stop2->click();
}

TEST_F(Main, HelpAndAboutCommandsOpenTheirWindows) {
    startProgram();
    ui::HelpWindow& help = *forms->help;
    window().MenuHelp->trigger();
    EXPECT_TRUE(help.isVisible());
    EXPECT_EQ(help.currentPage(), ":/help/indice.html");
    window().MenuAbout->trigger();
    EXPECT_EQ(help.currentPage(), ":/help/novita.html");
    window().Web1->trigger();
    EXPECT_EQ(help.currentPage(), ":/help/licenza.html");
    window().BitBtn1->click();
    EXPECT_EQ(help.currentPage(), ":/help/finestra.html");

    QStringList aboutTexts;
    whenModalShows([&](QWidget* dialog) {
        for (QLabel* label : dialog->findChildren<QLabel*>())
            aboutTexts << label->text();
        dialog->findChild<QPushButton*>("OKButton")->click();
    });
    window().Informazioni1->trigger();
    EXPECT_TRUE(aboutTexts.contains("Zelta!"));
    EXPECT_TRUE(aboutTexts.contains("programma:"));
    EXPECT_TRUE(aboutTexts.contains("versione:            1.0.1"));
    EXPECT_TRUE(aboutTexts.contains("Guida: menu Help, man zelta, man zelta-cli"));
    // Run where it was built, the program has no installed copyright file.
    EXPECT_TRUE(aboutTexts.contains("Licenza: file LICENSE dei sorgenti"));
}

TEST(About, AnInstalledProgramNamesItsCopyrightFile) {
    ScratchDir dir;
    std::filesystem::create_directories(dir.file("usr/bin"));
    EXPECT_EQ(ui::installedLicense(QString::fromStdString(dir.file("usr/bin"))), QString());
    std::filesystem::create_directories(dir.file("usr/share/doc/zelta"));
    dir.write("usr/share/doc/zelta/copyright", "Format: x\n");
    EXPECT_EQ(ui::installedLicense(QString::fromStdString(dir.file("usr/bin"))),
              QString::fromStdString(dir.file("usr/share/doc/zelta/copyright")));
}

TEST(Startup, BadSettingsValueIsShownAndTheProgramEndsWithAFailure) {
    ScratchDir scratch;
    ScriptedPrompter prompter;
    ui::StartupOptions options;
    options.program.iniPath = scratch.write("zelta.ini", "[Avanzate]\ngiriv=tre\n");
    options.prompter = &prompter;
    EXPECT_EQ(ui::runZelta(*qApp, options), 1);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].type, MsgDlgType::mtError);
    EXPECT_NE(prompter.messages[0].text.find("giriv"), std::string::npos);
    EXPECT_NE(prompter.messages[0].text.find("tre"), std::string::npos);
}

} // namespace
} // namespace zelta::testing
