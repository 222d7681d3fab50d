// The tracks of a routing state: each net counts once on a cell however many of its branches
// pass there, taking a net away gives its cells back, and sharing or crossing makes it illegal.
#include "router/negotiated/Tracks.h"

#include "router/RouterTestBoard.h"
#include "router/grid/SpacingClasses.h"
#include "router/model/BoardModel.h"
#include "router/negotiated/Legaliser.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace zelta::testing {
namespace {

int cellAt(int c, int r) {
    return GestScheda::index(c, r);
}

struct TwoNets {
    TwoNets() : board(12, 10) {
        board.pad(2, 2, 1);
        board.pad(9, 2, 1);
        board.pad(2, 7, 2);
        board.pad(9, 7, 2);
        model.build({board.grid->plane(BasePlane), &board.workList, 12, 10});
        view.build(model, board.grid->plane(BasePlane), board.workList);
    }
    // Spacing for these track widths by net and 0,3 mm, as the board model sets it up.
    void setupSpacing(const std::array<int32_t, NetSlots>& widths) {
        view.spacingOn = setupSpacingClasses(spacing, view.widthClass, GridLattice, widths, 0.3 / 0.127);
        view.spacing = &spacing;
    }
    TestBoard board;
    BoardModel model;
    NegotiatedBoard view;
    TrackSpacing spacing;
};

TEST(Tracks, ANetCountsOnceOnACellAndTakingItAwayGivesTheCellsBack) {
    TwoNets t;
    Tracks tracks(t.view);
    const int net1 = t.view.netIndex[1];
    // Two branches of net 1 meeting at (5, 4): the second joins the first there.
    tracks.addBranch(net1, {{cellAt(5, 5), 1}, {cellAt(5, 4), 0}});
    tracks.addBranch(net1, {{cellAt(6, 3), 6}, {cellAt(5, 4), 0}});
    EXPECT_EQ(tracks.cellUsers[cellAt(5, 4)], 1);
    EXPECT_TRUE(tracks.legal());
    EXPECT_EQ(tracks.length(), StraightCost + DiagonalCost);

    tracks.removeNet(net1);
    for (int c : {cellAt(5, 5), cellAt(5, 4), cellAt(6, 3)})
        EXPECT_EQ(tracks.cellUsers[c], 0);
    EXPECT_EQ(tracks.diagonalUsers[diagonalSlot(cellAt(6, 3), 6)], 0);
}

TEST(Tracks, ASharedCellOrACrossedSquareIsNotLegal) {
    TwoNets t;
    const int net1 = t.view.netIndex[1];
    const int net2 = t.view.netIndex[2];
    Tracks shared(t.view);
    shared.addBranch(net1, {{cellAt(5, 5), 3}, {cellAt(6, 5), 0}});
    shared.addBranch(net2, {{cellAt(6, 5), 5}, {cellAt(6, 6), 0}});
    EXPECT_FALSE(shared.legal());

    Tracks crossed(t.view);
    crossed.addBranch(net1, {{cellAt(5, 5), 4}, {cellAt(6, 6), 0}}); // falling
    crossed.addBranch(net2, {{cellAt(6, 5), 6}, {cellAt(5, 6), 0}}); // rising, same square
    EXPECT_FALSE(crossed.legal());
    crossed.removeNet(net2);
    EXPECT_TRUE(crossed.legal());
}

TEST(Tracks, WithSpacingTracksOfTwoNetsOnNeighbouringPointsAreNotLegalAndOneGoes) {
    TwoNets t;
    const int net1 = t.view.netIndex[1];
    const int net2 = t.view.netIndex[2];
    // 8-unit tracks (1,0 mm) and 0,3 mm: centre lines must be 10,36 units apart.
    std::array<int32_t, NetSlots> widths{};
    widths[1] = 8;
    widths[2] = 8;
    t.setupSpacing(widths);
    ASSERT_TRUE(t.view.spacingOn);
    auto parallel = [&](Tracks& tracks, int row2) {
        tracks.addBranch(net1, {{cellAt(4, 4), 3}, {cellAt(5, 4), 3}, {cellAt(6, 4), 0}});
        tracks.addBranch(net2, {{cellAt(4, row2), 3}, {cellAt(5, row2), 3}, {cellAt(6, row2), 0}});
    };
    Tracks near(t.view);
    parallel(near, 5);
    EXPECT_FALSE(near.legal());
    Tracks apart(t.view);
    parallel(apart, 6);
    EXPECT_TRUE(apart.legal());
    // A diagonal passes a point 7,07 units off: too close as well.
    Tracks diagonal(t.view);
    diagonal.addBranch(net1, {{cellAt(4, 4), 4}, {cellAt(5, 5), 0}});
    diagonal.addBranch(net2, {{cellAt(5, 4), 3}, {cellAt(6, 4), 0}});
    EXPECT_FALSE(diagonal.legal());

    Legaliser legaliser;
    Tracks kept(t.view);
    legaliser.keepConflictFree(near, kept);
    EXPECT_TRUE(kept.legal());
    EXPECT_EQ(kept.nets[net1].branches.size() + kept.nets[net2].branches.size(), 1u);
    // Taking a net away gives its spacing back.
    near.removeNet(net2);
    EXPECT_TRUE(near.legal());

    // With the lattice's own room enough (4-unit tracks), no counts are kept at all.
    widths[1] = widths[2] = 4;
    t.setupSpacing(widths);
    EXPECT_FALSE(t.view.spacingOn);
}

} // namespace
} // namespace zelta::testing
