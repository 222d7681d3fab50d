// The jumper pass: the groups of each net on the lap's plane, the joins by copper and by jumper,
// and the marking of a join into the plane.
#include "router/Jumper_pass.h"

#include <algorithm>
#include <bit>

namespace zelta {

JumperPass::JumperPass() {
    netCells_.resize(256);
    joins_.resize(256);
}

void JumperPass::beginRun(const int32_t* base, const ListaCoord& workList, const JumperList& existing,
                          int32_t cols, int32_t rows, const std::vector<int32_t>& lengths) {
    cols_ = cols;
    rows_ = rows;
    existing_ = existing;
    base_ = base;
    search_.setBoard(cols, rows, lengths, JumperCost);

    // The work list may name a cell twice, or a centre that a later pad's area covered: only a pad
    // centre of a net is a pad to join, once.
    std::vector<int32_t> cells;
    std::array<int32_t, 256> count{}, minC{}, maxC{}, minR{}, maxR{};
    minC.fill(GridCols);
    minR.fill(GridRows);
    maxC.fill(-1);
    maxR.fill(-1);
    for (const coord& e : workList.entries()) {
        if (e.col < 1 || e.col >= cols || e.row < 1 || e.row >= rows)
            continue;
        const int idx = GestScheda::index(e.col, e.row);
        const int32_t w = base[idx];
        if ((w & PadCentre) == 0 || (w & NetMask) == 0 ||
            std::find(cells.begin(), cells.end(), idx) != cells.end())
            continue;
        cells.push_back(idx);
        const int net = w & NetMask;
        ++count[net];
        minC[net] = std::min(minC[net], e.col);
        maxC[net] = std::max(maxC[net], e.col);
        minR[net] = std::min(minR[net], e.row);
        maxR[net] = std::max(maxR[net], e.row);
    }
    // A short net has the fewest ways round an obstacle, so it is joined first.
    std::vector<int32_t> order;
    for (int n = 1; n < 256; ++n)
        if (count[n] >= 2)
            order.push_back(n);
    auto span = [&](int n) { return (maxC[n] - minC[n]) + (maxR[n] - minR[n]); };
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return span(a) < span(b); });

    pads_.clear();
    nets_.clear();
    netIndex_.fill(-1);
    connections_ = 0;
    for (int32_t n : order) {
        netIndex_[n] = static_cast<int16_t>(nets_.size());
        nets_.push_back({n, static_cast<int32_t>(pads_.size()), count[n]});
        for (int32_t idx : cells)
            if ((base[idx] & NetMask) == n)
                pads_.push_back(idx);
        connections_ += count[n] - 1;
    }
}

void JumperPass::addNode(int netIdx, int cell) {
    if (sets_.has(cell))
        return;
    sets_.add(cell);
    netCells_[netIdx].push_back(cell);
}

void JumperPass::prepare(int32_t* plane, const JumperList& seeded) {
    plane_ = plane;
    jumpers_ = seeded;
    forgetJoins(false);
    regroup();
}

void JumperPass::restore(const std::vector<int32_t>& plane, const JumperList& jumpers) {
    std::copy(plane.begin(), plane.end(), plane_);
    jumpers_ = jumpers;
    forgetJoins(false);
    regroup();
}

