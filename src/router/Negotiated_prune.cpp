// Taking away the dead ends of a net's tracks: track cells that lead to no pad of the net. They
// are left behind when a branch they hung from is dropped, and only take room from other nets.
#include "router/NegotiatedWorker.h"

#include <bit>

namespace zelta {

void NegotiatedWorker::pruneNet(Tracks& tracks, int netIdx) {
    const NetTracks& t = tracks.nets[netIdx];
    if (t.cells.empty())
        return;
    const int net = board_.nets[netIdx].net;
    if (++pruneStamp_ == 0) {
        std::fill(pruneMark_.begin(), pruneMark_.end(), 0u);
        pruneStamp_ = 1;
    }
    // The steps at each cell, as a mask of directions.
    auto touch = [this](int cell) {
        if (pruneMark_[cell] != pruneStamp_) {
            pruneMark_[cell] = pruneStamp_;
            steps_[cell] = 0;
        }
    };
    for (const Branch& b : t.branches) {
        const PathCell* p = t.cells.data() + b.first;
        for (int i = 0; i < b.length; ++i) {
            touch(p[i].cell);
            if (p[i].dir != 0 && i + 1 < b.length) {
                touch(p[i + 1].cell);
                steps_[p[i].cell] |= static_cast<uint8_t>(1u << (p[i].dir - 1));
                steps_[p[i + 1].cell] |= static_cast<uint8_t>(1u << (opposite(p[i].dir) - 1));
            }
        }
    }
    auto terminal = [&](int cell) {
        const int pad = board_.padAt[cell];
        return pad >= 0 && board_.pads[pad].net == net;
    };
    // Dead ends go one cell at a time until every end left is a pad. A removed cell keeps its mark
    // with no steps and is told apart by removed_.
    leaves_.clear();
    for (const PathCell& p : t.cells)
        if (std::popcount(steps_[p.cell]) <= 1 && !terminal(p.cell))
            leaves_.push_back(p.cell);
    bool any = false;
    while (!leaves_.empty()) {
        const int cell = leaves_.back();
        leaves_.pop_back();
        if (removed_[cell] == pruneStamp_)
            continue;
        removed_[cell] = pruneStamp_;
        any = true;
        const uint8_t mask = steps_[cell];
        steps_[cell] = 0;
        for (int d = 1; d <= 8; ++d) {
            if ((mask & (1u << (d - 1))) == 0)
                continue;
            const int next = cell + CellStep[d];
            steps_[next] &= static_cast<uint8_t>(~(1u << (opposite(d) - 1)));
            if (std::popcount(steps_[next]) <= 1 && !terminal(next) && removed_[next] != pruneStamp_)
                leaves_.push_back(next);
        }
    }
    if (!any)
        return;

    // What is left of each branch, as runs of cells still joined by its steps.
    pruneCells_.clear();
    pruneBranches_.clear();
    for (const Branch& b : t.branches) {
        const PathCell* p = t.cells.data() + b.first;
        int runStart = -1;
        for (int i = 0; i < b.length; ++i) {
            const bool kept = removed_[p[i].cell] != pruneStamp_;
            if (kept && runStart < 0)
                runStart = static_cast<int>(pruneCells_.size());
            if (kept)
                pruneCells_.push_back(p[i]);
            const bool stepKept =
                kept && p[i].dir != 0 && i + 1 < b.length && removed_[p[i + 1].cell] != pruneStamp_;
            if (runStart >= 0 && !stepKept) {
                pruneCells_.back().dir = 0;
                const int length = static_cast<int>(pruneCells_.size()) - runStart;
                if (length >= 2)
                    pruneBranches_.push_back({runStart, length});
                else
                    pruneCells_.pop_back();
                runStart = -1;
            }
        }
    }
    tracks.removeNet(netIdx);
    for (const Branch& b : pruneBranches_)
        tracks.addBranch(netIdx, pruneCells_.data() + b.first, b.length);
}

} // namespace zelta
