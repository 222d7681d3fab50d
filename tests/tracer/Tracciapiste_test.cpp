// The tracer: steps of the best lap joined into segments, widths by net, the planes put back.
#include "tracer/Tracciapiste.h"

#include "support/ProgramFixture.h"

#include <gtest/gtest.h>

#include <sstream>

namespace zelta {
namespace {

using testing::ProgramFixture;
using testing::readFile;

// A 20 x 10 cell board without pads, origin (100, 200).
const char* EmptyBoard = "[FIDOCAD]\nRV 100 200 300 300 0\n";

std::vector<std::string> trackLines(const std::string& file) {
    std::vector<std::string> out;
    std::istringstream in(file);
    std::string line;
    while (std::getline(in, line))
        if (line.rfind("PL ", 0) == 0)
            out.push_back(line.substr(0, line.find('\r')));
    return out;
}

class TracerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(f.openText(EmptyBoard));
        f.program->tracer->resultsReady = true;
        // Nets as a read would have entered them, each 0,5 mm wide.
        for (int net = 1; net <= 5; ++net)
            (*f.program->netTable)[net] = 1;
    }
    int32_t& best(int c, int r) { return f.program->grid->cell(BestPlane, c, r); }
    std::vector<std::string> save() {
        std::string out = f.dir.file("out.fcd");
        EXPECT_TRUE(f.saveTo(out));
        return trackLines(readFile(out));
    }
    ProgramFixture f;
};

TEST_F(TracerTest, ABestLapWithoutTracksWritesOnlyTheDrawing) {
    std::string out = f.dir.file("out.fcd");
    ASSERT_TRUE(f.saveTo(out));
    EXPECT_EQ(readFile(out), "[FIDOCAD]\r\nRV 100 200 300 300 0\r\n\r\n");
    EXPECT_EQ(f.host.field(Field::piste_out), "0");
    EXPECT_EQ(f.host.field(Field::righe_out), "3");
}

TEST_F(TracerTest, StepsOfOneStraightRunBecomeOneSegmentWithTheOriginAdded) {
    // Row 4, columns 3..7, every step pointing towards the next column.
    for (int c = 3; c < 7; ++c)
        best(c, 4) = 5 | DirBit(3);
    best(7, 4) = 5 | PadCentre;
    EXPECT_EQ(save(), (std::vector<std::string>{"PL 130 240 170 240 4 1 5"}));
    EXPECT_EQ(f.host.field(Field::piste_out), "1");
}

TEST_F(TracerTest, ATurnGivesTwoSegmentsThatMeet) {
    best(3, 4) = 5 | DirBit(3);
    best(4, 4) = 5 | DirBit(3);
    best(5, 4) = 5 | DirBit(5);
    best(5, 5) = 5 | DirBit(5);
    EXPECT_EQ(save(), (std::vector<std::string>{"PL 130 240 150 240 4 1 5", "PL 150 240 150 260 4 1 5"}));
}

TEST_F(TracerTest, ARisingDiagonalAcrossRowsIsJoinedUpperStepFirst) {
    // The upper step (row 3) is scanned first; the lower one is stretched over it.
    best(5, 3) = 2 | DirBit(2);
    best(4, 4) = 2 | DirBit(2);
    EXPECT_EQ(save(), (std::vector<std::string>{"PL 140 240 160 220 4 1 2"}));
}

TEST_F(TracerTest, ACellWithStepsBothWaysGivesOneSegment) {
    best(6, 5) = 3 | DirBit(3) | DirBit(7);
    EXPECT_EQ(save(), (std::vector<std::string>{"PL 170 250 150 250 4 1 3"}));
}

TEST_F(TracerTest, AStepRecordedFromBothItsCellsIsTracedOnce) {
    // Two paths of net 4 laid the step between rows 5 and 6 of column 3 from both ends; traced
    // twice, the copy would shrink the joined segment and leave a gap between rows 5 and 6.
    best(3, 3) = 4 | DirBit(5);
    best(3, 4) = 4 | DirBit(5);
    best(3, 5) = 4 | DirBit(5);
    best(3, 6) = 4 | DirBit(1) | DirBit(5);
    best(3, 7) = 4 | PadCentre;
    EXPECT_EQ(save(), (std::vector<std::string>{"PL 130 230 130 270 4 1 4"}));
}

