// The bookkeeping of a best-first search over numbered states (a cell and how it was reached),
// shared by the path searches of the methods: each state's cost so far and the state before it,
// open and closed marks by search number, the queue by cost plus estimate, and the walk back along
// a found path. The searches differ in their states and their moves; this is what they share.
// Sized once; a search allocates nothing once its queue has grown to the board.
#pragma once

#include "router/grid/PathCell.h"
#include "router/grid/RadixQueue.h"
#include "router/grid/SearchEnds.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace zelta {

class StateSearch {
public:
    // states: how many states there are; pathPlaces: the cells and diagonal slots a path is traced over.
    StateSearch(size_t states, size_t pathPlaces = PlaneCells + SquareSlots)
        : mark_(states, 0), g_(states, 0), parent_(states, -1), pathMark_(pathPlaces, 0) {
        queue_.reserve(PlaneCells * 4);
    }

    // A new search: no state reached. True when the search numbers start again from a clean slate
    // (after two thousand million searches): marks of the caller's keyed to stamp() or open() must
    // then be cleared too.
    bool begin() {
        bool restarted = false;
        if (++stamp_ == (1u << 31)) {
            for (auto* marks : {&mark_, &pathMark_})
                std::fill(marks->begin(), marks->end(), 0u);
            stamp_ = 1;
            restarted = true;
        }
        open_ = 2 * stamp_;
        queue_.clear();
        return restarted;
    }
    uint32_t stamp() const { return stamp_; }
    // 2 * stamp(): the mark of an open state; one more marks a closed one.
    uint32_t open() const { return open_; }

    // A source state, reached at no cost; key orders it in the queue.
    void start(int32_t state, uint64_t key) {
        mark_[state] = open_;
        g_[state] = 0;
        parent_[state] = -1;
        queue_.push(key, state);
    }
    // Whether state to, reached from state from at cost g, is reached more cheaply than before;
    // when it is, it is recorded and the caller pushes it with its key.
    bool improves(int32_t from, int32_t to, int64_t g) {
        const uint32_t mark = mark_[to];
        if (mark == open_ + 1 || (mark == open_ && g_[to] <= g))
            return false;
        mark_[to] = open_;
        g_[to] = g;
        parent_[to] = from;
        return true;
    }
    void push(int32_t state, uint64_t key) { queue_.push(key, state); }

    // Takes the open states by key (among equal keys the one pushed last, usually the deeper
    // one), closing each and counting it in work, until one lies on a target of ends: that state,
    // or -1 when none is left. expand(state, g) reaches the next states of each other state.
    template <class Expand>
    int32_t run(const SearchEnds& ends, int statesPerCell, int64_t& work, const Expand& expand) {
        while (!queue_.empty()) {
            const int32_t state = queue_.pop().value;
            // A state reached again more cheaply was closed by its cheaper entry already.
            if (mark_[state] != open_)
                continue;
            mark_[state] = open_ + 1;
            ++work;
            if (ends.isTarget(state / statesPerCell)) {
                queue_.clear();
                return state;
            }
            expand(state, g_[state]);
        }
        return -1;
    }
    int64_t g(int32_t state) const { return g_[state]; }

    // Walks the path back from state into path, each cell with dirOf(state), the direction of its
    // neighbour towards the source. False, and no path, in the rare case that it runs through a
    // cell twice or across its own diagonal: steps are tested one at a time, and such a path would
    // not be a clean track.
    template <class DirOf>
    bool trace(int32_t state, int statesPerCell, std::vector<PathCell>& path, const DirOf& dirOf) {
        path.clear();
        for (int32_t s = state; s >= 0; s = parent_[s]) {
            const int cell = s / statesPerCell;
            const uint8_t dir = dirOf(s);
            if (!markPathCell(pathMark_, stamp_, cell, dir)) {
                path.clear();
                return false;
            }
            path.push_back({cell, dir});
        }
        return true;
    }

private:
    std::vector<uint32_t> mark_; // per state: open() once reached in this search, one more once closed
    std::vector<int64_t> g_;
    std::vector<int32_t> parent_;    // the state before, -1 at a source
    std::vector<uint32_t> pathMark_; // cells and diagonal slots of the path being traced
    RadixQueue queue_;
    uint32_t stamp_ = 0;
    uint32_t open_ = 0;
};

} // namespace zelta
