// Rip-up and retry on a legal result: a net left in pieces is joined through other nets' tracks
// where that is cheapest, the branches in its way are taken up and those nets joined again
// strictly. The change stays only when the whole board scores better.
#include "router/negotiated/RipUp.h"

#include "router/negotiated/NegotiatedTuning.h"
#include "router/negotiated/StepPolicies.h"

#include <algorithm>

namespace zelta {

RipUp::RipUp(const NegotiatedBoard& board, NetJoiner& joiner, DeadEnds& deadEnds, LapGuard& guard)
    : board_(board), joiner_(joiner), deadEnds_(deadEnds), guard_(guard), levels_(NegotiatedTuning::RipDepth),
      pathCells_(PlaneCells), pathDiagonals_(SquareSlots) {}

bool RipUp::tryRipUp(Tracks& tracks, int netIdx, LapScore& current, int depth) {
    Level& level = levels_[depth];
    const NegotiatedBoard::Net& n = board_.nets[netIdx];
    joiner_.beginNet(tracks, netIdx);
    if (joiner_.countGroups(netIdx) <= 1)
        return false;
    const int mainRoot = joiner_.mainGroup(false);
    joiner_.loadSearch(tracks, netIdx, mainRoot);
    const RipUpPolicy policy{tracks, n.net, joiner_.ownDiagonals(), NegotiatedTuning::RipCost,
                             joiner_.spacingView(tracks)};
    if (!joiner_.search().run(policy))
        return false;
    level.path = joiner_.search().path();

    // The cells and diagonals of the path, and the nets it runs over or across.
    pathCells_.next();
    pathDiagonals_.next();
    for (const PathCell& p : level.path) {
        pathCells_.set(p.cell);
        if (p.dir != 0 && isDiagonal(p.dir))
            pathDiagonals_.set(diagonalSlot(p.cell, p.dir));
    }
    const TrackSpacing* spacing = tracks.spacing();
    if (spacing != nullptr)
        markNearPath(*spacing, level.path, board_.widthClass[n.net]);
    // A track of class cls in the way: on the path, across one of its diagonals, or too close.
    auto inTheWay = [this, spacing](const PathCell& p, int cls) {
        if (spacing != nullptr) {
            bool near = false;
            forEachHalfPoint(*spacing, p, [&](int32_t h) { near = near || pathNear_[cls].has(h); });
            return near;
        }
        if (pathCells_.has(p.cell))
            return true;
        return p.dir != 0 && isDiagonal(p.dir) &&
               pathDiagonals_.has(crossingSlot(diagonalSlot(p.cell, p.dir)));
    };
    auto classOf = [this](size_t k) { return board_.widthClass[board_.nets[k].net]; };
    level.victims.clear();
    for (size_t k = 0; k < tracks.nets.size(); ++k) {
        if (static_cast<int>(k) == netIdx)
            continue;
        const int cls = classOf(k);
        if (std::any_of(tracks.nets[k].cells.begin(), tracks.nets[k].cells.end(),
                        [&](const PathCell& p) { return inTheWay(p, cls); }))
            level.noteVictim(static_cast<int32_t>(k));
    }

    level.savedNets.clear();
    saveNet(tracks, netIdx, depth);
    for (int32_t v : level.victims)
        saveNet(tracks, v, depth);
    // Each victim loses the branches in the way and the dead ends they leave.
    for (int32_t v : level.victims) {
        const NetTracks& t = tracks.nets[v];
        keptCells_.clear();
        keptBranches_.clear();
        const int cls = classOf(static_cast<size_t>(v));
        for (const Branch& b : t.branches) {
            bool clash = false;
            for (int i = 0; i < b.length && !clash; ++i)
                clash = inTheWay(t.cells[b.first + i], cls);
            if (clash)
                continue;
            keptBranches_.push_back({static_cast<int32_t>(keptCells_.size()), b.length});
            keptCells_.insert(keptCells_.end(), t.cells.begin() + b.first,
                              t.cells.begin() + b.first + b.length);
        }
        tracks.removeNet(v);
        for (const Branch& b : keptBranches_)
            tracks.addBranch(v, keptCells_.data() + b.first, b.length);
        deadEnds_.prune(tracks, v);
    }
    tracks.addBranch(netIdx, level.path);
    joiner_.connectNet(tracks, netIdx, NetJoiner::Mode::Strict, true);
    for (int32_t v : level.victims) {
        joiner_.connectNet(tracks, v, NetJoiner::Mode::Strict, true);
        deadEnds_.prune(tracks, v);
    }
    // A victim that could not be joined again strictly may itself push others aside.
    if (depth + 1 < static_cast<int>(levels_.size())) {
        LapScore moved = joiner_.scoreOf(tracks);
        for (int32_t v : level.victims)
            tryRipUp(tracks, v, moved, depth + 1);
    }
    // The victims' old branches may have left room for a net that was in pieces before.
    if (depth == 0) {
        for (size_t k = 0; k < tracks.nets.size(); ++k) {
            joiner_.loadGroups(tracks, static_cast<int>(k));
            if (joiner_.countGroups(static_cast<int>(k)) <= 1)
                continue;
            saveNet(tracks, static_cast<int>(k), depth);
            joiner_.connectNet(tracks, static_cast<int>(k), NetJoiner::Mode::Strict, true);
        }
    }
    if (guard_.abandoned())
        return false;
    const LapScore after = joiner_.scoreOf(tracks);
    if (after.betterThan(current)) {
        current = after;
        return true;
    }
    restoreSaved(tracks, level);
    return false;
}

void RipUp::markNearPath(const TrackSpacing& spacing, const std::vector<PathCell>& path, int cls) {
    if (static_cast<int>(pathNear_.size()) != spacing.classes() || pathNearPoints_ != spacing.halfPoints()) {
        pathNear_.assign(spacing.classes(), CellStamps(spacing.halfPoints()));
        pathNearPoints_ = spacing.halfPoints();
    }
    for (int b = 0; b < spacing.classes(); ++b) {
        CellStamps& near = pathNear_[b];
        near.next();
        for (const PathCell& p : path)
            forEachHalfPoint(spacing, p, [&](int32_t h) {
                for (int32_t o : spacing.stencil(cls, b))
                    near.set(h + o);
            });
    }
}

void RipUp::saveNet(const Tracks& tracks, int netIdx, int depth) {
    for (int d = 0; d <= depth; ++d) {
        Level& level = levels_[d];
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

void RipUp::restoreSaved(Tracks& tracks, Level& level) {
    for (size_t i = 0; i < level.savedNets.size(); ++i) {
        const int netIdx = level.savedNets[i];
        const NetTracks& copy = level.saved[i];
        tracks.removeNet(netIdx);
        for (const Branch& b : copy.branches)
            tracks.addBranch(netIdx, copy.cells.data() + b.first, b.length);
    }
}

void RipUp::repair(Tracks& tracks) {
    LapScore current = joiner_.scoreOf(tracks);
    // The nets in turn, round and round: it ends when every net has been tried once since the
    // last change that was kept (a try on an unchanged board would fail again), or after a fixed
    // number of rounds.
    const int nets = static_cast<int>(board_.nets.size());
    int sinceChange = 0;
    for (int i = 0; i < NegotiatedTuning::RepairRounds * nets && sinceChange < nets && guard_.alive(); ++i) {
        if (tryRipUp(tracks, i % nets, current, 0))
            sinceChange = 0;
        else
            ++sinceChange;
    }
}

} // namespace zelta
