// The three Gerber layers of a single-sided board: the copper (bottom side), the board's profile,
// and the wire links drawn on the component side's legend.
#pragma once

#include "fidocad/FcdDrawing.h"

#include <cstdint>
#include <string>

namespace zelta {

// The profile is drawn with a line this wide, in nanometres.
inline constexpr int64_t ProfileLineNm = 100000;
// The wire links on the legend, in nanometres: the width of a common wire link.
inline constexpr int64_t WireLinkLineNm = 600000;

// Every pad flashed with an aperture of its shape and size (a pad of no size has no copper) and
// every track drawn with a round aperture of its width (at least one unit).
std::string copperGerber(const FcdDrawing& drawing, const std::string& name);
// The board's rectangle.
std::string outlineGerber(const FcdDrawing& drawing, const std::string& name);
// Each wire link as a line from the centre of one of its pads to the other's.
std::string wireLinkGerber(const FcdDrawing& drawing, const std::string& name);

// A track's width as drawn in copper, in units: its magnitude, at least one unit.
int32_t copperTrackWidth(int32_t width);

} // namespace zelta
