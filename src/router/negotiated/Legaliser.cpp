// The legal copy of a negotiated lap: the conflicts between branches, and the branches dropped
// until none is left.
#include "router/negotiated/Legaliser.h"

#include <algorithm>
#include <cassert>

namespace zelta {

void Legaliser::keepConflictFree(const Tracks& from, Tracks& to) {
    std::vector<BranchRef>& branches = branches_;
    std::vector<Incidence>& cells = cellIncidences_;
    std::vector<Incidence>& squares = squareIncidences_;
    std::vector<std::pair<int32_t, int32_t>>& pairs = conflicts_;
    branches.clear();
    cells.clear();
    squares.clear();
    pairs.clear();
    for (size_t k = 0; k < from.nets.size(); ++k) {
        const NetTracks& t = from.nets[k];
        for (size_t b = 0; b < t.branches.size(); ++b) {
            const int32_t id = static_cast<int32_t>(branches.size());
            branches.push_back({static_cast<int32_t>(k), static_cast<int32_t>(b), t.branches[b].length});
            const PathCell* p = t.cells.data() + t.branches[b].first;
            for (int i = 0; i < t.branches[b].length; ++i) {
                if (from.cellUsers[p[i].cell] > 1)
                    cells.push_back({p[i].cell, id});
                if (p[i].dir != 0 && isDiagonal(p[i].dir)) {
                    const int slot = diagonalSlot(p[i].cell, p[i].dir);
                    if (from.diagonalUsers[crossingSlot(slot)] != 0)
                        squares.push_back({slot, id});
                }
            }
        }
    }
    std::sort(cells.begin(), cells.end());
    std::sort(squares.begin(), squares.end());

    // Conflict pairs, each once.
    for (size_t i = 0; i < cells.size();) {
        size_t j = i;
        while (j < cells.size() && cells[j].where == cells[i].where)
            ++j;
        for (size_t a = i; a < j; ++a)
            for (size_t b = a + 1; b < j; ++b)
                if (branches[cells[a].branch].netIdx != branches[cells[b].branch].netIdx)
                    pairs.emplace_back(cells[a].branch, cells[b].branch);
        i = j;
    }
    for (size_t i = 0; i < squares.size();) {
        size_t j = i;
        const int32_t square = squares[i].where >> 1;
        while (j < squares.size() && (squares[j].where >> 1) == square)
            ++j;
        for (size_t a = i; a < j; ++a)
            for (size_t b = a + 1; b < j; ++b)
                if (squares[a].where != squares[b].where)
                    pairs.emplace_back(squares[a].branch, squares[b].branch);
        i = j;
    }
    if (from.spacing() != nullptr)
        addSpacingConflicts(from, *from.spacing());
    for (auto& p : pairs)
        if (p.first > p.second)
            std::swap(p.first, p.second);
    std::sort(pairs.begin(), pairs.end());
    pairs.erase(std::unique(pairs.begin(), pairs.end()), pairs.end());

    const size_t count = branches.size();
    conflictCount_.assign(count, 0);
    dropped_.assign(count, 0);
    for (const auto& [a, b] : pairs) {
        ++conflictCount_[a];
        ++conflictCount_[b];
    }
    // The branch with the most conflicts goes; among equals the longer, then the later.
    for (;;) {
        int32_t worst = -1;
        for (size_t i = 0; i < count; ++i) {
            if (dropped_[i] || conflictCount_[i] == 0)
                continue;
            if (worst < 0 || conflictCount_[i] > conflictCount_[worst] ||
                (conflictCount_[i] == conflictCount_[worst] && branches[i].length >= branches[worst].length))
                worst = static_cast<int32_t>(i);
        }
        if (worst < 0)
            break;
        dropped_[worst] = 1;
        for (const auto& [a, b] : pairs) {
            if (a == worst && !dropped_[b])
                --conflictCount_[b];
            else if (b == worst && !dropped_[a])
                --conflictCount_[a];
        }
        conflictCount_[worst] = 0;
    }

    to.clear();
    for (size_t i = 0; i < count; ++i) {
        if (dropped_[i])
            continue;
        const NetTracks& t = from.nets[branches[i].netIdx];
        const Branch& b = t.branches[branches[i].branch];
        to.addBranch(branches[i].netIdx, t.cells.data() + b.first, b.length);
    }
    assert(to.legal());
}

void Legaliser::addSpacingConflicts(const Tracks& from, const TrackSpacing& spacing) {
    std::vector<HalfEntry>& entries = halfEntries_;
    entries.clear();
    for (size_t id = 0; id < branches_.size(); ++id) {
        const BranchRef& ref = branches_[id];
        const NetTracks& t = from.nets[ref.netIdx];
        const int cls = from.board.widthClass[from.board.nets[ref.netIdx].net];
        const PathCell* p = t.cells.data() + t.branches[ref.branch].first;
        for (int i = 0; i < ref.length; ++i)
            forEachHalfPoint(spacing, p[i], [&](int32_t h) {
                entries.push_back({h, static_cast<int32_t>(id), cls});
            });
    }
    std::sort(entries.begin(), entries.end());
    firstAt_.resize(spacing.halfPoints(), -1);
    for (size_t i = entries.size(); i-- > 0;)
        firstAt_[entries[i].h] = static_cast<int32_t>(i);
    // Each pair is found from both of its branches; the pairs are made unique afterwards.
    for (const HalfEntry& e : entries) {
        const int32_t net = branches_[e.branch].netIdx;
        for (int b = 0; b < spacing.classes(); ++b) {
            for (int32_t o : spacing.stencil(e.cls, b)) {
                const int32_t h = e.h + o;
                for (int32_t j = firstAt_[h];
                     j >= 0 && j < static_cast<int32_t>(entries.size()) && entries[j].h == h; ++j)
                    if (entries[j].cls == b && branches_[entries[j].branch].netIdx != net)
                        conflicts_.emplace_back(e.branch, entries[j].branch);
            }
        }
    }
    for (const HalfEntry& e : entries)
        firstAt_[e.h] = -1;
}

} // namespace zelta
