// The joined groups of one net's pads, as a union-find of cells holds them: how many there are, how
// many pads each holds, and the largest one a caller allows. Each group is counted at its first
// pad, so that a tie between two groups always goes to the group of the earlier pad.
#pragma once

#include "router/grid/CellSets.h"
#include "router/grid/CellStamps.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace zelta {

class PadGroups {
public:
    struct Group {
        int32_t root;
        int32_t firstPad; // position of its first pad among the net's pads
        int32_t pads;
        bool untried; // one of its pads was not tried as a start
    };

    explicit PadGroups(size_t cells = PlaneCells) : roots_(cells), index_(cells, 0) {}

    // Counts the groups of a net's pads in sets: padCell(i) is the cell of pad i (0..pads-1),
    // already in sets, and untried(i) whether pad i was not tried as a start yet.
    template <class PadCell, class Untried>
    int count(CellSets& sets, int pads, const PadCell& padCell, const Untried& untried) {
        roots_.next();
        groups_.clear();
        for (int i = 0; i < pads; ++i) {
            const int root = sets.find(padCell(i));
            if (!roots_.has(root)) {
                roots_.set(root);
                index_[root] = static_cast<int32_t>(groups_.size());
                groups_.push_back({root, i, 0, false});
            }
            Group& group = groups_[index_[root]];
            ++group.pads;
            group.untried = group.untried || untried(i);
        }
        return static_cast<int>(groups_.size());
    }
    template <class PadCell> int count(CellSets& sets, int pads, const PadCell& padCell) {
        return count(sets, pads, padCell, [](int) { return false; });
    }

    // Whether root is the root of one of the groups counted last.
    bool holdsPad(int root) const { return roots_.has(root); }
    // The groups counted last, in the order of their first pads.
    const std::vector<Group>& groups() const { return groups_; }
    // The root of the largest group that allowed(group) lets through, or -1.
    template <class Allowed> int largest(const Allowed& allowed) const {
        const Group* best = nullptr;
        for (const Group& group : groups_)
            if (allowed(group) && (best == nullptr || group.pads > best->pads))
                best = &group;
        return best == nullptr ? -1 : best->root;
    }
    // The pads of the largest group (0 with no group).
    int32_t mostPads() const {
        int32_t most = 0;
        for (const Group& group : groups_)
            most = group.pads > most ? group.pads : most;
        return most;
    }

private:
    CellStamps roots_;
    std::vector<int32_t> index_; // by root: its group's position in groups_
    std::vector<Group> groups_;
};

} // namespace zelta
