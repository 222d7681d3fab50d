// Sources, targets and the estimate of a path search, cleared by stamp.
#include "router/grid/SearchEnds.h"

#include <algorithm>
#include <climits>

namespace zelta {

namespace {
// Up to this many targets the estimate is the distance to the nearest of them; beyond, the
// distance to their bounding box (still never more than the true cost).
constexpr size_t ExactEstimateTargets = 24;
} // namespace

SearchEnds::SearchEnds()
    : source_(PlaneCells), target_(PlaneCells), estimated_(PlaneCells), estimate_(PlaneCells, 0) {
    sources_.reserve(PlaneCells);
    targets_.reserve(PlaneCells);
}

void SearchEnds::clear() {
    source_.next();
    target_.next();
    estimated_.next();
    sources_.clear();
    targets_.clear();
    minCol_ = minRow_ = 1 << 20;
    maxCol_ = maxRow_ = -1;
}

void SearchEnds::addSource(int cell) {
    if (source_.has(cell))
        return;
    source_.set(cell);
    sources_.push_back(cell);
}

void SearchEnds::addTarget(int cell) {
    if (target_.has(cell) || source_.has(cell))
        return;
    target_.set(cell);
    targets_.push_back(cell);
    const int c = cell / GridRows;
    const int r = cell % GridRows;
    minCol_ = std::min(minCol_, c);
    maxCol_ = std::max(maxCol_, c);
    minRow_ = std::min(minRow_, r);
    maxRow_ = std::max(maxRow_, r);
}

int32_t SearchEnds::estimate(int cell) {
    if (estimated_.has(cell))
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
    estimated_.set(cell);
    estimate_[cell] = best;
    return best;
}

} // namespace zelta
