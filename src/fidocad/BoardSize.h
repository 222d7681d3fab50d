// The board sizes the reader accepts, and the report line that tells a refused size from them.
#pragma once

#include "fidocad/FcdRules.h"

#include <cstdint>
#include <string>

namespace zelta {

// A size in FidoCAD units as millimetres, exactly, with a decimal comma ("100,625", "-0,5", "0").
std::string millimetres(int32_t units);

// The size found (FidoCAD units) in cells and millimetres, then the sizes allowed.
std::string boardSizeReport(int32_t boardWidth, int32_t boardHeight);

} // namespace zelta
