// Taking away the dead ends of a net's tracks, one cell at a time from each loose end.
#include "router/negotiated/DeadEnds.h"

#include <bit>

namespace zelta {

DeadEnds::DeadEnds(const NegotiatedBoard& board) : board_(board) {
    leaves_.reserve(PlaneCells);
    keptCells_.reserve(PlaneCells);
}

void DeadEnds::prune(Tracks& tracks, int netIdx) {
    const NetTracks& t = tracks.nets[netIdx];
    if (t.cells.empty())
        return;
    const int net = board_.nets[netIdx].net;
    touched_.next();
    removed_.next();
    // The steps at each cell, as a mask of directions.
    auto touch = [this](int cell) {
        if (!touched_.has(cell)) {
            touched_.set(cell);
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
        if (removed_.has(cell))
            continue;
        removed_.set(cell);
        any = true;
        const uint8_t mask = steps_[cell];
        steps_[cell] = 0;
        for (int d = 1; d <= 8; ++d) {
            if ((mask & (1u << (d - 1))) == 0)
                continue;
            const int next = cell + CellStep[d];
            steps_[next] &= static_cast<uint8_t>(~(1u << (opposite(d) - 1)));
            if (std::popcount(steps_[next]) <= 1 && !terminal(next) && !removed_.has(next))
                leaves_.push_back(next);
        }
    }
    if (!any)
        return;

    // What is left of each branch, as runs of cells still joined by its steps.
    keptCells_.clear();
    keptBranches_.clear();
    for (const Branch& b : t.branches) {
        const PathCell* p = t.cells.data() + b.first;
        int runStart = -1;
        for (int i = 0; i < b.length; ++i) {
            const bool kept = !removed_.has(p[i].cell);
            if (kept && runStart < 0)
                runStart = static_cast<int>(keptCells_.size());
            if (kept)
                keptCells_.push_back(p[i]);
            const bool stepKept = kept && p[i].dir != 0 && i + 1 < b.length && !removed_.has(p[i + 1].cell);
            if (runStart >= 0 && !stepKept) {
                keptCells_.back().dir = 0;
                const int length = static_cast<int>(keptCells_.size()) - runStart;
                if (length >= 2)
                    keptBranches_.push_back({runStart, length});
                else
                    keptCells_.pop_back();
                runStart = -1;
            }
        }
    }
    tracks.removeNet(netIdx);
    for (const Branch& b : keptBranches_)
        tracks.addBranch(netIdx, keptCells_.data() + b.first, b.length);
}

} // namespace zelta
