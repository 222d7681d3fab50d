// Heap-ordered open list, per-cell closed marks and the incremental target ranking.
#include "router/classic/SearchLists.h"

#include "router/classic/Aprizelta.h"

#include <algorithm>

namespace zelta {

namespace {
constexpr uint32_t ReorderedBase = 0xF0000000u;

uint64_t makeKey(int32_t f, uint32_t order) {
    return (uint64_t(uint32_t(f)) << 32) | order;
}
} // namespace

void OpenList::clear() {
    heap_.clear();
    live_.next();
    nextOrder_ = UINT32_MAX;
}

void OpenList::push(int idx, int32_t f) {
    uint64_t key = makeKey(f, nextOrder_--);
    liveKey_[idx] = key;
    live_.set(idx);
    heap_.push_back({key, idx});
    std::push_heap(heap_.begin(), heap_.end(), after);
}

void OpenList::insert(const nodo& node) {
    const int idx = GestScheda::index(node.col, node.row);
    if (live_.has(idx) && int32_t(liveKey_[idx] >> 32) <= node.f)
        return;
    g_[idx] = node.g;
    dir_[idx] = node.dir;
    push(idx, node.f);
}

bool OpenList::pop(nodo& out) {
    while (!heap_.empty()) {
        std::pop_heap(heap_.begin(), heap_.end(), after);
        Entry top = heap_.back();
        heap_.pop_back();
        if (!isLive(top))
            continue;
        live_.unset(top.idx);
        out.g = g_[top.idx];
        out.f = int32_t(top.key >> 32);
        out.col = top.idx / GridRows;
        out.row = top.idx % GridRows;
        out.dir = dir_[top.idx];
        return true;
    }
    return false;
}

void OpenList::retarget(int32_t targetCol, int32_t targetRow) {
    scratch_.clear();
    for (const Entry& e : heap_)
        if (isLive(e))
            scratch_.push_back(e);
    std::sort(scratch_.begin(), scratch_.end(), [](const Entry& a, const Entry& b) { return a.key < b.key; });
    for (Entry& e : scratch_) {
        int32_t f =
            g_[e.idx] + ApriZelta::estimateCost(targetCol, targetRow, e.idx / GridRows, e.idx % GridRows);
        e.key = uint64_t(uint32_t(f)) << 32;
    }
    std::stable_sort(scratch_.begin(), scratch_.end(),
                     [](const Entry& a, const Entry& b) { return (a.key >> 32) < (b.key >> 32); });
    uint32_t order = ReorderedBase;
    for (Entry& e : scratch_) {
        e.key |= order++;
        liveKey_[e.idx] = e.key;
    }
    nextOrder_ = ReorderedBase - 1;
    heap_.swap(scratch_);
    std::make_heap(heap_.begin(), heap_.end(), after);
}

void TargetList::clear() {
    cells_.clear();
    references_.clear();
    member_.next();
}

void TargetList::append(int32_t col, int32_t row) {
    cells_.push_back({col, row});
    member_.set(GestScheda::index(col, row));
}

bool TargetList::rankedBefore(size_t a, size_t b) const {
    // Equal at the latest reference: the earlier rankings decide, newest first, then scan order.
    for (size_t j = references_.size() - 1; j-- > 0;) {
        const Cell& ref = references_[j];
        int32_t da = ApriZelta::estimateCost(cells_[a].col, cells_[a].row, ref.col, ref.row);
        int32_t db = ApriZelta::estimateCost(cells_[b].col, cells_[b].row, ref.col, ref.row);
        if (da != db)
            return da < db;
    }
    return a < b;
}

void TargetList::choose(int32_t refCol, int32_t refRow, int32_t& col, int32_t& row) {
    references_.push_back({refCol, refRow});
    ties_.clear();
    int32_t best = INT32_MAX;
    for (size_t i = 0; i < cells_.size(); ++i) {
        int32_t d = ApriZelta::estimateCost(cells_[i].col, cells_[i].row, refCol, refRow);
        if (d < best) {
            best = d;
            ties_.clear();
        }
        if (d == best)
            ties_.push_back(i);
    }
    size_t head = ties_.front();
    for (size_t i = 1; i < ties_.size(); ++i)
        if (rankedBefore(ties_[i], head))
            head = ties_[i];
    col = cells_[head].col;
    row = cells_[head].row;
}

} // namespace zelta
