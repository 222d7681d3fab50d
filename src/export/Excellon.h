// The drill file: Excellon in millimetres, one tool per hole diameter, every pad's hole.
#pragma once

#include "fidocad/FcdDrawing.h"

#include <cstdint>
#include <string>
#include <vector>

namespace zelta {

struct DrillHole {
    int64_t x; // board coordinates, nanometres
    int64_t y;
    int64_t diameter; // nanometres
};

struct DrillTool {
    int64_t diameter; // nanometres
    std::vector<DrillHole> holes;
};

// One tool per diameter, the smallest first, each with its holes in the order of the pads. A pad
// with drill 0 (or less) has no hole: it is a surface pad. Pads that share a centre get one hole,
// the widest of their drills.
std::vector<DrillTool> drillTools(const FcdDrawing& drawing);

std::string excellon(const std::vector<DrillTool>& tools, const std::string& name);

} // namespace zelta
