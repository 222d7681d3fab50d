// The jumper pass's search on boards strewn with other nets' tracks and small pads: the floods that
// rule a search out never rule out one that finds a path, and what the pass lays from the paths
// found keeps every rule of a routed plane.
#include "router/jumpers/JumperSearch.h"

#include "router/Legality.h"
#include "router/RouterTestBoard.h"
#include "router/jumpers/JumperPass.h"

#include <gtest/gtest.h>

#include <random>

namespace zelta::testing {
namespace {

constexpr int Cols = 40;
constexpr int Rows = 30;

// A board with net 1's two pads and, drawn at random from seed, straight tracks of nets 2 to 5 and
// pads without an area of nets 6 to 8: walls that copper cannot cross and jumpers may.
TestBoard strewnBoard(uint32_t seed) {
    TestBoard board(Cols, Rows);
    std::mt19937 random(seed);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
    board.pad(pick(2, Cols - 3), pick(2, 8), 1);
    board.pad(pick(2, Cols - 3), pick(Rows - 9, Rows - 3), 1);
    // Tracks from the far end back to their first cell, as paths are marked; each stops at
    // anything in its way.
    auto track = [&](int net, bool across, int c0, int r0, int length) {
        std::vector<std::pair<int, int>> cells;
        for (int i = 0; i < length; ++i) {
            const int c = across ? c0 + i : c0;
            const int r = across ? r0 : r0 + i;
            if (c >= Cols || r >= Rows || board.work(c, r) != 0)
                break;
            cells.emplace_back(c, r);
        }
        for (size_t i = cells.size(); i-- > 0;)
            board.grid->cell(WorkPlane, cells[i].first, cells[i].second) =
                net | (i == 0 ? PathSource : DirBit(across ? 7 : 1));
    };
    // Walls across the board between the pads, some with a gap at one end, and short tracks.
    for (int w = pick(1, 3); w > 0; --w)
        track(pick(2, 5), true, pick(0, 1) == 0 ? 1 : 3, pick(10, 20), Cols);
    for (int t = 0; t < 10; ++t)
        track(pick(2, 5), pick(0, 1) == 1, pick(1, Cols - 2), pick(1, Rows - 2), pick(3, 12));
    for (int p = 0; p < 4; ++p) {
        const int c = pick(1, Cols - 1);
        const int r = pick(1, Rows - 1);
        if (board.work(c, r) == 0)
            board.pad(c, r, pick(6, 8), 0, 0);
    }
    return board;
}

TEST(JumperSearch, TheFloodsNeverRuleOutASearchThatFindsAPath) {
    int found = 0, ruledOut = 0;
    for (uint32_t seed = 1; seed <= 300; ++seed) {
        SCOPED_TRACE(seed);
        TestBoard board = strewnBoard(seed);
        JumperSearch search;
        search.setBoard(Cols, Rows, {4, 6, 8}, JumperTuning::JumperCost);
        search.refreshWires(board.grid->plane(WorkPlane));
        for (int jumpers = 0; jumpers <= 2; ++jumpers) {
            const coord& a = board.workList.entries()[0];
            const coord& b = board.workList.entries()[1];
            search.begin(board.grid->plane(WorkPlane), 1, jumpers);
            search.addSource(GestScheda::index(a.col, a.row));
            search.addTarget(GestScheda::index(b.col, b.row));
            const bool feasible = jumpers == 0 ? search.reachable() : search.jumpersFeasible();
            const bool path = search.run();
            EXPECT_TRUE(feasible || !path) << "with " << jumpers << " jumpers";
            found += path;
            ruledOut += !feasible;
        }
    }
    // The boards give both outcomes often enough for the rule to be tried.
    EXPECT_GT(found, 100);
    EXPECT_GT(ruledOut, 100);
}

TEST(JumperSearch, WhatThePassLaysKeepsTheRulesOfARoutedPlane) {
    int laid = 0;
    for (uint32_t seed = 1; seed <= 300; ++seed) {
        SCOPED_TRACE(seed);
        TestBoard board = strewnBoard(seed);
        JumperPass pass;
        BoardModel model;
        model.build({board.grid->plane(BasePlane), &board.workList, Cols, Rows});
        pass.beginRun(model, {}, {4, 6, 8});
        pass.prepare(board.grid->plane(WorkPlane), {});
        pass.joinByCopper();
        ASSERT_TRUE(pass.joinByJumpers(20, [] { return true; }));
        const int32_t* base = board.grid->plane(BasePlane);
        const int32_t* work = board.grid->plane(WorkPlane);
        ASSERT_EQ(legalityFault(base, work, Cols, Rows), "");
        ASSERT_EQ(jumperFault(base, work, Cols, Rows, pass.jumpers()), "");
        laid += static_cast<int>(pass.jumpers().size());
    }
    EXPECT_GT(laid, 50);
}

} // namespace
} // namespace zelta::testing
