// The jumper pass: after a routing method's lap, joins the groups of each net that the lap's tracks
// left apart: first by copper alone, then with jumpers, the cheapest join of all nets first, then by
// moving other nets' tracks out of the way, up to the board's limit of jumpers. It works on the work
// plane in the marking of the classic method (each path cell points towards its source), so the
// tracer traces its tracks as any other.
#pragma once

#include "core/Jumper.h"
#include "core/Lista_coo.h"
#include "router/grid/BoardNets.h"
#include "router/grid/CellSets.h"
#include "router/grid/CellStamps.h"
#include "router/grid/JumperPad.h"
#include "router/grid/LandRules.h"
#include "router/grid/PadGroups.h"
#include "router/grid/PlaneGroups.h"
#include "router/grid/RipUpLevel.h"
#include "router/jumpers/JumperSearch.h"
#include "router/jumpers/JumperTuning.h"
#include "router/model/BoardModel.h"

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

namespace zelta {

class JumperPass {
public:
    JumperPass();

    // Once per run: the board model (the pads to join, the rules, the drawing's kept tracks), the
    // jumpers the drawing already has (each joins its two ends), and the lengths allowed (3 steps
    // or more, ascending). The model and its base plane must stay as they are for the run.
    // kept: the pads that the drawing's kept tracks join, joined as a jumper's ends are (no wire).
    // Around a method that keeps the clearance (the model has rules), the pass's tracks keep it
    // from every pad and land of another net, and its lands from every pad and track of another
    // net; either way no track or land comes nearer to the drawing's kept tracks than it allows.
    void beginRun(const BoardModel& model, const JumperList& existing, const std::vector<int32_t>& lengths,
                  const JumperList& kept = {});

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
    int32_t connections() const { return board_->connections; }
    // Nets with two pads or more.
    int32_t nets() const { return static_cast<int32_t>(board_->nets.size()); }
    // Joins still missing on the plane: groups of each net's pads less one.
    int32_t missing() const { return missing_; }
    // The jumpers laid on the plane since prepare.
    const JumperList& jumpers() const { return jumpers_; }
    // Total length of the plane's tracks in steps (a diagonal step counts 1.4).
    int64_t trackLength() const;
    // Search work since the pass was made: a measure of effort that is the same on every run.
    int64_t work() const { return search_.work(); }

private:
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

    // The groups of the plane as it is, with the jumpers laid so far.
    void regroup();
    // Forgets the joins found; keepNone keeps what is known to have no join.
    void forgetJoins(bool keepNone);

    // The groups of the net's pads, counted; the largest group not yet tried as a start, ties to
    // the group of the earlier pad, or -1.
    int countGroups(int netIdx);
    int mainGroup() const;
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

    const BoardNets* board_ = nullptr; // the model's pads to join, by net
    JumperList existing_;
    JumperList kept_;
    const int32_t* base_ = nullptr;
    int32_t cols_ = 0;
    int32_t rows_ = 0;

    int32_t* plane_ = nullptr;
    int32_t missing_ = 0;
    JumperList jumpers_;
    JumperSearch search_;
    LandRules lands_;         // in use when search_.rules points at it
    JumperSpacing spacing_;   // in use when search_.spacing points at it
    std::vector<Join> joins_; // by net

    PlaneGroups groups_;  // the groups of the plane, by net
    PadGroups padGroups_; // of the net counted last
    CellStamps tried_;    // roots of groups tried as a start
    static constexpr int RipDepth = JumperTuning::RipDepth;
    // Each depth of rip-up keeps the board as it was, to put it back.
    struct RipLevel : RipUpLevel {
        std::vector<int32_t> plane = std::vector<int32_t>(PlaneCells, 0);
        JumperList jumpers;
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
    int32_t ripCost_ = JumperTuning::ShedRipCost;
    int ripJumpers_ = 0;
};

} // namespace zelta
