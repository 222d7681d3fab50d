// The two ends of a best-first path search on the grid: the cells it starts from and the cells
// it may end on, and the estimate of a cell's distance to the nearest target. Marked by stamp, so
// that a new search clears nothing; sized once.
#pragma once

#include <cstdint>
#include <vector>

namespace zelta {

class SearchEnds {
public:
    SearchEnds();

    // No sources and no targets.
    void clear();
    void addSource(int cell);
    // A cell that is a source already is no target.
    void addTarget(int cell);

    bool isSource(int cell) const { return sourceMark_[cell] == stamp_; }
    bool isTarget(int cell) const { return targetMark_[cell] == stamp_; }
    const std::vector<int32_t>& sources() const { return sources_; }
    const std::vector<int32_t>& targets() const { return targets_; }

    // Octile distance to the nearest target in step-cost units: never more than a path's cost,
    // whatever its turns add. Kept per cell until the ends change.
    int32_t estimate(int cell);

private:
    std::vector<uint32_t> sourceMark_;
    std::vector<uint32_t> targetMark_;
    std::vector<uint32_t> estimateMark_;
    std::vector<int32_t> estimate_;
    std::vector<int32_t> sources_;
    std::vector<int32_t> targets_;
    uint32_t stamp_ = 0;
    // Targets' bounding box, for the estimate when there are too many targets to try each.
    int minCol_ = 0, maxCol_ = 0, minRow_ = 0, maxRow_ = 0;
};

} // namespace zelta
