// Building the rules of lands: where a land may go by the pads, the steps near a land by track
// width, and the lands laid so far painted on those steps.
#include "router/grid/LandRules.h"

#include "core/CopperGeometry.h"
#include "core/Units.h"

#include <algorithm>
#include <cmath>

namespace zelta {

namespace {

void claim(int16_t& owner, int net) {
    if (net == 0)
        owner = StepOwners::Wall;
    else if (owner == StepOwners::Free)
        owner = static_cast<int16_t>(net);
    else if (owner != net)
        owner = StepOwners::Wall;
}

PadCopper landCopper(int cell, int32_t pitch) {
    return {{double(cellToUnits(cell / GridRows, pitch)), double(cellToUnits(cell % GridRows, pitch))},
            0,
            0,
            LandRadius};
}

} // namespace

PlacedPad landPad(const DrawingCopper& copper, int32_t net, int32_t col, int32_t row) {
    return {copper.originX + cellToUnits(col, copper.pitch),
            copper.originY + cellToUnits(row, copper.pitch),
            JumperPadSize,
            JumperPadSize,
            JumperDefaultDrill,
            0,
            net,
            col,
            row};
}

std::vector<PlacedPad> padsWithLands(const DrawingCopper& copper, const JumperList& jumpers) {
    std::vector<PlacedPad> pads;
    if (copper.pads != nullptr)
        pads = *copper.pads;
    for (const Jumper& j : jumpers) {
        pads.push_back(landPad(copper, j.net & NetMask, j.col1, j.row1));
        pads.push_back(landPad(copper, j.net & NetMask, j.col2, j.row2));
    }
    return pads;
}

void LandRules::build(const DrawingCopper& copper, const CopperRules& rules,
                      const std::array<int32_t, NetSlots>& widthOfNet,
                      const std::array<const StepOwners*, NetSlots>& stepsOfNet) {
    padSteps_.fill(nullptr);
    netClass_.fill(0);
    classWidth_.clear();
    for (int net = 1; net < NetSlots; ++net) {
        const int32_t width = widthOfNet[net];
        if (width <= 0)
            continue;
        padSteps_[net] = stepsOfNet[net];
        auto at = std::find(classWidth_.begin(), classWidth_.end(), width);
        netClass_[net] = static_cast<uint8_t>(at - classWidth_.begin());
        if (at == classWidth_.end())
            classWidth_.push_back(width);
    }

    // A step of the lattice near a land at the origin: too close by the clearance, and with
    // neither end on the 3 x 3 cells around the land's.
    const int32_t pitch = copper.pitch;
    nearSteps_.assign(classWidth_.size(), {});
    for (size_t cls = 0; cls < classWidth_.size(); ++cls) {
        const double halfWidth = classWidth_[cls] / 2.0;
        const PadCopper land{{0, 0}, 0, 0, LandRadius};
        const int32_t reach =
            static_cast<int32_t>(std::ceil((LandRadius + halfWidth + rules.clearance) / pitch)) + 1;
        for (int32_t dc = -reach; dc <= reach; ++dc) {
            for (int32_t dr = -reach; dr <= reach; ++dr) {
                for (int d = 3; d <= 6; ++d) {
                    const int32_t ec = dc + Directions[d].dc, er = dr + Directions[d].dr;
                    if ((std::abs(dc) <= 1 && std::abs(dr) <= 1) || (std::abs(ec) <= 1 && std::abs(er) <= 1))
                        continue;
                    const TrackCopper t{{double(cellToUnits(dc, pitch)), double(cellToUnits(dr, pitch))},
                                        {double(cellToUnits(ec, pitch)), double(cellToUnits(er, pitch))},
                                        halfWidth};
                    if (rules.tooClose(gapBetween(t, land).gap))
                        nearSteps_[cls].push_back({dc, dr, d});
                }
            }
        }
    }
    // Two lands keep the clearance between their discs. Within the 3 x 3 cells around a land the
    // pass keeps other nets away itself; on the 10-unit grid that keeps land centres 30 units apart.
    nearLandCentres_.clear();
    const double landsApart = 2 * LandRadius + rules.clearance + GapTolerance;
    const int32_t landReach = static_cast<int32_t>(std::ceil(landsApart / pitch));
    for (int32_t dc = -landReach; dc <= landReach; ++dc)
        for (int32_t dr = -landReach; dr <= landReach; ++dr)
            if ((std::abs(dc) > 1 || std::abs(dr) > 1) &&
                rules.tooClose(std::hypot(dc, dr) * pitch - 2 * LandRadius))
                nearLandCentres_.push_back({dc, dr});

    landOwner_.assign(std::max<size_t>(1, classWidth_.size()),
                      std::vector<int16_t>(GridLattice.steps(), StepOwners::Free));

    // Where a land would come too close to a pad of another net (or of no net).
    siteOwner_.assign(PlaneCells, StepOwners::Free);
    const double reachBeyondPad = LandRadius + rules.clearance + GapTolerance + pitch;
    for (const PlacedPad& pad : *copper.pads) {
        PadShape shape = pad.shape();
        shape.x -= copper.originX;
        shape.y -= copper.originY;
        const PadCopper padCu = padCopper(shape);
        auto span = [&](double centre, double half, int32_t count) {
            const double lo = std::floor((centre - half - reachBeyondPad) / pitch);
            const double hi = std::ceil((centre + half + reachBeyondPad) / pitch);
            return std::pair<int32_t, int32_t>{static_cast<int32_t>(std::clamp(lo, 0.0, double(count - 1))),
                                               static_cast<int32_t>(std::clamp(hi, 0.0, double(count - 1)))};
        };
        const auto [c0, c1] = span(shape.x, shape.sizeX / 2, GridCols);
        const auto [r0, r1] = span(shape.y, shape.sizeY / 2, GridRows);
        for (int32_t c = c0; c <= c1; ++c) {
            for (int32_t r = r0; r <= r1; ++r) {
                const int cell = GestScheda::index(c, r);
                if (rules.tooClose(gapBetween(landCopper(cell, pitch), padCu).gap))
                    claim(siteOwner_[cell], pad.net);
            }
        }
    }
}

template <class F> void LandRules::forNearSteps(int cell, int cls, const F& f) const {
    const int32_t c = cell / GridRows, r = cell % GridRows;
    for (const NearStep& s : nearSteps_[cls]) {
        const int32_t sc = c + s.dc, sr = r + s.dr;
        if (!GridLattice.inside(sc, sr) ||
            !GridLattice.inside(sc + Directions[s.direction].dc, sr + Directions[s.direction].dr))
            continue;
        f(GridLattice.stepOf(GridLattice.index(sc, sr), s.direction));
    }
}

bool LandRules::siteAllowed(int cell, int net, const int32_t* plane) const {
    const int16_t owner = siteOwner_[cell];
    if (owner != StepOwners::Free && owner != net)
        return false;
    const int32_t col = cell / GridRows, row = cell % GridRows;
    for (const Offset& o : nearLandCentres_) {
        if (!GridLattice.inside(col + o.dc, row + o.dr))
            continue;
        const int32_t w = plane[GestScheda::index(col + o.dc, row + o.dr)];
        if ((w & PadCentre) != 0 && (w & NetMask) != net)
            return false;
    }
    // A track of another net on a near step of its own width: a step is on the plane when either
    // end points along it.
    for (size_t cls = 0; cls < nearSteps_.size(); ++cls) {
        bool clear = true;
        forNearSteps(cell, static_cast<int>(cls), [&](int32_t step) {
            const int32_t a = GridLattice.stepStart(step);
            const int d = Lattice::stepDirection(step);
            const int32_t b = a + GridLattice.offset(d);
            for (const auto& [end, bit] :
                 {std::pair{a, Directions[d].bit}, std::pair{b, DirBit(opposite(d))}}) {
                const int32_t w = plane[end];
                const int other = w & NetMask;
                if ((w & bit) != 0 && other != net && padSteps_[other] != nullptr && netClass_[other] == cls)
                    clear = false;
            }
        });
        if (!clear)
            return false;
    }
    return true;
}

void LandRules::clearLands() {
    for (std::vector<int16_t>& owners : landOwner_)
        std::fill(owners.begin(), owners.end(), StepOwners::Free);
}

void LandRules::addLand(int cell, int net) {
    for (size_t cls = 0; cls < nearSteps_.size(); ++cls)
        forNearSteps(cell, static_cast<int>(cls), [&](int32_t step) { claim(landOwner_[cls][step], net); });
}

void LandRules::addLands(const JumperList& jumpers) {
    for (const Jumper& j : jumpers) {
        addLand(GestScheda::index(j.col1, j.row1), j.net & NetMask);
        addLand(GestScheda::index(j.col2, j.row2), j.net & NetMask);
    }
}

} // namespace zelta
