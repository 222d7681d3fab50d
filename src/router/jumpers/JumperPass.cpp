// The jumper pass: the groups of each net on the lap's plane, the joins by copper and by jumper,
// and the marking of a join into the plane.
#include "router/jumpers/JumperPass.h"

#include "core/Units.h"
#include "router/grid/SpacingClasses.h"

#include <algorithm>
#include <bit>
#include <cmath>

namespace zelta {

JumperPass::JumperPass() {
    joins_.resize(NetSlots);
}

void JumperPass::beginRun(const BoardModel& model, const JumperList& existing,
                          const std::vector<int32_t>& lengths, const JumperList& kept) {
    cols_ = model.cols;
    rows_ = model.rows;
    existing_ = existing;
    kept_ = kept;
    base_ = model.basePlane;
    board_ = &model.nets;
    search_.setBoard(cols_, rows_, lengths, JumperTuning::JumperCost);

    const ModelLayer& layer = model.layer();
    search_.keptSteps = layer.hasKept ? &layer.keptSteps : nullptr;
    search_.keptLands = layer.hasKept ? &layer.keptLands : nullptr;
    search_.rules = nullptr;
    search_.spacing = nullptr;
    if (!model.hasRules())
        return;
    lands_.build(*model.copper, model.rules, model.widthOfNet, layer.stepsOfNet);
    search_.rules = &lands_;
    search_.endsApartCells = (2 * CoarsePitch + model.lattice.pitch - 1) / model.lattice.pitch;
    spacing_.setup(layer);
    search_.spacing = spacing_.on() ? &spacing_ : nullptr;
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
    groups_.read(plane_, cols_, rows_, *board_, {&existing_, &kept_, &jumpers_});
    search_.clearWires();
    for (const JumperList* list : {&existing_, &jumpers_})
        for (const Jumper& j : *list)
            search_.addWire(GestScheda::index(j.col1, j.row1), GestScheda::index(j.col2, j.row2));
    search_.refreshWires(plane_);
    if (search_.rules != nullptr) {
        lands_.clearLands();
        lands_.addLands(jumpers_);
    }

    missing_ = 0;
    for (size_t k = 0; k < board_->nets.size(); ++k)
        missing_ += countGroups(static_cast<int>(k)) - 1;
}

void JumperPass::forgetJoins(bool keepNone) {
    for (size_t k = 0; k < board_->nets.size(); ++k)
        if (!keepNone || joins_[k].state != Join::State::None)
            joins_[k].state = Join::State::Unknown;
}

int JumperPass::countGroups(int netIdx) {
    const BoardNets::Net& n = board_->nets[netIdx];
    return padGroups_.count(groups_.sets, n.padCount, [&](int i) { return board_->padCell(n, i); });
}

int JumperPass::mainGroup() const {
    return padGroups_.largest([this](const PadGroups::Group& g) { return !tried_.has(g.root); });
}

void JumperPass::loadSearch(int netIdx, int sourceRoot, int maxJumpers, int minJumpers, int32_t ripCost) {
    search_.begin(plane_, board_->nets[netIdx].net, maxJumpers, minJumpers, ripCost);
    for (int32_t cell : groups_.cells[netIdx]) {
        const int root = groups_.sets.find(cell);
        if (root == sourceRoot)
            search_.addSource(cell);
        else if (padGroups_.holdsPad(root))
            search_.addTarget(cell);
    }
}

bool JumperPass::search(int netIdx, Mode mode, int maxJumpers, int minJumpers) {
    tried_.next();
    // From the largest group first; a group that reaches no other is left out of the next tries.
    // Reaching is symmetric, so the last group need not be tried.
    const int groups = countGroups(netIdx);
    for (int tries = 0; tries + 1 < groups; ++tries) {
        const int source = mainGroup();
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
        tried_.set(source);
    }
    return false;
}

void JumperPass::joinNetByCopper(int netIdx) {
    while (countGroups(netIdx) > 1 && search(netIdx, Mode::Copper, 0, 0))
        apply(netIdx, search_.path());
}

void JumperPass::joinByCopper() {
    for (size_t k = 0; k < board_->nets.size(); ++k)
        joinNetByCopper(static_cast<int>(k));
}

bool JumperPass::joinByJumpers(int32_t maxJumpers, const std::function<bool()>& keepGoing) {
    while (missing_ > 0 && static_cast<int32_t>(jumpers_.size()) < maxJumpers) {
        if (!keepGoing())
            return false;
        const int budget = std::min<int32_t>(maxJumpers - static_cast<int32_t>(jumpers_.size()),
                                             JumperSearch::MaxJumpersPerPath);
        int best = -1;
        for (size_t k = 0; k < board_->nets.size(); ++k) {
            const int netIdx = static_cast<int>(k);
            if (countGroups(netIdx) <= 1)
                continue;
            Join& join = joins_[k];
            if (join.state == Join::State::Found) {
                search_.begin(plane_, board_->nets[k].net, 0);
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
    const int net = board_->nets[netIdx].net;
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
        groups_.add(netIdx, p.cell);
        if (i > 0)
            groups_.sets.unite(path[i - 1].cell, p.cell);
    }
    if (laid)
        search_.refreshWires(plane_);
    --missing_;
}

void JumperPass::layJumper(int net, int from, int to) {
    jumpers_.push_back({net, from / GridRows, from % GridRows, to / GridRows, to % GridRows});
    for (int end : {from, to}) {
        markJumperPad(plane_, end, net);
        if (search_.rules != nullptr)
            lands_.addLand(end, net);
    }
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
