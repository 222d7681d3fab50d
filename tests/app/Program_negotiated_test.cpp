// The negotiated method in whole sessions: every shared board routes without a short, two runs
// give the same board, and starts and stops at random moments change nothing in the result.
// Under ThreadSanitizer (make test-tsan) the stress case is also the race test of its helper
// thread.
#include "app/Check.h"
#include "app/RoutingSession.h"
#include "router/Legality.h"
#include "support/ProgramFixture.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <random>
#include <thread>
#include <vector>

namespace zelta {
namespace {

using testing::boardPath;
using testing::ProgramFixture;
using testing::readFile;
using testing::SharedBoard;
using testing::sharedBoards;

// The board's settings file with the negotiated method chosen.
std::string negotiatedSettings(const std::string& iniName) {
    return readFile(boardPath(iniName)) + "metodo=1\n";
}

std::vector<int32_t> planeOf(const GestScheda& grid, Plane p) {
    return std::vector<int32_t>(grid.plane(p), grid.plane(p) + PlaneCells);
}

std::string faultOf(const Program& p, Plane plane) {
    return legalityFault(p.grid->plane(BasePlane), p.grid->plane(plane), p.settings->cols, p.settings->rows);
}

// Routes until the method is done or laps laps have ended, as the batch tool does; returns the
// laps run.
int routeUntilDone(ProgramFixture& f, int laps) {
    StopRules rules;
    rules.laps = laps;
    const SessionResult run = RoutingSession(*f.program).run(rules);
    EXPECT_TRUE(run.started);
    return run.laps;
}

TEST(NegotiatedSession, EverySharedBoardRoutesWithoutAShort) {
    int boards = 0;
    for (const SharedBoard& b : sharedBoards()) {
        SCOPED_TRACE(b.board);
        ProgramFixture f(negotiatedSettings(b.settings));
        ASSERT_TRUE(f.open(boardPath(b.board)));
        // The strict lap and two negotiated ones, each legalised and repaired.
        routeUntilDone(f, 3);
        EXPECT_EQ(faultOf(*f.program, BestPlane), "");
        const std::string out = f.dir.file("out.fcd");
        ASSERT_TRUE(f.saveTo(out));
        FcdDrawing drawing;
        std::string error;
        ASSERT_TRUE(readDrawing(out, *f.program->settings, drawing, error)) << error;
        const CheckResult check = checkDrawing(drawing, f.program->settings->isolamento);
        EXPECT_TRUE(check.shorts.empty()) << checkReportText(check);
        ++boards;
    }
    EXPECT_EQ(boards, 11);
}

TEST(NegotiatedSession, NeverEndsBelowItsStrictFirstLapAndTwoRunsGiveTheSameFile) {
    ProgramFixture first(negotiatedSettings("auto-layer0.ini"));
    ASSERT_TRUE(first.open(boardPath("medium-40pads.fcd")));
    routeUntilDone(first, 1);
    ASSERT_TRUE(first.saveTo(first.dir.file("lap0.fcd")));
    const int laps = routeUntilDone(first, 1000);
    EXPECT_GT(laps, 1);
    ASSERT_TRUE(first.saveTo(first.dir.file("out.fcd")));

    ProgramFixture second(negotiatedSettings("auto-layer0.ini"));
    ASSERT_TRUE(second.open(boardPath("medium-40pads.fcd")));
    EXPECT_EQ(routeUntilDone(second, 1000), laps);
    ASSERT_TRUE(second.saveTo(second.dir.file("out.fcd")));
    EXPECT_TRUE(readFile(first.dir.file("out.fcd")) == readFile(second.dir.file("out.fcd")));

    auto unconnected = [&](const std::string& path) {
        FcdDrawing drawing;
        std::string error;
        EXPECT_TRUE(readDrawing(path, *first.program->settings, drawing, error)) << error;
        return checkDrawing(drawing, first.program->settings->isolamento).padsUnconnected;
    };
    EXPECT_LE(unconnected(first.dir.file("out.fcd")), unconnected(first.dir.file("lap0.fcd")));
}

TEST(ThreadStress, NegotiatedStopsAndStartsAtRandomMomentsGiveTheSameResultAsOneRun) {
    constexpr int Laps = 12;
    ProgramFixture calm(negotiatedSettings("auto-layer0.ini"));
    ASSERT_TRUE(calm.open(boardPath("with-existing-tracks.fcd")));
    const int calmLaps = routeUntilDone(calm, Laps);
    const std::vector<int32_t> expected = planeOf(*calm.program->grid, BestPlane);

    ProgramFixture f(negotiatedSettings("auto-layer0.ini"));
    ASSERT_TRUE(f.open(boardPath("with-existing-tracks.fcd")));
    Program& p = *f.program;
    const std::vector<int32_t> base = planeOf(*p.grid, BasePlane);
    std::atomic<bool> finished{false};
    std::atomic<int> ran{0};
    p.stopRules.laps = Laps;
    p.onLapEnd = [&](const LapFigures& lap) {
        ran = lap.laps;
        if (lap.done || lap.laps >= Laps)
            finished = true;
    };
    std::mt19937 random(20261208); // fixed: a failure comes back with the same waits
    std::uniform_int_distribution<int> waitMicroseconds(0, 4000);
    int stops = 0;
    while (!finished) {
        ASSERT_TRUE(p.startProcessing());
        std::this_thread::sleep_for(std::chrono::microseconds(waitMicroseconds(random)));
        p.stopProcessing();
        ++stops;
        ASSERT_TRUE(p.workerPaused());
        ASSERT_TRUE(planeOf(*p.grid, BasePlane) == base) << "the worker wrote the base plane";
        ASSERT_EQ(faultOf(p, WorkPlane), "");
        ASSERT_EQ(faultOf(p, BestPlane), "");
    }
    EXPECT_GT(stops, 10);
    EXPECT_EQ(ran.load(), calmLaps);
    EXPECT_TRUE(planeOf(*p.grid, BestPlane) == expected) << "after " << stops << " stops";
}

} // namespace
} // namespace zelta