void JumperPass::regroup() {
    sets_.clear();
    for (size_t k = 0; k < nets_.size(); ++k)
        netCells_[k].clear();
    // Every cell with a track or a pad centre of a net to join, then the steps between them.
    for (int c = 1; c < cols_; ++c) {
        for (int r = 1; r < rows_; ++r) {
            const int idx = GestScheda::index(c, r);
            const int32_t w = plane_[idx];
            const int k = netIndex_[w & NetMask];
            if (k >= 0 && (w & (TrackMask | PadCentre)) != 0)
                addNode(k, idx);
        }
    }
    // A step may lead to a cell that records no step of its own (a rip-up took its steps away and
    // left the neighbour's step into it): it joins the net here.
    for (size_t k = 0; k < nets_.size(); ++k) {
        for (size_t i = 0; i < netCells_[k].size(); ++i) {
            const int idx = netCells_[k][i];
            const int32_t w = plane_[idx];
            for (int d = 1; d <= 8; ++d) {
                const int next = idx + CellStep[d];
                if ((w & Directions[d].bit) == 0 || (plane_[next] & NetMask) != (w & NetMask))
                    continue;
                addNode(static_cast<int>(k), next);
                sets_.unite(idx, next);
            }
        }
    }
    // Jumpers join their ends: the drawing's (whose second end's centre is pad area to the
    // routers) and those laid on this plane.
    search_.clearWires();
    for (const JumperList* list : {&existing_, &jumpers_}) {
        for (const Jumper& j : *list) {
            const int a = GestScheda::index(j.col1, j.row1);
            const int b = GestScheda::index(j.col2, j.row2);
            search_.addWire(a, b);
            const int k = netIndex_[j.net & NetMask];
            if (k < 0)
                continue;
            addNode(k, a);
            addNode(k, b);
            sets_.unite(a, b);
        }
    }
    search_.refreshWires(plane_);

    missing_ = 0;
    for (size_t k = 0; k < nets_.size(); ++k)
        missing_ += countGroups(static_cast<int>(k)) - 1;
}

void JumperPass::forgetJoins(bool keepNone) {
    for (size_t k = 0; k < nets_.size(); ++k)
        if (!keepNone || joins_[k].state != Join::State::None)
            joins_[k].state = Join::State::Unknown;
}

int JumperPass::countGroups(int netIdx) {
    const Net& n = nets_[netIdx];
    if (++groupStamp_ == 0) {
        std::fill(groupMark_.begin(), groupMark_.end(), 0u);
        groupStamp_ = 1;
    }
    int groups = 0;
    for (int i = 0; i < n.padCount; ++i) {
        const int root = sets_.find(pads_[n.firstPad + i]);
        if (groupMark_[root] != groupStamp_) {
            groupMark_[root] = groupStamp_;
            groupPads_[root] = 0;
            groupFirst_[root] = i;
            ++groups;
        }
        ++groupPads_[root];
    }
    return groups;
}

int JumperPass::mainGroup(int netIdx) const {
    const Net& n = nets_[netIdx];
    int best = -1;
    for (int i = 0; i < n.padCount; ++i) {
        // Each group once, at its first pad.
        const int root = sets_.root(pads_[n.firstPad + i]);
        if (groupFirst_[root] != i || triedMark_[root] == triedStamp_)
            continue;
        if (best < 0 || groupPads_[root] > groupPads_[best])
            best = root;
    }
    return best;
}

void JumperPass::loadSearch(int netIdx, int sourceRoot, int maxJumpers, int minJumpers, int32_t ripCost) {
    search_.begin(plane_, nets_[netIdx].net, maxJumpers, minJumpers, ripCost);
    for (int32_t cell : netCells_[netIdx]) {
        const int root = sets_.find(cell);
        if (root == sourceRoot)
            search_.addSource(cell);
        else if (groupMark_[root] == groupStamp_)
            search_.addTarget(cell);
    }
}

bool JumperPass::search(int netIdx, Mode mode, int maxJumpers, int minJumpers) {
    if (++triedStamp_ == 0) {
        std::fill(triedMark_.begin(), triedMark_.end(), 0u);
        triedStamp_ = 1;
    }
    // From the largest group first; a group that reaches no other is left out of the next tries.
    // Reaching is symmetric, so the last group need not be tried.
    const int groups = countGroups(netIdx);
    for (int tries = 0; tries + 1 < groups; ++tries) {
        const int source = mainGroup(netIdx);
        if (source < 0)
            return false;
        bool found = false;
        switch (mode) {
        case Mode::Copper:
            loadSearch(netIdx, source, 0, 0, 0);
            found = search_.reachable() && search_.run();
            break;
        case Mode::Jumpers:
            loadSearch(netIdx, source, maxJumpers, minJumpers, 0);
            found = search_.jumpersFeasible() && search_.run();
            break;
        case Mode::RipUp:
            loadSearch(netIdx, source, maxJumpers, 0, ripCost_);
            found = search_.run();
            break;
        }
        if (found)
            return true;
        triedMark_[source] = triedStamp_;
    }
    return false;
}

