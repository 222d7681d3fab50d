// The check's measuring: every two pieces of copper near each other (through the bucket grid)
// are measured once; copper that touches joins (a union-find over the items), copper of two nets
// closer than the clearance is listed. Jumpers join their two pads; a wire across two nets joins
// them too, which makes it a short.
#include "app/Check.h"

#include "app/Check_copper.h"
#include "core/Units.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <tuple>

namespace zelta {

namespace {

class Groups {
public:
    explicit Groups(size_t n) : parent_(n) { std::iota(parent_.begin(), parent_.end(), size_t{0}); }
    size_t root(size_t i) {
        while (parent_[i] != i)
            i = parent_[i] = parent_[parent_[i]];
        return i;
    }
    void join(size_t a, size_t b) {
        a = root(a);
        b = root(b);
        // The lower index stays the root, so that the groups do not depend on the order of joins.
        if (a != b)
            parent_[std::max(a, b)] = std::min(a, b);
    }

private:
    std::vector<size_t> parent_;
};

PairKind pairKind(CopperKind a, CopperKind b) {
    switch (a) {
    case CopperKind::Track:
        return b == CopperKind::Track  ? PairKind::TrackTrack
               : b == CopperKind::Land ? PairKind::TrackLand
                                       : PairKind::TrackPad;
    case CopperKind::Land:
        return b == CopperKind::Land ? PairKind::LandLand : PairKind::LandPad;
    case CopperKind::Pad:
        break;
    }
    return PairKind::PadPad;
}

// The gap between two sites, the first of a kind not after the second's.
CopperGap gapOf(const CopperSite& a, const CopperSite& b) {
    if (a.kind == CopperKind::Track)
        return b.kind == CopperKind::Track ? gapBetween(a.track, b.track) : gapBetween(a.track, b.pad);
    return gapBetween(a.pad, b.pad);
}

// A pair of two nets as listed, with the gap in units that orders the list.
struct Finding {
    double gap;
    ClearanceCheck pair;
};

bool worse(const Finding& a, const Finding& b) {
    return std::tie(a.gap, a.pair.x, a.pair.y, a.pair.netA, a.pair.netB, a.pair.kind) <
           std::tie(b.gap, b.pair.x, b.pair.y, b.pair.netA, b.pair.netB, b.pair.kind);
}

Finding finding(PairKind kind, int32_t netA, int32_t netB, const CopperGap& g) {
    // Two pieces of one kind: the lower net first.
    const bool sameKind =
        kind == PairKind::TrackTrack || kind == PairKind::LandLand || kind == PairKind::PadPad;
    if (sameKind && netB < netA)
        std::swap(netA, netB);
    return {g.gap,
            {netA, netB, std::max(0.0, g.gap) * MmPerUnit, static_cast<int32_t>(std::lround(g.at.x)),
             static_cast<int32_t>(std::lround(g.at.y)), kind}};
}

// The worst findings, at most a given number of them, kept as a heap with the least bad on top.
class WorstFindings {
public:
    explicit WorstFindings(size_t most) : most_(most) {}
    // Whether a finding of this gap could still enter.
    bool admits(double gap) const { return heap_.size() < most_ || gap <= heap_.front().gap; }
    void add(const Finding& f) {
        if (heap_.size() < most_) {
            heap_.push_back(f);
            std::push_heap(heap_.begin(), heap_.end(), worse);
        } else if (worse(f, heap_.front())) {
            std::pop_heap(heap_.begin(), heap_.end(), worse);
            heap_.back() = f;
            std::push_heap(heap_.begin(), heap_.end(), worse);
        }
    }
    std::vector<ClearanceCheck> sorted() {
        std::sort_heap(heap_.begin(), heap_.end(), worse);
        std::vector<ClearanceCheck> list;
        for (const Finding& f : heap_)
            list.push_back(f.pair);
        return list;
    }

private:
    size_t most_;
    std::vector<Finding> heap_;
};

class Measure {
    const CopperBoard& board_;
    double limit_; // a gap below this breaks the clearance
    double reach_; // gaps beyond this are not the smallest gap's concern

public:
    Measure(const CopperBoard& board, double clearanceMm, double reach)
        : board_(board), limit_(clearanceMm / MmPerUnit - GapTolerance), reach_(reach),
          groups(board.items.size()), violations(MaxListedViolations), drawingPads(MaxListedNotes) {}

    // Two sites, the first of a kind not after the second's; the same site twice for the pieces
    // of two nets that one site carries.
    void pair(const CopperSite& a, const CopperSite& b) {
        const CopperGap g = gapOf(a, b);
        if (a.kind == CopperKind::Pad && b.kind == CopperKind::Pad)
            padPair(a, b, g);
        else
            routedPair(a, b, g);
    }

