// Closest points between segments and rectangles, the pieces every copper distance is made of.
#include "core/CopperGeometry.h"

#include <algorithm>
#include <cmath>

namespace zelta {

namespace {

Point2 lerp(Point2 a, Point2 b, double t) {
    return {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t};
}
Point2 middle(Point2 a, Point2 b) {
    return {(a.x + b.x) / 2, (a.y + b.y) / 2};
}
double dot(Point2 a, Point2 b) {
    return a.x * b.x + a.y * b.y;
}
Point2 minus(Point2 a, Point2 b) {
    return {a.x - b.x, a.y - b.y};
}

// Closest points of two segments, by the parameters along each that minimise the distance,
// clamped to the segments; a segment of no length is a point.
void closestPoints(Point2 p1, Point2 q1, Point2 p2, Point2 q2, Point2& c1, Point2& c2) {
    const Point2 d1 = minus(q1, p1), d2 = minus(q2, p2), r = minus(p1, p2);
    const double a = dot(d1, d1), e = dot(d2, d2), f = dot(d2, r);
    double s = 0, t = 0;
    if (a <= 0 && e <= 0) {
        c1 = p1;
        c2 = p2;
        return;
    }
    if (a <= 0) {
        t = std::clamp(f / e, 0.0, 1.0);
    } else {
        const double c = dot(d1, r);
        if (e <= 0) {
            s = std::clamp(-c / a, 0.0, 1.0);
        } else {
            const double b = dot(d1, d2), denom = a * e - b * b;
            s = denom > 0 ? std::clamp((b * f - c * e) / denom, 0.0, 1.0) : 0.0;
            t = (b * s + f) / e;
            if (t < 0) {
                t = 0;
                s = std::clamp(-c / a, 0.0, 1.0);
            } else if (t > 1) {
                t = 1;
                s = std::clamp((b - c) / a, 0.0, 1.0);
            }
        }
    }
    c1 = lerp(p1, q1, s);
    c2 = lerp(p2, q2, t);
}

// Whether the segments ab and cd cross or touch, by the signs of the turns (exact for the whole
// coordinates of a drawing up to 2^26).
bool segmentsMeet(Point2 a, Point2 b, Point2 c, Point2 d) {
    auto turn = [](Point2 p, Point2 q, Point2 r) {
        const double v = (q.x - p.x) * (r.y - p.y) - (q.y - p.y) * (r.x - p.x);
        return (v > 0) - (v < 0);
    };
    auto within = [](Point2 p, Point2 q, Point2 r) {
        return std::min(p.x, q.x) <= r.x && r.x <= std::max(p.x, q.x) && std::min(p.y, q.y) <= r.y &&
               r.y <= std::max(p.y, q.y);
    };
    const int t1 = turn(a, b, c), t2 = turn(a, b, d), t3 = turn(c, d, a), t4 = turn(c, d, b);
    if (t1 * t2 < 0 && t3 * t4 < 0)
        return true;
    return (t1 == 0 && within(a, b, c)) || (t2 == 0 && within(a, b, d)) || (t3 == 0 && within(c, d, a)) ||
           (t4 == 0 && within(c, d, b));
}

bool insideBox(Point2 p, const PadCopper& box) {
    return std::abs(p.x - box.centre.x) <= box.halfX && std::abs(p.y - box.centre.y) <= box.halfY;
}

// The shortest distance from segment ab to the core rectangle of a pad.
CopperGap segmentToBox(Point2 a, Point2 b, const PadCopper& box) {
    for (Point2 p : {a, b})
        if (insideBox(p, box))
            return {0, p};
    const double x0 = box.centre.x - box.halfX, x1 = box.centre.x + box.halfX;
    const double y0 = box.centre.y - box.halfY, y1 = box.centre.y + box.halfY;
    const Point2 corner[4] = {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}};
    CopperGap best{INFINITY, {}};
    for (int i = 0; i < 4; ++i) {
        const CopperGap g = segmentDistance(a, b, corner[i], corner[(i + 1) % 4]);
        if (g.gap < best.gap)
            best = g;
    }
    return best;
}

} // namespace

PadCopper padCopper(const PadShape& shape) {
    const double r = shape.cornerRadius();
    return {{shape.x, shape.y}, shape.sizeX / 2 - r, shape.sizeY / 2 - r, r};
}

CopperGap segmentDistance(Point2 a, Point2 b, Point2 c, Point2 d) {
    // Crossing segments: the closest points of the clamped solution can miss the crossing by a
    // rounding error, and copper that crosses must read as overlapping.
    if (segmentsMeet(a, b, c, d)) {
        Point2 p, q;
        closestPoints(a, b, c, d, p, q);
        return {0, middle(p, q)};
    }
    Point2 p, q;
    closestPoints(a, b, c, d, p, q);
    return {std::hypot(p.x - q.x, p.y - q.y), middle(p, q)};
}

CopperGap gapBetween(const TrackCopper& s, const TrackCopper& t) {
    CopperGap g = segmentDistance(s.a, s.b, t.a, t.b);
    g.gap -= s.halfWidth + t.halfWidth;
    return g;
}

CopperGap gapBetween(const TrackCopper& s, const PadCopper& p) {
    CopperGap g = segmentToBox(s.a, s.b, p);
    g.gap -= s.halfWidth + p.radius;
    return g;
}

CopperGap gapBetween(const PadCopper& p, const PadCopper& q) {
    const double sx = std::abs(p.centre.x - q.centre.x) - p.halfX - q.halfX;
    const double sy = std::abs(p.centre.y - q.centre.y) - p.halfY - q.halfY;
    // Overlapping cores: how deep, along the shallower side.
    const double apart =
        sx < 0 && sy < 0 ? std::max(sx, sy) : std::hypot(std::max(0.0, sx), std::max(0.0, sy));
    // The middle of the shortest join: between the two cores' nearest points, coordinate by
    // coordinate.
    auto between = [](double c1, double h1, double c2, double h2) {
        const double lo = std::max(c1 - h1, c2 - h2), hi = std::min(c1 + h1, c2 + h2);
        return (lo + hi) / 2;
    };
    const Point2 at{between(p.centre.x, p.halfX, q.centre.x, q.halfX),
                    between(p.centre.y, p.halfY, q.centre.y, q.halfY)};
    return {apart - p.radius - q.radius, at};
}

} // namespace zelta
