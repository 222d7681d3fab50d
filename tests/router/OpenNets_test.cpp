// The nets a run left open and why: the pads outside the largest joined group of each net, and a
// reason that the board itself shows (a wall of fixed copper, other nets' tracks, the jumpers).
#include "router/OpenNets.h"

#include "router/RouterTestBoard.h"

#include <gtest/gtest.h>

namespace zelta::testing {
namespace {

// Net 1 has a pad each side of column 10; wall(r) fills column 10 on every row.
std::vector<OpenNet> splitNet(const std::function<void(TestBoard&, int32_t)>& wall, JumperRun jumpers = {}) {
    TestBoard board(30, 20);
    board.pad(5, 10, 1);
    board.pad(15, 10, 1);
    for (int32_t r = 1; r < 20; ++r)
        wall(board, r);
    return openNets(board.grid->plane(BasePlane), board.grid->plane(WorkPlane), board.workList, 30, 20, {},
                    {}, jumpers);
}

TEST(OpenNets, ANetShutInByAnotherNetsTrackIsBlockedAndItsLaterPadIsTheOneNotJoined) {
    const std::vector<OpenNet> open =
        splitNet([](TestBoard& board, int32_t r) { board.grid->cell(WorkPlane, 10, r) = 2 | DirBit(5); });
    ASSERT_EQ(open.size(), 1u);
    EXPECT_EQ(open[0].net, 1);
    EXPECT_EQ(open[0].pads, std::vector<int32_t>{GestScheda::index(15, 10)});
    EXPECT_EQ(open[0].reason, OpenReason::BlockedByTracks);
}

TEST(OpenNets, ANetWalledOffByFixedCopperHasNoPathOnTheFreeBoard) {
    const std::vector<OpenNet> open =
        splitNet([](TestBoard& board, int32_t r) { board.set(10, r, 2 | PadArea); });
    ASSERT_EQ(open.size(), 1u);
    EXPECT_EQ(open[0].reason, OpenReason::NoPathOnFreeBoard);
}

TEST(OpenNets, WithTheJumperModeTheReasonIsTheJumperLimitOrTheLackOfASite) {
    auto wall = [](TestBoard& board, int32_t r) { board.grid->cell(WorkPlane, 10, r) = 2 | DirBit(5); };
    EXPECT_EQ(splitNet(wall, {true, true})[0].reason, OpenReason::JumperLimit);
    EXPECT_EQ(splitNet(wall, {true, false})[0].reason, OpenReason::NoJumperSite);
}

TEST(OpenNets, AJoinedNetAndANetOfOnePadAreNotOpen) {
    TestBoard board(30, 20);
    board.pad(5, 10, 1);
    board.pad(8, 10, 1);
    board.pad(20, 10, 3);
    // A straight track from (8,10) back to (5,10): each cell points towards the source.
    for (int32_t c = 6; c <= 8; ++c)
        board.grid->cell(WorkPlane, c, 10) |= 1 | DirBit(7);
    board.grid->cell(WorkPlane, 5, 10) |= 1 | PathSource;
    EXPECT_TRUE(openNets(board.grid->plane(BasePlane), board.grid->plane(WorkPlane), board.workList, 30, 20,
                         {}, {}, {})
                    .empty());
}

TEST(OpenNets, ADrawnJumperJoinsItsEnds) {
    TestBoard board(30, 20);
    board.pad(5, 10, 1);
    board.pad(15, 10, 1);
    const JumperList existing{{1, 5, 10, 15, 10}};
    EXPECT_TRUE(openNets(board.grid->plane(BasePlane), board.grid->plane(WorkPlane), board.workList, 30, 20,
                         existing, {}, {})
                    .empty());
}

} // namespace
} // namespace zelta::testing
