// The jumper pass: after a routing method's lap, joins the groups of each net that the lap's tracks
// left apart: first by copper alone, then with jumpers, the cheapest join of all nets first, then by
// moving other nets' tracks out of the way, up to the board's limit of jumpers. It works on the work
// plane in the marking of the classic method (each path cell points towards its source), so the
// tracer traces its tracks as any other.
#pragma once

#include "core/Jumper.h"
#include "core/Lista_coo.h"
#include "router/CellSets.h"
#include "router/Jumper_search.h"

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

namespace zelta {

class JumperPass {
public:
    // The fixed part of a jumper's cost, in step-cost units (a straight step costs 10): of two joins
    // with as many jumpers, the shorter one is taken.
    static constexpr int32_t JumperCost = 300;
    // What moving a cell of another net's track out of the way costs, when the last step takes
    // jumpers away again.
    static constexpr int32_t RipCost = 400;

    JumperPass();

    // Once per run: the pads to join (the work list's pad centres of a net on the base plane), the
    // jumpers the drawing already has (each joins its two ends), and the lengths allowed (3 steps
    // or more, ascending). The base plane must stay as it is for the run.
    void beginRun(const int32_t* basePlane, const ListaCoord& workList, const JumperList& existing,
                  int32_t cols, int32_t rows, const std::vector<int32_t>& lengths);

    // Per lap, in this order: prepare reads the groups of the lap's plane with the jumpers that
    // the method laid it out around (their pads are on the plane), which count as laid by the
    // pass; joinByCopper joins what copper alone can; joinByJumpers lays jumpers until there are
    // maxJumpers in all; joinByRipUp moves other nets' tracks out of the way of what is still
    // apart, where that leaves the board better; shedJumpers takes away the jumpers that copper
    // can do without. keepGoing is asked between two searches; once it says no, these return
    // false and the plane is left half done.
    void prepare(int32_t* plane, const JumperList& seeded);
    void joinByCopper();
    bool joinByJumpers(int32_t maxJumpers, const std::function<bool()>& keepGoing);
    bool joinByRipUp(int32_t maxJumpers, const std::function<bool()>& keepGoing);
    void shedJumpers(const std::function<bool()>& keepGoing);
    // Puts the plane and the jumpers laid on it back as they were at an earlier point of the lap.
    void restore(const std::vector<int32_t>& plane, const JumperList& jumpers);

    // Joins a complete board needs: pads of each net less one.
    int32_t connections() const { return connections_; }
    // Joins still missing on the plane: groups of each net's pads less one.
    int32_t missing() const { return missing_; }
    // The jumpers laid on the plane since prepare.
    const JumperList& jumpers() const { return jumpers_; }
    // Total length of the plane's tracks in steps (a diagonal step counts 1.4).
    int64_t trackLength() const;
    // Search work since the pass was made: a measure of effort that is the same on every run.
    int64_t work() const { return search_.work(); }

private:
    struct Net {
        int32_t net;
        int32_t firstPad; // into pads_
        int32_t padCount;
    };
    // The best join with jumpers found for a net, kept from round to round while nothing on the
    // board blocks it: the board only fills up, so it stays the cheapest; and a net without a join
    // stays without one.
    struct Join {
        enum class State { Unknown, Found, None } state = State::Unknown;
        int64_t cost = 0;
        int32_t maxJumpers = 0; // the limit it was searched with
        std::vector<PathCell> path;
    };
    enum class Mode { Copper, Jumpers, RipUp };

    // Adds the cell to the net's groups (once).
    void addNode(int netIdx, int cell);
    // The groups of the plane as it is, with the jumpers laid so far.
    void regroup();
    // Forgets the joins found; keepNone keeps what is known to have no join.
    void forgetJoins(bool keepNone);

