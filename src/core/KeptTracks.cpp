// The chains of a drawing's tracks and the net each belongs to. Touching pairs are found through
// the bucket grid, so that a routed drawing read again with thousands of segments (or an abusive
// one with a hundred thousand) is read in time that grows with its pieces, not with their pairs.
#include "core/KeptTracks.h"

#include "core/BoxGrid.h"

#include <algorithm>
#include <numeric>

namespace zelta {

namespace {

// The box of a piece of copper, widened by the tolerance within which two pieces touch.
Box boxOf(const TrackCopper& t) {
    const double h = t.halfWidth + GapTolerance;
    return {std::min(t.a.x, t.b.x) - h, std::min(t.a.y, t.b.y) - h, std::max(t.a.x, t.b.x) + h,
            std::max(t.a.y, t.b.y) + h};
}

Box boxOf(const PadCopper& p) {
    const double hx = p.halfX + p.radius + GapTolerance, hy = p.halfY + p.radius + GapTolerance;
    return {p.centre.x - hx, p.centre.y - hy, p.centre.x + hx, p.centre.y + hy};
}

} // namespace

std::vector<int32_t> keptTrackNets(KeptTrackList& tracks, const std::vector<PlacedPad>& pads) {
    const size_t n = tracks.size();
    std::vector<TrackCopper> copper(n);
    std::vector<PadCopper> padShapes(pads.size());
    std::vector<Box> boxes;
    boxes.reserve(n + pads.size());
    for (size_t i = 0; i < n; ++i) {
        copper[i] = tracks[i].copper();
        boxes.push_back(boxOf(copper[i]));
    }
    for (size_t p = 0; p < pads.size(); ++p) {
        padShapes[p] = padCopper(pads[p].shape());
        boxes.push_back(boxOf(padShapes[p]));
    }

    std::vector<size_t> parent(n);
    std::iota(parent.begin(), parent.end(), size_t{0});
    auto root = [&](size_t i) {
        while (parent[i] != i)
            i = parent[i] = parent[parent[i]];
        return i;
    };
    // Boxes i < j: two tracks, or a track and a pad (j past the tracks); two pads are no matter.
    std::vector<std::pair<size_t, int32_t>> touches; // track, pad
    BoxGrid(boxes).forEachPair([&](size_t i, size_t j) {
        if (i >= n)
            return;
        if (j < n) {
            if (gapBetween(copper[i], copper[j]).gap <= GapTolerance) {
                const size_t a = root(i), b = root(j);
                if (a != b)
                    parent[std::max(a, b)] = std::min(a, b);
            }
        } else if (gapBetween(copper[i], padShapes[j - n]).gap <= GapTolerance) {
            touches.emplace_back(i, static_cast<int32_t>(j - n));
        }
    });

    // The pads of each chain, kept on its first track only: a long chain touching many pads
    // would otherwise hold them once per track.
    for (KeptTrack& t : tracks)
        t.pads.clear();
    for (const auto& [i, p] : touches)
        tracks[root(i)].pads.push_back(p);
    std::vector<int32_t> shorts;
    for (size_t i = 0; i < n; ++i) {
        if (root(i) != i)
            continue;
        KeptTrack& t = tracks[i];
        std::sort(t.pads.begin(), t.pads.end());
        t.pads.erase(std::unique(t.pads.begin(), t.pads.end()), t.pads.end());
        t.net = 0;
        t.shorted = false;
        for (int32_t p : t.pads) {
            const int32_t net = pads[p].net;
            if (net == 0)
                continue;
            if (t.net == 0 && !t.shorted)
                t.net = net;
            else if (net != t.net) {
                t.net = 0;
                t.shorted = true;
            }
        }
        if (t.shorted)
            shorts.push_back(static_cast<int32_t>(i));
    }
    for (size_t i = 0; i < n; ++i) {
        const size_t r = root(i);
        tracks[i].chain = static_cast<int32_t>(r);
        tracks[i].net = tracks[r].net;
        tracks[i].shorted = tracks[r].shorted;
    }
    return shorts;
}

} // namespace zelta
