// The path search of the negotiated router: best first over (cell, direction of arrival) states,
// from every cell of a set of sources to the nearest cell of a set of targets. A policy says which
// steps are allowed and what they cost, so the same search serves the strict passes (other nets'
// copper is a wall), the negotiated ones (it only costs more) and the rip-up. Moves come from a
// table and a path is kept as parent states, so another kind of move can be added to the table.
// Sized once; a search allocates nothing once its queue has grown to the board.
#pragma once

#include "router/Negotiated_board.h"
#include "router/RadixQueue.h"
#include "router/SearchEnds.h"

#include <array>
#include <cstdint>
#include <vector>

namespace zelta {

// One cell of a found path and the direction of its neighbour towards the path's source (0 at
// the source itself): the bits the classic marking gives a path cell.
struct PathCell {
    int32_t cell;
    uint8_t dir;
};

// Base costs of a step. The estimate (octile) never exceeds them, whatever the turns add.
inline constexpr int32_t StraightCost = 10;
inline constexpr int32_t DiagonalCost = 14;

// What a turn adds to a step: 45 and 90 degrees (a path never turns further).
struct TurnCosts {
    int32_t turn45;
    int32_t turn90;
};

// Moves after arriving in direction d: on, the 45 and the 90 degree turns; from a source, all.
struct MoveSet {
    int count;
    int move[8];
    int turn[8]; // 0 on, 1 a 45 degree turn, 2 a 90 degree one
};
inline constexpr std::array<MoveSet, 9> MovesAfter = [] {
    std::array<MoveSet, 9> table{};
    table[0].count = 8;
    for (int m = 1; m <= 8; ++m) {
        table[0].move[m - 1] = m;
        table[0].turn[m - 1] = 0;
    }
    constexpr int turns[5] = {0, 1, 7, 2, 6};
    for (int d = 1; d <= 8; ++d) {
        table[d].count = 5;
        for (int i = 0; i < 5; ++i) {
            table[d].move[i] = (d - 1 + turns[i]) % 8 + 1;
            table[d].turn[i] = turns[i] == 0 ? 0 : (turns[i] == 1 || turns[i] == 7) ? 1 : 2;
        }
    }
    return table;
}();

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

    // States wait in the queue by f; among equal f the one reached last (usually the deeper one)
    // is taken first.
    void push(int32_t state, int64_t g, int cell) {
        queue_.push(static_cast<uint64_t>(g + ends_.estimate(cell)), state);
    }
    // Walks the path back from state into path_. False, and no path, in the rare case that it
    // runs through a cell twice or across its own diagonal: steps are tested one at a time, and
    // such a path would not be a clean track.
    bool trace(int32_t state);

    int32_t turnCost_[3];
    SearchEnds ends_;
    // Per state: 2 * stamp once reached in this search (g_ and parent_ hold its values), one more
    // once closed.
    std::vector<uint32_t> stateMark_;
    std::vector<int64_t> g_;
    std::vector<int32_t> parent_;     // the state before, -1 at a source
    std::vector<uint32_t> pathMark_;  // cells and diagonal slots of the path being traced
    std::vector<uint32_t> floodMark_; // 2 * stamp flooded from the sources, one more from the targets
    std::vector<int32_t> flood_;
    std::vector<int32_t> backFlood_;
    RadixQueue queue_;
    std::vector<PathCell> path_;
    uint32_t stamp_ = 0;
    uint32_t open_ = 0; // 2 * stamp_
    int64_t work_ = 0;
};

template <class Policy> bool PathSearch::reachable(const Policy& policy) {
    return ends_.meet(floodMark_, open_, flood_, backFlood_, work_, [&policy](int from, int to, int move) {
        return policy.stepCost(from, to, move, StraightCost) >= 0;
    });
}

template <class Policy> bool PathSearch::run(const Policy& policy) {
    path_.clear();
    if (ends_.targets().empty())
        return false;
    for (int32_t cell : ends_.sources()) {
        const int32_t s = cell * States;
        stateMark_[s] = open_;
        g_[s] = 0;
        parent_[s] = -1;
        push(s, 0, cell);
    }
    while (!queue_.empty()) {
        const int32_t state = queue_.pop().value;
        // A state reached again more cheaply was closed by its cheaper entry already.
        if (stateMark_[state] != open_)
            continue;
        stateMark_[state] = open_ + 1;
        ++work_;
        const int cell = state / States;
        if (ends_.isTarget(cell)) {
            queue_.clear();
            return trace(state);
        }
        const int64_t g = g_[state];
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
            const int64_t ng = g + cost;
            const uint32_t mark = stateMark_[ns];
            if (mark == open_ + 1 || (mark == open_ && g_[ns] <= ng))
                continue;
            stateMark_[ns] = open_;
            g_[ns] = ng;
            parent_[ns] = state;
            push(ns, ng, next);
        }
    }
    return false;
}

} // namespace zelta
