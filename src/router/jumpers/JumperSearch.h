// The path search of the jumper pass, on the work plane itself: best first over (cell, how the
// cell was entered, jumpers used so far), from every cell of one group of a net to the nearest cell
// of its other groups. Other nets' copper is a wall. A jumper, a straight wire of an allowed length
// between two free pad sites, is one more move at a high fixed cost. Sized once; a search allocates
// nothing once its queue has grown to the board.
#pragma once

#include "router/grid/BoardNets.h"
#include "router/grid/CellStamps.h"
#include "router/grid/GridStepRules.h"
#include "router/grid/LandRules.h"
#include "router/grid/Moves.h"
#include "router/grid/PathCell.h"
#include "router/grid/SearchEnds.h"
#include "router/grid/StateSearch.h"
#include "router/jumpers/JumperSpacing.h"
#include "router/jumpers/JumperTuning.h"

#include <array>
#include <cstdint>
#include <vector>

namespace zelta {

// In a found path, a cell entered over a jumper: the next cell towards the source is the jumper's
// other end, not a neighbour.
inline constexpr uint8_t JumperStep = 9;

class JumperSearch {
public:
    // Jumpers one path may take at most.
    static constexpr int MaxJumpersPerPath = JumperTuning::MaxJumpersPerPath;

    JumperSearch();

    // Once per run: the board and the jumpers allowed (lengths of 3 steps or more, ascending).
    void setBoard(int32_t cols, int32_t rows, const std::vector<int32_t>& lengths, int32_t jumperCost);
    // The wires of the jumpers already laid: none, then one by one. refreshWires takes them and
    // the plane's pad centres in for the test of what a new wire passes over.
    void clearWires();
    void addWire(int cellA, int cellB);
    void refreshWires(const int32_t* plane);

    // Starts a search for net on plane, with at most maxJumpers jumpers on the path. When it is
    // known that no path with fewer than minJumpers exists, the estimate counts them in, which
    // keeps the search from spreading over all the ground a jumper's cost would buy. With a
    // ripCost, another net's track is no wall: each cell of it, and each diagonal of it crossed,
    // costs that much.
    void begin(const int32_t* plane, int net, int maxJumpers, int minJumpers = 0, int32_t ripCost = 0);
    void addSource(int cell) { ends_.addSource(cell); }
    void addTarget(int cell) { ends_.addTarget(cell); }
    // Whether copper alone can reach a target, by a flood that ignores the limits on turning:
    // never false when a copper-only search would succeed.
    bool reachable();
    // Whether copper and up to the search's jumpers could reach a target, by floods that ignore
    // the limits on turning: never false when the search would succeed, and much cheaper than a
    // search that fails.
    bool jumpersFeasible();
    // The cheapest path to a target; true when one was found. The path is then in path(), from
    // the target back to the source, and its cost in cost().
    bool run();
    const std::vector<PathCell>& path() const { return path_; }
    int64_t cost() const { return cost_; }
    // Whether a path found earlier for this search's net is still allowed on the plane as it is
    // now (every step, every jumper). Sources and targets are not looked at.
    bool stillAllowed(const std::vector<PathCell>& path);

    // A copper step of the net being searched, from one cell to its neighbour in direction move,
    // on free ground or the net's own.
    bool stepAllowed(int from, int to, int move) const { return stepExtra(from, to, move, 0) == 0; }
    // The same with another net's track passable at ripCost: -1 for a step never allowed, else
    // what it adds for the tracks it runs over or across.
    int32_t stepExtra(int from, int to, int move, int32_t ripCost) const;
    // A jumper end of the net may be laid on the cell: free of pads and wires, no other net's
    // copper or pad area on it or around it.
    bool padSite(int cell) { return siteCost(cell) == 0; }
    // The same in a rip-up search: -1 where no end may be laid, else what taking other nets'
    // tracks off its area costs.
    int32_t siteCost(int cell);
    // No pad centre and no other wire on the cells strictly between a and b, nor a wire on a or
    // b (a and b on one row or one column).
    bool wireClear(int a, int b) const;

    // States expanded and cells flooded since the start: a measure of effort that is the same on
    // every run.
    int64_t work() const { return work_; }