    // Two pieces of one net, joined by a jumper; of two nets, by a wire across them, at (x, y).
    void joinByWire(uint32_t a, uint32_t b, Point2 at) {
        groups.join(a, b);
        if (board_.items[a].net != board_.items[b].net)
            touch(a, at);
    }

    struct Contact {
        uint32_t item;
        Point2 at;
    };

    Groups groups;
    std::vector<Contact> contacts; // where copper of two nets touches
    WorstFindings violations;
    size_t violationCount = 0;
    double minGap = INFINITY;
    WorstFindings drawingPads;
    uint64_t drawingPadPairs = 0;

private:
    // Where copper of two nets touches: the places a short is shown at, as many as a list holds.
    void touch(uint32_t item, Point2 at) {
        if (contacts.size() < MaxListedViolations)
            contacts.push_back({item, at});
    }

    // Everything touches what it touches; pairs of two nets closer than the clearance count.
    void routedPair(const CopperSite& a, const CopperSite& b, const CopperGap& g) {
        const PairKind kind = pairKind(a.kind, b.kind);
        for (uint32_t i = a.firstItem; i < a.firstItem + a.itemCount; ++i)
            for (uint32_t j = b.firstItem; j < b.firstItem + b.itemCount; ++j) {
                if (&a == &b && j <= i)
                    continue;
                const int32_t netA = board_.items[i].net, netB = board_.items[j].net;
                if (g.gap <= GapTolerance) {
                    groups.join(i, j);
                    if (netA != netB)
                        touch(i, g.at);
                }
                if (netA == netB)
                    continue;
                if (g.gap <= reach_)
                    minGap = std::min(minGap, g.gap);
                if (g.gap < limit_) {
                    violations.add(finding(kind, netA, netB, g));
                    ++violationCount;
                }
            }
    }

