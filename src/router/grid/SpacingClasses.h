// The width classes of a board's tracks for TrackSpacing: one class per track width in use, and
// whether the lattice's own room falls short of what two of them need with the clearance.
#pragma once

#include "core/Init_obj.h"
#include "router/grid/BoardNets.h"
#include "router/grid/Lattice.h"
#include "router/grid/TrackSpacing.h"

#include <array>
#include <cstdint>

namespace zelta {

// Each net's track width in units as a method that routes by the design rules lays it (0 for a
// net not in the table).
std::array<int32_t, NetSlots> ruledWidthsOf(const NetTable& netTable);

// Sets spacing up on lattice for the widths in widthOfNet (units by net, 0 for a net without
// tracks) and the clearance (units), and classOf to each net's class. True when the spacing must
// be counted: within the reach that the stencils give, the lattice keeps apart by itself only
// the same point (a shared point, or crossing diagonals) and a point and the middle of a step
// through it; a diagonal step passes 0.71 pitches from the nearest point it does not touch.
bool setupSpacingClasses(TrackSpacing& spacing, std::array<int8_t, NetSlots>& classOf, const Lattice& lattice,
                         const std::array<int32_t, NetSlots>& widthOfNet, double clearance);

} // namespace zelta
