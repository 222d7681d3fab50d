// Groups of grid cells joined by union-find, cleared by stamp. The lower cell becomes a group's
// root, so that groups come out the same whatever the order of the unions.
#pragma once

#include "core/Init_obj.h"
#include "router/grid/CellStamps.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace zelta {

class CellSets {
public:
    // Every cell out of every group.
    void clear() { member_.next(); }
    bool has(int cell) const { return member_.has(cell); }
    // The cell as a group of its own, unless it is in one already.
    void add(int cell) {
        if (!member_.has(cell)) {
            member_.set(cell);
            parent_[cell] = cell;
        }
    }
    // The root of the cell's group (the cell must have been added).
    int find(int cell) {
        while (parent_[cell] != cell) {
            parent_[cell] = parent_[parent_[cell]];
            cell = parent_[cell];
        }
        return cell;
    }
    int root(int cell) const {
        while (parent_[cell] != cell)
            cell = parent_[cell];
        return cell;
    }
    void unite(int a, int b) {
        a = find(a);
        b = find(b);
        if (a < b)
            parent_[b] = a;
        else if (b < a)
            parent_[a] = b;
    }

private:
    std::vector<int32_t> parent_ = std::vector<int32_t>(PlaneCells, 0);
    CellStamps member_;
};

} // namespace zelta
