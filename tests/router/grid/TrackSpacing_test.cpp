// Track spacing on half points against the copper distance of the two steps themselves.
#include "router/grid/TrackSpacing.h"

#include "core/CopperGeometry.h"
#include "router/grid/StepOwners.h"

#include <gtest/gtest.h>

namespace zelta {
namespace {

// Every step near a step of the middle of a small lattice, for several pitches, widths and
// clearances: the half points say "too close" exactly when the copper is closer than the
// clearance.
TEST(TrackSpacing, HalfPointsSayTooCloseExactlyWhenTheCopperIs) {
    struct Rules {
        int32_t pitch;
        double halfA, halfB, clearance;
    };
    const Rules rules[] = {
        {10, 2, 2, 0.3 / 0.127},  {5, 1, 1, 0.2 / 0.127}, {5, 2, 2, 0.3 / 0.127}, {10, 2, 6, 0.3 / 0.127},
        {10, 10, 1, 0.2 / 0.127}, {5, 4, 2, 0.0},         {10, 2, 2, 6.0},
    };
    for (const Rules& r : rules) {
        const Lattice lattice{r.pitch, 13, 13};
        TrackSpacing spacing;
        spacing.setup(lattice, {r.halfA, r.halfB}, r.clearance);
        const int32_t centre = lattice.index(6, 6);
        for (int d = 3; d <= 6; ++d) {
            const int32_t s = lattice.stepOf(centre, d);
            const TrackCopper sc = stepCopper(lattice, s, r.halfA);
            spacing.clear();
            for (int32_t h : {spacing.halfOfPoint(lattice.stepStart(s)), spacing.halfOfStep(s),
                              spacing.halfOfPoint(lattice.stepStart(s) + lattice.offset(d))})
                spacing.add(h, 0);
            for (int32_t c = 1; c < 12; ++c) {
                for (int32_t rr = 1; rr < 12; ++rr) {
                    const int32_t p = lattice.index(c, rr);
                    for (int e = 3; e <= 6; ++e) {
                        const int32_t t = lattice.stepOf(p, e);
                        const bool geometry =
                            gapBetween(sc, stepCopper(lattice, t, r.halfB)).gap < r.clearance - GapTolerance;
                        const bool halves = spacing.near(spacing.halfOfPoint(p), 1) > 0 ||
                                            spacing.near(spacing.halfOfStep(t), 1) > 0 ||
                                            spacing.near(spacing.halfOfPoint(p + lattice.offset(e)), 1) > 0;
                        EXPECT_EQ(halves, geometry)
                            << "pitch " << r.pitch << " half widths " << r.halfA << "," << r.halfB
                            << " clearance " << r.clearance << " step dir " << d << " against (" << c << ","
                            << rr << ") dir " << e;
                    }
                }
            }
        }
    }
}

TEST(TrackSpacing, ANetCountsOnlyOtherNetsWhenItsOwnPaintingIsTakenAway) {
    const Lattice lattice{10, 8, 8};
    TrackSpacing spacing;
    spacing.setup(lattice, {2}, 0.3 / 0.127);
    OwnSpacing own;
    own.setup(spacing);
    const int32_t h = spacing.halfOfPoint(lattice.index(3, 3));
    spacing.add(h, 0);
    own.add(spacing, h, 0);
    EXPECT_EQ(spacing.near(h, 0) - own.near(h), 0);
    const int32_t other = spacing.halfOfPoint(lattice.index(3, 3));
    spacing.add(other, 0);
    EXPECT_EQ(spacing.near(h, 0) - own.near(h), 1);
    spacing.remove(other, 0);
    own.remove(spacing, h, 0);
    spacing.remove(h, 0);
    EXPECT_EQ(spacing.near(h, 0), 0);
}

} // namespace
} // namespace zelta
