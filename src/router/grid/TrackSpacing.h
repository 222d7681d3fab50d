// How close the tracks of different nets come, kept on the lattice's half points: the points of a
// track and the middle of each of its steps. The nearest approach of two steps of a lattice always
// lies between two such half points, one of them an end of a step, so two tracks keep the rules
// exactly when no half point of one lies nearer to one of the other than their widths and the
// clearance allow. Each half point counts the track half points near it, per track width class,
// so that a search reads in one number whether a step would come too close to another net.
#pragma once

#include "router/grid/Lattice.h"

#include <cstdint>
#include <vector>

namespace zelta {

class TrackSpacing {
public:
    // classHalfWidth: half the width of each class of tracks, in units; clearance in units.
    void setup(const Lattice& lattice, const std::vector<double>& classHalfWidth, double clearance);

    // Half points, with a margin around the lattice so that a stencil never leaves the array.
    int32_t halfPoints() const { return stride_ * (hcols_ + 2 * margin_); }
    int32_t halfOfPoint(int32_t point) const {
        return half(2 * lattice_.col(point), 2 * lattice_.row(point));
    }
    // The middle of a step.
    int32_t halfOfStep(int32_t step) const {
        const int32_t from = lattice_.stepStart(step);
        const int d = Lattice::stepDirection(step);
        return half(2 * lattice_.col(from) + Directions[d].dc, 2 * lattice_.row(from) + Directions[d].dr);
    }
    int classes() const { return classes_; }

    // A track half point of class cls is taken or given back.
    void add(int32_t h, int cls) { paint(h, cls, +1); }
    void remove(int32_t h, int cls) { paint(h, cls, -1); }
    // Track half points of any net, near enough to h to break the rules for a track of class cls
    // there (those of the asking net included: see OwnSpacing).
    int32_t near(int32_t h, int cls) const { return near_[cls][h]; }
    // The offsets of the half points that a half point of class a keeps from one of class b.
    const std::vector<int32_t>& stencil(int a, int b) const { return stencil_[a * classes_ + b]; }
    // Back to no tracks.
    void clear();

private:
    int32_t half(int32_t hc, int32_t hr) const { return (hc + margin_) * stride_ + hr + margin_; }
    void paint(int32_t h, int cls, int delta);

    Lattice lattice_;
    int classes_ = 0;
    int32_t hcols_ = 0;
    int32_t hrows_ = 0;
    int32_t margin_ = 0;
    int32_t stride_ = 0;
    std::vector<std::vector<int32_t>> stencil_;
    std::vector<std::vector<int16_t>> near_; // by asking class, by half point
};

// The half points near the tracks of one net, painted as TrackSpacing paints every net's: what a
// search for that net takes away from TrackSpacing::near to count only the other nets.
class OwnSpacing {
public:
    void setup(const TrackSpacing& spacing) { near_.assign(spacing.halfPoints(), 0); }
    void add(const TrackSpacing& spacing, int32_t h, int cls) { paint(spacing, h, cls, +1); }
    void remove(const TrackSpacing& spacing, int32_t h, int cls) { paint(spacing, h, cls, -1); }
    int32_t near(int32_t h) const { return near_[h]; }

private:
    void paint(const TrackSpacing& spacing, int32_t h, int cls, int delta) {
        for (int32_t o : spacing.stencil(cls, cls))
            near_[h + o] = static_cast<int16_t>(near_[h + o] + delta);
    }
    std::vector<int16_t> near_;
};

} // namespace zelta
