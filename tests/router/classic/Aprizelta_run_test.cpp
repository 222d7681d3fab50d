// The lap driver: lap values, the best lap, the four figures, the priorities between laps and
// the report lines at each debug level.
#include "router/RouterTestBoard.h"

#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <string>
#include <vector>

namespace zelta::testing {
namespace {

using Lines = std::vector<std::string>;

int32_t workListValue(const TestBoard& board, int32_t c, int32_t r) {
    coord entry{c, r, -1};
    board.workList.find(entry);
    return entry.value;
}

using Entries = std::vector<std::array<int32_t, 3>>;

// The work list as (column, row, value), in its order.
Entries entries(const TestBoard& board) {
    Entries out;
    for (const coord& e : board.workList.entries())
        out.push_back({e.col, e.row, e.value});
    return out;
}

// A two-pad net, A (2, 2) to B (6, 2) in a straight line (final f 43, start estimate 40: the
// connection scores 100), and P (4, 6), the only pad of its net, between them in the work list.
void twoPadNetAndSinglePad(TestBoard& board) {
    board.pad(2, 2, 1, 0, 0);
    board.pad(4, 6, 3, 1, 1);
    board.pad(6, 2, 1, 0, 0);
}

TEST(RoutingDriver, EmptyWorkListEndsEveryLapAtOnceAndTheFirstIsTheBest) {
    TestBoard board(10, 8, 1);
    board.pad(4, 4, 0); // a mounting hole: no net, no work-list entry
    board.grid->cell(BestPlane, 2, 2) = 0x7777;
    BoardRouter r(board);
    std::vector<LapFigures> laps = runLaps(r.router, 3);
    ASSERT_EQ(laps.size(), 3u);
    EXPECT_EQ(board.host.report, (Lines{">Fine giro val=0 [-999999] ps=0 lv=0",
                                        ">Fine giro val=0 [0] ps=0 lv=0", ">Fine giro val=0 [0] ps=0 lv=0"}));
    EXPECT_EQ(board.host.field(Field::valore), "---");
    EXPECT_EQ(board.host.field(Field::piazzscoll), "0");
    EXPECT_EQ(board.host.field(Field::ciclitot), "3");
    EXPECT_EQ(board.host.field(Field::ciclivuoto), "2");
    EXPECT_EQ(board.best(2, 2), 0);
    EXPECT_EQ(board.best(4, 4), PadCentre);
}

TEST(RoutingDriver, LapAtAltoReportsEveryPadConnectionAndTheLapEnd) {
    TestBoard board(10, 9, 2);
    twoPadNetAndSinglePad(board);
    BoardRouter r(board);
    int32_t singlePadAtLapEnd = 0;
    board.host.onLine = [&](const std::string& line) {
        if (line.rfind(">Fine giro", 0) == 0)
            singlePadAtLapEnd = workListValue(board, 4, 6);
    };
    std::vector<LapFigures> laps = runLaps(r.router, 1);
    ASSERT_EQ(laps.size(), 1u);
    EXPECT_EQ(board.host.report,
              (Lines{"Lavoro: c=2; r=2; p=1", "trovati 1 targets", "Scelto target: c=6; r=2",
                     "#soluzione trovata :)", "Lavoro: c=4; r=6; p=3", "trovati 0 targets", "Fine lavori",
                     ">Fine giro val=100 [-999999] ps=0 lv=2"}));
    // The single pad is marked 2000000 in the lap, adds nothing and counts for nothing.
    EXPECT_EQ(singlePadAtLapEnd, 2000000);
    EXPECT_EQ(laps[0].lapValue, 100);
    EXPECT_EQ(laps[0].handledPads, 2);
    EXPECT_EQ(board.host.field(Field::valore), "100");
    EXPECT_EQ(board.host.field(Field::piazzscoll), "0");
    // After the ageing: A found with ratio 1 goes to 999999; P and B are neutral again.
    EXPECT_EQ(entries(board), (Entries{{2, 2, 999999}, {4, 6, 1000000}, {6, 2, 1000000}}));
}

TEST(RoutingDriver, DebugLevelsGateTheDriversLines) {
    TestBoard basso(10, 9, 0);
    twoPadNetAndSinglePad(basso);
    BoardRouter b(basso);
    runLaps(b.router, 2);
    EXPECT_TRUE(basso.host.allLines.empty());

    TestBoard medio(10, 9, 1);
    twoPadNetAndSinglePad(medio);
    BoardRouter m(medio);
    runLaps(m.router, 2);
    EXPECT_EQ(medio.host.allLines,
              (Lines{">Fine giro val=100 [-999999] ps=0 lv=2", ">Fine giro val=100 [100] ps=0 lv=2"}));
}

TEST(RoutingDriver, LapOfEqualValueLeavesTheBestPlaneAndItsFigures) {
    TestBoard board(10, 9, 1);
    twoPadNetAndSinglePad(board);
    BoardRouter r(board);
    std::vector<LapFigures> laps = runLaps(r.router, 2, [&](const LapFigures& lap) {
        if (lap.laps == 1) {
            board.grid->cell(BestPlane, 8, 8) = 0x7777;
            board.host.setText(Field::valore, "kept");
            board.host.setText(Field::piazzscoll, "kept");
        }
    });
    ASSERT_EQ(laps.size(), 2u);
    EXPECT_EQ(laps[1].lapValue, 100);
    EXPECT_FALSE(laps[1].improved);
    EXPECT_EQ(board.best(8, 8), 0x7777);
    EXPECT_EQ(board.host.field(Field::valore), "kept");
    EXPECT_EQ(board.host.field(Field::piazzscoll), "kept");
    EXPECT_EQ(board.host.field(Field::ciclitot), "2");
    EXPECT_EQ(board.host.field(Field::ciclivuoto), "1");
}

// Net 1 crosses the whole board on row 3 from (1, 3) to (10, 3); net 2 runs from (5, 1) to
// (5, 5) across it. Routed first, net 1 cuts net 2 off; net 2 first leaves net 1 a way round
// below (5, 5).
TEST(RoutingDriver, FailedPadsGoFirstNextLapAndOnlyAHigherValueReplacesTheBest) {
    TestBoard board(11, 7, 1);
    board.pad(1, 3, 1, 0, 0);  // A1
    board.pad(10, 3, 1, 0, 0); // B1
    board.pad(5, 1, 2, 0, 0);  // A2
    board.pad(5, 5, 2, 0, 0);  // B2
    BoardRouter r(board);
    Entries afterFirstLap;
    std::string valoreAfterFirstLap, piazzscollAfterFirstLap;
    std::vector<LapFigures> laps = runLaps(r.router, 2, [&](const LapFigures& lap) {
        if (lap.laps == 1) {
            afterFirstLap = entries(board);
            valoreAfterFirstLap = board.host.field(Field::valore);
            piazzscollAfterFirstLap = board.host.field(Field::piazzscoll);
        }
    });
    ASSERT_EQ(laps.size(), 2u);
    EXPECT_EQ(board.host.report,
              (Lines{">Fine giro val=-298 [-999999] ps=2 lv=4", ">Fine giro val=200 [-298] ps=0 lv=4"}));
    EXPECT_EQ(valoreAfterFirstLap, "---");
    EXPECT_EQ(piazzscollAfterFirstLap, "2");
    // Each failure took 300 off; the found connection 1 (ratio 1); B1, reached, is neutral again.
    EXPECT_EQ(afterFirstLap, (Entries{{5, 1, 999700}, {5, 5, 999700}, {1, 3, 999999}, {10, 3, 1000000}}));
    EXPECT_TRUE(laps[1].improved);
    EXPECT_EQ(board.host.field(Field::valore), "66"); // 200 / (4 - 1)
    EXPECT_EQ(board.host.field(Field::piazzscoll), "0");
    EXPECT_EQ(board.host.field(Field::ciclivuoto), "0");
    EXPECT_EQ(board.best(5, 3) & NetMask, 2);
}

TEST(RoutingDriver, FastLapsGiveUpDetoursOnlyWhileLapsIsBelowFastLaps) {
    // Neighbouring pads: in a fast lap the first move north (f 30 > 2 x 10) ends each search.
    TestBoard board(12, 10, 1);
    board.pad(5, 5, 1, 0, 0);
    board.pad(6, 5, 1, 0, 0);
    BoardRouter r(board, 1);
    runLaps(r.router, 2);
    EXPECT_EQ(board.host.report,
              (Lines{">Fine giro val=-398 [-999999] ps=2 lv=2", ">Fine giro val=100 [-398] ps=0 lv=2"}));
}

// Net 1's T (2, 2) and W (6, 2); W's centre is covered by the area of Z (7, 2), also net 1, and
// Z's centre by the area of a mounting hole at (8, 2). T finds no target (W's cell is a pad area)
// and gets 2000000; W, routed as net 1 from its covered cell, reaches T, whose value is above
// 1500000 and so is not counted; Z's cell has no net. The lap has one found connection and
// handledPads 1, so the score would divide by 0.
TEST(RoutingDriver, ScoreIsMissingWhenTheLapCountsASinglePad) {
    TestBoard board(12, 5, 1);
    board.pad(2, 2, 1, 0, 0);
    board.pad(6, 2, 1, 0, 0);
    board.pad(7, 2, 1, 1, 0);
    board.pad(8, 2, 0, 1, 0);
    ASSERT_EQ(board.work(6, 2), 1 | PadArea);
    ASSERT_EQ(board.work(7, 2), PadArea);
    BoardRouter r(board);
    std::vector<LapFigures> laps = runLaps(r.router, 1);
    ASSERT_EQ(laps.size(), 1u);
    EXPECT_EQ(laps[0].lapValue, 100);
    EXPECT_EQ(laps[0].handledPads, 1);
    EXPECT_EQ(board.host.report, (Lines{">Fine giro val=100 [-999999] ps=0 lv=1"}));
    EXPECT_EQ(board.host.field(Field::valore), "---");
    EXPECT_EQ(board.host.field(Field::piazzscoll), "0");
    EXPECT_EQ(board.best(2, 2), 1 | PadCentre | DirBit(3));
}

// Pads on one centre share their entries' fate: each of them takes the neutral priority off the
// cell's value at the end of a lap, and thousands of them hold it at the smallest number.
TEST(RoutingDriver, PadsSharingACentreAgeOncePerPadWithoutPassingTheSmallestPriority) {
    for (const int copies : {2, 3000}) {
        TestBoard board(11, 7, 0);
        board.pad(2, 2, 1, 0, 0); // A
        for (int i = 0; i < copies; ++i)
            board.pad(6, 2, 1, 0, 0); // B, reached from A and raised to 2000000 in the first lap
        BoardRouter r(board);
        int32_t agedB = 0;
        int32_t firstNextLap = 0;
        std::vector<LapFigures> laps = runLaps(r.router, 2, [&](const LapFigures& lap) {
            if (lap.laps == 1) {
                agedB = workListValue(board, 6, 2);
                firstNextLap = board.workList.entries().front().col;
            }
        });
        ASSERT_EQ(laps.size(), 2u) << copies;
        EXPECT_EQ(agedB, copies == 2 ? 0 : INT32_MIN) << copies;
        EXPECT_EQ(firstNextLap, 6) << "B goes first in the next lap";
    }
}

} // namespace
} // namespace zelta::testing
