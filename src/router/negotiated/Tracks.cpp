// Adding and taking away the tracks of a routing state, with the per-cell and per-square counts
// that the step costs and the legality test read.
#include "router/negotiated/Tracks.h"

#include <cstring>

namespace zelta {

Tracks::Tracks(const NegotiatedBoard& b) : board(b), netBits_(PlaneCells) {
    clear();
}

void Tracks::clear() {
    nets.resize(board.nets.size());
    for (NetTracks& n : nets) {
        n.cells.clear();
        n.branches.clear();
    }
    cellUsers.fill(0);
    diagonalUsers.fill(0);
    // The board's spacing has the run's stencils and no tracks.
    if (board.spacingOn)
        spacing_ = *board.spacing;
    std::memset(netBits_.data(), 0, netBits_.size() * sizeof(netBits_[0]));
}

void Tracks::addBranch(int netIdx, const PathCell* path, int length) {
    NetTracks& n = nets[netIdx];
    const int net = board.nets[netIdx].net;
    n.branches.push_back({static_cast<int32_t>(n.cells.size()), length});
    for (int i = 0; i < length; ++i) {
        const PathCell& p = path[i];
        n.cells.push_back(p);
        uint64_t& word = netBits_[p.cell][net >> 6];
        const uint64_t bit = uint64_t{1} << (net & 63);
        if ((word & bit) == 0) {
            word |= bit;
            ++cellUsers[p.cell];
        }
        if (p.dir != 0 && isDiagonal(p.dir))
            ++diagonalUsers[diagonalSlot(p.cell, p.dir)];
        paintSpacing(net, p, +1);
    }
}

void Tracks::paintSpacing(int net, const PathCell& p, int delta) {
    if (!board.spacingOn)
        return;
    const int cls = board.widthClass[net];
    forEachHalfPoint(spacing_, p, [&](int32_t h) {
        if (delta > 0)
            spacing_.add(h, cls);
        else
            spacing_.remove(h, cls);
    });
}

void Tracks::removeNet(int netIdx) {
    NetTracks& n = nets[netIdx];
    const int net = board.nets[netIdx].net;
    for (const PathCell& p : n.cells) {
        uint64_t& word = netBits_[p.cell][net >> 6];
        const uint64_t bit = uint64_t{1} << (net & 63);
        if ((word & bit) != 0) {
            word &= ~bit;
            --cellUsers[p.cell];
        }
        if (p.dir != 0 && isDiagonal(p.dir))
            --diagonalUsers[diagonalSlot(p.cell, p.dir)];
        paintSpacing(net, p, -1);
    }
    n.cells.clear();
    n.branches.clear();
}

bool Tracks::legal() const {
    for (int i = 0; i < PlaneCells; ++i)
        if (cellUsers[i] > 1)
            return false;
    for (int s = 0; s < SquareSlots; s += 2)
        if (diagonalUsers[s] != 0 && diagonalUsers[s + 1] != 0)
            return false;
    if (!board.spacingOn)
        return true;
    OwnTrackSpacing own;
    for (size_t k = 0; k < nets.size(); ++k) {
        own.begin(spacing_, board.widthClass[board.nets[k].net]);
        own.add(nets[k].cells.data(), static_cast<int>(nets[k].cells.size()));
        const SpacingView view{&spacing_, &own};
        for (const PathCell& p : nets[k].cells) {
            bool near = false;
            forEachHalfPoint(spacing_, p, [&](int32_t h) { near = near || view.othersNear(h); });
            if (near)
                return false;
        }
    }
    return true;
}

int64_t Tracks::length() const {
    int64_t total = 0;
    for (const NetTracks& n : nets)
        for (const PathCell& p : n.cells)
            if (p.dir != 0)
                total += isDiagonal(p.dir) ? DiagonalCost : StraightCost;
    return total;
}

} // namespace zelta
