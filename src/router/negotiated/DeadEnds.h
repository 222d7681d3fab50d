// Taking away the dead ends of a net's tracks in a routing state of the negotiated method: track
// cells that lead to no pad of the net. They are left behind when a branch they hung from is
// dropped, and only take room from other nets.
#pragma once

#include "router/grid/CellStamps.h"
#include "router/negotiated/NegotiatedBoard.h"
#include "router/negotiated/Tracks.h"

#include <cstdint>
#include <vector>

namespace zelta {

class DeadEnds {
public:
    explicit DeadEnds(const NegotiatedBoard& board);

    // Takes away the net's track cells that lead to none of its pads.
    void prune(Tracks& tracks, int netIdx);

private:
    const NegotiatedBoard& board_;
    CellStamps touched_; // steps_ holds the cell's steps
    CellStamps removed_;
    std::vector<uint8_t> steps_ = std::vector<uint8_t>(PlaneCells, 0);
    std::vector<int32_t> leaves_;
    std::vector<PathCell> keptCells_;
    std::vector<Branch> keptBranches_;
};

} // namespace zelta
