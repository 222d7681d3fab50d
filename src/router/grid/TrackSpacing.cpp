// The stencils of track spacing and the counts painted with them.
#include "router/grid/TrackSpacing.h"

#include "core/CopperGeometry.h"

#include <algorithm>
#include <cmath>

namespace zelta {

void TrackSpacing::setup(const Lattice& lattice, const std::vector<double>& classHalfWidth,
                         double clearance) {
    lattice_ = lattice;
    classes_ = static_cast<int>(classHalfWidth.size());
    hcols_ = std::max(0, 2 * lattice.cols - 1);
    hrows_ = std::max(0, 2 * lattice.rows - 1);
    const double halfPitch = lattice.pitch / 2.0;
    const double widest =
        classHalfWidth.empty() ? 0 : *std::max_element(classHalfWidth.begin(), classHalfWidth.end());
    margin_ = static_cast<int32_t>(std::ceil((2 * widest + clearance) / halfPitch)) + 1;
    stride_ = hrows_ + 2 * margin_;
    stencil_.assign(classes_ * classes_, {});
    for (int a = 0; a < classes_; ++a) {
        for (int b = 0; b < classes_; ++b) {
            // Half points closer than this break the rules; a distance equal to it keeps them.
            const double reach = classHalfWidth[a] + classHalfWidth[b] + clearance - GapTolerance;
            std::vector<int32_t>& s = stencil_[a * classes_ + b];
            for (int32_t dx = -margin_; dx <= margin_; ++dx)
                for (int32_t dy = -margin_; dy <= margin_; ++dy)
                    if (halfPitch * std::hypot(double(dx), double(dy)) < reach)
                        s.push_back(dx * stride_ + dy);
        }
    }
    near_.assign(classes_, std::vector<int16_t>(halfPoints(), 0));
}

void TrackSpacing::clear() {
    for (std::vector<int16_t>& n : near_)
        std::fill(n.begin(), n.end(), int16_t{0});
}

void TrackSpacing::paint(int32_t h, int cls, int delta) {
    for (int b = 0; b < classes_; ++b) {
        std::vector<int16_t>& n = near_[b];
        for (int32_t o : stencil(cls, b))
            n[h + o] = static_cast<int16_t>(n[h + o] + delta);
    }
}

} // namespace zelta
