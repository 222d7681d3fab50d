// Step owners from real pad copper: which steps a track of one width may take near pads.
#include "router/grid/StepOwners.h"

#include <gtest/gtest.h>

namespace zelta {
namespace {

PlacedPad roundPad(int32_t x, int32_t y, int32_t size, int32_t net) {
    return {x, y, size, size, 5, 0, net, x / 10, y / 10};
}

struct Board {
    Lattice lattice{10, 20, 12};
    StepOwners owners;
    int32_t step(int c, int r, int d) const { return lattice.stepOf(lattice.index(c, r), d); }
};

TEST(StepOwners, APadClaimsTheStepsItsCopperKeepsFromOtherNets) {
    Board b;
    // A 16-unit round pad of net 3 at (50, 50); tracks 4 units wide, 3 units of clearance.
    b.owners.build(b.lattice, {}, {roundPad(50, 50, 16, 3)}, 2.0, {3.0, false});
    EXPECT_EQ(b.owners.owner(b.step(5, 5, 3)), 3) << "leaving the pad's centre";
    EXPECT_EQ(b.owners.owner(b.step(6, 5, 3)), 3) << "10 units from the centre: 0 apart";
    EXPECT_EQ(b.owners.owner(b.step(7, 5, 3)), StepOwners::Free) << "20 units: 10 apart";
    // The diagonal from (60, 40) to (70, 30) passes 14.1 units from the centre: 4.1 apart.
    EXPECT_EQ(b.owners.owner(b.step(6, 4, 2)), StepOwners::Free);
    // The same diagonal with 5 units of clearance is too close.
    b.owners.build(b.lattice, {}, {roundPad(50, 50, 16, 3)}, 2.0, {5.0, false});
    EXPECT_EQ(b.owners.owner(b.step(6, 4, 2)), 3);
    EXPECT_TRUE(b.owners.allows(b.step(6, 4, 2), 3));
    EXPECT_FALSE(b.owners.allows(b.step(6, 4, 2), 4));
}

TEST(StepOwners, TwoNetsOrAPadOfNoNetNearAStepMakeItAWall) {
    Board b;
    b.owners.build(b.lattice, {},
                   {roundPad(50, 50, 16, 3), roundPad(70, 50, 16, 4), roundPad(150, 50, 24, 0)}, 2.0,
                   {1.0, false});
    EXPECT_EQ(b.owners.owner(b.step(5, 5, 3)), StepOwners::Wall) << "from one pad into the other";
    EXPECT_EQ(b.owners.owner(b.step(15, 5, 3)), StepOwners::Wall) << "a mounting hole";
    EXPECT_EQ(b.owners.owner(b.step(4, 5, 7)), 3);
}

TEST(StepOwners, TheClassicOnlyKeepsTracksOffForeignCopper) {
    Board b;
    const CopperRules overlap{0, true};
    // A track 4 units wide 10 units from a 17-unit pad's centre overlaps it by half a unit; from a
    // 16-unit one it only touches it.
    b.owners.build(b.lattice, {}, {roundPad(50, 50, 17, 3)}, 2.0, overlap);
    EXPECT_EQ(b.owners.owner(b.step(6, 5, 5)), 3);
    b.owners.build(b.lattice, {}, {roundPad(50, 50, 16, 3)}, 2.0, overlap);
    EXPECT_EQ(b.owners.owner(b.step(6, 5, 5)), StepOwners::Free);
    // A diagonal past a small round pad's corner cell: 7.07 units from an 11-unit pad's centre
    // leaves less than the track's half width.
    b.owners.build(b.lattice, {}, {roundPad(50, 50, 11, 3)}, 2.0, overlap);
    EXPECT_EQ(b.owners.owner(b.step(6, 5, 6)), 3);
}

TEST(StepOwners, CopperStaysOnTheBoardAndStepsStayOnTheLattice) {
    Board b;
    b.owners.build(b.lattice, {0, 0, 190, 110}, {}, 2.0, {3.0, false});
    EXPECT_EQ(b.owners.owner(b.step(0, 5, 5)), StepOwners::Wall) << "along the left edge";
    EXPECT_EQ(b.owners.owner(b.step(1, 5, 5)), StepOwners::Free);
    EXPECT_EQ(b.owners.owner(b.step(19, 5, 5)), StepOwners::Wall) << "past the right edge";
    EXPECT_EQ(b.owners.owner(b.step(5, 11, 5)), StepOwners::Wall) << "off the lattice";
    // A pad is placed relative to the board's origin.
    b.owners.build(b.lattice, {100, 200, 0, 0}, {roundPad(150, 250, 16, 3)}, 2.0, {3.0, false});
    EXPECT_EQ(b.owners.owner(b.step(5, 5, 3)), 3);
}

} // namespace
} // namespace zelta
