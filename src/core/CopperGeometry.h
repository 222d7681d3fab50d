// Distances between pieces of copper on one layer, in FidoCAD units: a track is a segment with
// round ends as wide as the track, a pad a rectangle with rounded corners (PadShape). The router
// keeps its tracks apart by these distances and the check measures a drawing by them, so both
// read one board the same way.
#pragma once

#include "core/PadShape.h"

namespace zelta {

struct Point2 {
    double x = 0;
    double y = 0;
};

// A track: the copper within halfWidth of the segment from a to b.
struct TrackCopper {
    Point2 a;
    Point2 b;
    double halfWidth = 0;
};

// A pad: the copper within radius of the rectangle centre +- (halfX, halfY), which is the pad's
// outline shrunk by its corner radius (a segment for an oval, a point for a round pad).
struct PadCopper {
    Point2 centre;
    double halfX = 0;
    double halfY = 0;
    double radius = 0;
};

PadCopper padCopper(const PadShape& shape);

// How far apart two pieces of copper are: 0 or less where they touch or overlap. at is the middle
// of the shortest join between them (inside both where they overlap).
struct CopperGap {
    double gap = 0;
    Point2 at;
};

CopperGap gapBetween(const TrackCopper& s, const TrackCopper& t);
CopperGap gapBetween(const TrackCopper& s, const PadCopper& p);
CopperGap gapBetween(const PadCopper& p, const PadCopper& q);

// Gaps closer than this to a limit count as the limit: distances come from square roots of
// whole numbers, and a gap that is exactly the clearance must not read as a hair less.
inline constexpr double GapTolerance = 1e-7;

// The shortest distance between the segments ab and cd, and the middle of the shortest join.
CopperGap segmentDistance(Point2 a, Point2 b, Point2 c, Point2 d);

} // namespace zelta
