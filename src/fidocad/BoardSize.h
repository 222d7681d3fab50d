// The board sizes the reader accepts, and the report line that tells a refused size from them.
#pragma once

#include "core/Init_obj.h"

#include <cstdint>
#include <string>

namespace zelta {

// Columns and rows in use: at least 3, and one less than the grid has, so that every pad centre
// in column 1..cols-1 and row 1..rows-1 keeps a cell of border on the grid.
inline constexpr int MinBoardCells = 3;
inline constexpr int MaxBoardCols = GridCols - 1;
inline constexpr int MaxBoardRows = GridRows - 1;

// A size in FidoCAD units as millimetres, exactly, with a decimal comma ("100,625", "-0,5", "0").
std::string millimetres(int32_t units);

// The size found (FidoCAD units) in cells and millimetres, then the sizes allowed.
std::string boardSizeReport(int32_t boardWidth, int32_t boardHeight);

} // namespace zelta
