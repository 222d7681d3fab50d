// The rules of the jumper pass around a method that keeps the clearance: a jumper's land keeps it
// from other nets' pads by their real copper and from their tracks, and other nets' tracks keep it
// from a land laid, each net's own copper excepted.
#include "router/grid/LandRules.h"

#include "router/RouterTestBoard.h"
#include "router/model/BoardModel.h"

#include <gtest/gtest.h>

namespace zelta::testing {
namespace {

// 1,524 mm (12 units): wide enough that a 4-unit track two cells from a land's centre comes too
// close (20 units less the land's radius of 8 and half the track leave 10).
constexpr double WideClearance = 1.524;
constexpr double DefaultClearance = 0.3;

int cell(int c, int r) {
    return GestScheda::index(c, r);
}

// The rules as the jumper pass builds them, from the board's model with the clearance (mm).
void build(LandRules& rules, BoardModel& model, TestBoard& board, double clearance) {
    model.build(
        {board.grid->plane(BasePlane), &board.workList, 30, 30, &board.copper, &board.nets, clearance, true});
    rules.build(*model.copper, model.rules, model.widthOfNet, model.layer().stepsOfNet);
}

TEST(LandRules, ALandKeepsTheClearanceFromAnotherNetsPadByThePadsRealCopper) {
    // A 30 x 30 square pad of net 2 at (10,10) reaches x = 115. A land at (13,10) would be
    // 130 - 8 - 115 = 7 units from it; at (14,10), 17; at (13,13) the pad's corner is
    // 21.2 - 8 = 13.2 away. None of these lands touches a cell of the pad's area.
    TestBoard board(30, 30);
    board.copperPad(10, 10, 2, 30, 30, 1);
    board.nets[1] = 1;
    board.nets[2] = 1;
    LandRules rules;
    BoardModel model;
    build(rules, model, board, WideClearance);
    const int32_t* plane = board.grid->plane(WorkPlane);
    EXPECT_FALSE(rules.siteAllowed(cell(13, 10), 1, plane));
    EXPECT_TRUE(rules.siteAllowed(cell(13, 10), 2, plane)) << "the pad's own net";
    EXPECT_TRUE(rules.siteAllowed(cell(14, 10), 1, plane));
    EXPECT_TRUE(rules.siteAllowed(cell(13, 13), 1, plane));

    build(rules, model, board, DefaultClearance);
    EXPECT_TRUE(rules.siteAllowed(cell(13, 10), 1, plane));
}

TEST(LandRules, ALandAndAnotherNetsTrackTwoCellsAwayKeepApartWhicheverCameFirst) {
    TestBoard board(30, 30);
    board.nets[1] = 1;
    board.nets[2] = 1;
    LandRules rules;
    BoardModel model;
    build(rules, model, board, WideClearance);
    const int32_t* plane = board.grid->plane(WorkPlane);

    // Net 2's step from (12,9) down to (12,10) passes 20 units from a land at (10,10).
    const int land = cell(10, 10);
    EXPECT_TRUE(rules.stepAllowed(cell(12, 9), 5, 2));
    rules.addLand(land, 1);
    EXPECT_FALSE(rules.stepAllowed(cell(12, 9), 5, 2));
    EXPECT_FALSE(rules.stepAllowed(cell(12, 10), 1, 2)) << "the same step from its other end";
    EXPECT_TRUE(rules.stepAllowed(cell(12, 9), 5, 1)) << "the land's own net";
    EXPECT_TRUE(rules.stepAllowed(cell(13, 9), 5, 2)) << "30 - 8 - 2 = 20 units away";
    rules.clearLands();
    EXPECT_TRUE(rules.stepAllowed(cell(12, 9), 5, 2));

    // The track laid first keeps the land away.
    board.grid->cell(WorkPlane, 12, 9) = 2 | Directions[5].bit;
    board.grid->cell(WorkPlane, 12, 10) = 2 | PathSource;
    EXPECT_FALSE(rules.siteAllowed(land, 1, plane));
    EXPECT_TRUE(rules.siteAllowed(land, 2, plane));
    EXPECT_TRUE(rules.siteAllowed(cell(9, 10), 1, plane));

    // At 0,3 mm the cells around a land, which the plane marks as its pad's area, are all it
    // keeps other tracks from.
    build(rules, model, board, DefaultClearance);
    rules.addLand(land, 1);
    EXPECT_TRUE(rules.stepAllowed(cell(12, 9), 5, 2));
    EXPECT_TRUE(rules.siteAllowed(land, 1, plane));
}

} // namespace
} // namespace zelta::testing
