// The copper tracks a drawing already has, kept when it is read for a new method: each is copper of
// the net whose pads it touches (through other tracks that touch it), so that the router routes
// around it and takes the pads it joins as joined.
#pragma once

#include "core/CopperGeometry.h"
#include "core/PlacedPad.h"

#include <cstdint>
#include <vector>

namespace zelta {

struct KeptTrack {
    int32_t x1; // the record's ends and width, in units
    int32_t y1;
    int32_t x2;
    int32_t y2;
    int32_t width;
    int32_t lineNumber;
    // The net of the pads its chain of touching tracks reaches; 0 when it reaches none, or pads
    // of two nets (then shorted is set).
    int32_t net = 0;
    bool shorted = false;
    // The chain: every track of one chain has the same number, the index of its first track.
    int32_t chain = 0;
    // On the chain's first track (the one whose index is chain): the pads the chain touches, by
    // index into the pads given to keptTrackNets, ascending. Empty on the others.
    std::vector<int32_t> pads = {};

    TrackCopper copper() const {
        return {{double(x1), double(y1)},
                {double(x2), double(y2)},
                (width < 0 ? -double(width) : double(width)) / 2};
    }
};

using KeptTrackList = std::vector<KeptTrack>;

// Gives each track its chain, the pads the chain touches and its net. Returns the first track of
// each chain that touches pads of two nets.
std::vector<int32_t> keptTrackNets(KeptTrackList& tracks, const std::vector<PlacedPad>& pads);

} // namespace zelta
