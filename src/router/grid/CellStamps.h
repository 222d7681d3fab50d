// Marks on cells (or on any numbered places) stamped with a search number, so that starting a new
// search clears nothing: a place is marked when its stamp is the current one.
#pragma once

#include "core/Init_obj.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace zelta {

class CellStamps {
public:
    explicit CellStamps(size_t places = PlaneCells) : marks_(places, 0) {}
    // Every mark gone; after four thousand million searches the marks start again from a clean
    // slate.
    void next() {
        if (++current_ == 0) {
            std::fill(marks_.begin(), marks_.end(), 0u);
            current_ = 1;
        }
    }
    bool has(size_t place) const { return marks_[place] == current_; }
    void set(size_t place) { marks_[place] = current_; }
    void unset(size_t place) { marks_[place] = 0; }

private:
    std::vector<uint32_t> marks_;
    uint32_t current_ = 1;
};

} // namespace zelta
