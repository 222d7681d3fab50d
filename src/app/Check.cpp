// Connectivity of a drawing's copper: tracks join what they touch (another track anywhere along
// it, a pad's rectangle), a jumper joins its two pads; groups are built with a union-find.
#include "app/Check.h"

#include "core/Messages.h"
#include "core/Report.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
#include <numeric>
#include <set>

namespace zelta {

namespace {

// Coordinates are doubled so that pad rectangles of odd sizes keep integer edges.
struct Point {
    int64_t x;
    int64_t y;
};
struct Segment {
    Point a;
    Point b;
};
struct Box {
    int64_t x0, y0, x1, y1;
    bool overlaps(const Box& o) const { return x0 <= o.x1 && o.x0 <= x1 && y0 <= o.y1 && o.y0 <= y1; }
    bool contains(Point p) const { return p.x >= x0 && p.x <= x1 && p.y >= y0 && p.y <= y1; }
};

// Products of two coordinate differences need up to 67 bits (coordinates are doubled 32-bit
// numbers), so they are taken in 128 bits.
using Wide = __int128;

int sign(Wide v) {
    return (v > 0) - (v < 0);
}
Wide cross(int64_t ax, int64_t ay, int64_t bx, int64_t by) {
    return Wide{ax} * by - Wide{ay} * bx;
}
int orientation(Point p, Point q, Point r) {
    return sign(cross(q.x - p.x, q.y - p.y, r.x - p.x, r.y - p.y));
}
bool onSegment(Point p, const Segment& s) {
    return orientation(s.a, s.b, p) == 0 && p.x >= std::min(s.a.x, s.b.x) && p.x <= std::max(s.a.x, s.b.x) &&
           p.y >= std::min(s.a.y, s.b.y) && p.y <= std::max(s.a.y, s.b.y);
}

// Whether two closed segments share a point; where, in *at.
bool meet(const Segment& s, const Segment& t, Point* at) {
    for (Point p : {s.a, s.b})
        if (onSegment(p, t)) {
            *at = p;
            return true;
        }
    for (Point p : {t.a, t.b})
        if (onSegment(p, s)) {
            *at = p;
            return true;
        }
    int o1 = orientation(s.a, s.b, t.a), o2 = orientation(s.a, s.b, t.b);
    int o3 = orientation(t.a, t.b, s.a), o4 = orientation(t.a, t.b, s.b);
    if (o1 * o2 < 0 && o3 * o4 < 0) {
        // Proper crossing at s.a + (s.b - s.a) * u with u = n / d strictly between 0 and 1: exact
        // in 128 bits (n times a difference needs about 101), cut to a whole coordinate towards
        // s.a.
        const int64_t sx = s.b.x - s.a.x, sy = s.b.y - s.a.y;
        const Wide d = cross(sx, sy, t.b.x - t.a.x, t.b.y - t.a.y);
        const Wide n = cross(t.a.x - s.a.x, t.a.y - s.a.y, t.b.x - t.a.x, t.b.y - t.a.y);
        *at = {s.a.x + static_cast<int64_t>(n * sx / d), s.a.y + static_cast<int64_t>(n * sy / d)};
        return true;
    }
    return false;
}

bool meetsBox(const Segment& s, const Box& r, Point* at) {
    for (Point p : {s.a, s.b})
        if (r.contains(p)) {
            *at = p;
            return true;
        }
    const Point c[4] = {{r.x0, r.y0}, {r.x1, r.y0}, {r.x1, r.y1}, {r.x0, r.y1}};
    for (int i = 0; i < 4; ++i)
        if (meet(s, {c[i], c[(i + 1) % 4]}, at))
            return true;
    return false;
}

struct Item {
    bool isPad;
    int32_t net;
    Box box;
    Segment segment; // tracks only
};

class Groups {
public:
    explicit Groups(size_t n) : parent_(n) { std::iota(parent_.begin(), parent_.end(), size_t{0}); }
    size_t root(size_t i) {
        while (parent_[i] != i)
            i = parent_[i] = parent_[parent_[i]];
        return i;
    }
    void join(size_t a, size_t b) { parent_[root(a)] = root(b); }

private:
    std::vector<size_t> parent_;
};

struct Contact {
    size_t a;
    Point at;
};

} // namespace

CheckResult checkDrawing(const FcdDrawing& drawing) {
    std::vector<Item> items;
    for (const DrawnPad& p : drawing.pads) {
        const int64_t hx = std::llabs(int64_t{p.sizeX}), hy = std::llabs(int64_t{p.sizeY});
        items.push_back(
            {true,
             p.net,
             {2 * int64_t{p.x} - hx, 2 * int64_t{p.y} - hy, 2 * int64_t{p.x} + hx, 2 * int64_t{p.y} + hy},
             {}});
    }
    for (const DrawnTrack& t : drawing.tracks) {
        Segment s{{2 * int64_t{t.x1}, 2 * int64_t{t.y1}}, {2 * int64_t{t.x2}, 2 * int64_t{t.y2}}};
        items.push_back(
            {false,
             t.net,
             {std::min(s.a.x, s.b.x), std::min(s.a.y, s.b.y), std::max(s.a.x, s.b.x), std::max(s.a.y, s.b.y)},
             s});
    }

    Groups groups(items.size());
    std::vector<Contact> contacts; // contacts between copper of two nets
    for (size_t i = 0; i < items.size(); ++i) {
        for (size_t j = i + 1; j < items.size(); ++j) {
            const Item& a = items[i];
            const Item& b = items[j];
            if ((a.isPad && b.isPad) || !a.box.overlaps(b.box))
                continue;
            Point at{};
            bool touch = a.isPad
                             ? meetsBox(b.segment, a.box, &at)
                             : (b.isPad ? meetsBox(a.segment, b.box, &at) : meet(a.segment, b.segment, &at));
            if (!touch)
                continue;
            groups.join(i, j);
            if (a.net != b.net)
                contacts.push_back({i, at});
        }
    }
    // A jumper's wire runs on the other side of the board: it joins its two pads and touches no
    // other copper. The pads come first among the items, so a pad's index is its item's.
    CheckResult result;
    for (const DrawnJumper& j : drawing.jumpers) {
        groups.join(j.padA, j.padB);
        const double length = std::hypot(double(j.x2) - j.x1, double(j.y2) - j.y1);
        result.jumpers.push_back({j.net, j.x1, j.y1, j.x2, j.y2, static_cast<int32_t>(std::lround(length))});
    }

    // Pads of each net, counted per group.
    std::map<int32_t, std::map<size_t, int>> padsByNet;
    for (size_t i = 0; i < drawing.pads.size(); ++i)
        if (items[i].net != 0)
            ++padsByNet[items[i].net][groups.root(i)];
    for (const auto& [net, byGroup] : padsByNet) {
        int pads = 0, joined = 0;
        for (const auto& [group, count] : byGroup) {
            pads += count;
            joined = std::max(joined, count);
        }
        result.nets.push_back({net, pads, joined, joined == pads});
        result.netsComplete += joined == pads;
        result.padsUnconnected += pads - joined;
    }

    // A group holding copper of two nets is a short.
    std::map<size_t, std::set<int32_t>> netsByGroup;
    for (size_t i = 0; i < items.size(); ++i)
        netsByGroup[groups.root(i)].insert(items[i].net);
    std::map<size_t, ShortCheck> shorts;
    for (const auto& [group, nets] : netsByGroup)
        if (nets.size() > 1)
            shorts[group].nets.assign(nets.begin(), nets.end());
    for (const Contact& c : contacts)
        shorts[groups.root(c.a)].points.emplace_back(static_cast<int32_t>(c.at.x / 2),
                                                     static_cast<int32_t>(c.at.y / 2));
    for (auto& [group, s] : shorts)
        result.shorts.push_back(std::move(s));
    return result;
}

std::string checkReportText(const CheckResult& result) {
    std::string out;
    for (const NetCheck& n : result.nets)
        out += strprintf("Net %d: piazzole %d, collegate %d, %s\n", n.net, n.pads, n.joined,
                         n.complete ? "completa" : "incompleta");
    // Drawings without jumpers keep the report they always had.
    if (!result.jumpers.empty()) {
        out += strprintf(msg::CliJumpers, result.jumpers.size()) + "\n";
        for (const JumperCheck& j : result.jumpers)
            out += strprintf(msg::CheckJumper, j.net, j.x1, j.y1, j.x2, j.y2, j.length) + "\n";
    }
    for (const ShortCheck& s : result.shorts) {
        out += "Cortocircuito tra le net";
        for (size_t i = 0; i < s.nets.size(); ++i)
            out += strprintf("%s %d", i ? "," : "", s.nets[i]);
        out += " in";
        for (const auto& [x, y] : s.points)
            out += strprintf(" (%d,%d)", x, y);
        out += "\n";
    }
    out += strprintf("Net complete %d/%zu, piazzole scollegate %d, cortocircuiti %zu\n", result.netsComplete,
                     result.nets.size(), result.padsUnconnected, result.shorts.size());
    return out;
}

std::string checkReportJson(const CheckResult& result) {
    std::string out = "{\"nets\":[";
    for (size_t i = 0; i < result.nets.size(); ++i) {
        const NetCheck& n = result.nets[i];
        out += strprintf("%s{\"net\":%d,\"pads\":%d,\"joined\":%d,\"complete\":%s}", i ? "," : "", n.net,
                         n.pads, n.joined, n.complete ? "true" : "false");
    }
    out += "],\"shorts\":[";
    for (size_t i = 0; i < result.shorts.size(); ++i) {
        const ShortCheck& s = result.shorts[i];
        out += i ? ",{\"nets\":[" : "{\"nets\":[";
        for (size_t k = 0; k < s.nets.size(); ++k)
            out += strprintf("%s%d", k ? "," : "", s.nets[k]);
        out += "],\"points\":[";
        for (size_t k = 0; k < s.points.size(); ++k)
            out += strprintf("%s[%d,%d]", k ? "," : "", s.points[k].first, s.points[k].second);
        out += "]}";
    }
    out += "],\"jumpers\":[";
    for (size_t i = 0; i < result.jumpers.size(); ++i) {
        const JumperCheck& j = result.jumpers[i];
        out += strprintf("%s{\"net\":%d,\"x1\":%d,\"y1\":%d,\"x2\":%d,\"y2\":%d,\"length\":%d}", i ? "," : "",
                         j.net, j.x1, j.y1, j.x2, j.y2, j.length);
    }
    out +=
        strprintf("],\"summary\":{\"netsComplete\":%d,\"nets\":%zu,\"padsUnconnected\":%d,\"shorts\":%zu}}\n",
                  result.netsComplete, result.nets.size(), result.padsUnconnected, result.shorts.size());
    return out;
}

} // namespace zelta
