// Which net may lay a track on each step of the lattice: the track's copper (a segment with round
// ends, as wide as the track) must keep the rules from every pad of another net, and from every
// pad of no net; the same from the drawing's own tracks when they are kept. Built once per run and per track
// width; the search then reads one number a step.
#pragma once

#include "core/CopperGeometry.h"
#include "core/KeptTracks.h"
#include "core/PlacedPad.h"
#include "router/grid/Lattice.h"

#include <cstdint>
#include <vector>

namespace zelta {

// How close copper of two nets may come. The new methods keep the clearance; the classic only
// must not let copper of two nets overlap (a short).
struct CopperRules {
    double clearance = 0; // units
    bool overlapOnly = false;

    // Whether two pieces of copper of different nets this far apart break the rules.
    bool tooClose(double gap) const {
        return overlapOnly ? gap < -GapTolerance : gap < clearance - GapTolerance;
    }
};

// Where the pads stand relative to the lattice, and how far the board reaches: copper must stay
// on it (0: no limit).
struct LatticeFrame {
    int32_t originX = 0;
    int32_t originY = 0;
    int32_t width = 0;
    int32_t height = 0;
};

class StepOwners {
public:
    // Owner values besides a net number 1..255.
    static constexpr int16_t Free = -1;
    static constexpr int16_t Wall = 0;

    // tracks: the drawing's own tracks, kept as copper of their net (none: nullptr).
    void build(const Lattice& lattice, const LatticeFrame& frame, const std::vector<PlacedPad>& pads,
               double halfWidth, const CopperRules& rules, const KeptTrackList* tracks = nullptr);

    int16_t owner(int32_t step) const { return owner_[step]; }
    bool allows(int32_t step, int net) const {
        const int16_t o = owner_[step];
        return o == Free || o == net;
    }

private:
    void claim(int32_t step, int net);
    // Claims for net every step near enough to copper (a pad's or a track's) to break the rules;
    // box is the copper's extent around which steps are measured, in the lattice's units.
    template <typename Copper>
    void claimNear(const Lattice& lattice, const Copper& copper, double x0, double y0, double x1, double y1,
                   double halfWidth, const CopperRules& rules, int net);

    std::vector<int16_t> owner_;
};

// The copper of a step of the lattice, as wide as halfWidth says.
TrackCopper stepCopper(const Lattice& lattice, int32_t step, double halfWidth);

} // namespace zelta
