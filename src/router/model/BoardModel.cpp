// Building the board model of a run: the pads to join, and each face's step rules, track spacing
// and the room the drawing's kept tracks take.
#include "router/model/BoardModel.h"

#include "core/CopperGeometry.h"
#include "core/Jumper.h"
#include "core/Lista_coo.h"
#include "core/Units.h"
#include "router/grid/Moves.h"
#include "router/grid/SpacingClasses.h"
#include "router/model/PointOwners.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace zelta {

void BoardModel::build(const ModelSource& source) {
    basePlane = source.basePlane;
    cols = source.cols;
    rows = source.rows;
    copper = nullptr;
    if (source.copper != nullptr) {
        // A copper without pads stands for a drawing without any: the rules still hold its board.
        copper_ = *source.copper;
        if (copper_.pads == nullptr)
            copper_.pads = &noPads_;
        copper = &copper_;
    }
    const int32_t pitch = copper != nullptr ? copper->pitch : CoarsePitch;
    lattice = gridLattice(pitch);
    frame = copper != nullptr ? LatticeFrame{copper->originX, copper->originY, 0, 0} : LatticeFrame{};
    rules = {source.clearanceMm / MmPerUnit, false};
    widthOfNet.fill(0);
    nets.build(basePlane, *source.workList, cols, rows);

    hasRules_ = source.keepClearance && copper != nullptr && source.netTable != nullptr;
    if (hasRules_)
        widthOfNet = ruledWidthsOf(*source.netTable);
    for (ModelLayer& layer : layers_) {
        layer.pointNet.resize(PlaneCells);
        layer.cornerNet.resize(SquareSlots);
        readPointOwners(basePlane, cols, rows, layer.pointNet.data());
        readCornerOwners(basePlane, cols, rows, layer.cornerNet.data());
        layer.stepsOfNet.fill(nullptr);
        layer.spacingOn = false;
        if (hasRules_) {
            layer.stepRules.begin(*copper, rules);
            for (int net = 1; net < NetSlots; ++net)
                if (widthOfNet[net] > 0)
                    layer.stepsOfNet[net] = &layer.stepRules.forWidth(widthOfNet[net]);
            layer.spacingOn =
                setupSpacingClasses(layer.spacing, layer.widthClass, lattice, widthOfNet, rules.clearance);
        }
        buildKept(layer);
    }
}

void BoardModel::buildKept(ModelLayer& layer) const {
    layer.hasKept = copper != nullptr && copper->tracks != nullptr && !copper->tracks->empty();
    if (!layer.hasKept)
        return;
    layer.keptSteps.build(lattice, frame, noPads_, classicTrackWidth(1) / 2.0, rules, copper->tracks);
    // Each track marks the points near enough to it: only those within its box, widened by a
    // land's radius and the clearance, can be.
    layer.keptLands.assign(PlaneCells, 0);
    const double landRadius = JumperPadSize / 2.0;
    for (const KeptTrack& t : *copper->tracks) {
        const TrackCopper track = t.copper();
        const double reach = track.halfWidth + landRadius + rules.clearance + GapTolerance;
        auto span = [&](double lo, double hi, int32_t origin, int32_t count) {
            const double first = std::ceil((lo - reach - origin) / lattice.pitch);
            const double last = std::floor((hi + reach - origin) / lattice.pitch);
            return std::pair{static_cast<int32_t>(std::max(1.0, first)),
                             static_cast<int32_t>(std::min(double(count - 1), last))};
        };
        const auto [c0, c1] =
            span(std::min(track.a.x, track.b.x), std::max(track.a.x, track.b.x), frame.originX, cols);
        const auto [r0, r1] =
            span(std::min(track.a.y, track.b.y), std::max(track.a.y, track.b.y), frame.originY, rows);
        for (int32_t c = c0; c <= c1; ++c) {
            for (int32_t r = r0; r <= r1; ++r) {
                const PadCopper land{
                    {double(frame.originX + c * lattice.pitch), double(frame.originY + r * lattice.pitch)},
                    0,
                    0,
                    landRadius};
                if (rules.tooClose(gapBetween(track, land).gap))
                    layer.keptLands[GestScheda::index(c, r)] = 1;
            }
        }
    }
}

} // namespace zelta