    // The groups of the net's pads, counted (pads per group at its root); the largest group not
    // yet tried as a start, ties to the group of the earlier pad, or -1.
    int countGroups(int netIdx);
    int mainGroup(int netIdx) const;
    void loadSearch(int netIdx, int sourceRoot, int maxJumpers, int minJumpers, int32_t ripCost);
    // Searches a join for the net from its groups in turn; true when one was found. With
    // jumpers, minJumpers is how many the join needs at least (fewer were tried).
    bool search(int netIdx, Mode mode, int maxJumpers, int minJumpers);
    void joinNetByCopper(int netIdx);
    // Marks the path into the plane, lays its jumpers and joins the groups it links.
    void apply(int netIdx, const std::vector<PathCell>& path);
    void layJumper(int net, int from, int to);

    // Whether a board is better: fewer joins missing, then fewer jumpers, then shorter tracks.
    static bool better(int32_t missing, size_t jumpers, int64_t length, int32_t thanMissing,
                       size_t thanJumpers, int64_t thanLength);
    // Rip-up tries for the net at a few prices and jumper limits; the best result is kept.
    bool bestRipUp(int netIdx, int32_t maxJumpers, const std::function<bool()>& keepGoing, bool copperOnly);
    // One rip-up try for the net at the price and jumper limit set: kept when the board ends
    // better, else undone. Below the last depth, a net moved aside that cannot be joined again may
    // in turn move others.
    bool tryRipUp(int netIdx, int32_t maxJumpers, const std::function<bool()>& keepGoing, int depth);
    // Takes away another net's track from a cell, or one of its steps, and the dead ends left;
    // the net is noted as moved aside.
    void cutTrack(int cell, int depth);
    void cutStep(int cell, int dir, int depth);
    void noteVictim(int32_t net, int depth);
    // Takes away the steps of the net between the cell (its marking w) and its neighbours, and
    // puts every neighbour it was joined to on pruneStack_; the cell's own marking is left.
    void detachSteps(int cell, int32_t w, int32_t net);
    // Takes away the dead ends from the cells on pruneStack_.
    void prune();
    // Whether a pad of the drawing, or of a jumper laid, covers the cell.
    bool padCovered(int cell) const;

    std::vector<int32_t> pads_; // pad cells, grouped by net in nets_ order
    std::vector<Net> nets_;     // nets with two pads or more, smallest bounding box first
    std::array<int16_t, 256> netIndex_{};
    JumperList existing_;
    const int32_t* base_ = nullptr;
    int32_t cols_ = 0;
    int32_t rows_ = 0;
    int32_t connections_ = 0;

    int32_t* plane_ = nullptr;
    int32_t missing_ = 0;
    JumperList jumpers_;
    JumperSearch search_;
    std::vector<std::vector<int32_t>> netCells_; // by net: its cells with a track or a pad centre
    std::vector<Join> joins_;                    // by net

    CellSets sets_; // the groups of the plane, by net
    std::vector<uint32_t> groupMark_ = std::vector<uint32_t>(PlaneCells, 0); // roots of pad groups
    std::vector<int32_t> groupPads_ = std::vector<int32_t>(PlaneCells, 0);
    std::vector<int32_t> groupFirst_ = std::vector<int32_t>(PlaneCells, 0); // the group's first pad
    uint32_t groupStamp_ = 0;
    std::vector<uint32_t> triedMark_ = std::vector<uint32_t>(PlaneCells, 0); // roots tried as a start
    uint32_t triedStamp_ = 0;

    // Each depth of rip-up keeps the board as it was, to put it back.
    static constexpr int RipDepth = 2;
    struct RipLevel {
        std::vector<int32_t> plane = std::vector<int32_t>(PlaneCells, 0);
        JumperList jumpers;
        std::vector<PathCell> path;
        std::vector<int32_t> victims;    // net indices
        std::vector<Join::State> states; // of joins_, by net
        std::vector<int32_t> stateJumpers;
    };
    void saveStates(RipLevel& level);
    // Puts back what was known to have no join; joins found are looked for again.
    void restoreStates(const RipLevel& level);
    std::array<RipLevel, RipDepth> ripLevels_;
    std::vector<int32_t> pruneStack_;
    // The best result of the rip-up tries for one net.
    std::vector<int32_t> bestPlane_ = std::vector<int32_t>(PlaneCells, 0);
    JumperList bestList_;
    int32_t ripCost_ = RipCost;
    int ripJumpers_ = 0;
};

} // namespace zelta
