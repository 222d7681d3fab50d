// Rip-up in the jumper pass: a net still in pieces is joined through other nets' tracks where that
// is cheapest, the tracks in its way are taken up with the dead ends they leave, and every net is
// joined again by copper and jumpers. A change stays only when the board ends better. The same
// undo serves the last step, which takes jumpers away where copper can do without them.
#include "router/jumpers/JumperPass.h"

#include <algorithm>
#include <bit>
#include <cstdlib>

namespace zelta {

bool JumperPass::better(int32_t missing, size_t jumpers, int64_t length, int32_t thanMissing,
                        size_t thanJumpers, int64_t thanLength) {
    if (missing != thanMissing)
        return missing < thanMissing;
    if (jumpers != thanJumpers)
        return jumpers < thanJumpers;
    return length < thanLength;
}

bool JumperPass::joinByRipUp(int32_t maxJumpers, const std::function<bool()>& keepGoing) {
    for (size_t k = 0; k < board_->nets.size() && missing_ > 0; ++k) {
        if (countGroups(static_cast<int>(k)) > 1)
            bestRipUp(static_cast<int>(k), maxJumpers, keepGoing,
                      static_cast<int32_t>(jumpers_.size()) >= maxJumpers);
        if (!keepGoing())
            return false;
    }
    return true;
}

bool JumperPass::bestRipUp(int netIdx, int32_t maxJumpers, const std::function<bool()>& keepGoing,
                           bool copperOnly) {
    RipLevel& top = ripLevels_[0];
    bool have = false;
    int32_t bestMissing = 0;
    size_t bestJumpers = 0;
    int64_t bestLength = 0;
    using Variant = JumperTuning::RipVariant;
    const Variant* first =
        copperOnly ? std::begin(JumperTuning::CopperVariants) : std::begin(JumperTuning::RipVariants);
    const Variant* last =
        copperOnly ? std::end(JumperTuning::CopperVariants) : std::end(JumperTuning::RipVariants);
    for (const Variant* it = first; it != last; ++it) {
        const Variant& v = *it;
        ripCost_ = v.ripCost;
        ripJumpers_ = v.jumpers;
        if (!tryRipUp(netIdx, maxJumpers, keepGoing, 0))
            continue;
        const int64_t length = trackLength();
        if (!have || better(missing_, jumpers_.size(), length, bestMissing, bestJumpers, bestLength)) {
            have = true;
            bestMissing = missing_;
            bestJumpers = jumpers_.size();
            bestLength = length;
            std::copy(plane_, plane_ + PlaneCells, bestPlane_.begin());
            bestList_ = jumpers_;
        }
        // Back to the board before this try, for the next.
        std::copy(top.plane.begin(), top.plane.end(), plane_);
        jumpers_ = top.jumpers;
        restoreStates(top);
        regroup();
    }
    if (!have)
        return false;
    std::copy(bestPlane_.begin(), bestPlane_.end(), plane_);
    jumpers_ = bestList_;
    forgetJoins(false);
    regroup();
    return true;
}

bool JumperPass::tryRipUp(int netIdx, int32_t maxJumpers, const std::function<bool()>& keepGoing, int depth) {
    const int32_t left = maxJumpers - static_cast<int32_t>(jumpers_.size());
    const int net = board_->nets[netIdx].net;
    // The nets being joined by the rip-ups in progress are not moved aside by those they moved.
    search_.keep[net] = 1;
    const bool found = search(netIdx, Mode::RipUp, std::min<int32_t>(left, ripJumpers_), 0);
    if (!found) {
        search_.keep[net] = 0;
        return false;
    }
    RipLevel& level = ripLevels_[depth];
    const int32_t missingBefore = missing_;
    const size_t jumpersBefore = jumpers_.size();
    const int64_t lengthBefore = trackLength();
    std::copy(plane_, plane_ + PlaneCells, level.plane.begin());
    level.jumpers = jumpers_;
    saveStates(level);
    level.victims.clear();
    // The path's own copy: the search's path is overwritten by the searches that follow.
    level.path.assign(search_.path().begin(), search_.path().end());

    // The other nets' tracks on the path and on its jumpers' pads, and their diagonals that the
    // path's diagonals cross.
    auto clear = [&](int cell) {
        const int32_t w = plane_[cell];
        if ((w & OccupiedMask) != 0 && (w & NetMask) != net)
            cutTrack(cell, depth);
    };
    for (size_t i = 0; i < level.path.size(); ++i) {
        const PathCell& p = level.path[i];
        clear(p.cell);
        if (p.dir != JumperStep)
            continue;
        for (int end : {p.cell, level.path[i + 1].cell})
            for (int d = 1; d <= 8; ++d)
                clear(end + CellStep[d]);
    }
    for (const PathCell& p : level.path) {
        if (p.dir == 0 || p.dir == JumperStep || !isDiagonal(p.dir))
            continue;
        // The square between the cell and the next one towards the source; its other diagonal
        // runs between the other two corners.
        const int first = p.cell + CellStep[p.dir - 1];
        const int second = p.cell + CellStep[p.dir % 8 + 1];
        const int across = (p.dir + 1) % 8 + 1;
        if ((plane_[first] & Directions[across].bit) != 0 && (plane_[first] & NetMask) != net)
            cutStep(first, across, depth);
        if ((plane_[second] & Directions[opposite(across)].bit) != 0 && (plane_[second] & NetMask) != net)
            cutStep(second, opposite(across), depth);
    }
    apply(netIdx, level.path);
    // What was known to have no join keeps that knowledge, but for the nets moved aside and the
    // net joined: the ground freed elsewhere is little, and searching every net again after every
    // try would cost more than it finds.
    for (int v : level.victims)
        joins_[v].state = Join::State::Unknown;
    joins_[netIdx].state = Join::State::Unknown;
    regroup();
    joinByCopper();
    const bool finished = joinByJumpers(maxJumpers, keepGoing);
    for (size_t i = 0; finished && depth + 1 < RipDepth && i < level.victims.size(); ++i)
        if (countGroups(level.victims[i]) > 1)
            tryRipUp(level.victims[i], maxJumpers, keepGoing, depth + 1);
    search_.keep[net] = 0;

    if (finished &&
        better(missing_, jumpers_.size(), trackLength(), missingBefore, jumpersBefore, lengthBefore))
        return true;
    std::copy(level.plane.begin(), level.plane.end(), plane_);
    jumpers_ = level.jumpers;
    restoreStates(level);
    regroup();
    return false;
}

void JumperPass::shedJumpers(const std::function<bool()>& keepGoing) {
    RipLevel& level = ripLevels_[0];
    for (size_t i = jumpers_.size(); i-- > 0;) {
        const Jumper j = jumpers_[i];
        const int k = board_->netIndex[j.net];
        const int32_t missingBefore = missing_;
        std::copy(plane_, plane_ + PlaneCells, level.plane.begin());
        level.jumpers = jumpers_;
        jumpers_.erase(jumpers_.begin() + static_cast<std::ptrdiff_t>(i));
        // Its pads go, where no pad of the drawing or of another jumper covers the cell, and then
        // the copper that led only to them.
        pruneStack_.clear();
        for (int end : {GestScheda::index(j.col1, j.row1), GestScheda::index(j.col2, j.row2)}) {
            for (int d = 0; d <= 8; ++d) {
                const int cell = end + CellStep[d];
                if (!padCovered(cell)) {
                    plane_[cell] &= ~(PadCentre | PadArea);
                    if ((plane_[cell] & ~NetMask) == 0)
                        plane_[cell] = 0;
                }
                pruneStack_.push_back(cell);
            }
        }
        prune();
        regroup();
        joinNetByCopper(k);
        if (missing_ > missingBefore) {
            // Copper may still join it by moving other tracks, if they are joined again without
            // a jumper.
            ripCost_ = JumperTuning::ShedRipCost;
            ripJumpers_ = 0;
            tryRipUp(k, static_cast<int32_t>(jumpers_.size()), keepGoing, RipDepth - 1);
        }
        if (missing_ <= missingBefore)
            continue;
        std::copy(level.plane.begin(), level.plane.end(), plane_);
        jumpers_ = level.jumpers;
        forgetJoins(true);
        regroup();
    }
}

bool JumperPass::padCovered(int cell) const {
    if ((base_[cell] & OccupiedMask) != 0)
        return true;
    const int c = cell / GridRows;
    const int r = cell % GridRows;
    for (const JumperList* list : {&existing_, &jumpers_})
        for (const Jumper& o : *list)
            for (auto [ec, er] : {std::pair{o.col1, o.row1}, std::pair{o.col2, o.row2}})
                if (std::abs(ec - c) <= 1 && std::abs(er - r) <= 1)
                    return true;
    return false;
}

void JumperPass::saveStates(RipLevel& level) {
    level.states.resize(board_->nets.size());
    level.stateJumpers.resize(board_->nets.size());
    for (size_t k = 0; k < board_->nets.size(); ++k) {
        level.states[k] = joins_[k].state;
        level.stateJumpers[k] = joins_[k].maxJumpers;
    }
}

void JumperPass::restoreStates(const RipLevel& level) {
    for (size_t k = 0; k < board_->nets.size(); ++k) {
        joins_[k].state = level.states[k] == Join::State::None ? Join::State::None : Join::State::Unknown;
        joins_[k].maxJumpers = level.stateJumpers[k];
    }
}

void JumperPass::noteVictim(int32_t net, int depth) {
    const int k = board_->netIndex[net];
    if (k >= 0)
        ripLevels_[depth].noteVictim(k);
}

void JumperPass::cutTrack(int cell, int depth) {
    const int32_t w = plane_[cell];
    const int32_t net = w & NetMask;
    pruneStack_.clear();
    detachSteps(cell, w, net);
    // The rip-up search never runs over pads or pad areas, so the cell held only the track.
    plane_[cell] = 0;
    prune();
    noteVictim(net, depth);
}

void JumperPass::cutStep(int cell, int dir, int depth) {
    const int32_t net = plane_[cell] & NetMask;
    plane_[cell] &= ~Directions[dir].bit;
    pruneStack_.clear();
    pruneStack_.push_back(cell);
    pruneStack_.push_back(cell + CellStep[dir]);
    prune();
    noteVictim(net, depth);
}

void JumperPass::detachSteps(int cell, int32_t w, int32_t net) {
    for (int d = 1; d <= 8; ++d) {
        const int next = cell + CellStep[d];
        int32_t& v = plane_[next];
        if ((w & Directions[d].bit) != 0)
            pruneStack_.push_back(next);
        if ((v & NetMask) == net && (v & Directions[opposite(d)].bit) != 0) {
            v &= ~Directions[opposite(d)].bit;
            pruneStack_.push_back(next);
        }
    }
}

void JumperPass::prune() {
    // A track cell with one step or none, and no pad centre, leads nowhere: it goes, and its
    // neighbours are looked at in turn. A step is recorded on one of its two cells, so a cell's
    // steps are its own and those of its neighbours towards it.
    while (!pruneStack_.empty()) {
        const int x = pruneStack_.back();
        pruneStack_.pop_back();
        const int32_t w = plane_[x];
        const int32_t net = w & NetMask;
        if (net == 0 || (w & PadCentre) != 0)
            continue;
        int steps = std::popcount(static_cast<uint32_t>(w & DirBitsMask));
        for (int d = 1; d <= 8 && steps < 2; ++d) {
            const int32_t v = plane_[x + CellStep[d]];
            steps += (v & NetMask) == net && (v & Directions[opposite(d)].bit) != 0;
        }
        if (steps >= 2)
            continue;
        detachSteps(x, w, net);
        plane_[x] = (w & PadArea) != 0 ? (net | PadArea) : 0;
    }
}

} // namespace zelta
