// Building the table of step owners: every pad marks the steps its copper keeps from other nets.
#include "router/grid/StepOwners.h"

#include <algorithm>
#include <cmath>

namespace zelta {

TrackCopper stepCopper(const Lattice& lattice, int32_t step, double halfWidth) {
    const int32_t from = lattice.stepStart(step);
    const int d = Lattice::stepDirection(step);
    const double x = lattice.x(from), y = lattice.y(from);
    return {{x, y}, {x + lattice.pitch * Directions[d].dc, y + lattice.pitch * Directions[d].dr}, halfWidth};
}

void StepOwners::claim(int32_t step, int net) {
    int16_t& o = owner_[step];
    if (net == 0)
        o = Wall;
    else if (o == Free)
        o = static_cast<int16_t>(net);
    else if (o != net)
        o = Wall;
}

void StepOwners::build(const Lattice& lattice, const LatticeFrame& frame, const std::vector<PlacedPad>& pads,
                       double halfWidth, const CopperRules& rules, const KeptTrackList* tracks) {
    owner_.assign(lattice.steps(), Free);
    auto stepExists = [&](int32_t point, int d) {
        return lattice.inside(lattice.col(point) + Directions[d].dc, lattice.row(point) + Directions[d].dr);
    };
    // Steps that lead off the lattice do not exist; those whose copper leaves the board are walls.
    for (int32_t p = 0; p < lattice.points(); ++p) {
        for (int d = 3; d <= 6; ++d) {
            const int32_t step = lattice.stepOf(p, d);
            if (!stepExists(p, d)) {
                owner_[step] = Wall;
                continue;
            }
            if (frame.width <= 0 || frame.height <= 0)
                continue;
            const TrackCopper t = stepCopper(lattice, step, halfWidth);
            const double lo = halfWidth - GapTolerance;
            if (std::min(t.a.x, t.b.x) < lo || std::min(t.a.y, t.b.y) < lo ||
                std::max(t.a.x, t.b.x) > frame.width - lo || std::max(t.a.y, t.b.y) > frame.height - lo)
                owner_[step] = Wall;
        }
    }

    for (const PlacedPad& pad : pads) {
        PadShape shape = pad.shape();
        shape.x -= frame.originX;
        shape.y -= frame.originY;
        claimNear(lattice, padCopper(shape), shape.x - shape.sizeX / 2, shape.y - shape.sizeY / 2,
                  shape.x + shape.sizeX / 2, shape.y + shape.sizeY / 2, halfWidth, rules, pad.net);
    }
    if (tracks == nullptr)
        return;
    for (const KeptTrack& track : *tracks) {
        TrackCopper copper = track.copper();
        for (Point2* end : {&copper.a, &copper.b}) {
            end->x -= frame.originX;
            end->y -= frame.originY;
        }
        const double h = copper.halfWidth;
        claimNear(lattice, copper, std::min(copper.a.x, copper.b.x) - h, std::min(copper.a.y, copper.b.y) - h,
                  std::max(copper.a.x, copper.b.x) + h, std::max(copper.a.y, copper.b.y) + h, halfWidth,
                  rules, track.net);
    }
}

template <typename Copper>
void StepOwners::claimNear(const Lattice& lattice, const Copper& copper, double x0, double y0, double x1,
                           double y1, double halfWidth, const CopperRules& rules, int net) {
    // The points whose steps may come near: the copper's box widened by everything a step can add.
    const double reach = halfWidth + rules.clearance + GapTolerance + lattice.pitch;
    auto span = [&](double lo, double hi, int32_t count) {
        const double first = std::floor((lo - reach) / lattice.pitch);
        const double last = std::ceil((hi + reach) / lattice.pitch);
        return std::pair<int32_t, int32_t>{static_cast<int32_t>(std::clamp(first, 0.0, double(count - 1))),
                                           static_cast<int32_t>(std::clamp(last, 0.0, double(count - 1)))};
    };
    const auto [c0, c1] = span(x0, x1, lattice.cols);
    const auto [r0, r1] = span(y0, y1, lattice.rows);
    for (int32_t c = c0; c <= c1; ++c) {
        for (int32_t r = r0; r <= r1; ++r) {
            const int32_t p = lattice.index(c, r);
            for (int d = 3; d <= 6; ++d) {
                if (!lattice.inside(c + Directions[d].dc, r + Directions[d].dr))
                    continue;
                const int32_t step = lattice.stepOf(p, d);
                if (owner_[step] == Wall)
                    continue;
                if (rules.tooClose(gapBetween(stepCopper(lattice, step, halfWidth), copper).gap))
                    claim(step, net);
            }
        }
    }
}

} // namespace zelta
