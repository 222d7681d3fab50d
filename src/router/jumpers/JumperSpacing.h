// Track spacing in the jumper pass, around a method that keeps it: before a search for one net,
// the half points of the lattice where that net's track would come too close to another net's
// track on the plane are marked; a copper step is then allowed only clear of them. Off where the
// lattice keeps the room by itself (router/grid/SpacingClasses.h), as it does at the usual rules.
#pragma once

#include "router/grid/BoardNets.h"
#include "router/grid/CellStamps.h"
#include "router/grid/GridStepRules.h"
#include "router/grid/TrackSpacing.h"
#include "router/model/ModelLayer.h"

#include <array>
#include <cstdint>

namespace zelta {

class JumperSpacing {
public:
    // Once per run: the stencils and width classes of the board model's face, which must outlive
    // the run.
    void setup(const ModelLayer& layer);
    // No spacing: every step clear.
    void off() { on_ = false; }
    bool on() const { return on_; }

    // Before a search for net on plane (a cols x rows board): marks what the other nets' tracks
    // there keep that net's tracks from.
    void begin(const int32_t* plane, int32_t cols, int32_t rows, int net);
    // A step of the net from cell in direction move, both its ends and its middle clear.
    bool stepClear(int from, int to, int move) const {
        return !tooClose_.has(spacing_->halfOfPoint(from)) && !tooClose_.has(spacing_->halfOfPoint(to)) &&
               !tooClose_.has(spacing_->halfOfStep(GridLattice.stepOf(from, move)));
    }

private:
    void mark(int32_t h, int cls, int netCls);

    bool on_ = false;
    const TrackSpacing* spacing_ = nullptr; // the stencils only
    const std::array<int8_t, NetSlots>* classOf_ = nullptr;
    CellStamps tooClose_{0};
};

} // namespace zelta
