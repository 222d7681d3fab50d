// Buckets sized by the boxes themselves: about as wide as a typical box and about as many as
// there are boxes, over the region their centres cover (a box reaching past it is clamped to the
// edge buckets, which keeps every overlap inside the grid).
#include "core/BoxGrid.h"

#include <algorithm>
#include <cmath>

namespace zelta {

BoxGrid::BoxGrid(const std::vector<Box>& boxes)
    : boxes_(boxes), isHuge_(boxes.size(), false), firstCol_(boxes.size()), firstRow_(boxes.size()) {
    const size_t n = boxes.size();
    if (n == 0) {
        start_.assign(2, 0);
        return;
    }
    double minX = INFINITY, minY = INFINITY, maxX = -INFINITY, maxY = -INFINITY;
    std::vector<double> extents(n);
    for (size_t i = 0; i < n; ++i) {
        const Box& b = boxes[i];
        const double cx = (b.x0 + b.x1) / 2, cy = (b.y0 + b.y1) / 2;
        minX = std::min(minX, cx);
        maxX = std::max(maxX, cx);
        minY = std::min(minY, cy);
        maxY = std::max(maxY, cy);
        extents[i] = std::max(b.x1 - b.x0, b.y1 - b.y0);
    }
    std::nth_element(extents.begin(), extents.begin() + n / 2, extents.end());
    const double typical = extents[n / 2];
    const double width = maxX - minX, height = maxY - minY;
    cell_ = std::max({typical, std::sqrt(width * height / double(n)), 1e-3});
    // At most a few buckets per box, however the boxes lie.
    const double maxBuckets = 4.0 * double(n) + 64;
    while ((std::floor(width / cell_) + 1) * (std::floor(height / cell_) + 1) > maxBuckets)
        cell_ *= 1.5;
    originX_ = minX;
    originY_ = minY;
    cols_ = static_cast<int32_t>(std::floor(width / cell_)) + 1;
    rows_ = static_cast<int32_t>(std::floor(height / cell_)) + 1;

    const size_t buckets = static_cast<size_t>(cols_) * rows_;
    start_.assign(buckets + 1, 0);
    auto eachBucket = [&](size_t i, auto&& use) {
        const Box& b = boxes[i];
        for (int32_t c = colOf(b.x0); c <= colOf(b.x1); ++c)
            for (int32_t r = rowOf(b.y0); r <= rowOf(b.y1); ++r)
                use(static_cast<size_t>(c) * rows_ + r);
    };
    for (size_t i = 0; i < n; ++i) {
        const Box& b = boxes[i];
        firstCol_[i] = colOf(b.x0);
        firstRow_[i] = rowOf(b.y0);
        if (colOf(b.x1) - colOf(b.x0) >= HugeSpan || rowOf(b.y1) - rowOf(b.y0) >= HugeSpan) {
            isHuge_[i] = true;
            huge_.push_back(static_cast<uint32_t>(i));
            continue;
        }
        eachBucket(i, [&](size_t bucket) { ++start_[bucket + 1]; });
    }
    for (size_t b = 0; b < buckets; ++b)
        start_[b + 1] += start_[b];
    members_.resize(start_[buckets]);
    std::vector<uint32_t> next(start_.begin(), start_.end() - 1);
    for (size_t i = 0; i < n; ++i)
        if (!isHuge_[i])
            eachBucket(i, [&](size_t bucket) { members_[next[bucket]++] = static_cast<uint32_t>(i); });
}

int32_t BoxGrid::colOf(double x) const {
    const double c = std::floor((x - originX_) / cell_);
    return c <= 0 ? 0 : c >= cols_ - 1 ? cols_ - 1 : static_cast<int32_t>(c);
}

int32_t BoxGrid::rowOf(double y) const {
    const double r = std::floor((y - originY_) / cell_);
    return r <= 0 ? 0 : r >= rows_ - 1 ? rows_ - 1 : static_cast<int32_t>(r);
}

} // namespace zelta
