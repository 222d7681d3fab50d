// Joining the pads of one net: the groups its tracks already form, and searches that grow the
// largest group towards the nearest other one. Also the score of a routing state.
#include "router/NegotiatedWorker.h"

#include "router/Negotiated_policies.h"

namespace zelta {

void NegotiatedWorker::loadGroups(const Tracks& tracks, int netIdx) {
    sets_.clear();
    const NegotiatedBoard::Net& n = board_.nets[netIdx];
    for (int i = 0; i < n.padCount; ++i)
        sets_.add(board_.pads[board_.padOf(n, i)].cell);
    for (const auto& [a, b] : board_.joinedPads) {
        if (sets_.has(a) && sets_.has(b))
            sets_.unite(a, b);
    }
    const NetTracks& t = tracks.nets[netIdx];
    for (const Branch& b : t.branches) {
        const PathCell* p = t.cells.data() + b.first;
        for (int i = 0; i < b.length; ++i) {
            sets_.add(p[i].cell);
            if (p[i].dir != 0 && i + 1 < b.length) {
                sets_.add(p[i + 1].cell);
                sets_.unite(p[i].cell, p[i + 1].cell);
            }
        }
    }
}

void NegotiatedWorker::markOwnDiagonals(const PathCell* p, int length) {
    for (int i = 0; i < length; ++i)
        if (p[i].dir != 0 && isDiagonal(p[i].dir))
            ownDiagonal_[diagonalSlot(p[i].cell, p[i].dir)] = ownStamp_;
}

void NegotiatedWorker::beginNet(const Tracks& tracks, int netIdx) {
    const NegotiatedBoard::Net& n = board_.nets[netIdx];
    loadGroups(tracks, netIdx);
    if (++ownStamp_ == 0) {
        std::fill(ownDiagonal_.begin(), ownDiagonal_.end(), 0u);
        ownStamp_ = 1;
    }
    const NetTracks& t = tracks.nets[netIdx];
    markOwnDiagonals(t.cells.data(), static_cast<int>(t.cells.size()));
    for (int i = 0; i < n.padCount; ++i)
        padTried_[board_.padOf(n, i)] = 0;
}

int NegotiatedWorker::countGroups(int netIdx) {
    const NegotiatedBoard::Net& n = board_.nets[netIdx];
    groupPads_.assign(n.padCount, 0);
    groupUntried_.assign(n.padCount, 0);
    if (++groupStamp_ == 0) {
        std::fill(groupMark_.begin(), groupMark_.end(), 0u);
        groupStamp_ = 1;
    }
    // Each group is counted at its first pad, found through the root's mark.
    int groups = 0;
    for (int i = 0; i < n.padCount; ++i) {
        const int pad = board_.padOf(n, i);
        const int root = sets_.find(board_.pads[pad].cell);
        if (groupMark_[root] != groupStamp_) {
            groupMark_[root] = groupStamp_;
            groupFirst_[root] = i;
            ++groups;
        }
        const int first = groupFirst_[root];
        ++groupPads_[first];
        groupUntried_[first] |= padTried_[pad] == 0;
    }
    return groups;
}

int NegotiatedWorker::mainGroup(int netIdx, bool untriedOnly) {
    const NegotiatedBoard::Net& n = board_.nets[netIdx];
    int mainRoot = -1;
    int mainPads = 0;
    for (int j = 0; j < n.padCount; ++j) {
        if (groupPads_[j] > mainPads && (!untriedOnly || groupUntried_[j])) {
            mainRoot = sets_.find(board_.pads[board_.padOf(n, j)].cell);
            mainPads = groupPads_[j];
        }
    }
    return mainRoot;
}

void NegotiatedWorker::loadSearch(const Tracks& tracks, int netIdx, int mainRoot) {
    const NegotiatedBoard::Net& n = board_.nets[netIdx];
    // The roots countGroups marked are those of the groups with a pad.
    search_.begin();
    auto place = [&](int cell) {
        const int root = sets_.find(cell);
        if (root == mainRoot)
            search_.addSource(cell);
        else if (groupMark_[root] == groupStamp_)
            search_.addTarget(cell);
    };
    for (int i = 0; i < n.padCount; ++i)
        place(board_.pads[board_.padOf(n, i)].cell);
    for (const PathCell& p : tracks.nets[netIdx].cells)
        place(p.cell);
}

void NegotiatedWorker::joinPath(Tracks& tracks, int netIdx, const std::vector<PathCell>& path) {
    tracks.addBranch(netIdx, path);
    markOwnDiagonals(path.data(), static_cast<int>(path.size()));
    for (size_t i = 0; i < path.size(); ++i) {
        sets_.add(path[i].cell);
        if (i > 0)
            sets_.unite(path[i - 1].cell, path[i].cell);
    }
}

void NegotiatedWorker::connectNet(Tracks& tracks, int netIdx, Mode mode, bool useHistory) {
    const NegotiatedBoard::Net& n = board_.nets[netIdx];
    beginNet(tracks, netIdx);
    const StrictPolicy strict{tracks, n.net, useHistory ? &history_ : nullptr};
    const NegotiatedPolicy negotiated{tracks,       n.net,     history_, squareHistory_,
                                      ownDiagonal_, ownStamp_, present_};
    // The main group is the largest that still has a pad not yet tried as a start, ties to the
    // group of the earlier pad; it grows towards the nearest other group while one is in reach.
    while (countGroups(netIdx) > 1 && alive()) {
        const int mainRoot = mainGroup(netIdx, true);
        if (mainRoot < 0)
            return;
        loadSearch(tracks, netIdx, mainRoot);
        const bool found =
            mode == Mode::Strict ? search_.reachable(strict) && search_.run(strict) : search_.run(negotiated);
        if (found) {
            joinPath(tracks, netIdx, search_.path());
            continue;
        }
        for (int i = 0; i < n.padCount; ++i)
            if (sets_.find(board_.pads[board_.padOf(n, i)].cell) == mainRoot)
                padTried_[board_.padOf(n, i)] = 1;
    }
}

LapScore NegotiatedWorker::scoreOf(const Tracks& tracks) {
    LapScore s;
    for (size_t k = 0; k < board_.nets.size(); ++k) {
        const int netIdx = static_cast<int>(k);
        loadGroups(tracks, netIdx);
        const int groups = countGroups(netIdx);
        int largest = 0;
        for (int32_t pads : groupPads_)
            largest = std::max(largest, pads);
        s.unconnectedPads += board_.nets[k].padCount - largest;
        s.missingConnections += groups - 1;
    }
    s.length = tracks.length();
    return s;
}

} // namespace zelta
