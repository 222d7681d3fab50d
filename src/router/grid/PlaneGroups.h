// The joined groups of a routed plane, net by net, in a union-find of cells: a cell with a track or
// a pad centre of a net joins its neighbours by the steps recorded between them, and a jumper joins
// its two ends. What the jumper pass starts each lap from, and what the report of open nets reads.
#pragma once

#include "core/Jumper.h"
#include "router/grid/BoardNets.h"
#include "router/grid/CellSets.h"

#include <cstdint>
#include <initializer_list>
#include <vector>

namespace zelta {

class PlaneGroups {
public:
    PlaneGroups() : cells(NetSlots) {}

    // The groups of the plane for the nets of nets: every cell with a track or a pad centre of one
    // of them, the steps between them, and the ends of the jumpers of the lists, in that order.
    void read(const int32_t* plane, int32_t cols, int32_t rows, const BoardNets& nets,
              std::initializer_list<const JumperList*> jumpers);
    // Adds the cell to the groups of net netIdx (once).
    void add(int netIdx, int cell) {
        if (sets.has(cell))
            return;
        sets.add(cell);
        cells[netIdx].push_back(cell);
    }

    CellSets sets;
    std::vector<std::vector<int32_t>> cells; // by net index: its cells, in the order they were added
};

} // namespace zelta
