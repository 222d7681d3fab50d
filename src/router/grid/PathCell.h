// A found path as its searches give it: cells from the target back to the source, each with the
// direction of its neighbour towards the source.
#pragma once

#include "router/grid/Moves.h"

#include <cstdint>
#include <vector>

namespace zelta {

// One cell of a found path and the direction of its neighbour towards the path's source (0 at
// the source itself): the bits the classic marking gives a path cell.
struct PathCell {
    int32_t cell;
    uint8_t dir;
};

// Marks a cell of a path being walked back, and the diagonal by which the path leaves it (dir,
// 0 at the source), in marks: cells first, then diagonal slots. False when the path was on the
// cell already or crosses a diagonal of its own there: steps are tested one at a time, and such
// a path would not be a clean track.
inline bool markPathCell(std::vector<uint32_t>& marks, uint32_t stamp, int cell, int dir) {
    bool clean = marks[cell] != stamp;
    marks[cell] = stamp;
    if (dir != 0 && isDiagonal(dir)) {
        const int slot = diagonalSlot(cell, dir);
        clean = clean && marks[PlaneCells + crossingSlot(slot)] != stamp;
        marks[PlaneCells + slot] = stamp;
    }
    return clean;
}

} // namespace zelta
