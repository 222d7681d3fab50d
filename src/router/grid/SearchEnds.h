// The two ends of a best-first path search on the grid: the cells it starts from and the cells
// it may end on, and the estimate of a cell's distance to the nearest target. Marked by stamp, so
// that a new search clears nothing; sized once.
#pragma once

#include "router/grid/CellStamps.h"
#include "router/grid/Moves.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace zelta {

class SearchEnds {
public:
    SearchEnds();

    // No sources and no targets.
    void clear();
    void addSource(int cell);
    // A cell that is a source already is no target.
    void addTarget(int cell);

    bool isSource(int cell) const { return source_.has(cell); }
    bool isTarget(int cell) const { return target_.has(cell); }
    const std::vector<int32_t>& sources() const { return sources_; }
    const std::vector<int32_t>& targets() const { return targets_; }

    // Octile distance to the nearest target in step-cost units: never more than a path's cost,
    // whatever its turns add. Kept per cell until the ends change.
    int32_t estimate(int cell);

    // Whether a target can be reached from a source at all, by steps that allowed(from, to, move)
    // permits, ignoring the limits on turning: much cheaper than a search that fails. It floods
    // from both ends in turn (a step is allowed both ways or neither), so that a side shut in a
    // small pocket is found out after a few cells. Cells reached get fromSources or fromSources + 1
    // in marks, which must hold neither before; work counts the cells flooded.
    template <class Allowed>
    bool meet(std::vector<uint32_t>& marks, uint32_t fromSources, std::vector<int32_t>& flood,
              std::vector<int32_t>& backFlood, int64_t& work, const Allowed& allowed) const;

private:
    CellStamps source_;
    CellStamps target_;
    CellStamps estimated_; // estimate_ holds the cell's estimate
    std::vector<int32_t> estimate_;
    std::vector<int32_t> sources_;
    std::vector<int32_t> targets_;
    // Targets' bounding box, for the estimate when there are too many targets to try each.
    int minCol_ = 0, maxCol_ = 0, minRow_ = 0, maxRow_ = 0;
};

template <class Allowed>
bool SearchEnds::meet(std::vector<uint32_t>& marks, uint32_t fromSources, std::vector<int32_t>& flood,
                      std::vector<int32_t>& backFlood, int64_t& work, const Allowed& allowed) const {
    const uint32_t fromTargets = fromSources + 1;
    flood.clear();
    backFlood.clear();
    for (int32_t cell : sources_) {
        marks[cell] = fromSources;
        flood.push_back(cell);
    }
    for (int32_t cell : targets_) {
        marks[cell] = fromTargets;
        backFlood.push_back(cell);
    }
    std::size_t head = 0;
    std::size_t backHead = 0;
    auto spread = [&](std::vector<int32_t>& queue, std::size_t& at, uint32_t own, uint32_t other) {
        const int cell = queue[at++];
        ++work;
        for (int m = 1; m <= 8; ++m) {
            const int next = cell + CellStep[m];
            const uint32_t mark = marks[next];
            if (mark == own || !allowed(cell, next, m))
                continue;
            if (mark == other)
                return true;
            marks[next] = own;
            queue.push_back(next);
        }
        return false;
    };
    while (head < flood.size() && backHead < backFlood.size()) {
        if (spread(flood, head, fromSources, fromTargets) ||
            spread(backFlood, backHead, fromTargets, fromSources))
            return true;
    }
    return false;
}

} // namespace zelta
