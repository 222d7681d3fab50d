// Rip-up and retry on a legal result: a net left in pieces is joined through other nets' tracks
// where that is cheapest, the branches in its way are taken up and those nets joined again
// strictly. The change stays only when the whole board scores better.
#include "router/NegotiatedWorker.h"

#include "router/Negotiated_policies.h"

#include <algorithm>

namespace zelta {

namespace {
// Price of passing over one cell of another net's track, or across one of its diagonals, in the
// rip-up search (step-cost units): a detour of up to this much is preferred to moving a track.
constexpr int32_t RipCost = 150;
// Rounds over the nets at most.
constexpr int RepairRounds = 3;
} // namespace

bool NegotiatedWorker::tryRipUp(Tracks& tracks, int netIdx, LapScore& current, int depth) {
    RipLevel& level = ripLevels_[depth];
    const NegotiatedBoard::Net& n = board_.nets[netIdx];
    beginNet(tracks, netIdx);
    if (countGroups(netIdx) <= 1)
        return false;
    const int mainRoot = mainGroup(netIdx, false);
    loadSearch(tracks, netIdx, mainRoot);
    const RipUpPolicy policy{tracks, n.net, ownDiagonal_, ownStamp_, RipCost};
    if (!search_.run(policy))
        return false;
    level.path = search_.path();

    // The cells and diagonals of the path, and the nets it runs over or across.
    if (++ripStamp_ == 0) {
        std::fill(ripCell_.begin(), ripCell_.end(), 0u);
        std::fill(ripDiagonal_.begin(), ripDiagonal_.end(), 0u);
        ripStamp_ = 1;
    }
    for (const PathCell& p : level.path) {
        ripCell_[p.cell] = ripStamp_;
        if (p.dir != 0 && isDiagonal(p.dir))
            ripDiagonal_[diagonalSlot(p.cell, p.dir)] = ripStamp_;
    }
    auto inTheWay = [this](const PathCell& p) {
        if (ripCell_[p.cell] == ripStamp_)
            return true;
        return p.dir != 0 && isDiagonal(p.dir) &&
               ripDiagonal_[crossingSlot(diagonalSlot(p.cell, p.dir))] == ripStamp_;
    };
    level.victims.clear();
    for (size_t k = 0; k < tracks.nets.size(); ++k) {
        if (static_cast<int>(k) == netIdx)
            continue;
        for (const PathCell& p : tracks.nets[k].cells) {
            if (inTheWay(p)) {
                level.victims.push_back(static_cast<int32_t>(k));
                break;
            }
        }
    }

    level.savedNets.clear();
    saveNet(tracks, netIdx, depth);
    for (int32_t v : level.victims)
        saveNet(tracks, v, depth);
    // Each victim loses the branches in the way and the dead ends they leave.
    for (int32_t v : level.victims) {
        const NetTracks& t = tracks.nets[v];
        pruneCells_.clear();
        pruneBranches_.clear();
        for (const Branch& b : t.branches) {
            bool clash = false;
            for (int i = 0; i < b.length && !clash; ++i)
                clash = inTheWay(t.cells[b.first + i]);
            if (clash)
                continue;
            pruneBranches_.push_back({static_cast<int32_t>(pruneCells_.size()), b.length});
            pruneCells_.insert(pruneCells_.end(), t.cells.begin() + b.first,
                               t.cells.begin() + b.first + b.length);
        }
        keptCells_.swap(pruneCells_);
        keptBranches_.swap(pruneBranches_);
        tracks.removeNet(v);
        for (const Branch& b : keptBranches_)
            tracks.addBranch(v, keptCells_.data() + b.first, b.length);
        pruneNet(tracks, v);
    }
    tracks.addBranch(netIdx, level.path);
    connectNet(tracks, netIdx, Mode::Strict, true);
    for (int32_t v : level.victims) {
        connectNet(tracks, v, Mode::Strict, true);
        pruneNet(tracks, v);
    }
    // A victim that could not be joined again strictly may itself push others aside.
    if (depth + 1 < static_cast<int>(ripLevels_.size())) {
        LapScore moved = scoreOf(tracks);
        for (int32_t v : level.victims)
            tryRipUp(tracks, v, moved, depth + 1);
    }
    // The victims' old branches may have left room for a net that was in pieces before.
    if (depth == 0) {
        for (size_t k = 0; k < tracks.nets.size(); ++k) {
            loadGroups(tracks, static_cast<int>(k));
            if (countGroups(static_cast<int>(k)) <= 1)
                continue;
            saveNet(tracks, static_cast<int>(k), depth);
            connectNet(tracks, static_cast<int>(k), Mode::Strict, true);
        }
    }
    if (abandoned_)
        return false;
    const LapScore after = scoreOf(tracks);
    if (after.betterThan(current)) {
        current = after;
        return true;
    }
    restoreSaved(tracks, level);
    return false;
}

void NegotiatedWorker::saveNet(const Tracks& tracks, int netIdx, int depth) {
    for (int d = 0; d <= depth; ++d) {
        RipLevel& level = ripLevels_[d];
        if (std::find(level.savedNets.begin(), level.savedNets.end(), netIdx) != level.savedNets.end())
            continue;
        level.savedNets.push_back(netIdx);
        if (level.saved.size() < level.savedNets.size())
            level.saved.emplace_back();
        NetTracks& copy = level.saved[level.savedNets.size() - 1];
        copy.cells.assign(tracks.nets[netIdx].cells.begin(), tracks.nets[netIdx].cells.end());
        copy.branches.assign(tracks.nets[netIdx].branches.begin(), tracks.nets[netIdx].branches.end());
    }
}

void NegotiatedWorker::restoreSaved(Tracks& tracks, RipLevel& level) {
    for (size_t i = 0; i < level.savedNets.size(); ++i) {
        const int netIdx = level.savedNets[i];
        const NetTracks& copy = level.saved[i];
        tracks.removeNet(netIdx);
        for (const Branch& b : copy.branches)
            tracks.addBranch(netIdx, copy.cells.data() + b.first, b.length);
    }
}

void NegotiatedWorker::repair(Tracks& tracks) {
    LapScore current = scoreOf(tracks);
    // The nets in turn, round and round: it ends when every net has been tried once since the
    // last change that was kept (a try on an unchanged board would fail again), or after a fixed
    // number of rounds.
    const int nets = static_cast<int>(board_.nets.size());
    int sinceChange = 0;
    for (int i = 0; i < RepairRounds * nets && sinceChange < nets && alive(); ++i) {
        if (tryRipUp(tracks, i % nets, current, 0))
            sinceChange = 0;
        else
            ++sinceChange;
    }
}

} // namespace zelta
