// The board model of a run: each net's steps keep the clearance at the net's own track width,
// built afresh at each run from the width table as it is then; and with no clearance to keep,
// the model still keeps new copper clear of the drawing's kept tracks.
#include "router/model/BoardModel.h"

#include "router/RouterTestBoard.h"

#include <gtest/gtest.h>

namespace zelta::testing {
namespace {

int32_t stepAt(int c, int r, int d) {
    return GridLattice.stepOf(GestScheda::index(c, r), d);
}

TEST(BoardModel, EachNetsStepsKeepTheClearanceAtItsOwnWidthAsTheTableSaysAtEachRun) {
    // A round pad of net 2, 16 units across, at (100, 100). The step down column 12 passes its
    // centre 20 units off: a 4-unit track is 20 - 8 - 2 = 10 units from its copper, an 8-unit
    // track 8. At 1,2 mm (9,45 units) the first keeps the clearance, the second does not.
    TestBoard board(30, 20);
    board.copperPad(10, 10, 2, 16, 16, 0);
    board.copperPad(20, 10, 1, 16, 16, 0);
    board.nets[1] = 1; // 0,5 mm: 4 units
    board.nets[2] = 1;
    BoardModel model;
    const ModelSource source{
        board.grid->plane(BasePlane), &board.workList, 30, 20, &board.copper, &board.nets, 1.2, true};
    model.build(source);
    ASSERT_TRUE(model.hasRules());
    EXPECT_EQ(model.widthOfNet[1], 4);
    EXPECT_EQ(model.layer().index, RoutedLayer);
    const int32_t step = stepAt(12, 9, 5);
    EXPECT_TRUE(model.layer().stepsOfNet[1]->allows(step, 1));
    EXPECT_EQ(model.layer().stepsOfNet[1], model.layer().stepsOfNet[2]) << "one table per width";

    board.nets[1] = 2; // 1,0 mm: 8 units
    model.build(source);
    EXPECT_EQ(model.widthOfNet[1], 8);
    EXPECT_FALSE(model.layer().stepsOfNet[1]->allows(step, 1));
    EXPECT_TRUE(model.layer().stepsOfNet[2]->allows(step, 2)) << "the pad's own net";
    EXPECT_EQ(model.nets.pads.size(), 2u) << "the pads to join, from the drawing";

    // Without a width table no net has rules, and the model says so.
    model.build({board.grid->plane(BasePlane), &board.workList, 30, 20, &board.copper, nullptr, 1.2, true});
    EXPECT_FALSE(model.hasRules());
    EXPECT_EQ(model.layer().stepsOfNet[1], nullptr);
    EXPECT_FALSE(model.layer().spacingOn);
}

TEST(BoardModel, WithoutClearanceRulesNewCopperStillKeepsClearOfTheDrawingsKeptTracks) {
    // A kept 4-unit track of net 3 along y = 100 from x = 50 to 150, and 0,3 mm (2,36 units).
    TestBoard board(30, 20);
    board.nets[3] = 1;
    KeptTrackList tracks = {{50, 100, 150, 100, 4, 1, 3}};
    board.copper.tracks = &tracks;
    BoardModel model;
    model.build(
        {board.grid->plane(BasePlane), &board.workList, 30, 20, &board.copper, &board.nets, 0.3, false});
    EXPECT_FALSE(model.hasRules());
    const ModelLayer& layer = model.layer();
    ASSERT_TRUE(layer.hasKept);
    // A land (radius 8) at (100, 110) would touch the track (10 - 2 - 8 = 0); at (100, 120) it is
    // 10 units clear.
    EXPECT_EQ(layer.keptLands[GestScheda::index(10, 11)], 1);
    EXPECT_EQ(layer.keptLands[GestScheda::index(10, 12)], 0);
    // A step along the track is the track's net's own; one a row off keeps 10 - 2 - 2 = 6 units.
    EXPECT_FALSE(layer.keptSteps.allows(stepAt(10, 10, 3), 1));
    EXPECT_TRUE(layer.keptSteps.allows(stepAt(10, 10, 3), 3));
    EXPECT_TRUE(layer.keptSteps.allows(stepAt(10, 11, 3), 1));

    board.copper.tracks = nullptr;
    model.build(
        {board.grid->plane(BasePlane), &board.workList, 30, 20, &board.copper, &board.nets, 0.3, false});
    EXPECT_FALSE(model.layer().hasKept);
}

} // namespace
} // namespace zelta::testing
