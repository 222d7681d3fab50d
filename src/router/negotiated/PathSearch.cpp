// The path search's bookkeeping: sized once, and stamps instead of clearing.
#include "router/negotiated/PathSearch.h"

#include <algorithm>

namespace zelta {

PathSearch::PathSearch(TurnCosts turns)
    : turnCost_{0, turns.turn45, turns.turn90}, states_(PlaneCells * States), floodMark_(PlaneCells, 0) {
    flood_.reserve(PlaneCells);
    backFlood_.reserve(PlaneCells);
    path_.reserve(PlaneCells);
}

void PathSearch::begin() {
    if (states_.begin())
        std::fill(floodMark_.begin(), floodMark_.end(), 0u);
    ends_.clear();
    path_.clear();
}

} // namespace zelta
