// The jumper pass on hand-made planes: copper wherever copper can go, however long the way; and a
// pad shut in by another net's track is freed by moving that track, which is joined again.
#include "router/jumpers/JumperPass.h"

#include "router/Legality.h"
#include "router/RouterTestBoard.h"

#include <gtest/gtest.h>

namespace zelta::testing {
namespace {

const std::vector<int32_t> DefaultLengths = {4, 6, 8};

// Marks a track of net through cells, from the first (the path's far end) to the last (its
// source), as the classic method marks a path.
void track(TestBoard& board, int32_t net, const std::vector<std::pair<int, int>>& cells) {
    for (size_t i = 0; i + 1 < cells.size(); ++i) {
        const int dc = cells[i + 1].first - cells[i].first;
        const int dr = cells[i + 1].second - cells[i].second;
        int dir = 0;
        for (int d = 1; d <= 8; ++d)
            if (Directions[d].dc == dc && Directions[d].dr == dr)
                dir = d;
        ASSERT_NE(dir, 0);
        board.grid->cell(WorkPlane, cells[i].first, cells[i].second) |= net | Directions[dir].bit;
    }
    board.grid->cell(WorkPlane, cells.back().first, cells.back().second) |= net | PathSource;
}

std::string faults(const TestBoard& board, const JumperList& jumpers) {
    const int32_t* base = board.grid->plane(BasePlane);
    const int32_t* work = board.grid->plane(WorkPlane);
    return legalityFault(base, work, board.settings.cols, board.settings.rows) +
           jumperFault(base, work, board.settings.cols, board.settings.rows, jumpers);
}

TEST(JumperPass, CopperIsTakenWhereverItCanGoHoweverLongTheWay) {
    // Net 2's track walls off column 10 but for its two lowest rows; net 1 is on both sides.
    TestBoard board(30, 20);
    board.pad(5, 10, 1);
    board.pad(15, 10, 1);
    std::vector<std::pair<int, int>> wall;
    for (int r = 1; r <= 17; ++r)
        wall.emplace_back(10, r);
    track(board, 2, wall);

    JumperPass pass;
    BoardModel model;
    model.build({board.grid->plane(BasePlane), &board.workList, 30, 20});
    pass.beginRun(model, {}, DefaultLengths);
    pass.prepare(board.grid->plane(WorkPlane), {});
    EXPECT_EQ(pass.connections(), 1);
    EXPECT_EQ(pass.missing(), 1);
    pass.joinByCopper();
    EXPECT_EQ(pass.missing(), 0);
    EXPECT_TRUE(pass.jumpers().empty());
    EXPECT_GT(pass.trackLength(), 30) << "round the end of the wall";
    EXPECT_EQ(faults(board, pass.jumpers()), "");
}

TEST(JumperPass, APadShutInByAnotherNetsTrackIsFreedByMovingTheTrack) {
    // Net 1's pad at (2, 2) sits in the corner; net 2's track from its pad at (8, 1) runs down
    // column 5 and back along row 5 to its pad at (1, 8), leaving no room for a jumper's pad.
    TestBoard board(20, 20);
    board.pad(2, 2, 1);
    board.pad(14, 14, 1);
    board.pad(8, 1, 2);
    board.pad(1, 8, 2);
    track(board, 2,
          {{1, 8},
           {1, 7},
           {1, 6},
           {1, 5},
           {2, 5},
           {3, 5},
           {4, 5},
           {5, 5},
           {5, 4},
           {5, 3},
           {5, 2},
           {5, 1},
           {6, 1},
           {7, 1},
           {8, 1}});
    ASSERT_EQ(faults(board, {}), "");

    JumperPass pass;
    BoardModel model;
    model.build({board.grid->plane(BasePlane), &board.workList, 20, 20});
    pass.beginRun(model, {}, DefaultLengths);
    pass.prepare(board.grid->plane(WorkPlane), {});
    EXPECT_EQ(pass.connections(), 2);
    EXPECT_EQ(pass.missing(), 1);
    pass.joinByCopper();
    const auto keepGoing = [] { return true; };
    ASSERT_TRUE(pass.joinByJumpers(20, keepGoing));
    EXPECT_EQ(pass.missing(), 1) << "no copper and no jumper gets out";
    ASSERT_TRUE(pass.joinByRipUp(20, keepGoing));
    EXPECT_EQ(pass.missing(), 0) << "both nets joined";
    EXPECT_LE(pass.jumpers().size(), 1u);
    EXPECT_EQ(faults(board, pass.jumpers()), "");
}

} // namespace
} // namespace zelta::testing
