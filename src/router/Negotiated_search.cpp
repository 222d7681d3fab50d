// The path search's bookkeeping: stamps instead of clearing, the estimate to the nearest target,
// and the walk back along a found path.
#include "router/Negotiated_search.h"

#include <algorithm>

namespace zelta {

namespace {
// Up to this many targets the estimate is the distance to the nearest of them; beyond, the
// distance to their bounding box (still never more than the true cost).
constexpr size_t ExactEstimateTargets = 24;
} // namespace

PathSearch::PathSearch(TurnCosts turns)
    : turnCost_{0, turns.turn45, turns.turn90}, sourceMark_(PlaneCells, 0), targetMark_(PlaneCells, 0),
      stateMark_(PlaneCells * States, 0), g_(PlaneCells * States, 0), parent_(PlaneCells * States, -1),
      estimateMark_(PlaneCells, 0), estimate_(PlaneCells, 0), pathMark_(PlaneCells + SquareSlots, 0),
      floodMark_(PlaneCells, 0) {
    flood_.reserve(PlaneCells);
    backFlood_.reserve(PlaneCells);
    queue_.reserve(PlaneCells * 4);
    sources_.reserve(PlaneCells);
    targets_.reserve(PlaneCells);
    path_.reserve(PlaneCells);
}

void PathSearch::begin() {
    if (++stamp_ == (1u << 31)) {
        // After two thousand million searches the marks start again from a clean slate.
        for (auto* marks : {&sourceMark_, &targetMark_, &stateMark_, &estimateMark_, &pathMark_, &floodMark_})
            std::fill(marks->begin(), marks->end(), 0u);
        stamp_ = 1;
    }
    open_ = 2 * stamp_;
    queue_.clear();
    sources_.clear();
    targets_.clear();
    path_.clear();
    minCol_ = minRow_ = 1 << 20;
    maxCol_ = maxRow_ = -1;
}

void PathSearch::addSource(int cell) {
    if (sourceMark_[cell] == stamp_)
        return;
    sourceMark_[cell] = stamp_;
    sources_.push_back(cell);
}

void PathSearch::addTarget(int cell) {
    if (targetMark_[cell] == stamp_ || sourceMark_[cell] == stamp_)
        return;
    targetMark_[cell] = stamp_;
    targets_.push_back(cell);
    const int c = cell / GridRows;
    const int r = cell % GridRows;
    minCol_ = std::min(minCol_, c);
    maxCol_ = std::max(maxCol_, c);
    minRow_ = std::min(minRow_, r);
    maxRow_ = std::max(maxRow_, r);
}

int32_t PathSearch::estimate(int cell) {
    if (estimateMark_[cell] == stamp_)
        return estimate_[cell];
    int32_t best;
    if (targets_.size() <= ExactEstimateTargets) {
        best = INT32_MAX;
        for (int32_t t : targets_)
            best = std::min(best, octile(cell, t));
    } else {
        const int c = cell / GridRows;
        const int r = cell % GridRows;
        const int dc = c < minCol_ ? minCol_ - c : (c > maxCol_ ? c - maxCol_ : 0);
        const int dr = r < minRow_ ? minRow_ - r : (r > maxRow_ ? r - maxRow_ : 0);
        best = dc > dr ? 10 * dc + 4 * dr : 10 * dr + 4 * dc;
    }
    estimateMark_[cell] = stamp_;
    estimate_[cell] = best;
    return best;
}

bool PathSearch::trace(int32_t state) {
    path_.clear();
    for (int32_t s = state; s >= 0; s = parent_[s]) {
        const int d = s % States;
        const int cell = s / States;
        const uint8_t dir = static_cast<uint8_t>(d == 0 ? 0 : opposite(d));
        bool clean = pathMark_[cell] != stamp_;
        pathMark_[cell] = stamp_;
        if (dir != 0 && isDiagonal(dir)) {
            const int slot = diagonalSlot(cell, dir);
            clean = clean && pathMark_[PlaneCells + crossingSlot(slot)] != stamp_;
            pathMark_[PlaneCells + slot] = stamp_;
        }
        if (!clean) {
            path_.clear();
            return false;
        }
        path_.push_back({cell, dir});
    }
    return true;
}

} // namespace zelta
