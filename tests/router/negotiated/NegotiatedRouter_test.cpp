// The negotiated method on small hand-made boards, run lap after lap by the lap driver: what it
// joins, what it must leave apart, the rules its tracks keep, and when it says it is done.
#include "router/negotiated/NegotiatedRouter.h"

#include "router/Legality.h"
#include "router/RouterTestBoard.h"

#include <gtest/gtest.h>

#include <map>
#include <numeric>
#include <vector>

namespace zelta::testing {
namespace {

struct NegotiatedRun {
    explicit NegotiatedRun(TestBoard& board) {
        router.links = {board.grid.get(), &board.workList, &board.settings};
    }

    // Runs the method through the lap driver until it is done or maxLaps laps have ended.
    std::vector<LapFigures> run(TestBoard& board, int maxLaps = 1000) {
        std::vector<LapFigures> laps;
        RunControl control;
        control.onLapEnd = [&](const LapFigures& lap) {
            laps.push_back(lap);
            if (lap.done || lap.laps >= maxLaps)
                control.quit();
        };
        LapDriver driver;
        driver.links = {board.grid.get(), &board.settings, &board.host};
        driver.run(router, control);
        return laps;
    }

    NegotiatedRouter router;
};

// Pads of each net outside the largest group that the plane's track steps join, worked out from
// the plane alone.
int unconnectedPads(const TestBoard& board, Plane plane) {
    const int32_t* cells = board.grid->plane(plane);
    std::vector<int> parent(PlaneCells);
    std::iota(parent.begin(), parent.end(), 0);
    auto root = [&](int i) {
        while (parent[i] != i)
            i = parent[i] = parent[parent[i]];
        return i;
    };
    for (int c = 1; c + 1 < GridCols; ++c)
        for (int r = 1; r + 1 < GridRows; ++r)
            for (int d = 1; d <= 8; ++d)
                if (cells[GestScheda::index(c, r)] & Directions[d].bit)
                    parent[root(GestScheda::index(c, r))] =
                        root(GestScheda::index(c + Directions[d].dc, r + Directions[d].dr));
    std::map<int32_t, std::map<int, int>> groups; // net -> root -> pads
    for (const coord& pad : board.workList.entries())
        ++groups[board.grid->cell(BasePlane, pad.col, pad.row) & NetMask]
                [root(GestScheda::index(pad.col, pad.row))];
    int unconnected = 0;
    for (const auto& [net, byRoot] : groups) {
        int pads = 0, largest = 0;
        for (const auto& [r, count] : byRoot) {
            pads += count;
            largest = std::max(largest, count);
        }
        unconnected += pads - largest;
    }
    return unconnected;
}

std::string fault(const TestBoard& board, Plane plane) {
    return legalityFault(board.grid->plane(BasePlane), board.grid->plane(plane), board.settings.cols,
                         board.settings.rows);
}

TEST(NegotiatedRouter, JoinsEveryPadOfAFreeBoardAtLapZeroAndIsDone) {
    TestBoard board(30, 20);
    board.pad(4, 4, 1);
    board.pad(25, 15, 1);
    board.pad(4, 15, 1);
    board.pad(25, 4, 2);
    board.pad(15, 10, 2);
    NegotiatedRun run(board);
    const std::vector<LapFigures> laps = run.run(board);
    ASSERT_EQ(laps.size(), 1u);
    EXPECT_TRUE(laps[0].done);
    EXPECT_EQ(laps[0].failures, 0);
    EXPECT_EQ(unconnectedPads(board, BestPlane), 0);
    EXPECT_EQ(fault(board, BestPlane), "");
    EXPECT_EQ(board.host.field(Field::piazzscoll), "0");
    // The score reads as the share of the pads joined, in per cent, less a little for length.
    const int shown = std::stoi(board.host.field(Field::valore));
    EXPECT_GE(shown, 95);
    EXPECT_LE(shown, 100);
}

TEST(NegotiatedRouter, ABoardWithNothingToJoinIsDoneAfterItsFirstLap) {
    TestBoard board(12, 10);
    board.pad(4, 4, 0); // a mounting hole
    board.pad(8, 5, 3); // the only pad of its net
    NegotiatedRun run(board);
    const std::vector<LapFigures> laps = run.run(board);
    ASSERT_EQ(laps.size(), 1u);
    EXPECT_TRUE(laps[0].done);
    EXPECT_TRUE(laps[0].improved);
    EXPECT_EQ(board.host.field(Field::valore), "---");
    EXPECT_EQ(board.best(4, 4), PadCentre);
}

// Net 1 runs from the left edge to the right one and net 2 from the top to the bottom; their pad
// areas reach the board's edges (columns and rows 1 to 19), so one track must cross the other.
void crossing(TestBoard& board) {
    board.pad(2, 10, 1);
    board.pad(18, 10, 1);
    board.pad(10, 2, 2);
    board.pad(10, 18, 2);
}

TEST(NegotiatedRouter, ANetThatMustCrossAnotherLeavesExactlyOneConnectionAndNoShort) {
    TestBoard board(20, 20);
    crossing(board);
    NegotiatedRun run(board);
    const std::vector<LapFigures> laps = run.run(board);
    ASSERT_FALSE(laps.empty());
    EXPECT_TRUE(laps.back().done);
    EXPECT_LE(laps.back().laps, NegotiatedTuning::LapBudget);
    EXPECT_EQ(board.host.field(Field::piazzscoll), "1");
    EXPECT_EQ(unconnectedPads(board, BestPlane), 1);
    EXPECT_EQ(fault(board, BestPlane), "");
    EXPECT_EQ(fault(board, WorkPlane), "");
}

TEST(NegotiatedRouter, ADrawingsJumperJoinsItsEndsSoNoCopperIsSoughtAcrossIt) {
    // The drawing's own jumper of net 2 from (10, 6) to (10, 14), as the reader leaves it: both
    // pads placed, the second one's centre pad area and out of the work list. Net 1 crosses
    // between its ends, and every pad is joined at the first lap.
    TestBoard board(20, 20);
    crossing(board);
    board.pad(10, 6, 2);
    board.pad(10, 14, 2);
    board.set(10, 14, 2 | PadArea);
    board.workList.removeCells({coord{10, 14, 0}});
    const JumperList drawn = {{2, 10, 6, 10, 14}};
    NegotiatedRun run(board);
    run.router.links.existingJumpers = &drawn;
    const std::vector<LapFigures> laps = run.run(board);
    ASSERT_FALSE(laps.empty());
    EXPECT_EQ(laps.front().failures, 0);
    EXPECT_TRUE(laps.front().done);
    EXPECT_EQ(board.host.field(Field::piazzscoll), "0");
    EXPECT_EQ(fault(board, BestPlane), "");
}

TEST(NegotiatedRouter, TracksKeepOutOfOtherNetsPadsAndOffTheCornersOfSmallPads) {
    // Net 1 must pass between two pads of net 2 that are too small for a pad area; the gap is
    // one cell, so the only way is straight through it, never diagonally past a pad's corner.
    TestBoard board(20, 12);
    board.pad(3, 6, 1);
    board.pad(16, 6, 1);
    board.pad(9, 5, 2, 0, 0);
    board.pad(9, 7, 2, 0, 0);
    for (int r = 1; r < 12; ++r)
        if (r < 5 || r > 7)
            board.set(9, r, PadArea); // a wall of net 0 above and below
    NegotiatedRun run(board);
    run.run(board);
    // Net 2 goes round the far end of net 1's pads; net 1 takes the gap, straight.
    EXPECT_EQ(fault(board, BestPlane), "");
    EXPECT_EQ(unconnectedPads(board, BestPlane), 0);
    EXPECT_EQ(board.best(9, 6) & NetMask, 1);
}

TEST(NegotiatedRouter, APadWalledInByAnotherNetStaysApartAndTheRunEnds) {
    TestBoard board(20, 20);
    board.pad(3, 3, 1);
    // Net 2's pads enclose (10, 10) completely.
    for (int c = 7; c <= 13; c += 2)
        for (int r = 7; r <= 13; r += 2)
            if (c == 7 || c == 13 || r == 7 || r == 13)
                board.pad(c, r, 2, 1, 1);
    board.pad(10, 10, 1, 0, 0);
    NegotiatedRun run(board);
    const std::vector<LapFigures> laps = run.run(board);
    ASSERT_FALSE(laps.empty());
    EXPECT_TRUE(laps.back().done);
    EXPECT_EQ(unconnectedPads(board, BestPlane), 1);
    EXPECT_EQ(fault(board, BestPlane), "");
}

TEST(NegotiatedRouter, FewerUnconnectedPadsAlwaysOutweighTrackLength) {
    TestBoard board(20, 20);
    crossing(board);
    NegotiatedRun run(board);
    run.router.beginRun();
    const int32_t shortButApart = run.router.valueOf({2, 2, 10});
    const int32_t longButJoined = run.router.valueOf({1, 1, 600000});
    const int32_t shorter = run.router.valueOf({1, 1, 590000});
    EXPECT_GT(longButJoined, shortButApart);
    EXPECT_GT(shorter, longButJoined);
}

TEST(NegotiatedRouter, LapsLaidOutAroundSeededJumpersJoinTheirEndsAndForgetThemWhenSeededAgain) {
    // A jumper of net 1 from (6, 10) to (14, 10) lets net 2 pass under it at column 10.
    TestBoard board(20, 20);
    crossing(board);
    NegotiatedRun run(board);
    NegotiatedRouter& router = run.router;
    RunControl control;
    router.beginRun();
    const JumperList seeded = {{1, 6, 10, 14, 10}};
    router.seedJumpers(seeded);
    for (int lap = 0; lap < 3; ++lap) {
        SCOPED_TRACE(lap);
        const std::optional<LapOutcome> outcome = router.routeLap(control, lap);
        ASSERT_TRUE(outcome);
        EXPECT_EQ(outcome->failures, 0) << "the jumper joins its two ends";
        EXPECT_FALSE(outcome->done) << "a complete board may still need fewer jumpers";
        EXPECT_EQ(board.work(6, 10) & (NetMask | PadCentre), 1 | PadCentre);
        EXPECT_EQ(board.work(14, 10) & (NetMask | PadCentre), 1 | PadCentre);
        EXPECT_EQ(fault(board, WorkPlane), "");
        EXPECT_EQ(jumperFault(board.grid->plane(BasePlane), board.grid->plane(WorkPlane), 20, 20, seeded),
                  "");
    }
    // Seeded with none, the next laps route the drawing's pads alone, on ground the jumper's pads
    // held, and the crossing is open again.
    router.seedJumpers({});
    for (int lap = 3; lap < 6; ++lap) {
        SCOPED_TRACE(lap);
        const std::optional<LapOutcome> outcome = router.routeLap(control, lap);
        ASSERT_TRUE(outcome);
        EXPECT_EQ(outcome->failures, 1);
        EXPECT_EQ(board.work(6, 10) & PadCentre, 0);
        EXPECT_EQ(fault(board, WorkPlane), "");
    }
}

} // namespace
} // namespace zelta::testing
