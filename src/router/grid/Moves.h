// The moves of a path on the grid, shared by the searches of every method that works on cell
// indices: the cell offset of each direction, the slots of a square's two diagonals, the base cost
// of a step and of a turn, the moves allowed after each direction of arrival, and the octile
// distance that estimates a path's cost from below.
#pragma once

#include "core/Init_obj.h"

#include <array>
#include <cstdint>

namespace zelta {

// Cell offsets of the eight directions in a plane (column by column, GridRows cells apart).
inline constexpr std::array<int, 9> CellStep = [] {
    std::array<int, 9> steps{};
    for (int d = 1; d <= 8; ++d)
        steps[d] = Directions[d].dc * GridRows + Directions[d].dr;
    return steps;
}();

// A 2x2 square of cells is named by its upper left cell; each of its two diagonals has a slot:
// 2 * square for the falling one (upper left to lower right), 2 * square + 1 for the rising one.
// A diagonal step from cell in direction m lies on diagonalSlot(cell, m), whichever end it is
// seen from.
inline constexpr int SquareSlots = 2 * PlaneCells;
constexpr int diagonalSlot(int cell, int m) {
    switch (m) {
    case 2:
        return 2 * (cell - 1) + 1;
    case 4:
        return 2 * cell;
    case 6:
        return 2 * (cell - GridRows) + 1;
    case 8:
        return 2 * (cell - GridRows - 1);
    default:
        return -1;
    }
}
// The other diagonal of the same square.
constexpr int crossingSlot(int slot) {
    return slot ^ 1;
}

// Base costs of a step. The estimate (octile) never exceeds them, whatever the turns add.
inline constexpr int32_t StraightCost = 10;
inline constexpr int32_t DiagonalCost = 14;

// Octile distance in step-cost units: 10 a straight step, 14 a diagonal one.
inline int32_t octile(int cellA, int cellB) {
    int dc = cellA / GridRows - cellB / GridRows;
    int dr = cellA % GridRows - cellB % GridRows;
    dc = dc < 0 ? -dc : dc;
    dr = dr < 0 ? -dr : dr;
    return dc > dr ? 10 * dc + 4 * dr : 10 * dr + 4 * dc;
}

// What a turn adds to a step: 45 and 90 degrees (a path never turns further).
struct TurnCosts {
    int32_t turn45;
    int32_t turn90;
};

// Moves after arriving in direction d: on, the 45 and the 90 degree turns; from a source, all.
struct MoveSet {
    int count;
    int move[8];
    int turn[8]; // 0 on, 1 a 45 degree turn, 2 a 90 degree one
};
inline constexpr std::array<MoveSet, 9> MovesAfter = [] {
    std::array<MoveSet, 9> table{};
    table[0].count = 8;
    for (int m = 1; m <= 8; ++m) {
        table[0].move[m - 1] = m;
        table[0].turn[m - 1] = 0;
    }
    constexpr int turns[5] = {0, 1, 7, 2, 6};
    for (int d = 1; d <= 8; ++d) {
        table[d].count = 5;
        for (int i = 0; i < 5; ++i) {
            table[d].move[i] = (d - 1 + turns[i]) % 8 + 1;
            table[d].turn[i] = turns[i] == 0 ? 0 : (turns[i] == 1 || turns[i] == 7) ? 1 : 2;
        }
    }
    return table;
}();

} // namespace zelta
