// The routing grid's cell values, storage layout and plane copies, and the net table's subscript.
#include "core/Init_obj.h"

#include <gtest/gtest.h>

namespace zelta {
namespace {

TEST(GestScheda, StartsAndClearsToZeroInEveryPlane) {
    GestScheda grid;
    for (int32_t v : grid.cells)
        ASSERT_EQ(v, 0);
    grid.cell(SparePlane, 159, 79) = 5;
    grid.cell(BasePlane, 0, 0) = 7;
    grid.clear();
    for (int32_t v : grid.cells)
        ASSERT_EQ(v, 0);
}

TEST(GestScheda, StoresColumnByColumnWithPlanesOf51200Cells) {
    GestScheda grid;
    grid.cell(BestPlane, 3, 7) = 42;
    EXPECT_EQ(grid.cells[2 * 51200 + 3 * 160 + 7], 42);
    EXPECT_EQ(grid.plane(BestPlane)[GestScheda::index(3, 7)], 42);
}

TEST(GestScheda, CopyPlaneCopiesTheWholeRasterBeyondTheBoard) {
    GestScheda grid;
    grid.cell(WorkPlane, 0, 0) = 1;
    grid.cell(WorkPlane, 159, 79) = 2;
    grid.cell(WorkPlane, 80, 40) = 3;
    grid.cell(BasePlane, 10, 10) = 99;
    grid.copyPlane(WorkPlane, BasePlane);
    EXPECT_EQ(grid.cell(BasePlane, 0, 0), 1);
    EXPECT_EQ(grid.cell(BasePlane, 159, 79), 2);
    EXPECT_EQ(grid.cell(BasePlane, 80, 40), 3);
    EXPECT_EQ(grid.cell(BasePlane, 10, 10), 0);
    EXPECT_EQ(grid.cell(WorkPlane, 80, 40), 3);
}

TEST(CellEncoding, PadAndTrackValuesAreThoseEveryPhaseShares) {
    EXPECT_EQ(7 | PadCentre, 0x40007);
    EXPECT_EQ(7 | PadArea, 0x20007);
    EXPECT_EQ(7 | DirBit(3), 0x407);
    EXPECT_EQ(7 | PadCentre | PathSource, 0x140007);
    // A pad centre of net 0 blocks: it is in use.
    EXPECT_NE(PadCentre & OccupiedMask, 0);
    EXPECT_NE(PathSource & TrackMask, 0);
    EXPECT_EQ(PadCentre & TrackMask, 0);
}

TEST(Directions, OffsetsBitsAndOppositesFormOneTable) {
    const int dc[] = {0, 0, 1, 1, 1, 0, -1, -1, -1};
    const int dr[] = {0, -1, -1, 0, 1, 1, 1, 0, -1};
    for (int d = 1; d <= 8; ++d) {
        EXPECT_EQ(Directions[d].dc, dc[d]) << d;
        EXPECT_EQ(Directions[d].dr, dr[d]) << d;
        EXPECT_EQ(Directions[d].bit, 0x100 << (d - 1)) << d;
        const Direction& back = Directions[Directions[d].opposite];
        EXPECT_EQ(back.dc, -dc[d]) << d;
        EXPECT_EQ(back.dr, -dr[d]) << d;
    }
    EXPECT_EQ(opposite(1), 5);
    EXPECT_EQ(opposite(4), 8);
    EXPECT_EQ(opposite(8), 4);
}

TEST(NetTable, SubscriptInsertsAnAbsentNetWithChoiceZero) {
    NetTable nets;
    nets[3] = 1;
    nets[1] = 1;
    nets[7] = 1;
    EXPECT_EQ(nets[9], 0);
    EXPECT_EQ(nets.size(), 4u);
    nets[9] = 4;
    EXPECT_EQ(nets[9], 4);
    EXPECT_EQ(nets.size(), 4u);
    std::vector<int32_t> order;
    for (auto& [net, choice] : nets)
        order.push_back(net);
    EXPECT_EQ(order, (std::vector<int32_t>{1, 3, 7, 9}));
}

} // namespace
} // namespace zelta
