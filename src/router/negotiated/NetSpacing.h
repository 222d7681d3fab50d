// Track spacing in the negotiated method. Where the board's widths and the clearance need more
// room than the lattice keeps between tracks of different nets anyway, every routing state counts,
// on the lattice's half points, how close other nets' tracks come (TrackSpacing); a search then
// takes away its own net's share (OwnTrackSpacing) and reads whether a step would come too close.
#pragma once

#include "router/grid/GridStepRules.h"
#include "router/grid/PathCell.h"
#include "router/grid/TrackSpacing.h"

#include <cstdint>
#include <vector>

namespace zelta {

// Calls f with each half point that a path cell's track covers: the cell, and the middle of the
// step towards its neighbour on the path.
template <class F> void forEachHalfPoint(const TrackSpacing& spacing, const PathCell& p, F&& f) {
    f(spacing.halfOfPoint(p.cell));
    if (p.dir != 0)
        f(spacing.halfOfStep(GridLattice.stepOf(p.cell, p.dir)));
}

// The half points of one net's tracks, painted as TrackSpacing paints them, so that a search for
// that net counts only the tracks of the others. What was painted is taken back by the next begin;
// every routing state of a run has the same stencils, so one of these serves them all.
class OwnTrackSpacing {
public:
    // At the start of a run, whose stencils may differ from the last run's.
    void reset() { halfPoints_ = -1; }
    void begin(const TrackSpacing& spacing, int cls);
    void add(const PathCell* path, int length);
    int32_t near(int32_t h) const { return own_.near(h); }
    int widthClass() const { return cls_; }

private:
    const TrackSpacing* spacing_ = nullptr;
    OwnSpacing own_;
    int cls_ = 0;
    int32_t halfPoints_ = -1;
    std::vector<int32_t> painted_;
};

// What the spacing says to one net's search; off (no spacing) when spacing is null.
struct SpacingView {
    const TrackSpacing* spacing = nullptr;
    const OwnTrackSpacing* own = nullptr;

    bool othersNear(int32_t h) const { return spacing->near(h, own->widthClass()) > own->near(h); }
    // Of the step's two ends and its middle, those too close to another net's track. A step is
    // judged the same from either end, as the search's two-way flood needs.
    int conflicts(int from, int to, int move) const {
        return othersNear(spacing->halfOfPoint(from)) + entering(from, to, move);
    }
    // Of its middle and the end it enters, those too close: what a search pays for, step by step.
    int entering(int from, int to, int move) const {
        return othersNear(spacing->halfOfStep(GridLattice.stepOf(from, move))) +
               othersNear(spacing->halfOfPoint(to));
    }
};

} // namespace zelta
