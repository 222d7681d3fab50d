// The jumper pass's search: the rules of a copper step and of a jumper on the work plane, the
// best-first run, the floods that rule out a path cheaply, and the walk back along a path.
#include "router/jumpers/JumperSearch.h"

#include <algorithm>

namespace zelta {

namespace {

// The other two corners of the square a diagonal move crosses, and the direction of the step
// from the first to the second: the crossing diagonal is recorded as that step's bit on the
// first corner, or the opposite step's bit on the second.
struct Corners {
    int first;
    int second;
    int across;
};
Corners cornersOf(int cell, int move) {
    const int before = move - 1;
    const int after = move % 8 + 1;
    return {cell + CellStep[before], cell + CellStep[after], (move + 1) % 8 + 1};
}

} // namespace

JumperSearch::JumperSearch()
    : turnCost_{0, JumperTuning::Turns.turn45, JumperTuning::Turns.turn90}, inside_(PlaneCells, 0),
      wire_(PlaneCells, 0), columnBlocks_(PlaneCells + 1, 0), rowBlocks_(PlaneCells + GridRows, 0),
      siteKnown_(PlaneCells), siteCost_(PlaneCells, 0), stepKnown_(PlaneCells * 8),
      stepCost_(PlaneCells * 8, 0), jumpTried_(PlaneCells * (MaxJumpersPerPath + 1)),
      states_(PlaneCells * States), floodMark_(PlaneCells, 0), region_(PlaneCells) {
    flood_.reserve(PlaneCells);
    backFlood_.reserve(PlaneCells);
    path_.reserve(PlaneCells);
}

void JumperSearch::setBoard(int32_t cols, int32_t rows, const std::vector<int32_t>& lengths,
                            int32_t jumperCost) {
    cols_ = cols;
    rows_ = rows;
    lengths_ = lengths;
    jumperCost_ = jumperCost;
    for (int c = 0; c < GridCols; ++c)
        for (int r = 0; r < GridRows; ++r)
            inside_[GestScheda::index(c, r)] = c >= 1 && c < cols && r >= 1 && r < rows;
    clearWires();
}

void JumperSearch::clearWires() {
    std::fill(wire_.begin(), wire_.end(), uint8_t{0});
}

void JumperSearch::addWire(int a, int b) {
    const int step = a / GridRows == b / GridRows ? 1 : GridRows;
    const int from = std::min(a, b);
    const int to = std::max(a, b);
    for (int cell = from + step; cell < to; cell += step)
        wire_[cell] = 1;
    // The ends are pads, whether or not the plane shows their centres.
    wire_[from] = 2;
    wire_[to] = 2;
}

void JumperSearch::refreshWires(const int32_t* plane) {
    auto blocks = [&](int cell) { return ((plane[cell] & PadCentre) != 0 || wire_[cell] != 0) ? 1 : 0; };
    // columnBlocks_[cell]: blocks at the rows above cell in its column (the column's cells lie
    // next to each other); rowBlocks_[cell]: blocks in the columns left of cell in its row.
    // Counts the blocks along a line of cells before each, and returns the line's total.
    auto prefix = [&](std::vector<int32_t>& out, int lineLength, auto cellAt) {
        int32_t count = 0;
        for (int i = 0; i < lineLength; ++i) {
            const int cell = cellAt(i);
            out[cell] = count;
            count += blocks(cell);
        }
        return count;
    };
    // A wire's ends lie on the board, so the lines are counted only that far (and one cell on).
    const int cols = std::min(GridCols, cols_ + 1);
    const int rows = std::min(GridRows, rows_ + 1);
    for (int c = 0; c < cols; ++c)
        prefix(columnBlocks_, rows, [c](int r) { return GestScheda::index(c, r); });
    for (int r = 0; r < rows; ++r) {
        const int32_t count = prefix(rowBlocks_, cols, [r](int c) { return GestScheda::index(c, r); });
        rowBlocks_[GestScheda::index(cols, r)] = count;
    }
}

bool JumperSearch::wireClear(int a, int b) const {
    if (wire_[a] != 0 || wire_[b] != 0)
        return false;
    const int from = std::min(a, b);
    const int to = std::max(a, b);
    if (from / GridRows == to / GridRows)
        return columnBlocks_[to] - columnBlocks_[from + 1] == 0;
    return rowBlocks_[to] - rowBlocks_[from + GridRows] == 0;
}

void JumperSearch::begin(const int32_t* plane, int net, int maxJumpers, int minJumpers, int32_t ripCost) {
    if (states_.begin())
        std::fill(floodMark_.begin(), floodMark_.end(), 0u);
    siteKnown_.next();
    stepKnown_.next();
    jumpTried_.next();
    region_.next();
    plane_ = plane;
    net_ = net;
    maxJumpers_ = std::clamp(maxJumpers, 0, MaxJumpersPerPath);
    minJumpers_ = std::clamp(minJumpers, 0, maxJumpers_);
    ripCost_ = ripCost;
    ends_.clear();
    path_.clear();
    cost_ = 0;
    if (spacing != nullptr)
        spacing->begin(plane, cols_, rows_, net);
}

int32_t JumperSearch::stepExtra(int from, int to, int move, int32_t ripCost) const {
    if (!inside_[to] || (rules != nullptr && !rules->stepAllowed(from, move, net_)))
        return -1;
    if (keptSteps != nullptr && !keptSteps->allows(GridLattice.stepOf(from, move), net_))
        return -1;
    // Too close to another net's track stays a wall even to a rip-up: moving that track would
    // not be enough.
    if (spacing != nullptr && spacing->on() && !spacing->stepClear(from, to, move))
        return -1;
    int32_t extra = 0;
    const int32_t w = plane_[to];
    if ((w & OccupiedMask) != 0 && (w & NetMask) != net_) {
        // Pads and pad areas stay walls, and so does anything of no net.
        if (ripCost == 0 || (w & (PadCentre | PadArea)) != 0 || (w & NetMask) == 0 || keep[w & NetMask])
            return -1;
        extra = ripCost;
    }
    if (!isDiagonal(move))
        return extra;
    const Corners k = cornersOf(from, move);
    const int32_t a = plane_[k.first];
    const int32_t b = plane_[k.second];
    // A diagonal passes close to the square's other corners: a pad centre there must be the net's.
    if (((a & PadCentre) != 0 && (a & NetMask) != net_) || ((b & PadCentre) != 0 && (b & NetMask) != net_))
        return -1;
    const bool fromA = (a & Directions[k.across].bit) != 0;
    const bool fromB = (b & Directions[opposite(k.across)].bit) != 0;
    if (!fromA && !fromB)
        return extra;
    // The net's own diagonal may never be crossed; another net's only at the price of moving it.
    const int32_t crossingNet = (fromA ? a : b) & NetMask;
    if (ripCost == 0 || crossingNet == net_ || keep[crossingNet])
        return -1;
    return extra + ripCost;
}

int32_t JumperSearch::searchStepExtra(int from, int to, int move) {
    const size_t place = static_cast<size_t>(from) * 8 + (move - 1);
    if (!stepKnown_.has(place)) {
        stepCost_[place] = stepExtra(from, to, move, ripCost_);
        stepKnown_.set(place);
    }
    return stepCost_[place];
}

template <class Marked, class Mark>
void JumperSearch::floodFrom(std::vector<int32_t>& queue, const Marked& marked, const Mark& mark) {
    for (size_t head = 0; head < queue.size(); ++head) {
        const int cell = queue[head];
        ++work_;
        for (int m = 1; m <= 8; ++m) {
            const int next = cell + CellStep[m];
            if (marked(next) || ends_.isSource(next) || !stepAllowed(cell, next, m))
                continue;
            mark(next);
            queue.push_back(next);
        }
    }
}

bool JumperSearch::jumpersFeasible() {
    // The ground copper reaches from the targets, then from the sources; each further region is
    // the ground reached from the ends of the jumpers that leave the one before.
    const uint32_t fromTargets = states_.open() + 1;
    backFlood_.assign(ends_.targets().begin(), ends_.targets().end());
    for (int32_t cell : ends_.targets())
        floodMark_[cell] = fromTargets;
    floodFrom(
        backFlood_, [&](int cell) { return floodMark_[cell] == fromTargets; },
        [&](int cell) { floodMark_[cell] = fromTargets; });
    flood_.assign(ends_.sources().begin(), ends_.sources().end());
    for (int32_t cell : ends_.sources())
        region_.set(cell);
    size_t regionStart = 0;
    for (int level = 0;; ++level) {
        floodFrom(
            flood_, [&](int cell) { return region_.has(cell); }, [&](int cell) { region_.set(cell); });
        for (size_t i = regionStart; i < flood_.size(); ++i)
            if (floodMark_[flood_[i]] == fromTargets)
                return true;
        if (level == maxJumpers_)
            return false;
        const size_t regionEnd = flood_.size();
        for (size_t i = regionStart; i < regionEnd; ++i) {
            const int cell = flood_[i];
            if (!padSite(cell))
                continue;
            const bool met = forEachJumperEnd(cell, [&](int next, int32_t) {
                if (region_.has(next) || ends_.isSource(next) || !wireClear(cell, next) || !padSite(next))
                    return false;
                if (floodMark_[next] == fromTargets)
                    return true;
                region_.set(next);
                flood_.push_back(next);
                return false;
            });
            if (met)
                return true;
        }
        if (flood_.size() == regionEnd)
            return false;
        regionStart = regionEnd;
    }
}

int32_t JumperSearch::siteCost(int cell) {
    if (siteKnown_.has(cell))
        return siteCost_[cell];
    int32_t cost = inside_[cell] != 0 && wire_[cell] == 0 && (plane_[cell] & (PadCentre | PadArea)) == 0 &&
                           (keptLands == nullptr || (*keptLands)[cell] == 0) &&
                           (rules == nullptr || rules->siteAllowed(cell, net_, plane_))
                       ? 0
                       : -1;
    for (int d = 0; d <= 8 && cost >= 0; ++d) {
        const int32_t w = plane_[cell + CellStep[d]];
        if ((w & OccupiedMask) == 0 || (w & NetMask) == net_)
            continue;
        const bool movable =
            ripCost_ != 0 && (w & (PadCentre | PadArea)) == 0 && (w & NetMask) != 0 && !keep[w & NetMask];
        cost = movable ? cost + ripCost_ : -1;
    }
    siteKnown_.set(cell);
    siteCost_[cell] = cost;
    return cost;
}

bool JumperSearch::reachable() {
    return ends_.meet(floodMark_, states_.open(), flood_, backFlood_, work_,
                      [this](int from, int to, int move) { return stepAllowed(from, to, move); });
}

void JumperSearch::relax(int32_t from, int32_t to, int64_t g, int cell, int used) {
    if (states_.improves(from, to, g))
        states_.push(to, key(g, cell, used));
}

void JumperSearch::jumpFrom(int32_t state, int cell, int used, int64_t g) {
    const int tried = cell * (MaxJumpersPerPath + 1) + used;
    if (jumpTried_.has(tried))
        return;
    jumpTried_.set(tried);
    const int32_t here = siteCost(cell);
    if (here < 0)
        return;
    forEachJumperEnd(cell, [&](int next, int32_t length) {
        if (ends_.isSource(next) || !wireClear(cell, next))
            return false;
        const int32_t there = siteCost(next);
        if (there < 0)
            return false;
        const int32_t to = next * States + (used + 1) * Arrivals + Jumped;
        relax(state, to, g + jumperCost_ + int64_t{StraightCost} * length + here + there, next, used + 1);
        return false;
    });
}

bool JumperSearch::run() {
    path_.clear();
    if (ends_.targets().empty())
        return false;
    for (int32_t cell : ends_.sources())
        states_.start(cell * States, key(0, cell, 0));
    const int32_t reached =
        states_.run(ends_, States, work_, [this](int32_t state, int64_t g) { expand(state, g); });
    if (reached < 0)
        return false;
    cost_ = states_.g(reached);
    // A jumper step is straight, so it crosses no diagonal. Two jumpers of the path too close
    // together are found out below.
    const bool traced = states_.trace(reached, States, path_, [](int32_t s) {
        const int arrival = s % Arrivals;
        return static_cast<uint8_t>(arrival == 0 ? 0 : (arrival == Jumped ? JumperStep : opposite(arrival)));
    });
    if (!traced)
        return false;
    if (!jumpersApart(path_)) {
        path_.clear();
        return false;
    }
    return true;
}

void JumperSearch::expand(int32_t state, int64_t g) {
    const int cell = state / States;
    const int used = (state % States) / Arrivals;
    const int arrival = state % Arrivals;
    // A cell entered over a jumper is a pad: the path may leave it in any direction.
    const MoveSet& moves = MovesAfter[arrival == Jumped ? 0 : arrival];
    for (int i = 0; i < moves.count; ++i) {
        const int m = moves.move[i];
        const int next = cell + CellStep[m];
        // A path never runs back into the group it starts from.
        if (ends_.isSource(next))
            continue;
        const int32_t extra = searchStepExtra(cell, next, m);
        if (extra < 0)
            continue;
        const int32_t turn = arrival == Jumped ? 0 : turnCost_[moves.turn[i]];
        const int32_t base = ((m & 1) ? StraightCost : DiagonalCost) + turn + extra;
        relax(state, next * States + used * Arrivals + m, g + base, next, used);
    }
    // Two jumpers never share an end, so a jumper never starts where one ended.
    if (used < maxJumpers_ && arrival != Jumped)
        jumpFrom(state, cell, used, g);
}

bool JumperSearch::jumpersApart(const std::vector<PathCell>& path) const {
    int ends[2 * MaxJumpersPerPath];
    int count = 0;
    for (size_t i = 0; i + 1 < path.size() && count < 2 * MaxJumpersPerPath; ++i) {
        if (path[i].dir == JumperStep) {
            ends[count++] = path[i].cell;
            ends[count++] = path[i + 1].cell;
        }
    }
    if (count <= 2)
        return true;
    auto apart = [this](int a, int b) {
        const int dc = a / GridRows - b / GridRows;
        const int dr = a % GridRows - b % GridRows;
        return std::max(dc < 0 ? -dc : dc, dr < 0 ? -dr : dr) >= endsApartCells;
    };
    for (int i = 0; i < count; i += 2) {
        for (int j = i + 2; j < count; j += 2) {
            for (int a : {ends[i], ends[i + 1]})
                for (int b : {ends[j], ends[j + 1]})
                    if (!apart(a, b))
                        return false;
            // Neither wire may pass over the other's ends or cross it: the cells strictly between
            // the ends of each, walked one at a time (a path has few jumpers).
            auto crosses = [](int a1, int a2, int b1, int b2) {
                const int step = a1 / GridRows == a2 / GridRows ? 1 : GridRows;
                const int bStep = b1 / GridRows == b2 / GridRows ? 1 : GridRows;
                for (int x = std::min(a1, a2); x <= std::max(a1, a2); x += step)
                    for (int y = std::min(b1, b2); y <= std::max(b1, b2); y += bStep)
                        if (x == y)
                            return true;
                return false;
            };
            if (crosses(ends[i], ends[i + 1], ends[j], ends[j + 1]))
                return false;
        }
    }
    return true;
}

bool JumperSearch::stillAllowed(const std::vector<PathCell>& path) {
    for (size_t i = 0; i + 1 < path.size(); ++i) {
        const PathCell& p = path[i];
        const int towards = path[i + 1].cell;
        if (p.dir == JumperStep) {
            if (!wireClear(p.cell, towards) || !padSite(p.cell) || !padSite(towards))
                return false;
        } else if (p.dir != 0 && !stepAllowed(towards, p.cell, opposite(p.dir))) {
            return false;
        }
    }
    return true;
}

} // namespace zelta
