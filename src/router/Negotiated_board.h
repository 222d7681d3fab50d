// The board as the negotiated router sees it: which cells each net may use, the pads of every
// net and the order in which nets are routed. Built once per run from the base plane.
#pragma once

#include "core/Init_obj.h"

#include <array>
#include <cstdint>
#include <utility>
#include <vector>

namespace zelta {

class ListaCoord;

// Cell offsets of the eight directions in a plane (column by column, GridRows cells apart).
inline constexpr std::array<int, 9> CellStep = [] {
    std::array<int, 9> steps{};
    for (int d = 1; d <= 8; ++d)
        steps[d] = Directions[d].dc * GridRows + Directions[d].dr;
    return steps;
}();

// Marks a jumper's end pad of net on a plane: its centre and the 3x3 area around it, over what
// the site held (nothing of another net).
inline void markJumperPad(int32_t* plane, int cell, int net) {
    plane[cell] |= net | PadCentre;
    for (int d = 1; d <= 8; ++d)
        plane[cell + CellStep[d]] |= net | PadArea;
}

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

// Octile distance in step-cost units: 10 a straight step, 14 a diagonal one.
inline int32_t octile(int cellA, int cellB) {
    int dc = cellA / GridRows - cellB / GridRows;
    int dr = cellA % GridRows - cellB % GridRows;
    dc = dc < 0 ? -dc : dc;
    dr = dr < 0 ? -dr : dr;
    return dc > dr ? 10 * dc + 4 * dr : 10 * dr + 4 * dc;
}

struct NegotiatedBoard {
    // fixedNet values besides a net number 1..255.
    static constexpr int16_t Free = -1;
    static constexpr int16_t Wall = 0; // net-0 pads and every cell off the board

    struct Pad {
        int32_t cell;
        int32_t net;
    };
    struct Net {
        int32_t net;
        int32_t firstPad; // into netPads
        int32_t padCount;
    };

    // Takes the pads of the work list whose cells are pad centres of a net on the base plane.
    void build(const int32_t* basePlane, const ListaCoord& workList, int32_t cols, int32_t rows);

    // A cell that net may step on: free, or fixed copper (pad, pad area) of the net itself.
    bool passable(int cell, int net) const {
        const int16_t owner = fixedNet[cell];
        return owner == Free || owner == net;
    }
    bool diagonalAllowed(int slot, int net) const {
        const int16_t owner = cornerNet[slot];
        return owner == Free || owner == net;
    }
    int padOf(const Net& n, int i) const { return netPads[n.firstPad + i]; }

    int32_t cols = 0;
    int32_t rows = 0;
    std::array<int16_t, PlaneCells> fixedNet{};
    std::array<int16_t, PlaneCells> padAt{}; // index into pads at a pad centre, -1 elsewhere
    // By diagonal slot: the net of a pad centre on one of the square's two other corners (Wall
    // when two nets have one there, Free when none). A pad too small for a pad area may still
    // reach out far enough for a diagonal past its corner to touch it, so only its own net may
    // lay that diagonal.
    std::array<int16_t, SquareSlots> cornerNet{};
    std::vector<Pad> pads;
    std::vector<int32_t> netPads; // pad indices, grouped by net in routing order
    // Nets with two pads or more, smallest bounding box first (a short net has the fewest ways
    // round an obstacle, so it goes before the long ones).
    std::vector<Net> nets;
    std::array<int16_t, 256> netIndex{}; // position in nets, -1 for a net that is not routed
    // The first of pads that a seeded jumper brought (-1: none, all are the drawing's), and the
    // pad centres that a jumper joins already, as pairs of cells of one net.
    int32_t firstSeededPad = -1;
    std::vector<std::pair<int32_t, int32_t>> joinedPads;
    int32_t routablePads = 0; // pads of the nets in nets
};

} // namespace zelta
