// The routing grid that every phase works on, the eight directions of a track step,
// and the table of nets with the track width chosen for each.
#pragma once

#include "core/Units.h"

#include <array>
#include <cstdint>
#include <map>

namespace zelta {

// The planes hold the board at the finest pitch the methods route at (5 units): 320 x 160 cells.
// At the classic's pitch of 10 units a board uses the first 160 x 80 of them.
inline constexpr int GridCols = 320;
inline constexpr int GridRows = 160;
inline constexpr int PlaneCells = GridCols * GridRows;
// The columns and rows the grid has at a pitch: 160 x 80 at 10 units, 320 x 160 at 5.
constexpr int gridColsAt(int32_t pitch) {
    return GridCols * FinePitch / pitch;
}
constexpr int gridRowsAt(int32_t pitch) {
    return GridRows * FinePitch / pitch;
}
inline constexpr int PlaneCount = 4;

enum Plane : int { BasePlane = 0, WorkPlane = 1, BestPlane = 2, SparePlane = 3 };

// Cell bits, the same in every plane. A cell of all zeros is a free point.
inline constexpr int32_t NetMask = 0x000000FF;
inline constexpr int32_t DirBitsMask = 0x0000FF00;
inline constexpr int32_t PadArea = 0x00020000;
inline constexpr int32_t PadCentre = 0x00040000;
inline constexpr int32_t PathSource = 0x00100000;
// Bits 0-18: the cell is in use. Bits 8-16 and 20: the cell carries a track or is its source.
inline constexpr int32_t OccupiedMask = 0x0007FFFF;
inline constexpr int32_t TrackMask = 0x0011FF00;

// A track step towards the neighbour in direction d (1..8) is recorded as DirBit(d).
constexpr int32_t DirBit(int d) {
    return int32_t{0x100} << (d - 1);
}

// Directions d and d+4 are opposite.
constexpr int opposite(int d) {
    return ((d + 3) % 8) + 1;
}

struct Direction {
    int dc;      // column change
    int dr;      // row change
    int32_t bit; // DirBit of the direction
    int opposite;
};

// Indexed by d = 1..8; entry 0 is the "no direction" of a search's start cell.
inline constexpr std::array<Direction, 9> Directions = {{
    {0, 0, 0, 0},
    {0, -1, DirBit(1), opposite(1)},
    {+1, -1, DirBit(2), opposite(2)},
    {+1, 0, DirBit(3), opposite(3)},
    {+1, +1, DirBit(4), opposite(4)},
    {0, +1, DirBit(5), opposite(5)},
    {-1, +1, DirBit(6), opposite(6)},
    {-1, 0, DirBit(7), opposite(7)},
    {-1, -1, DirBit(8), opposite(8)},
}};

constexpr bool isDiagonal(int d) {
    return d % 2 == 0;
}

// Four planes of 320 x 160 cells in one block, stored column by column: cell (p, c, r)
// is element p * 51200 + c * 160 + r. Users keep to the grid; nothing here checks indices.
// How many units a cell stands for is the read's (GestoreFileFCD::pitch).
class GestScheda {
public:
    GestScheda() { clear(); }

    void clear() { cells.fill(0); }
    void copyPlane(int from, int to);

    static constexpr int index(int c, int r) { return c * GridRows + r; }
    int32_t& cell(int plane, int c, int r) { return cells[plane * PlaneCells + index(c, r)]; }
    int32_t cell(int plane, int c, int r) const { return cells[plane * PlaneCells + index(c, r)]; }
    int32_t* plane(int p) { return cells.data() + p * PlaneCells; }
    const int32_t* plane(int p) const { return cells.data() + p * PlaneCells; }

    std::array<int32_t, PlaneCount * PlaneCells> cells;
};

// Net number -> width choice (index of the radio item in the track-width dialog).
// The subscript inserts an absent net with the choice 0, which every user relies on.
using NetTable = std::map<int32_t, int32_t>;

// FidoCAD width of a net's width choice in the classic's files: "0,25" is 2 units, every other
// choice 4, no choice 1.
constexpr int32_t classicTrackWidth(int32_t widthChoice) {
    if (widthChoice == 0)
        return 2;
    if (widthChoice >= 1 && widthChoice <= 5)
        return 4;
    return 1;
}

// FidoCAD width of a net's width choice with a method that routes by the design rules: the width
// the dialog names, to the nearest unit (0.127 mm). "Max" stays 4 units, as in the classic's files.
constexpr int32_t ruledTrackWidth(int32_t widthChoice) {
    constexpr int32_t widths[] = {2, 4, 8, 12, 20, 4};
    return widthChoice >= 0 && widthChoice <= 5 ? widths[widthChoice] : 1;
}

// The width a net's tracks get with the routing method (0 the classic, which keeps its 2 and 4 units).
constexpr int32_t trackWidthFor(int32_t widthChoice, int32_t method) {
    return method == 0 ? classicTrackWidth(widthChoice) : ruledTrackWidth(widthChoice);
}

} // namespace zelta
