// The negotiated router's view of the board: which listed pads are pads to join, which cells each
// net may use, and the order of the nets.
#include "router/negotiated/NegotiatedBoard.h"

#include "router/RouterTestBoard.h"
#include "router/grid/JumperPad.h"
#include "router/model/BoardModel.h"

#include <gtest/gtest.h>

#include <vector>

namespace zelta::testing {
namespace {

int cellAt(int c, int r) {
    return GestScheda::index(c, r);
}

// The view of the board's base plane alone.
void build(NegotiatedBoard& view, TestBoard& board, int32_t cols, int32_t rows) {
    BoardModel model;
    model.build({board.grid->plane(BasePlane), &board.workList, cols, rows});
    view.build(model, board.grid->plane(BasePlane), board.workList);
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
    build(view, board, 30, 20);

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
    build(view, board, 10, 8);

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

TEST(NegotiatedBoard, FromTheModelWithSeededPadsItIsTheBoardOfThePlaneThatHoldsThem) {
    // The model is read from the drawing's pads; the seeded plane adds a jumper's pads (one at
    // the board's edge, one by a small pad whose corners it shares) and makes a pad area a
    // centre. Only the points and squares those change may differ from the model.
    TestBoard board(20, 12);
    board.pad(4, 4, 1);
    board.pad(15, 8, 1);
    board.pad(9, 5, 2, 0, 0);
    board.pad(12, 3, 0);
    BoardModel model;
    model.build({board.grid->plane(BasePlane), &board.workList, 20, 12});

    std::vector<int32_t> seeded(board.grid->plane(BasePlane), board.grid->plane(BasePlane) + PlaneCells);
    markJumperPad(seeded.data(), cellAt(1, 10), 3);
    markJumperPad(seeded.data(), cellAt(10, 6), 3);
    seeded[cellAt(4, 5)] |= PadCentre;
    ListaCoord list = board.workList;
    list.append(1, 10, NeutralPriority);
    list.append(10, 6, NeutralPriority);

    NegotiatedBoard fromModel;
    fromModel.build(model, seeded.data(), list);
    BoardModel seededModel;
    seededModel.build({seeded.data(), &list, 20, 12});
    NegotiatedBoard fromPlane;
    fromPlane.build(seededModel, seeded.data(), list);
    EXPECT_EQ(fromModel.fixedNet, fromPlane.fixedNet);
    EXPECT_EQ(fromModel.cornerNet, fromPlane.cornerNet);
    EXPECT_EQ(fromModel.netPads, fromPlane.netPads);
    // The rising diagonal from (10, 5) to (9, 6) passes the small pad of net 2 and the seeded pad
    // of net 3: the model alone leaves it to net 2, with the seeded pad no net may lay it.
    EXPECT_FALSE(fromModel.diagonalAllowed(diagonalSlot(cellAt(10, 5), 6), 2));
    EXPECT_FALSE(fromModel.passable(cellAt(11, 7), 1)) << "the seeded pad's area";
}

} // namespace
} // namespace zelta::testing
