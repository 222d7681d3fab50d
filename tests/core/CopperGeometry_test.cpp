// Copper gaps worked out by hand: tracks as segments with round ends, pads by their style.
#include "core/CopperGeometry.h"

#include <gtest/gtest.h>

#include <cmath>

namespace zelta {
namespace {

TrackCopper track(double x1, double y1, double x2, double y2, double width) {
    return {{x1, y1}, {x2, y2}, width / 2};
}
PadCopper pad(int x, int y, int sx, int sy, int style) {
    return padCopper(PadShape::of(x, y, sx, sy, style));
}

struct TrackPadCase {
    const char* what;
    TrackCopper track;
    PadCopper pad;
    double gap;
};

TEST(CopperGeometry, TrackToPadGapsFollowThePadsRealShape) {
    const double diagonal = 20 / std::sqrt(2.0); // distance from the origin to x + y = 20
    const TrackPadCase cases[] = {
        {"track ending beside a round pad, edges touching", track(10, 0, 30, 0, 4), pad(0, 0, 16, 16, 0), 0},
        {"diagonal past a round pad clears it", track(0, 20, 20, 0, 4), pad(0, 0, 24, 24, 0),
         diagonal - 12 - 2},
        {"the same diagonal cuts the corner of a square pad", track(0, 20, 20, 0, 4), pad(0, 0, 24, 24, 1),
         -2},
        {"beside the long side of an upright oval", track(10, -20, 10, 20, 4), pad(0, 0, 10, 16, 0),
         10 - 5 - 2},
        {"past the end of an upright oval", track(-20, 14, 20, 14, 2), pad(0, 0, 10, 16, 0), 14 - 3 - 5 - 1},
        {"a point off a rounded corner", track(14, 14, 14, 14, 0), pad(0, 0, 20, 20, 2),
         std::hypot(10.0, 10.0) - 6},
        {"through the middle of a pad", track(-30, 0, 30, 0, 4), pad(0, 0, 16, 16, 0), -2 - 8},
        {"a negative size is its absolute value", track(10, 0, 30, 0, 4), pad(0, 0, -16, -16, 0), 0},
        {"any other style is an oval", track(10, 0, 30, 0, 4), pad(0, 0, 16, 16, 7), 0},
    };
    for (const TrackPadCase& c : cases)
        EXPECT_NEAR(gapBetween(c.track, c.pad).gap, c.gap, 1e-9) << c.what;
}

TEST(CopperGeometry, TrackToTrackGapsAndWhereTheyAre) {
    CopperGap parallel = gapBetween(track(0, 0, 100, 0, 4), track(20, 10, 50, 10, 4));
    EXPECT_NEAR(parallel.gap, 6, 1e-9);
    EXPECT_NEAR(parallel.at.y, 5, 1e-9);
    CopperGap crossing = gapBetween(track(0, 0, 20, 20, 4), track(0, 20, 20, 0, 2));
    EXPECT_NEAR(crossing.gap, -3, 1e-9);
    EXPECT_NEAR(crossing.at.x, 10, 1e-9);
    EXPECT_NEAR(crossing.at.y, 10, 1e-9);
    // End to end along one line, and a diagonal past the end of a straight step.
    EXPECT_NEAR(gapBetween(track(0, 0, 10, 0, 4), track(20, 0, 30, 0, 4)).gap, 6, 1e-9);
    EXPECT_NEAR(gapBetween(track(0, 0, 10, 10, 4), track(10, 0, 20, 0, 4)).gap, std::sqrt(50.0) - 4, 1e-9);
    // A track of no length is a round dot.
    EXPECT_NEAR(gapBetween(track(5, 5, 5, 5, 4), track(0, 0, 0, 0, 4)).gap, std::sqrt(50.0) - 4, 1e-9);
}

TEST(CopperGeometry, PadToPadGapsMeasureTheCopperNotTheCentres) {
    EXPECT_NEAR(gapBetween(pad(0, 0, 16, 16, 0), pad(20, 0, 16, 16, 0)).gap, 4, 1e-9);
    EXPECT_NEAR(gapBetween(pad(0, 0, 16, 16, 1), pad(10, 0, 16, 16, 1)).gap, -6, 1e-9);
    EXPECT_NEAR(gapBetween(pad(0, 0, 16, 16, 0), pad(0, 0, 16, 16, 0)).gap, -16, 1e-9);
    // Square pads corner to corner, and the same pads round.
    EXPECT_NEAR(gapBetween(pad(0, 0, 10, 10, 1), pad(20, 20, 10, 10, 1)).gap, std::hypot(10.0, 10.0), 1e-9);
    EXPECT_NEAR(gapBetween(pad(0, 0, 10, 10, 0), pad(20, 20, 10, 10, 0)).gap, std::hypot(20.0, 20.0) - 10,
                1e-9);
    const CopperGap g = gapBetween(pad(0, 0, 10, 10, 1), pad(30, 0, 10, 10, 1));
    EXPECT_NEAR(g.at.x, 15, 1e-9);
    EXPECT_NEAR(g.at.y, 0, 1e-9);
}

} // namespace
} // namespace zelta
