// The check of a routed plane: a track marked as the router marks one passes, and each way of
// breaking the routing rules is named with its place.
#include "router/Legality.h"

#include "router/RouterTestBoard.h"

#include <gtest/gtest.h>

namespace zelta::testing {
namespace {

std::string fault(const TestBoard& board) {
    return legalityFault(board.grid->plane(BasePlane), board.grid->plane(WorkPlane), board.settings.cols,
                         board.settings.rows);
}

// Net 1 from (2, 5) to (8, 5), marked from (8, 5) back to its source as the router marks a path.
void straightTrack(TestBoard& board) {
    board.pad(2, 5, 1);
    board.pad(8, 5, 1);
    for (int c = 3; c <= 8; ++c)
        board.grid->cell(WorkPlane, c, 5) |= 1 | DirBit(7);
    board.grid->cell(WorkPlane, 2, 5) |= PathSource;
}

TEST(Legality, AMarkedPathPassesAndEveryBrokenRuleIsNamed) {
    TestBoard board(12, 10);
    straightTrack(board);
    EXPECT_EQ(fault(board), "");

    TestBoard foreignPad(12, 10);
    foreignPad.pad(5, 6, 2); // its area takes in (4, 5) to (6, 5), where net 1's track runs
    straightTrack(foreignPad);
    EXPECT_EQ(fault(foreignPad), "a track on another net's pad at (4,5)");

    TestBoard intoOtherNet(12, 10);
    straightTrack(intoOtherNet);
    intoOtherNet.grid->cell(WorkPlane, 5, 6) |= 2 | DirBit(1);
    EXPECT_EQ(fault(intoOtherNet), "a step into another net at (5,6)");

    TestBoard offBoard(12, 10);
    offBoard.grid->cell(WorkPlane, 11, 3) |= 3 | DirBit(3);
    EXPECT_EQ(fault(offBoard), "a step off the board at (11,3)");
}

TEST(Legality, DiagonalsMayNotCrossNorPassTheCornerOfAnotherNetsPadCentre) {
    TestBoard crossing(12, 10);
    crossing.grid->cell(WorkPlane, 4, 4) |= 1 | DirBit(4); // falling, square (4, 4)
    crossing.grid->cell(WorkPlane, 5, 5) |= 1;
    crossing.grid->cell(WorkPlane, 4, 5) |= 2 | DirBit(2); // rising, same square
    crossing.grid->cell(WorkPlane, 5, 4) |= 2;
    EXPECT_EQ(fault(crossing), "crossing diagonals in the square at (4,4)");

    // The same net's diagonals may not cross either.
    TestBoard ownCrossing(12, 10);
    ownCrossing.grid->cell(WorkPlane, 4, 4) |= 1 | DirBit(4);
    ownCrossing.grid->cell(WorkPlane, 5, 4) |= 1 | DirBit(6);
    ownCrossing.grid->cell(WorkPlane, 5, 5) |= 1;
    ownCrossing.grid->cell(WorkPlane, 4, 5) |= 1;
    EXPECT_EQ(fault(ownCrossing), "crossing diagonals in the square at (4,4)");

    // A pad without a pad area at (5, 4): net 1's diagonal from (4, 4) to (5, 5) passes its corner.
    TestBoard corner(12, 10);
    corner.pad(5, 4, 2, 0, 0);
    corner.grid->cell(WorkPlane, 4, 4) |= 1 | DirBit(4);
    corner.grid->cell(WorkPlane, 5, 5) |= 1;
    EXPECT_EQ(fault(corner), "a diagonal past another net's pad in the square at (4,4)");
    // Past its own net's pad it is allowed.
    TestBoard ownCorner(12, 10);
    ownCorner.pad(5, 4, 1, 0, 0);
    ownCorner.grid->cell(WorkPlane, 4, 4) |= 1 | DirBit(4);
    ownCorner.grid->cell(WorkPlane, 5, 5) |= 1;
    EXPECT_EQ(fault(ownCorner), "");
}

// A jumper with its two pads marked as the jumper pass marks them.
Jumper layJumper(TestBoard& board, int net, int c1, int r1, int c2, int r2) {
    for (auto [c, r] : {std::pair{c1, r1}, std::pair{c2, r2}}) {
        board.grid->cell(WorkPlane, c, r) |= net | PadCentre;
        for (int d = 1; d <= 8; ++d)
            board.grid->cell(WorkPlane, c + Directions[d].dc, r + Directions[d].dr) |= net | PadArea;
    }
    return {net, c1, r1, c2, r2};
}

std::string jumperFaultOf(const TestBoard& board, const JumperList& jumpers) {
    return jumperFault(board.grid->plane(BasePlane), board.grid->plane(WorkPlane), board.settings.cols,
                       board.settings.rows, jumpers);
}

TEST(Legality, AJumperPassesOverTracksButNotOverPadCentresNorNextToOtherCopper) {
    // Net 2's track runs down column 7, under the wire.
    TestBoard board(16, 12);
    for (int r = 1; r < 11; ++r)
        board.grid->cell(WorkPlane, 7, r) |= 2 | DirBit(5);
    const Jumper j = layJumper(board, 1, 4, 5, 10, 5);
    EXPECT_EQ(jumperFaultOf(board, {j}), "");

    TestBoard overCentre(16, 12);
    overCentre.pad(7, 5, 3, 0, 0); // a pad without an area, under the wire
    EXPECT_EQ(jumperFaultOf(overCentre, {layJumper(overCentre, 1, 4, 5, 10, 5)}),
              "a jumper over a pad centre (4,5)-(10,5)");

    TestBoard onPad(16, 12);
    onPad.pad(4, 5, 1);
    EXPECT_EQ(jumperFaultOf(onPad, {layJumper(onPad, 1, 4, 5, 10, 5)}), "a jumper end on a pad (4,5)-(10,5)");

    // Net 2's track one cell from an end: on the pad's area.
    TestBoard nextTo(16, 12);
    nextTo.grid->cell(WorkPlane, 11, 4) |= 2 | DirBit(5);
    EXPECT_EQ(jumperFaultOf(nextTo, {layJumper(nextTo, 1, 4, 5, 10, 5)}),
              "a jumper pad on another net's copper (4,5)-(10,5)");

    TestBoard shortOne(16, 12);
    EXPECT_EQ(jumperFaultOf(shortOne, {layJumper(shortOne, 1, 4, 5, 6, 5)}),
              "a jumper shorter than 3 steps (4,5)-(6,5)");
}

TEST(Legality, TwoJumpersKeepTheirPadsApartAndTheirWiresFromTouching) {
    TestBoard apart(16, 16);
    const Jumper a = layJumper(apart, 1, 4, 5, 10, 5);
    const Jumper b = layJumper(apart, 2, 4, 8, 10, 8);
    EXPECT_EQ(jumperFaultOf(apart, {a, b}), "");

    TestBoard close(16, 16);
    const Jumper c = layJumper(close, 1, 4, 5, 10, 5);
    const Jumper d = layJumper(close, 1, 11, 6, 11, 12);
    EXPECT_EQ(jumperFaultOf(close, {c, d}), "jumper pads too close (11,6)-(11,12)");

    // A wire down column 7 crosses one across row 5.
    TestBoard crossing(16, 16);
    const Jumper e = layJumper(crossing, 1, 4, 5, 10, 5);
    const Jumper f = layJumper(crossing, 2, 7, 2, 7, 10);
    EXPECT_EQ(jumperFaultOf(crossing, {e, f}), "jumper wires that touch (7,2)-(7,10)");
}

} // namespace
} // namespace zelta::testing
