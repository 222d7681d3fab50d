// An ordered list of grid cells, each with one integer value, walked with a built-in cursor.
// The router takes the first entry that qualifies, so the order (kept by a stable sort) is
// what turns values into priorities.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <unordered_map>
#include <vector>

namespace zelta {

// Work-list value of a pad with no priority of its own: the reader appends pads with it.
inline constexpr int32_t NeutralPriority = 1000000;

struct coord {
    int32_t col;
    int32_t row;
    int32_t value;
};

// The list keeps, beside its entries, the entries of each cell and the smallest value of each
// stretch of entries, so that a drawing with a great many pads costs no more per operation than
// the entries of one cell (and a logarithm) instead of a walk of the whole list.
class ListaCoord {
public:
    void clear();
    void append(int32_t col, int32_t row, int32_t value);

    // first/next copy the entry under the cursor into out. At the end, and on an empty list,
    // they set out's col and row to 0 (value untouched) and return false.
    bool first(coord& out);
    bool next(coord& out);
    // Where a walk from first would stop at the first entry whose value is at most limit: the
    // cursor goes there and the entry is copied into out. When there is none, out's col and row
    // are set to 0 and the result is false.
    bool firstAtMost(int32_t limit, coord& out);
    // The entry nearest the front with the same cell; out is untouched when there is none.
    bool find(coord& inOut) const;
    // Every entry of the cell gets the value; safe during a first/next walk.
    void setValue(int32_t col, int32_t row, int32_t value);
    // The same as a walk from first to the end that gives every entry's cell, with setValue,
    // newValue of the value it reads: the entries of a cell met k times all end with newValue
    // applied k times to the value of its first entry. Linear in the entries.
    void rewriteValues(const std::function<int32_t(int32_t)>& newValue);
    // Drops every entry of the cells given (their value aside); the others keep their order. Not
    // during a first/next walk.
    void removeCells(const std::vector<coord>& cells);
    // Ascending by value; entries of equal value keep their order.
    void sortByValue();

    size_t size() const { return entries_.size(); }
    bool empty() const { return entries_.empty(); }
    const std::vector<coord>& entries() const { return entries_; }

private:
    static constexpr uint32_t None = UINT32_MAX;
    struct CellChain {
        uint32_t first;
        uint32_t last;
    };
    static uint64_t cellKey(int32_t col, int32_t row) {
        return (uint64_t{static_cast<uint32_t>(col)} << 32) | static_cast<uint32_t>(row);
    }
    void rebuildIndex();
    void rebuildMinima();
    void storeValue(uint32_t at, int32_t value);

    std::vector<coord> entries_;
    size_t cursor_ = 0;
    // The entries of one cell, front to back: the first and last by cell, the next by entry.
    std::unordered_map<uint64_t, CellChain> cells_;
    std::vector<uint32_t> nextOfCell_;
    // The smallest value below each node of a complete binary tree over the entries (leaves from
    // leafBase_ on, padded with the largest value); made again, when next needed, after the
    // entries or their order changed in bulk.
    std::vector<int32_t> minima_;
    size_t leafBase_ = 0;
    bool minimaValid_ = false;
};

} // namespace zelta
