// The window under stress: two hundred starts and stops by its buttons at random moments, with
// saves between them. The worker's output reaches the window through the event loop, so every
// stop must leave the worker paused, the stop line last in the report, and a save right then a
// sound board.
#include "UiFixture.h"

#include "app/Check.h"
#include "core/Messages.h"
#include "fidocad/FcdDrawing.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <cstdio>
#include <random>

namespace zelta::testing {
namespace {

using WindowStress = UiTest;

TEST_F(WindowStress, EveryStopByTheButtonLeavesThePausedWorkerAndAWholeBoard) {
    constexpr int Cycles = 200;
    startProgram("auto-layer0.ini");
    openBoard("dip8-555.fcd");
    ui::TForm1& w = window();
    std::mt19937 random(20261207); // fixed: a failure comes back with the same waits
    std::uniform_int_distribution<int> waitMilliseconds(0, 15);
    int saves = 0;

    for (int cycle = 0; cycle < Cycles; ++cycle) {
        SCOPED_TRACE("cycle " + std::to_string(cycle));
        ASSERT_TRUE(w.start2->isEnabled());
        w.start2->click();
        ASSERT_TRUE(w.stop2->isEnabled());
        QTest::qWait(waitMilliseconds(random));
        w.stop2->click();

        ASSERT_TRUE(program().workerPaused());
        ASSERT_FALSE(w.stop2->isEnabled());
        const QString stopLine = reportLines().last();
        ASSERT_TRUE(stopLine.startsWith(QStringLiteral("...stop elaborazione"))) << stopLine.toStdString();
        // What the worker queued before it paused has been shown; nothing arrives later.
        QCoreApplication::processEvents();
        ASSERT_EQ(reportLines().last(), stopLine);

        if (cycle % 10 == 9 && program().tracer->resultsReady) {
            const std::string out = scratch.file("stress.fcd");
            prompter.saveAnswers.push_back(out);
            w.start3->click();
            ASSERT_EQ(lastMessage(), msg::WriteComplete);
            FcdDrawing drawing;
            std::string error;
            ASSERT_TRUE(readDrawing(out, *program().settings, drawing, error)) << error;
            const CheckResult check = checkDrawing(drawing, program().settings->isolamento);
            ASSERT_TRUE(check.shorts.empty()) << checkReportText(check);
            ++saves;
        }
    }
    std::printf("[ stress ] %d cycles by the buttons, %s laps, %d saves\n", Cycles, text("ciclitot").c_str(),
                saves);
    EXPECT_GT(saves, 0);
    EXPECT_FALSE(text("ciclitot").empty());
}

} // namespace
} // namespace zelta::testing