    // The drawing's own pads: touching pads of one net are one piece of copper; pads of two nets
    // are listed apart and joined by nothing, since the router did not put them there.
    void padPair(const CopperSite& a, const CopperSite& b, const CopperGap& g) {
        const CopperItem* ai = &board_.items[a.firstItem];
        const CopperItem* bi = &board_.items[b.firstItem];
        const uint64_t na = a.itemCount, nb = b.itemCount;
        uint64_t common = 0;
        if (&a == &b) {
            common = na; // the pairs of a site with itself are its pairs of two nets only
        } else {
            // Both lists are in ascending net order.
            for (uint64_t i = 0, j = 0; i < na && j < nb;) {
                if (ai[i].net < bi[j].net) {
                    ++i;
                } else if (bi[j].net < ai[i].net) {
                    ++j;
                } else {
                    if (g.gap <= GapTolerance)
                        groups.join(a.firstItem + i, b.firstItem + j);
                    ++common;
                    ++i;
                    ++j;
                }
            }
        }
        if (!(g.gap < limit_))
            return;
        drawingPadPairs += &a == &b ? na * (na - 1) / 2 : na * nb - common;
        for (uint64_t i = 0; i < na && drawingPads.admits(g.gap); ++i)
            for (uint64_t j = &a == &b ? i + 1 : 0; j < nb && drawingPads.admits(g.gap); ++j)
                if (ai[i].net != bi[j].net)
                    drawingPads.add(finding(PairKind::PadPad, ai[i].net, bi[j].net, g));
    }
};

// Pads of each net counted per group: the nets' figures.
void countNets(const FcdDrawing& drawing, const CopperBoard& board, Groups& groups, CheckResult& result) {
    std::vector<std::pair<int32_t, size_t>> padGroups; // (net, group) of every pad with a net
    for (size_t i = 0; i < drawing.pads.size(); ++i)
        if (drawing.pads[i].net != 0)
            padGroups.emplace_back(drawing.pads[i].net, groups.root(board.itemOfPad[i]));
    std::sort(padGroups.begin(), padGroups.end());
    for (size_t k = 0; k < padGroups.size();) {
        const int32_t net = padGroups[k].first;
        int pads = 0, joined = 0, groupCount = 0;
        while (k < padGroups.size() && padGroups[k].first == net) {
            const size_t group = padGroups[k].second;
            int inGroup = 0;
            for (; k < padGroups.size() && padGroups[k] == std::make_pair(net, group); ++k)
                ++inGroup;
            pads += inGroup;
            joined = std::max(joined, inGroup);
            ++groupCount;
        }
        result.nets.push_back({net, pads, joined, joined == pads});
        result.netsComplete += joined == pads;
        result.padsUnconnected += pads - joined;
        result.connectionsOpen += groupCount - 1;
    }
}

// A group holding copper of two nets is a short.
void findShorts(const CopperBoard& board, Measure& m, CheckResult& result) {
    std::vector<std::pair<size_t, int32_t>> groupNets;
    groupNets.reserve(board.items.size());
    for (size_t i = 0; i < board.items.size(); ++i)
        groupNets.emplace_back(m.groups.root(i), board.items[i].net);
    std::sort(groupNets.begin(), groupNets.end());
    groupNets.erase(std::unique(groupNets.begin(), groupNets.end()), groupNets.end());
    std::vector<std::pair<size_t, ShortCheck>> shorts;
    for (size_t k = 0; k < groupNets.size();) {
        size_t end = k;
        while (end < groupNets.size() && groupNets[end].first == groupNets[k].first)
            ++end;
        if (end - k > 1) {
            ShortCheck s;
            for (size_t n = k; n < end; ++n)
                s.nets.push_back(groupNets[n].second);
            shorts.emplace_back(groupNets[k].first, std::move(s));
        }
        k = end;
    }
    for (const Measure::Contact& c : m.contacts) {
        const size_t group = m.groups.root(c.item);
        auto it = std::lower_bound(shorts.begin(), shorts.end(), group,
                                   [](const auto& s, size_t g) { return s.first < g; });
        if (it == shorts.end() || it->first != group)
            continue;
        it->second.points.emplace_back(static_cast<int32_t>(std::lround(c.at.x)),
                                       static_cast<int32_t>(std::lround(c.at.y)));
    }
    for (auto& [group, s] : shorts) {
        std::sort(s.points.begin(), s.points.end());
        s.points.erase(std::unique(s.points.begin(), s.points.end()), s.points.end());
        if (s.points.size() > MaxListedNotes)
            s.points.resize(MaxListedNotes);
    }
    std::sort(shorts.begin(), shorts.end(), [](const auto& a, const auto& b) {
        return std::tie(a.second.nets, a.second.points) < std::tie(b.second.nets, b.second.points);
    });
    for (auto& [group, s] : shorts)
        result.shorts.push_back(std::move(s));
}

} // namespace

CheckResult checkDrawing(const FcdDrawing& drawing, double clearanceMm) {
    CheckResult result;
    result.clearanceMm = clearanceMm;
    const CopperBoard board = buildCopper(drawing);
    result.negativePads = board.negativePads;
    result.negativePadCount = board.negativePadCount;
    result.outside = board.outside;
    result.outsideCount = board.outsideCount;

    // Every two sites whose copper lies within reach of each other meet once.
    const double reach = std::max(clearanceMm, MinGapReachMm) / MmPerUnit;
    Measure m(board, clearanceMm, reach);
    std::vector<Box> boxes;
    boxes.reserve(board.sites.size());
    for (const CopperSite& s : board.sites) {
        const double grow = reach / 2 + GapTolerance;
        boxes.push_back({s.box.x0 - grow, s.box.y0 - grow, s.box.x1 + grow, s.box.y1 + grow});
    }
    BoxGrid(boxes).forEachPair([&](size_t i, size_t j) {
        const CopperSite& a = board.sites[i];
        const CopperSite& b = board.sites[j];
        a.kind <= b.kind ? m.pair(a, b) : m.pair(b, a);
    });
    for (const CopperSite& s : board.sites)
        if (s.itemCount > 1)
            m.pair(s, s);

    // A jumper's wire runs on the other side of the board: it joins its two pads and touches no
    // other copper.
    for (const DrawnJumper& j : drawing.jumpers) {
        m.joinByWire(board.itemOfPad[j.padA], board.itemOfPad[j.padB], {});
        const double length = std::hypot(double(j.x2) - j.x1, double(j.y2) - j.y1);
        result.jumpers.push_back({j.net, j.x1, j.y1, j.x2, j.y2, static_cast<int32_t>(std::lround(length))});
    }
    for (const DrawnWire& w : drawing.otherWires) {
        auto netAt = [&](size_t pad) { return pad < drawing.pads.size() ? drawing.pads[pad].net : -1; };
        result.wires.push_back({w.kind, w.x1, w.y1, w.x2, w.y2, netAt(w.padA), netAt(w.padB), w.lineNumber});
        if (w.kind != WireKind::AcrossNets)
            continue;
        m.joinByWire(board.itemOfPad[w.padA], board.itemOfPad[w.padB], {double(w.x1), double(w.y1)});
        ++result.wiresAcrossNets;
    }

    countNets(drawing, board, m.groups, result);
    findShorts(board, m, result);

    result.clearance = m.violations.sorted();
    result.clearanceViolations = m.violationCount;
    if (std::isfinite(m.minGap))
        result.minGapMm = std::max(0.0, m.minGap) * MmPerUnit;
    result.drawingPads = m.drawingPads.sorted();
    result.drawingPadPairs = m.drawingPadPairs;
    return result;
}

} // namespace zelta
