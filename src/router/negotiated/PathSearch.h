// The path search of the negotiated router: best first over (cell, direction of arrival) states,
// from every cell of a set of sources to the nearest cell of a set of targets. A policy says which
// steps are allowed and what they cost, so the same search serves the strict passes (other nets'
// copper is a wall), the negotiated ones (it only costs more) and the rip-up. Moves come from a
// table and a path is kept as parent states, so another kind of move can be added to the table.
// Sized once; a search allocates nothing once its queue has grown to the board.
#pragma once

#include "router/grid/Moves.h"
#include "router/grid/PathCell.h"
#include "router/grid/SearchEnds.h"
#include "router/grid/StateSearch.h"

#include <array>
#include <cstdint>
#include <vector>

namespace zelta {

class PathSearch {
public:
    explicit PathSearch(TurnCosts turns);

    // Starts a new search: no sources, no targets.
    void begin();
    void addSource(int cell) { ends_.addSource(cell); }
    void addTarget(int cell) { ends_.addTarget(cell); }

    // Policy gives int64_t stepCost(int from, int to, int move, int32_t base): the cost of the
    // step, at least base, or a negative number for a step that is not allowed.
    // Whether a target can be reached at all, by a flood over cells that ignores the limits on
    // turning: much cheaper than a search that fails, and never false when a search would succeed.
    // It floods from both ends in turn (a step is allowed both ways or neither), so that a side
    // shut in a small pocket is found out after a few cells.
    template <class Policy> bool reachable(const Policy& policy);
    // The cheapest path to a target; true when one was found. The path is then in path(), from
    // the target back to the source.
    template <class Policy> bool run(const Policy& policy);
    const std::vector<PathCell>& path() const { return path_; }

    // The work done since the last resetWork: states expanded and cells flooded. A measure of
    // effort that, unlike time, is the same on every run.
    int64_t work() const { return work_; }
    void resetWork() { work_ = 0; }

private:
    static constexpr int States = 9; // direction of arrival 1..8, 0 at a source

    // States wait in the queue by f = g + the estimate to the nearest target.
    uint64_t key(int64_t g, int cell) { return static_cast<uint64_t>(g + ends_.estimate(cell)); }

    int32_t turnCost_[3];
    SearchEnds ends_;
    StateSearch states_;
    std::vector<uint32_t> floodMark_; // open() flooded from the sources, one more from the targets
    std::vector<int32_t> flood_;
    std::vector<int32_t> backFlood_;
    std::vector<PathCell> path_;
    int64_t work_ = 0;
};

template <class Policy> bool PathSearch::reachable(const Policy& policy) {
    return ends_.meet(
        floodMark_, states_.open(), flood_, backFlood_, work_,
        [&policy](int from, int to, int move) { return policy.stepCost(from, to, move, StraightCost) >= 0; });
}

template <class Policy> bool PathSearch::run(const Policy& policy) {
    path_.clear();
    if (ends_.targets().empty())
        return false;
    for (int32_t cell : ends_.sources())
        states_.start(cell * States, key(0, cell));
    const int32_t reached = states_.run(ends_, States, work_, [&](int32_t state, int64_t g) {
        const int cell = state / States;
        const MoveSet& moves = MovesAfter[state % States];
        for (int i = 0; i < moves.count; ++i) {
            const int m = moves.move[i];
            const int next = cell + CellStep[m];
            // A path never runs back into the group it starts from.
            if (ends_.isSource(next))
                continue;
            const int32_t base = ((m & 1) ? StraightCost : DiagonalCost) + turnCost_[moves.turn[i]];
            const int64_t cost = policy.stepCost(cell, next, m, base);
            if (cost < 0)
                continue;
            const int32_t ns = next * States + m;
            if (states_.improves(state, ns, g + cost))
                states_.push(ns, key(g + cost, next));
        }
    });
    return reached >= 0 && states_.trace(reached, States, path_, [](int32_t s) {
        const int d = s % States;
        return static_cast<uint8_t>(d == 0 ? 0 : opposite(d));
    });
}

} // namespace zelta
