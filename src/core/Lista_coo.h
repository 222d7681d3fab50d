// An ordered list of grid cells, each with one integer value, walked with a built-in cursor.
// The router takes the first entry that qualifies, so the order (kept by a stable sort) is
// what turns values into priorities.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace zelta {

// Work-list value of a pad with no priority of its own: the reader appends pads with it.
inline constexpr int32_t NeutralPriority = 1000000;

struct coord {
    int32_t col;
    int32_t row;
    int32_t value;
};

class ListaCoord {
public:
    void clear();
    void append(int32_t col, int32_t row, int32_t value) { entries_.push_back({col, row, value}); }

    // first/next copy the entry under the cursor into out. At the end, and on an empty list,
    // they set out's col and row to 0 (value untouched) and return false.
    bool first(coord& out);
    bool next(coord& out);
    // The entry nearest the front with the same cell; out is untouched when there is none.
    bool find(coord& inOut) const;
    // Every entry of the cell gets the value; safe during a first/next walk.
    void setValue(int32_t col, int32_t row, int32_t value);
    // Drops every entry of the cell; the others keep their order. Not during a first/next walk.
    void removeCell(int32_t col, int32_t row);
    // Ascending by value; entries of equal value keep their order.
    void sortByValue();

    size_t size() const { return entries_.size(); }
    bool empty() const { return entries_.empty(); }
    const std::vector<coord>& entries() const { return entries_; }

private:
    std::vector<coord> entries_;
    size_t cursor_ = 0;
};

} // namespace zelta
