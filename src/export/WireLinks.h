// The wire links of a board as a list to fit them by: per link its net, both ends and its length.
#pragma once

#include "fidocad/FcdDrawing.h"

#include <cstdint>
#include <string>
#include <vector>

namespace zelta {

struct WireLink {
    int number; // 1, 2, ... in the order of the list
    int32_t net;
    int64_t x1; // board coordinates, nanometres
    int64_t y1;
    int64_t x2;
    int64_t y2;
    int64_t length; // nanometres, to the micrometre
};

// The drawing's wire links in the order to fit them: the shortest first (the lowest parts go on a
// board first); of equal length, from the top of the board down, then from left to right.
std::vector<WireLink> wireLinks(const FcdDrawing& drawing);

// One line per link under a line of column names: number, net, ends and length in millimetres.
std::string wireLinkCsv(const std::vector<WireLink>& links);

} // namespace zelta
