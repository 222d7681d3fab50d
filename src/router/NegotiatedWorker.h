// One worker of the negotiated router: its own tracks, history costs and searches. Lap 0 is a
// strict greedy pass; every later lap routes the nets again with shared cells allowed at a price,
// makes a legal copy of the result and repairs it by rip-up and retry. The worker never touches
// the shared grid, so two of them can route side by side.
#pragma once

#include "router/CellSets.h"
#include "router/Negotiated_board.h"
#include "router/Negotiated_search.h"
#include "router/Negotiated_tracks.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace zelta {

// How a worker prices things: the growth of the congestion costs from lap to lap, and the turns.
struct WorkerConfig {
    double historyGain;   // added to a cell's history per extra net on it, after each lap
    double presentStart;  // the present-congestion factor of the second negotiated lap
    double presentGrowth; // its growth per lap after that
    TurnCosts turns;
};

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

class NegotiatedWorker {
public:
    NegotiatedWorker(const NegotiatedBoard& board, WorkerConfig config);

    void beginRun();
    // After the board was built again with other jumpers: the history and the negotiated tracks
    // kept, the legal ones gone.
    void reseed();
    // Routes one lap; its legal result is in result() and its score in score. keepGoing is asked
    // before every search (it may block while a pause lasts); once it says no, the lap is
    // abandoned and false returned, and the worker's state is good only for a new beginRun.
    bool routeLap(int32_t lapIndex, const std::function<bool()>& keepGoing);
    const Tracks& result() const { return legal_; }
    // Search work since beginRun.
    int64_t work() const { return search_.work(); }
    LapScore score;

private:
    enum class Mode { Strict, Negotiated };

    // Joins the groups of a net's pads that its tracks leave apart, growing the largest group
    // towards the nearest other group while a search can reach one. Strict searches may use the
    // history costs, to keep off the ground that nets fought over.
    void connectNet(Tracks& tracks, int netIdx, Mode mode, bool useHistory);
    // Asks keepGoing, until it has said no once.
    bool alive() {
        if (!abandoned_ && !(*keepGoing_)())
            abandoned_ = true;
        return !abandoned_;
    }
    void negotiatedPass(int32_t lapIndex);
    void updateHistory();
    // Makes legal_ from negotiated_: drops conflicting branches, then joins again strictly.
    void legalise();
    // Rip-up and retry for every net left in pieces, round after round while it pays.
    void repair(Tracks& tracks);
    // One try for one net: kept, and current updated, only when the board scores better. Below
    // the last depth, the nets moved aside may in turn push others.
    bool tryRipUp(Tracks& tracks, int netIdx, LapScore& current, int depth);
    // Takes away the net's track cells that lead to none of its pads.
    void pruneNet(Tracks& tracks, int netIdx);
    LapScore scoreOf(const Tracks& tracks);

    // The steps of connectNet, shared with the repair: the net's groups into the union-find and
    // its diagonals marked; the groups counted (pads per group in groupPads_); the largest group
    // (with a pad not yet tried as a start, if asked); the search from it to the other groups;
    // a found path added to the net and its groups.
    void beginNet(const Tracks& tracks, int netIdx);
    int countGroups(int netIdx);
    int mainGroup(int netIdx, bool untriedOnly);
    void loadSearch(const Tracks& tracks, int netIdx, int mainRoot);
    void joinPath(Tracks& tracks, int netIdx, const std::vector<PathCell>& path);
    void markOwnDiagonals(const PathCell* p, int length);

    // Loads the groups of the net's pads and tracks into the union-find.
    void loadGroups(const Tracks& tracks, int netIdx);

    // A try of the repair keeps the tracks of every net it changes, to put them back.
    struct RipLevel {
        std::vector<PathCell> path;
        std::vector<int32_t> victims;
        std::vector<int32_t> savedNets;
        std::vector<NetTracks> saved; // storage kept from try to try
    };
    // Keeps the net's tracks for every try in progress that has not kept them yet.
    void saveNet(const Tracks& tracks, int netIdx, int depth);
    void restoreSaved(Tracks& tracks, RipLevel& level);

    const NegotiatedBoard& board_;
    WorkerConfig config_;
    const std::function<bool()>* keepGoing_ = nullptr;
    bool abandoned_ = false;
    Tracks negotiated_;
    Tracks legal_;
    PathSearch search_;
    std::vector<float> history_ = std::vector<float>(PlaneCells, 0.0f);       // by cell
    std::vector<float> squareHistory_ = std::vector<float>(PlaneCells, 0.0f); // by square
    std::vector<uint32_t> ownDiagonal_ = std::vector<uint32_t>(SquareSlots, 0);
    uint32_t ownStamp_ = 0;
    double present_ = 0;

    CellSets sets_;
    // Groups of the net being worked on: the roots marked, each with the index of its first pad;
    // by that index, the group's pads and whether one has not been tried as a start.
    std::vector<uint32_t> groupMark_ = std::vector<uint32_t>(PlaneCells, 0);
    std::vector<int32_t> groupFirst_ = std::vector<int32_t>(PlaneCells, 0);
    uint32_t groupStamp_ = 0;
    std::vector<int32_t> groupPads_;
    std::vector<uint8_t> groupUntried_;
    std::vector<uint8_t> padTried_; // by pad index

    std::vector<RipLevel> ripLevels_;
    std::vector<uint32_t> ripCell_ = std::vector<uint32_t>(PlaneCells, 0);
    std::vector<uint32_t> ripDiagonal_ = std::vector<uint32_t>(SquareSlots, 0);
    uint32_t ripStamp_ = 0;
    std::vector<PathCell> keptCells_;
    std::vector<Branch> keptBranches_;

    std::vector<uint32_t> pruneMark_ = std::vector<uint32_t>(PlaneCells, 0);
    std::vector<uint32_t> removed_ = std::vector<uint32_t>(PlaneCells, 0);
    uint32_t pruneStamp_ = 0;
    std::vector<uint8_t> steps_ = std::vector<uint8_t>(PlaneCells, 0);
    std::vector<int32_t> leaves_;
    std::vector<PathCell> pruneCells_;
    std::vector<Branch> pruneBranches_;

    // Legalisation's scratch: the branches, where they are contested, and the conflict graph.
    struct BranchRef {
        int32_t netIdx;
        int32_t branch;
        int32_t length;
    };
    struct Incidence {
        int32_t where; // a contested cell, or a diagonal slot whose square has both diagonals
        int32_t branch;
        bool operator<(const Incidence& o) const {
            return where != o.where ? where < o.where : branch < o.branch;
        }
    };
    std::vector<BranchRef> branches_;
    std::vector<Incidence> cellIncidences_;
    std::vector<Incidence> squareIncidences_;
    std::vector<std::pair<int32_t, int32_t>> conflicts_;
    std::vector<int32_t> conflictCount_;
    std::vector<uint8_t> dropped_;
};

} // namespace zelta
