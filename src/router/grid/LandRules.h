// The design rules of the jumper pass around a method that keeps the clearance: its copper steps
// keep it from every pad of another net as the method's own do, and its jumpers' lands are copper
// as real as a pad's. A land is laid only where it keeps the clearance from every pad and track
// of another net, and once laid, no track of another net comes closer to it.
#pragma once

#include "core/DrawingCopper.h"
#include "core/Init_obj.h"
#include "core/Jumper.h"
#include "core/PlacedPad.h"
#include "router/grid/BoardNets.h"
#include "router/grid/GridStepRules.h"
#include "router/grid/StepOwners.h"

#include <array>
#include <cstdint>
#include <vector>

namespace zelta {

// A land is the round pad the writer puts at each end of a jumper, JumperPadSize units across
// (core/Jumper.h), centred on its cell's point; the rules measure it as that disc, the copper a
// board house etches whatever the drill, and the same disc the check measures in the file.
inline constexpr double LandRadius = JumperPadSize / 2.0;

// The land at the cell (col, row) of net, as a pad record of the drawing would place it.
PlacedPad landPad(const DrawingCopper& copper, int32_t net, int32_t col, int32_t row);
// The drawing's pads and the lands of the jumpers, for rules that take lands as pads.
std::vector<PlacedPad> padsWithLands(const DrawingCopper& copper, const JumperList& jumpers);

class LandRules {
public:
    // Once per run: the drawing's pads (the drawing's own jumpers' lands among them), the rules,
    // and by net the track width (units; 0: the net has no rules, as in the method) and the step
    // rules of that width, which must outlive the run.
    void build(const DrawingCopper& copper, const CopperRules& rules,
               const std::array<int32_t, NetSlots>& widthOfNet,
               const std::array<const StepOwners*, NetSlots>& stepsOfNet);

    // A copper step of net from cell in direction move: clear of every pad and every land of
    // another net by the net's track width and the clearance.
    bool stepAllowed(int from, int move, int net) const {
        const StepOwners* pads = padSteps_[net];
        if (pads == nullptr)
            return true;
        const int32_t step = GridLattice.stepOf(from, move);
        if (!pads->allows(step, net))
            return false;
        const int16_t land = landOwner_[netClass_[net]][step];
        return land == StepOwners::Free || land == net;
    }
    // A land of net on the cell keeps the clearance from every pad of another net, from every land
    // of another net on the plane (a pad centre there is taken for a land) and from every track of
    // another net beyond the cells around it (those the pass looks at itself).
    bool siteAllowed(int cell, int net, const int32_t* plane) const;

    // The lands laid: none, then one by one (the drawing's own are among the pads already).
    void clearLands();
    void addLand(int cell, int net);
    void addLands(const JumperList& jumpers);

private:
    // A step of the lattice relative to a land's point: its start's offset and its direction.
    struct NearStep {
        int32_t dc;
        int32_t dr;
        int direction; // 3..6
    };
    // Calls f(step) for each near step of cls around cell that lies on the lattice.
    template <class F> void forNearSteps(int cell, int cls, const F& f) const;

    std::array<const StepOwners*, NetSlots> padSteps_{};
    std::array<uint8_t, NetSlots> netClass_{};
    std::vector<int32_t> classWidth_;
    // By cell: who may have a land there (StepOwners' Free, a net or Wall), by the pads.
    std::vector<int16_t> siteOwner_;
    // The cells, relative to a land's, where a pad centre of another net is too near for a land
    // of the same size beyond the cells around it (only on a lattice finer than the lands' areas).
    struct Offset {
        int32_t dc;
        int32_t dr;
    };
    std::vector<Offset> nearLandCentres_;
    // By width class: the steps a track of that width may not take near another net's land, with
    // no end on the cells around the land (another net's track there is a wall already).
    std::vector<std::vector<NearStep>> nearSteps_;
    // By width class, by step: whose land the step comes too close to (Free, a net or Wall).
    std::vector<std::vector<int16_t>> landOwner_;
};

} // namespace zelta
