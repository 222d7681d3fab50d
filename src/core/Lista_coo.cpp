// Cell list operations: linear searches from the front and a stable sort.
#include "core/Lista_coo.h"

#include <algorithm>

namespace zelta {

void ListaCoord::clear() {
    entries_.clear();
    cursor_ = 0;
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

bool ListaCoord::find(coord& inOut) const {
    for (const coord& e : entries_) {
        if (e.col == inOut.col && e.row == inOut.row) {
            inOut = e;
            return true;
        }
    }
    return false;
}

void ListaCoord::setValue(int32_t col, int32_t row, int32_t value) {
    for (coord& e : entries_) {
        if (e.col == col && e.row == row)
            e.value = value;
    }
}

void ListaCoord::removeCell(int32_t col, int32_t row) {
    std::erase_if(entries_, [&](const coord& e) { return e.col == col && e.row == row; });
    cursor_ = 0;
}

void ListaCoord::sortByValue() {
    std::stable_sort(entries_.begin(), entries_.end(),
                     [](const coord& a, const coord& b) { return a.value < b.value; });
}

} // namespace zelta
