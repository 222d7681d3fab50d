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
                       double halfWidth, const CopperRules& rules) {
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

    const double reachBeyondPad = halfWidth + rules.clearance + GapTolerance + lattice.pitch;
    for (const PlacedPad& pad : pads) {
        PadShape shape = pad.shape();
        shape.x -= frame.originX;
        shape.y -= frame.originY;
        const PadCopper copper = padCopper(shape);
        // The points whose steps may come near: the pad's box widened by everything a step can add.
        auto span = [&](double centre, double half, int32_t count) {
            const double lo = std::floor((centre - half - reachBeyondPad) / lattice.pitch);
            const double hi = std::ceil((centre + half + reachBeyondPad) / lattice.pitch);
            return std::pair<int32_t, int32_t>{static_cast<int32_t>(std::clamp(lo, 0.0, double(count - 1))),
                                               static_cast<int32_t>(std::clamp(hi, 0.0, double(count - 1)))};
        };
        const auto [c0, c1] = span(shape.x, shape.sizeX / 2, lattice.cols);
        const auto [r0, r1] = span(shape.y, shape.sizeY / 2, lattice.rows);
        for (int32_t c = c0; c <= c1; ++c) {
            for (int32_t r = r0; r <= r1; ++r) {
                const int32_t p = lattice.index(c, r);
                for (int d = 3; d <= 6; ++d) {
                    const int32_t step = lattice.stepOf(p, d);
                    if (owner_[step] == Wall || !stepExists(p, d))
                        continue;
                    if (rules.tooClose(gapBetween(stepCopper(lattice, step, halfWidth), copper).gap))
                        claim(step, pad.net);
                }
            }
        }
    }
}

} // namespace zelta