void JumperPass::joinNetByCopper(int netIdx) {
    while (countGroups(netIdx) > 1 && search(netIdx, Mode::Copper, 0, 0))
        apply(netIdx, search_.path());
}

void JumperPass::joinByCopper() {
    for (size_t k = 0; k < nets_.size(); ++k)
        joinNetByCopper(static_cast<int>(k));
}

bool JumperPass::joinByJumpers(int32_t maxJumpers, const std::function<bool()>& keepGoing) {
    while (missing_ > 0 && static_cast<int32_t>(jumpers_.size()) < maxJumpers) {
        if (!keepGoing())
            return false;
        const int budget = std::min<int32_t>(maxJumpers - static_cast<int32_t>(jumpers_.size()),
                                             JumperSearch::MaxJumpersPerPath);
        int best = -1;
        for (size_t k = 0; k < nets_.size(); ++k) {
            const int netIdx = static_cast<int>(k);
            if (countGroups(netIdx) <= 1)
                continue;
            Join& join = joins_[k];
            if (join.state == Join::State::Found) {
                search_.begin(plane_, nets_[k].net, 0);
                if (join.maxJumpers > budget || !search_.stillAllowed(join.path))
                    join.state = Join::State::Unknown;
            }
            // A join that was not there is not there later either, unless more jumpers are allowed.
            if (join.state == Join::State::None && join.maxJumpers >= budget)
                continue;
            if (join.state != Join::State::Found) {
                // As few jumpers as it can be done with: one, else two, and so on; each try may
                // count on the jumpers the tries before found too few.
                join.state = Join::State::None;
                for (int j = 1; j <= budget; ++j) {
                    join.maxJumpers = j;
                    if (search(netIdx, Mode::Jumpers, j, j)) {
                        join.state = Join::State::Found;
                        join.cost = search_.cost();
                        join.path.assign(search_.path().begin(), search_.path().end());
                        break;
                    }
                }
            }
            if (join.state == Join::State::Found && (best < 0 || join.cost < joins_[best].cost))
                best = netIdx;
        }
        if (best < 0)
            break;
        apply(best, joins_[best].path);
        joins_[best].state = Join::State::Unknown;
        // The jumper may have brought other groups of the net within reach of copper.
        joinNetByCopper(best);
    }
    return true;
}

void JumperPass::apply(int netIdx, const std::vector<PathCell>& path) {
    const int net = nets_[netIdx].net;
    bool laid = false;
    for (size_t i = 0; i < path.size(); ++i) {
        const PathCell& p = path[i];
        if (p.dir == JumperStep) {
            // The copper beyond a jumper is searched from its end, as from a source.
            plane_[p.cell] |= net | PathSource;
            layJumper(net, path[i + 1].cell, p.cell);
            laid = true;
        } else if (p.dir == 0) {
            plane_[p.cell] |= PathSource;
        } else {
            plane_[p.cell] |= net | Directions[p.dir].bit;
        }
        addNode(netIdx, p.cell);
        if (i > 0)
            sets_.unite(path[i - 1].cell, p.cell);
    }
    if (laid)
        search_.refreshWires(plane_);
    --missing_;
}

void JumperPass::layJumper(int net, int from, int to) {
    jumpers_.push_back({net, from / GridRows, from % GridRows, to / GridRows, to % GridRows});
    for (int end : {from, to})
        markJumperPad(plane_, end, net);
    search_.addWire(from, to);
}

int64_t JumperPass::trackLength() const {
    constexpr int32_t Straight = DirBit(1) | DirBit(3) | DirBit(5) | DirBit(7);
    constexpr int32_t Diagonal = DirBit(2) | DirBit(4) | DirBit(6) | DirBit(8);
    int64_t total = 0;
    for (int c = 1; c < cols_; ++c) {
        for (int r = 1; r < rows_; ++r) {
            const uint32_t w = static_cast<uint32_t>(plane_[GestScheda::index(c, r)]);
            total += StraightCost * std::popcount(w & Straight) + DiagonalCost * std::popcount(w & Diagonal);
        }
    }
    return total / StraightCost;
}

} // namespace zelta
