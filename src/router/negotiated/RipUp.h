// Rip-up and retry on a legal routing state of the negotiated method: a net left in pieces is
// joined through other nets' tracks where that is cheapest, the branches in its way are taken up
// and those nets joined again strictly. The change stays only when the whole board scores better.
#pragma once

#include "router/grid/CellStamps.h"
#include "router/grid/RipUpLevel.h"
#include "router/negotiated/DeadEnds.h"
#include "router/negotiated/LapGuard.h"
#include "router/negotiated/NetJoiner.h"

#include <cstdint>
#include <vector>

namespace zelta {

class RipUp {
public:
    RipUp(const NegotiatedBoard& board, NetJoiner& joiner, DeadEnds& deadEnds, LapGuard& guard);

    // Rip-up and retry for every net left in pieces, round after round while it pays.
    void repair(Tracks& tracks);

private:
    // A try of the repair keeps the tracks of every net it changes, to put them back.
    struct Level : RipUpLevel {
        std::vector<int32_t> savedNets;
        std::vector<NetTracks> saved; // storage kept from try to try
    };

    // One try for one net: kept, and current updated, only when the board scores better. Below
    // the last depth, the nets moved aside may in turn push others.
    bool tryRipUp(Tracks& tracks, int netIdx, LapScore& current, int depth);
    // Keeps the net's tracks for every try in progress that has not kept them yet.
    void saveNet(const Tracks& tracks, int netIdx, int depth);
    void restoreSaved(Tracks& tracks, Level& level);
    // Marks, for each width class, the half points where a track of that class would come too
    // close to the path (a track of class cls).
    void markNearPath(const TrackSpacing& spacing, const std::vector<PathCell>& path, int cls);

    const NegotiatedBoard& board_;
    NetJoiner& joiner_;
    DeadEnds& deadEnds_;
    LapGuard& guard_;
    std::vector<Level> levels_;
    CellStamps pathCells_;             // the cells of the path being forced through
    CellStamps pathDiagonals_;         // its diagonal slots
    std::vector<CellStamps> pathNear_; // with spacing: by width class, the half points too close
    int32_t pathNearPoints_ = -1;
    std::vector<PathCell> keptCells_;
    std::vector<Branch> keptBranches_;
};

} // namespace zelta
