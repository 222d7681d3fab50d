// The path search's bookkeeping: stamps instead of clearing, the estimate to the nearest target,
// and the walk back along a found path.
#include "router/Negotiated_search.h"

#include <algorithm>

namespace zelta {

PathSearch::PathSearch(TurnCosts turns)
    : turnCost_{0, turns.turn45, turns.turn90}, stateMark_(PlaneCells * States, 0),
      g_(PlaneCells * States, 0), parent_(PlaneCells * States, -1), pathMark_(PlaneCells + SquareSlots, 0),
      floodMark_(PlaneCells, 0) {
    flood_.reserve(PlaneCells);
    backFlood_.reserve(PlaneCells);
    queue_.reserve(PlaneCells * 4);
    path_.reserve(PlaneCells);
}

void PathSearch::begin() {
    if (++stamp_ == (1u << 31)) {
        // After two thousand million searches the marks start again from a clean slate.
        for (auto* marks : {&stateMark_, &pathMark_, &floodMark_})
            std::fill(marks->begin(), marks->end(), 0u);
        stamp_ = 1;
    }
    open_ = 2 * stamp_;
    queue_.clear();
    ends_.clear();
    path_.clear();
}

bool PathSearch::trace(int32_t state) {
    path_.clear();
    for (int32_t s = state; s >= 0; s = parent_[s]) {
        const int d = s % States;
        const int cell = s / States;
        const uint8_t dir = static_cast<uint8_t>(d == 0 ? 0 : opposite(d));
        if (!markPathCell(pathMark_, stamp_, cell, dir)) {
            path_.clear();
            return false;
        }
        path_.push_back({cell, dir});
    }
    return true;
}

} // namespace zelta
