// Joining the pads of one net in a routing state of the negotiated method: the groups that its pads
// and tracks form, and searches that grow the largest group towards the nearest other one, either
// strictly (other nets' copper is a wall) or at the negotiated price. Also the score of a routing
// state, which counts the same groups. The rip-up uses the same steps one by one.
#pragma once

#include "router/grid/CellSets.h"
#include "router/grid/CellStamps.h"
#include "router/grid/PadGroups.h"
#include "router/negotiated/LapGuard.h"
#include "router/negotiated/NegotiatedBoard.h"
#include "router/negotiated/PathSearch.h"
#include "router/negotiated/Tracks.h"

#include <cstdint>
#include <vector>

namespace zelta {

// What a legal result achieves: fewer unconnected pads first, then shorter tracks.
struct LapScore {
    int32_t unconnectedPads = 0;    // pads outside the largest joined group of their net
    int32_t missingConnections = 0; // groups of a net beyond its first
    int64_t length = 0;             // in step-cost units
    bool betterThan(const LapScore& o) const {
        if (unconnectedPads != o.unconnectedPads)
            return unconnectedPads < o.unconnectedPads;
        return length < o.length;
    }
};

// The congestion prices of a worker: by cell and by square, grown from lap to lap, and the factor
// for the other nets on a cell in the lap being routed.
struct Congestion {
    std::vector<float> history = std::vector<float>(PlaneCells, 0.0f);       // by cell
    std::vector<float> squareHistory = std::vector<float>(PlaneCells, 0.0f); // by square
    double present = 0;
};

class NetJoiner {
public:
    enum class Mode { Strict, Negotiated };

    NetJoiner(const NegotiatedBoard& board, TurnCosts turns, const Congestion& congestion, LapGuard& guard);

    // Once per run, and after the board was built again with other jumpers.
    void beginRun();
    void reseed();

    // Joins the groups of a net's pads that its tracks leave apart, growing the largest group
    // towards the nearest other group while a search can reach one. Strict searches may use the
    // history costs, to keep off the ground that nets fought over.
    void connectNet(Tracks& tracks, int netIdx, Mode mode, bool useHistory);
    LapScore scoreOf(const Tracks& tracks);

    // The steps of connectNet: the net's groups into the union-find and its diagonals marked; the
    // groups counted; the largest group (with a pad not yet tried as a start, if asked); the search
    // from it to the other groups; a found path added to the net and its groups.
    void beginNet(const Tracks& tracks, int netIdx);
    int countGroups(int netIdx);
    int mainGroup(bool untriedOnly) const;
    void loadSearch(const Tracks& tracks, int netIdx, int mainRoot);
    void joinPath(Tracks& tracks, int netIdx, const std::vector<PathCell>& path);
    // Loads the groups of the net's pads and tracks into the union-find.
    void loadGroups(const Tracks& tracks, int netIdx);

    PathSearch& search() { return search_; }
    // The diagonals of the net that beginNet marked, and of the paths it joined since.
    const CellStamps& ownDiagonals() const { return ownDiagonal_; }
    // The spacing as the net that beginNet began sees it in tracks (off when the board needs none).
    SpacingView spacingView(const Tracks& tracks) const {
        return tracks.spacing() != nullptr ? SpacingView{tracks.spacing(), &ownSpacing_} : SpacingView{};
    }
    // Search work since beginRun.
    int64_t work() const { return search_.work(); }

private:
    void markOwnDiagonals(const PathCell* p, int length);

    const NegotiatedBoard& board_;
    const Congestion& congestion_;
    LapGuard& guard_;
    PathSearch search_;
    CellStamps ownDiagonal_{SquareSlots};
    OwnTrackSpacing ownSpacing_;
    CellSets sets_;
    PadGroups groups_;
    std::vector<uint8_t> padTried_; // by pad index
};

} // namespace zelta
