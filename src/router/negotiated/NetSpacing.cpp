// One net's own share of the track spacing counts.
#include "router/negotiated/NetSpacing.h"

namespace zelta {

void OwnTrackSpacing::begin(const TrackSpacing& spacing, int cls) {
    if (halfPoints_ != spacing.halfPoints()) {
        own_.setup(spacing);
        halfPoints_ = spacing.halfPoints();
        painted_.clear();
    }
    for (int32_t h : painted_)
        own_.remove(spacing, h, cls_);
    painted_.clear();
    spacing_ = &spacing;
    cls_ = cls;
}

void OwnTrackSpacing::add(const PathCell* path, int length) {
    for (int i = 0; i < length; ++i)
        forEachHalfPoint(*spacing_, path[i], [this](int32_t h) {
            own_.add(*spacing_, h, cls_);
            painted_.push_back(h);
        });
}

} // namespace zelta
