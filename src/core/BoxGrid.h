// The pairs of boxes that overlap, found through a uniform grid of buckets, so that a drawing
// with a million pieces of copper is measured in time that grows with its pieces, not with their
// pairs. Boxes far larger than a bucket are kept apart and met with every other box.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace zelta {

struct Box {
    double x0 = 0;
    double y0 = 0;
    double x1 = 0;
    double y1 = 0;

    bool overlaps(const Box& o) const { return x0 <= o.x1 && o.x0 <= x1 && y0 <= o.y1 && o.y0 <= y1; }
};

class BoxGrid {
public:
    explicit BoxGrid(const std::vector<Box>& boxes);

    // Calls visit(i, j), i < j, once for every two boxes that overlap (edges touching count).
    template <class Visit> void forEachPair(Visit&& visit) const;

    // A box spanning more buckets than this along either side is met with every other box.
    static constexpr int32_t HugeSpan = 16;

private:
    int32_t colOf(double x) const;
    int32_t rowOf(double y) const;

    const std::vector<Box>& boxes_;
    double originX_ = 0;
    double originY_ = 0;
    double cell_ = 1;
    int32_t cols_ = 1;
    int32_t rows_ = 1;
    // The boxes of bucket b are members_[start_[b]] to members_[start_[b + 1] - 1].
    std::vector<uint32_t> start_;
    std::vector<uint32_t> members_;
    std::vector<uint32_t> huge_;
    std::vector<bool> isHuge_;
    // The bucket of each box's lower corner.
    std::vector<int32_t> firstCol_;
    std::vector<int32_t> firstRow_;
};

template <class Visit> void BoxGrid::forEachPair(Visit&& visit) const {
    for (int32_t c = 0; c < cols_; ++c)
        for (int32_t r = 0; r < rows_; ++r) {
            const size_t b = static_cast<size_t>(c) * rows_ + r;
            for (uint32_t m = start_[b]; m < start_[b + 1]; ++m)
                for (uint32_t n = m + 1; n < start_[b + 1]; ++n) {
                    const Box& p = boxes_[members_[m]];
                    const Box& q = boxes_[members_[n]];
                    if (!p.overlaps(q))
                        continue;
                    // Two boxes share every bucket their overlap covers; the pair is met in the
                    // bucket of the overlap's lower corner only.
                    const uint32_t i = members_[m], j = members_[n];
                    if (std::max(firstCol_[i], firstCol_[j]) != c ||
                        std::max(firstRow_[i], firstRow_[j]) != r)
                        continue;
                    i < j ? visit(size_t{i}, size_t{j}) : visit(size_t{j}, size_t{i});
                }
        }
    for (uint32_t h : huge_)
        for (size_t j = 0; j < boxes_.size(); ++j) {
            // Two huge boxes meet once, from the lower index.
            if (j == h || (isHuge_[j] && j < h) || !boxes_[h].overlaps(boxes_[j]))
                continue;
            h < j ? visit(size_t{h}, j) : visit(j, size_t{h});
        }
}

} // namespace zelta
