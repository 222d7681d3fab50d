// What one try of a rip-up keeps at its depth, in every method that moves other nets' tracks out of
// the way of a net it cannot join: the path the try forces through, and the nets moved aside for it.
#pragma once

#include "router/grid/PathCell.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace zelta {

struct RipUpLevel {
    std::vector<PathCell> path;
    std::vector<int32_t> victims; // net indices, each once

    void noteVictim(int32_t netIdx) {
        if (std::find(victims.begin(), victims.end(), netIdx) == victims.end())
            victims.push_back(netIdx);
    }
};

} // namespace zelta
