// FidoCAD units, millimetres and grid cells: 8 units make a millimetre, one grid step is 10
// units (5 on the new methods' fine lattice), and cell (c, r) stands for the point
// (originX + pitch c, originY + pitch r).
#pragma once

#include <algorithm>
#include <cstdint>

namespace zelta {

inline constexpr int32_t UnitsPerMm = 8;
inline constexpr int32_t UnitsPerCell = 10;
// Units between two neighbouring cells: the classic's grid, and the fine lattice the new methods
// may route at.
inline constexpr int32_t CoarsePitch = UnitsPerCell;
inline constexpr int32_t FinePitch = 5;
// The FidoCAD unit, 1/200 inch, in millimetres: the scale of real copper (clearances, track
// widths, manufacturing files). The board size is shown at UnitsPerMm, as it always was.
inline constexpr double MmPerUnit = 0.127;

// Whole millimetres in units, saturating at the 32-bit limits.
constexpr int32_t mmToUnits(int32_t mm) {
    return static_cast<int32_t>(std::clamp<int64_t>(int64_t{mm} * UnitsPerMm, INT32_MIN, INT32_MAX));
}
// Units in whole millimetres, cut towards zero.
constexpr int32_t unitsToMm(int32_t units) {
    return units / UnitsPerMm;
}
// Whole cells in a length of units, cut towards zero.
constexpr int32_t unitsToCells(int32_t units) {
    return units / UnitsPerCell;
}
// The cell of a coordinate relative to the board's origin, cut towards zero; 64 bits, as a
// coordinate far off the board must not wrap around onto it.
constexpr int64_t cellOf(int32_t coordinate, int32_t origin, int32_t pitch = UnitsPerCell) {
    return (int64_t{coordinate} - origin) / pitch;
}
// The nearest cell of a coordinate relative to the board's origin (a half rounds up); a coordinate
// before the origin gives a cell below 1.
constexpr int64_t nearestCellOf(int32_t coordinate, int32_t origin, int32_t pitch) {
    return (int64_t{coordinate} - origin + pitch / 2) / pitch;
}
// A cell's coordinate relative to the board's origin.
constexpr int32_t cellToUnits(int32_t cell, int32_t pitch = UnitsPerCell) {
    return cell * pitch;
}

} // namespace zelta
