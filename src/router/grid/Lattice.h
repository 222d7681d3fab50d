// The points tracks are laid on: a square lattice of a given pitch over the board, stored column
// by column like the routing grid (with the grid's 320 x 160 points the two share their indices,
// at whatever pitch the drawing was read). Steps join a point to one of its eight neighbours;
// each step has one number, whichever end it is seen from, so that a table can say what lies on
// it.
#pragma once

#include "core/Init_obj.h"

#include <array>
#include <cstdint>
#include <cstdlib>

namespace zelta {

struct Lattice {
    int32_t pitch = 10; // units between two neighbouring points
    int32_t cols = 0;   // points along x: x = pitch * col
    int32_t rows = 0;   // points along y: y = pitch * row

    int32_t points() const { return cols * rows; }
    int32_t index(int32_t col, int32_t row) const { return col * rows + row; }
    int32_t col(int32_t point) const { return point / rows; }
    int32_t row(int32_t point) const { return point % rows; }
    // Units from the board's origin.
    int32_t x(int32_t point) const { return pitch * col(point); }
    int32_t y(int32_t point) const { return pitch * row(point); }
    // The offset of the neighbour in direction d (1..8).
    int32_t offset(int d) const { return Directions[d].dc * rows + Directions[d].dr; }

    // Steps: a point owns the four towards directions 3, 4, 5 and 6 (east, south-east, south and
    // south-west); a step towards 7, 8, 1 or 2 is the neighbour's step back.
    static constexpr int StepsPerPoint = 4;
    int32_t steps() const { return StepsPerPoint * points(); }
    int32_t stepOf(int32_t point, int d) const {
        if (d >= 3 && d <= 6)
            return StepsPerPoint * point + (d - 3);
        return StepsPerPoint * (point + offset(d)) + (Directions[d].opposite - 3);
    }
    // The point a step starts from and its direction (3..6).
    int32_t stepStart(int32_t step) const { return step / StepsPerPoint; }
    static int stepDirection(int32_t step) { return step % StepsPerPoint + 3; }

    bool inside(int32_t col, int32_t row) const { return col >= 0 && col < cols && row >= 0 && row < rows; }
};

// Distance in step-cost units (10 a straight step, 14 a diagonal one) between two points.
inline int32_t octileDistance(const Lattice& lattice, int32_t a, int32_t b) {
    const int32_t dc = std::abs(lattice.col(a) - lattice.col(b));
    const int32_t dr = std::abs(lattice.row(a) - lattice.row(b));
    return dc > dr ? 10 * dc + 4 * dr : 10 * dr + 4 * dc;
}

} // namespace zelta
