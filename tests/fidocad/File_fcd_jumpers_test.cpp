// Jumpers in a drawing: a component-side wire between the centres of two pads of one net joins
// them for the router (one of them is left to connect), and the writer puts the best lap's
// jumpers after the tracks, so that a routed file read again keeps them as jumpers.
#include "fidocad/File_fcd.h"

#include "support/ProgramFixture.h"

#include <gtest/gtest.h>

namespace zelta {
namespace {

using testing::ProgramFixture;
using testing::readFile;

// A 30 x 20 cell board, origin (0, 0): net 1 has three pads, (5,5) (15,5) (25,15); net 2 two,
// (5,15) (15,15). The first pad is square, the others round with a drill of 6.
const char* Board = "[FIDOCAD]\n"
                    "RV 0 0 300 200 0\n"
                    "PA 50 50 16 16 8 1 1 1\n"
                    "PA 150 50 16 16 6 0 1 1\n"
                    "PA 250 150 16 16 6 0 1 1\n"
                    "PA 50 150 16 16 6 0 1 2\n"
                    "PA 150 150 16 16 6 0 1 2\n";

std::vector<std::pair<int, int>> workCells(const Program& p) {
    std::vector<std::pair<int, int>> cells;
    for (const coord& e : p.workList->entries())
        cells.emplace_back(e.col, e.row);
    return cells;
}

TEST(JumpersInTheDrawing, AWireBetweenTwoPadsOfOneNetJoinsThemForTheRouter) {
    ProgramFixture f;
    // The wire may come before the pads it joins; which end comes first does not matter.
    ASSERT_TRUE(f.openText(std::string("[FIDOCAD]\nPL 250 150 150 50 4 2 1\n") + (Board + 10)));
    EXPECT_EQ(f.program->fcd->existingJumpers, (JumperList{{1, 25, 15, 15, 5}}));
    // The later pad of the two is no longer one to connect; its centre is pad area of its net.
    EXPECT_EQ(workCells(*f.program), (std::vector<std::pair<int, int>>{{5, 5}, {15, 5}, {5, 15}, {15, 15}}));
    EXPECT_EQ(f.program->grid->cell(BasePlane, 25, 15), 1 | PadArea);
    EXPECT_EQ(f.program->grid->cell(BasePlane, 15, 5), 1 | PadCentre);
    // The wire stays in the drawing.
    EXPECT_NE(readFile(f.program->fcd->tmpPath).find("PL 250 150 150 50 4 2 1\n"), std::string::npos);
}

TEST(JumpersInTheDrawing, OtherWiresAreNoJumpers) {
    ProgramFixture f;
    ASSERT_TRUE(f.openText(std::string(Board) +
                           "PL 50 50 50 150 4 2 1\n"      // two nets
                           "PL 150 50 150 60 4 2 1\n"     // one end on no pad
                           "PL 50 50 150 50 4 3 1\n"      // silkscreen, not the component side
                           "PL 150 150 150 150 4 2 2\n"   // one pad at both ends
                           "PL 152 150 50 150 4 2 2\n")); // off the centre
    EXPECT_TRUE(f.program->fcd->existingJumpers.empty());
    EXPECT_EQ(f.program->workList->size(), 5u);
}

TEST(JumpersInTheDrawing, AChainOfWiresLeavesItsFirstPadToConnect) {
    ProgramFixture f;
    ASSERT_TRUE(f.openText(std::string(Board) + "PL 250 150 150 50 4 2 1\nPL 150 50 50 50 4 2 1\n"));
    EXPECT_EQ(f.program->fcd->existingJumpers.size(), 2u);
    EXPECT_EQ(workCells(*f.program), (std::vector<std::pair<int, int>>{{5, 5}, {5, 15}, {15, 15}}));
}

TEST(JumpersInTheDrawing, TheBestLapsJumpersAreWrittenAfterTheTracksAndReadBackAsJumpers) {
    ProgramFixture f;
    ASSERT_TRUE(f.openText(Board));
    f.routeLaps(1);
    // A jumper of net 2 from (5,10) to (11,10), as a router would have laid it.
    f.program->bestJumpers = {{2, 5, 10, 11, 10}};
    const std::string out = f.dir.file("out.fcd");
    ASSERT_TRUE(f.saveTo(out));
    const std::string written = readFile(out);
    // Drill of the first round pad; the wire as wide as the net's tracks, on layer 2.
    const std::string records =
        "PA 50 100 16 16 6 0 1 2\r\nPA 110 100 16 16 6 0 1 2\r\nPL 50 100 110 100 4 2 2\r\n";
    ASSERT_GE(written.size(), records.size());
    EXPECT_EQ(written.substr(written.size() - records.size()), records);

    // Read back, the jumper's pads are pads of net 2 joined by their wire.
    ASSERT_TRUE(f.open(out));
    EXPECT_EQ(f.program->fcd->existingJumpers, (JumperList{{2, 5, 10, 11, 10}}));
    EXPECT_EQ(f.program->workList->size(), 6u) << "five pads and one end of the jumper";
}

TEST(JumpersInTheDrawing, WithoutARoundPadTheJumpersDrillIsTheDefault) {
    ProgramFixture f;
    ASSERT_TRUE(f.openText("[FIDOCAD]\nRV 0 0 300 200 0\nPA 50 50 16 16 8 1 1 1\nPA 150 50 16 16 8 2 1 1\n"));
    EXPECT_EQ(f.program->fcd->jumperDrill(), JumperDefaultDrill);
}

TEST(JumpersInTheDrawing, AJumpersHoleLeavesCopperOnItsPad) {
    // A mounting hole and a surface pad come first: neither hole fits a jumper's 16-unit pad.
    ProgramFixture f;
    ASSERT_TRUE(f.openText("[FIDOCAD]\nRV 0 0 300 200 0\nPA 50 50 25 25 25 0 1 0\nPA 100 50 16 16 0 0 1 1\n"
                           "PA 150 50 16 16 9 0 1 1\nPA 200 50 16 16 6 0 1 1\n"));
    EXPECT_EQ(f.program->fcd->jumperDrill(), 6);
}

} // namespace
} // namespace zelta
