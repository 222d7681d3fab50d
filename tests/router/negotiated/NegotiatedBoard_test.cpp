// The negotiated router's view of the board: which listed pads are pads to join, which cells each
// net may use, and the order of the nets.
#include "router/negotiated/NegotiatedBoard.h"

#include "router/RouterTestBoard.h"

#include <gtest/gtest.h>

namespace zelta::testing {
namespace {

int cellAt(int c, int r) {
    return GestScheda::index(c, r);
}

TEST(NegotiatedBoard, TakesEachPadCentreOfANetOnceAndOrdersTheNetsByTheirSpan) {
    TestBoard board(30, 20);
    board.pad(2, 2, 1);
    board.pad(25, 15, 1); // net 1 spans 23 + 13
    board.pad(10, 10, 2);
    board.pad(12, 10, 2); // net 2 spans 2
    board.pad(20, 3, 3);  // a net of one pad: nothing to join
    board.pad(5, 15, 4);
    board.pad(6, 15, 5, 1, 1); // its area covers net 4's centre: that pad is gone
    board.pad(8, 15, 5);
    board.workList.append(10, 10, NeutralPriority); // the same pad listed twice
    NegotiatedBoard view;
    view.build(board.grid->plane(BasePlane), board.workList, 30, 20);

    ASSERT_EQ(view.nets.size(), 3u);
    EXPECT_EQ(view.nets[0].net, 2);
    EXPECT_EQ(view.nets[1].net, 5);
    EXPECT_EQ(view.nets[2].net, 1);
    EXPECT_EQ(view.nets[0].padCount, 2);
    EXPECT_EQ(view.routablePads, 6);
    EXPECT_EQ(view.netIndex[3], -1);
    EXPECT_EQ(view.padAt[cellAt(5, 15)], -1);
}

TEST(NegotiatedBoard, CellsOffTheBoardAndNetZeroPadsAreWallsAndSmallPadsGuardTheirCorners) {
    TestBoard board(10, 8);
    board.pad(4, 4, 0);       // a mounting hole
    board.pad(7, 3, 2, 0, 0); // too small for a pad area
    NegotiatedBoard view;
    view.build(board.grid->plane(BasePlane), board.workList, 10, 8);

    EXPECT_TRUE(view.passable(cellAt(1, 1), 1));
    EXPECT_FALSE(view.passable(cellAt(0, 1), 1));
    EXPECT_FALSE(view.passable(cellAt(10, 1), 1));
    EXPECT_FALSE(view.passable(cellAt(1, 8), 1));
    EXPECT_FALSE(view.passable(cellAt(5, 5), 1)); // the hole's area
    EXPECT_TRUE(view.passable(cellAt(7, 3), 2));
    EXPECT_FALSE(view.passable(cellAt(7, 3), 1));

    // From (6, 3) down to (7, 4) the diagonal passes the pad at (7, 3): only net 2 may lay it.
    const int slot = diagonalSlot(cellAt(6, 3), 4);
    EXPECT_FALSE(view.diagonalAllowed(slot, 1));
    EXPECT_TRUE(view.diagonalAllowed(slot, 2));
    EXPECT_TRUE(view.diagonalAllowed(diagonalSlot(cellAt(6, 3), 8), 1)); // up and left: corners free
}

} // namespace
} // namespace zelta::testing
