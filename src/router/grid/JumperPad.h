// A jumper's end pad on a plane, as every method that lays its tracks around jumpers marks it.
#pragma once

#include "router/grid/Moves.h"

#include <cstdint>

namespace zelta {

// Marks a jumper's end pad of net on a plane: its centre and the 3x3 area around it, over what
// the site held (nothing of another net).
inline void markJumperPad(int32_t* plane, int cell, int net) {
    plane[cell] |= net | PadCentre;
    for (int d = 1; d <= 8; ++d)
        plane[cell + CellStep[d]] |= net | PadArea;
}

} // namespace zelta
