// Marking, for one net's search, where the other nets' tracks on the plane keep it away.
#include "router/jumpers/JumperSpacing.h"

#include "router/grid/Moves.h"

namespace zelta {

void JumperSpacing::setup(const ModelLayer& layer) {
    spacing_ = &layer.spacing;
    classOf_ = &layer.widthClass;
    on_ = layer.spacingOn;
    if (on_)
        tooClose_ = CellStamps(spacing_->halfPoints());
}

void JumperSpacing::mark(int32_t h, int cls, int netCls) {
    for (int32_t o : spacing_->stencil(cls, netCls))
        tooClose_.set(h + o);
}

void JumperSpacing::begin(const int32_t* plane, int32_t cols, int32_t rows, int net) {
    if (!on_)
        return;
    tooClose_.next();
    const int netCls = (*classOf_)[net];
    for (int c = 1; c < cols; ++c) {
        for (int r = 1; r < rows; ++r) {
            const int cell = GestScheda::index(c, r);
            const int32_t w = plane[cell];
            const int other = w & NetMask;
            if ((w & TrackMask) == 0 || other == net)
                continue;
            const int cls = (*classOf_)[other];
            mark(spacing_->halfOfPoint(cell), cls, netCls);
            for (int d = 1; d <= 8; ++d)
                if ((w & DirBit(d)) != 0)
                    mark(spacing_->halfOfStep(GridLattice.stepOf(cell, d)), cls, netCls);
        }
    }
}

} // namespace zelta
