// Cell list operations: the walk with its cursor, the stable sort, and the index of each cell's
// entries and of the smallest values that keeps searches and value changes short.
#include "core/Lista_coo.h"

#include <algorithm>
#include <climits>
#include <unordered_set>

namespace zelta {

void ListaCoord::clear() {
    entries_.clear();
    cursor_ = 0;
    cells_.clear();
    nextOfCell_.clear();
    minimaValid_ = false;
}

void ListaCoord::append(int32_t col, int32_t row, int32_t value) {
    const auto at = static_cast<uint32_t>(entries_.size());
    entries_.push_back({col, row, value});
    nextOfCell_.push_back(None);
    auto [chain, added] = cells_.try_emplace(cellKey(col, row), CellChain{at, at});
    if (!added) {
        nextOfCell_[chain->second.last] = at;
        chain->second.last = at;
    }
    minimaValid_ = false;
}

bool ListaCoord::first(coord& out) {
    if (entries_.empty()) {
        out.col = 0;
        out.row = 0;
        return false;
    }
    cursor_ = 0;
    out = entries_[0];
    return true;
}

bool ListaCoord::next(coord& out) {
    if (entries_.empty() || cursor_ + 1 >= entries_.size()) {
        cursor_ = entries_.size();
        out.col = 0;
        out.row = 0;
        return false;
    }
    ++cursor_;
    out = entries_[cursor_];
    return true;
}

bool ListaCoord::firstAtMost(int32_t limit, coord& out) {
    if (!minimaValid_)
        rebuildMinima();
    if (entries_.empty() || minima_[1] > limit) {
        cursor_ = entries_.size();
        out.col = 0;
        out.row = 0;
        return false;
    }
    // Down from the root, always into the leftmost child that holds a small enough value.
    size_t node = 1;
    while (node < leafBase_)
        node = minima_[2 * node] <= limit ? 2 * node : 2 * node + 1;
    cursor_ = node - leafBase_;
    out = entries_[cursor_];
    return true;
}

bool ListaCoord::find(coord& inOut) const {
    const auto chain = cells_.find(cellKey(inOut.col, inOut.row));
    if (chain == cells_.end())
        return false;
    inOut = entries_[chain->second.first];
    return true;
}

void ListaCoord::setValue(int32_t col, int32_t row, int32_t value) {
    const auto chain = cells_.find(cellKey(col, row));
    if (chain == cells_.end())
        return;
    for (uint32_t at = chain->second.first; at != None; at = nextOfCell_[at])
        storeValue(at, value);
}

void ListaCoord::rewriteValues(const std::function<int32_t(int32_t)>& newValue) {
    // Each cell apart: a visit of one entry changes only the entries of its own cell, and reads
    // what the visits of that cell's earlier entries left.
    for (const auto& [key, chain] : cells_) {
        int32_t value = entries_[chain.first].value;
        for (uint32_t at = chain.first; at != None; at = nextOfCell_[at])
            value = newValue(value);
        for (uint32_t at = chain.first; at != None; at = nextOfCell_[at])
            entries_[at].value = value;
    }
    minimaValid_ = false;
}

void ListaCoord::removeCells(const std::vector<coord>& cells) {
    std::unordered_set<uint64_t> dropped;
    for (const coord& c : cells)
        if (cells_.count(cellKey(c.col, c.row)) != 0)
            dropped.insert(cellKey(c.col, c.row));
    cursor_ = 0;
    if (dropped.empty())
        return;
    std::erase_if(entries_, [&](const coord& e) { return dropped.count(cellKey(e.col, e.row)) != 0; });
    rebuildIndex();
}

void ListaCoord::sortByValue() {
    std::stable_sort(entries_.begin(), entries_.end(),
                     [](const coord& a, const coord& b) { return a.value < b.value; });
    rebuildIndex();
}

void ListaCoord::rebuildIndex() {
    const std::vector<coord> entries = std::move(entries_);
    clear();
    entries_.reserve(entries.size());
    nextOfCell_.reserve(entries.size());
    for (const coord& e : entries)
        append(e.col, e.row, e.value);
}

void ListaCoord::rebuildMinima() {
    leafBase_ = 1;
    while (leafBase_ < entries_.size())
        leafBase_ *= 2;
    minima_.assign(2 * leafBase_, INT32_MAX);
    for (size_t i = 0; i < entries_.size(); ++i)
        minima_[leafBase_ + i] = entries_[i].value;
    for (size_t node = leafBase_ - 1; node >= 1; --node)
        minima_[node] = std::min(minima_[2 * node], minima_[2 * node + 1]);
    minimaValid_ = true;
}

void ListaCoord::storeValue(uint32_t at, int32_t value) {
    entries_[at].value = value;
    if (!minimaValid_)
        return;
    size_t node = leafBase_ + at;
    minima_[node] = value;
    for (node /= 2; node >= 1; node /= 2)
        minima_[node] = std::min(minima_[2 * node], minima_[2 * node + 1]);
}

} // namespace zelta
