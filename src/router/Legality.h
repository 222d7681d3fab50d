// A check of a routed plane against the routing rules, from the plane and the base plane alone:
// tracks stay on the board, never enter another net's pad or pad area, step only between cells of
// one net, never cross another diagonal in the same square, and never pass diagonally by the
// corner of another net's pad centre.
#pragma once

#include "core/Jumper.h"

#include <cstdint>
#include <string>

namespace zelta {

// Empty when the plane keeps every rule; otherwise what is wrong and where.
std::string legalityFault(const int32_t* basePlane, const int32_t* plane, int32_t cols, int32_t rows);

// The same for the jumpers laid on the plane: each runs across or down, 3 steps long at least, with
// both ends on the board, off every pad of the base plane, and a pad of its net at each end whose
// area holds nothing of another net; no pad centre lies under its wire; two jumpers' pads keep a
// cell apart and their wires never touch.
std::string jumperFault(const int32_t* basePlane, const int32_t* plane, int32_t cols, int32_t rows,
                        const JumperList& jumpers);

} // namespace zelta
