// Which net may stand on each point of the lattice by the pads alone, read from a plane that holds
// them as the reader placed them (centres and areas): a net's own pad, free ground, or a wall (a
// pad of no net, and every point off the board). And for each diagonal of a square, the net of a
// pad centre on one of the square's two other corners: a pad too small for a pad area may still
// reach out far enough for a diagonal past its corner to touch it.
#pragma once

#include "core/Init_obj.h"
#include "router/grid/StepOwners.h"

#include <cstdint>

namespace zelta {

inline int16_t pointOwner(int32_t w) {
    return (w & OccupiedMask) == 0 ? StepOwners::Free : static_cast<int16_t>(w & NetMask);
}

// pointNet: PlaneCells owners, inside columns 1..cols-1 and rows 1..rows-1; walls elsewhere.
void readPointOwners(const int32_t* plane, int32_t cols, int32_t rows, int16_t* pointNet);
// cornerNet: SquareSlots owners, two per square (the falling diagonal's, then the rising one's),
// for the squares wholly inside the board; free elsewhere.
void readCornerOwners(const int32_t* plane, int32_t cols, int32_t rows, int16_t* cornerNet);
// The two slots of one square, read again from plane.
void readSquareCorners(const int32_t* plane, int square, int16_t* cornerNet);

} // namespace zelta
