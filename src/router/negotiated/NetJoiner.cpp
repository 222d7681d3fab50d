// Joining the pads of one net: the groups its tracks already form, and searches that grow the
// largest group towards the nearest other one. Also the score of a routing state.
#include "router/negotiated/NetJoiner.h"

#include "router/negotiated/StepPolicies.h"

#include <algorithm>

namespace zelta {

NetJoiner::NetJoiner(const NegotiatedBoard& board, TurnCosts turns, const Congestion& congestion,
                     LapGuard& guard)
    : board_(board), congestion_(congestion), guard_(guard), search_(turns) {}

void NetJoiner::beginRun() {
    search_.resetWork();
    ownSpacing_.reset();
    reseed();
}

void NetJoiner::reseed() {
    padTried_.assign(board_.pads.size(), 0);
}

void NetJoiner::loadGroups(const Tracks& tracks, int netIdx) {
    sets_.clear();
    const NegotiatedBoard::Net& n = board_.nets[netIdx];
    for (int i = 0; i < n.padCount; ++i)
        sets_.add(board_.padCell(n, i));
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

void NetJoiner::markOwnDiagonals(const PathCell* p, int length) {
    for (int i = 0; i < length; ++i)
        if (p[i].dir != 0 && isDiagonal(p[i].dir))
            ownDiagonal_.set(diagonalSlot(p[i].cell, p[i].dir));
}

void NetJoiner::beginNet(const Tracks& tracks, int netIdx) {
    const NegotiatedBoard::Net& n = board_.nets[netIdx];
    loadGroups(tracks, netIdx);
    ownDiagonal_.next();
    const NetTracks& t = tracks.nets[netIdx];
    markOwnDiagonals(t.cells.data(), static_cast<int>(t.cells.size()));
    if (tracks.spacing() != nullptr) {
        ownSpacing_.begin(*tracks.spacing(), board_.widthClass[n.net]);
        ownSpacing_.add(t.cells.data(), static_cast<int>(t.cells.size()));
    }
    for (int i = 0; i < n.padCount; ++i)
        padTried_[board_.padOf(n, i)] = 0;
}

int NetJoiner::countGroups(int netIdx) {
    const NegotiatedBoard::Net& n = board_.nets[netIdx];
    return groups_.count(
        sets_, n.padCount, [&](int i) { return board_.padCell(n, i); },
        [&](int i) { return padTried_[board_.padOf(n, i)] == 0; });
}

int NetJoiner::mainGroup(bool untriedOnly) const {
    return groups_.largest([untriedOnly](const PadGroups::Group& g) { return !untriedOnly || g.untried; });
}

void NetJoiner::loadSearch(const Tracks& tracks, int netIdx, int mainRoot) {
    const NegotiatedBoard::Net& n = board_.nets[netIdx];
    // The roots countGroups marked are those of the groups with a pad.
    search_.begin();
    auto place = [&](int cell) {
        const int root = sets_.find(cell);
        if (root == mainRoot)
            search_.addSource(cell);
        else if (groups_.holdsPad(root))
            search_.addTarget(cell);
    };
    for (int i = 0; i < n.padCount; ++i)
        place(board_.padCell(n, i));
    for (const PathCell& p : tracks.nets[netIdx].cells)
        place(p.cell);
}

void NetJoiner::joinPath(Tracks& tracks, int netIdx, const std::vector<PathCell>& path) {
    tracks.addBranch(netIdx, path);
    markOwnDiagonals(path.data(), static_cast<int>(path.size()));
    if (tracks.spacing() != nullptr)
        ownSpacing_.add(path.data(), static_cast<int>(path.size()));
    for (size_t i = 0; i < path.size(); ++i) {
        sets_.add(path[i].cell);
        if (i > 0)
            sets_.unite(path[i - 1].cell, path[i].cell);
    }
}

void NetJoiner::connectNet(Tracks& tracks, int netIdx, Mode mode, bool useHistory) {
    const NegotiatedBoard::Net& n = board_.nets[netIdx];
    beginNet(tracks, netIdx);
    const StrictPolicy strict{tracks, n.net, useHistory ? &congestion_.history : nullptr,
                              spacingView(tracks)};
    const NegotiatedPolicy negotiated{tracks,
                                      n.net,
                                      congestion_.history,
                                      congestion_.squareHistory,
                                      ownDiagonal_,
                                      congestion_.present,
                                      spacingView(tracks)};
    // The main group is the largest that still has a pad not yet tried as a start, ties to the
    // group of the earlier pad; it grows towards the nearest other group while one is in reach.
    while (countGroups(netIdx) > 1 && guard_.alive()) {
        const int mainRoot = mainGroup(true);
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
            if (sets_.find(board_.padCell(n, i)) == mainRoot)
                padTried_[board_.padOf(n, i)] = 1;
    }
}

LapScore NetJoiner::scoreOf(const Tracks& tracks) {
    LapScore s;
    for (size_t k = 0; k < board_.nets.size(); ++k) {
        const int netIdx = static_cast<int>(k);
        loadGroups(tracks, netIdx);
        const int groups = countGroups(netIdx);
        s.unconnectedPads += board_.nets[k].padCount - groups_.mostPads();
        s.missingConnections += groups - 1;
    }
    s.length = tracks.length();
    return s;
}

} // namespace zelta
