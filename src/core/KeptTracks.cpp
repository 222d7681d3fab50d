// The chains of a drawing's tracks and the net each belongs to.
#include "core/KeptTracks.h"

#include <algorithm>
#include <numeric>

namespace zelta {

std::vector<int32_t> keptTrackNets(KeptTrackList& tracks, const std::vector<PlacedPad>& pads) {
    const size_t n = tracks.size();
    std::vector<size_t> parent(n);
    std::iota(parent.begin(), parent.end(), size_t{0});
    auto root = [&](size_t i) {
        while (parent[i] != i)
            i = parent[i] = parent[parent[i]];
        return i;
    };
    // A drawing brings few tracks of its own: every pair is measured.
    for (size_t i = 0; i < n; ++i)
        for (size_t j = i + 1; j < n; ++j)
            if (gapBetween(tracks[i].copper(), tracks[j].copper()).gap <= GapTolerance) {
                const size_t a = root(i), b = root(j);
                if (a != b)
                    parent[std::max(a, b)] = std::min(a, b);
            }

    std::vector<std::vector<int32_t>> chainPads(n);
    for (size_t i = 0; i < n; ++i) {
        const TrackCopper t = tracks[i].copper();
        for (size_t p = 0; p < pads.size(); ++p)
            if (gapBetween(t, padCopper(pads[p].shape())).gap <= GapTolerance)
                chainPads[root(i)].push_back(static_cast<int32_t>(p));
    }
    std::vector<int32_t> shorts;
    for (size_t i = 0; i < n; ++i) {
        const size_t r = root(i);
        std::vector<int32_t>& touched = chainPads[r];
        if (r == i) {
            std::sort(touched.begin(), touched.end());
            touched.erase(std::unique(touched.begin(), touched.end()), touched.end());
        }
        KeptTrack& t = tracks[i];
        t.chain = static_cast<int32_t>(r);
        t.pads = touched;
        t.net = 0;
        t.shorted = false;
        for (int32_t p : touched) {
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
        if (t.shorted && r == i)
            shorts.push_back(static_cast<int32_t>(i));
    }
    return shorts;
}

} // namespace zelta