    // By net: tracks that stay walls even to a rip-up search (those of the nets being joined by the
    // rip-ups in progress). Kept from search to search.
    std::array<uint8_t, NetSlots> keep{};
    // The drawing's kept tracks, which lie partly between the grid's points: the steps whose track
    // copper keeps the rules from them, and by cell whether a jumper's land there would not.
    // None when the drawing has no kept track.
    const StepOwners* keptSteps = nullptr;
    const std::vector<uint8_t>* keptLands = nullptr;
    // The clearance the method keeps, for copper steps and land sites (none: only what the plane
    // shows is a wall, as the classic method keeps it). Kept from search to search.
    const LandRules* rules = nullptr;
    // The spacing between tracks of different nets, where the widths and the clearance need more
    // room than the grid keeps (none, or off, elsewhere). Marked afresh by every begin.
    JumperSpacing* spacing = nullptr;
    // How many cells apart (along a row, a column or both) the ends of two jumpers of one path
    // stand at least: 20 units, whatever the pitch, so that their lands keep apart.
    int32_t endsApartCells = 2;

private:
    // Entered by a jumper; 0 is a source, 1..8 the direction of the step that entered the cell.
    static constexpr int Jumped = 9;
    static constexpr int Arrivals = 10;
    static constexpr int States = Arrivals * (MaxJumpersPerPath + 1);

    // States wait in the queue by f = g + the estimate to the nearest target, with the jumpers the
    // path needs at least and has not used yet.
    uint64_t key(int64_t g, int cell, int used) {
        const int64_t jumpersLeft = used < minJumpers_ ? minJumpers_ - used : 0;
        return static_cast<uint64_t>(g + ends_.estimate(cell) + jumpersLeft * jumperCost_);
    }
    // Floods copper from the cells of queue (marked already), marking what it reaches.
    template <class Marked, class Mark>
    void floodFrom(std::vector<int32_t>& queue, const Marked& marked, const Mark& mark);
    void relax(int32_t from, int32_t to, int64_t g, int cell, int used);
    // stepExtra of this search's steps, each worked out once: a cell is expanded once for each way
    // it was entered and each count of jumpers, and its steps stay the same for the whole search.
    int32_t searchStepExtra(int from, int to, int move);
    void expand(int32_t state, int64_t g);
    void jumpFrom(int32_t state, int cell, int used, int64_t g);
    // Calls visit(end, length) for the far end of each jumper that could leave cell, straight up,
    // right, down and left, of each allowed length that stays on the board, until visit says true;
    // then true.
    template <class Visit> bool forEachJumperEnd(int cell, const Visit& visit) const;
    // Two jumpers of one path must keep apart as two jumpers of the board do.
    bool jumpersApart(const std::vector<PathCell>& path) const;

    int32_t cols_ = 0;
    int32_t rows_ = 0;
    std::vector<int32_t> lengths_;
    int32_t jumperCost_ = 0;
    int32_t turnCost_[3];

    const int32_t* plane_ = nullptr;
    int net_ = 0;
    int maxJumpers_ = 0;
    int minJumpers_ = 0;
    int32_t ripCost_ = 0;

    std::vector<uint8_t> inside_;       // by cell: within columns 1..cols-1 and rows 1..rows-1
    std::vector<uint8_t> wire_;         // by cell: 1 strictly between the ends of a laid jumper, 2 an end
    std::vector<int32_t> columnBlocks_; // by cell: pad centres and wire cells above it in its column
    std::vector<int32_t> rowBlocks_;    // by cell: the same left of it in its row (one column more)
    CellStamps siteKnown_;              // siteCost_ holds the cell's cost for this search
    std::vector<int32_t> siteCost_;
    CellStamps stepKnown_; // by (cell, move 1..8): stepCost_ holds the step's extra for this search
    std::vector<int32_t> stepCost_;

    // By (cell, jumpers used): a jumper was tried from there. The first state of a cell to be
    // closed is its cheapest, and a jumper leaves in any direction, so the later ones would only
    // try the same jumpers at a higher cost.
    CellStamps jumpTried_;
    SearchEnds ends_;
    StateSearch states_;
    std::vector<uint32_t> floodMark_; // open() from the sources, one more from the targets
    CellStamps region_;               // reached from the sources by copper and jumpers
    std::vector<int32_t> flood_;
    std::vector<int32_t> backFlood_;
    std::vector<PathCell> path_;
    int64_t cost_ = 0;
    int64_t work_ = 0;
};

template <class Visit> bool JumperSearch::forEachJumperEnd(int cell, const Visit& visit) const {
    const int c = cell / GridRows;
    const int r = cell % GridRows;
    for (int d : {1, 3, 5, 7}) {
        for (int32_t length : lengths_) {
            const int nc = c + Directions[d].dc * length;
            const int nr = r + Directions[d].dr * length;
            if (nc < 1 || nc >= cols_ || nr < 1 || nr >= rows_)
                break; // the lengths ascend
            if (visit(GestScheda::index(nc, nr), length))
                return true;
        }
    }
    return false;
}

} // namespace zelta