TEST_F(TracerTest, WidthFollowsTheNetsChoice) {
    NetTable& nets = *f.program->netTable;
    nets.erase(4);
    nets[1] = 0; // "0,25"
    nets[2] = 3; // "1,5" is written like "0,5"
    nets[3] = 9; // no item selected
    best(2, 2) = 1 | DirBit(3);
    best(2, 4) = 2 | DirBit(3);
    best(2, 6) = 3 | DirBit(3);
    best(2, 8) = 4 | DirBit(3); // not in the table: added with choice 0
    EXPECT_EQ(save(), (std::vector<std::string>{"PL 120 220 130 220 2 1 1", "PL 120 240 130 240 4 1 2",
                                                "PL 120 260 130 260 1 1 3", "PL 120 280 130 280 2 1 4"}));
    EXPECT_EQ(nets.at(4), 0);
}

TEST_F(TracerTest, CellsOutsideTheBoardAreNotScanned) {
    best(0, 3) = 1 | DirBit(3);  // column 0
    best(3, 0) = 1 | DirBit(5);  // row 0
    best(20, 3) = 1 | DirBit(7); // column cols
    best(3, 10) = 1 | DirBit(1); // row rows
    best(4, 4) = DirBit(3);      // a step of no net: its cell is in use all the same
    // Net 0 is not in the table: the lookup adds it with the narrowest choice.
    EXPECT_EQ(save(), (std::vector<std::string>{"PL 140 240 150 240 2 1 0"}));
}

TEST_F(TracerTest, SavingTwiceWritesTheSameAndTheRoutersPlaneIsBack) {
    best(3, 3) = 1 | DirBit(4);
    best(4, 4) = 1 | DirBit(3);
    f.program->grid->cell(WorkPlane, 9, 9) = 77;
    std::vector<std::string> first = save();
    EXPECT_EQ(save(), first);
    EXPECT_EQ(f.program->grid->cell(WorkPlane, 9, 9), 77);
    EXPECT_EQ(f.program->grid->cell(WorkPlane, 3, 3), 0);
}

TEST_F(TracerTest, ACancelledSaveWritesNothingAndPutsThePlaneBack) {
    best(3, 3) = 1 | DirBit(3);
    f.program->grid->cell(WorkPlane, 9, 9) = 77;
    f.host.setText(Field::piste_out, "old");
    f.program->save(); // no answer queued: the dialog is cancelled
    EXPECT_EQ(f.host.field(Field::piste_out), "old");
    EXPECT_EQ(f.program->grid->cell(WorkPlane, 9, 9), 77);
}

TEST(TracerSave, IsRefusedUntilALapHasEnded) {
    ProgramFixture f;
    ASSERT_TRUE(f.openText(EmptyBoard));
    f.program->save();
    EXPECT_EQ(f.host.lastMessage(),
              "Per salvare i risultati occorre prima\neseguire almeno un ciclo di elaborazione");
    EXPECT_TRUE(f.host.saveDialogs.empty());
}

TEST(TrackWidths, TheClassicNarrowsOnlyTheFirstChoiceTheOtherMethodsLayWhatIsChosen) {
    EXPECT_EQ(TracciaPiste::widthFor(0, 0), 2);
    for (int choice = 1; choice <= 5; ++choice)
        EXPECT_EQ(TracciaPiste::widthFor(choice, 0), 4);
    EXPECT_EQ(TracciaPiste::widthFor(-1, 0), 1);
    EXPECT_EQ(TracciaPiste::widthFor(6, 0), 1);
    // "0,25", "0,5", "1,0", "1,5", "2,5" mm to the nearest 0.127 mm unit; "Max" as the classic.
    const int32_t ruled[] = {2, 4, 8, 12, 20, 4};
    for (int choice = 0; choice <= 5; ++choice)
        EXPECT_EQ(TracciaPiste::widthFor(choice, 1), ruled[choice]) << choice;
    EXPECT_EQ(TracciaPiste::widthFor(6, 1), 1);
}

} // namespace
} // namespace zelta
