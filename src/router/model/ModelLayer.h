// The copper faces a board model knows, by index, and what the model holds for each. One face is
// routed; the other face, where wire links lie, has nothing of its own in the model yet.
#pragma once

#include "router/grid/BoardNets.h"
#include "router/grid/GridStepRules.h"
#include "router/grid/StepOwners.h"
#include "router/grid/TrackSpacing.h"

#include <array>
#include <cstdint>
#include <vector>

namespace zelta {

using LayerIndex = uint8_t;
inline constexpr LayerIndex RoutedLayer = 0;
inline constexpr int ModelLayers = 1;

// The legality of one face's lattice, precomputed for the run: which net may lay a track on each
// step (by the pads' real copper, the net's track width and the clearance), how far tracks of
// different widths keep apart, and what the drawing's kept tracks keep new copper from.
struct ModelLayer {
    LayerIndex index = RoutedLayer;

    // By point: the net whose pad stands there (router/model/PointOwners.h), Free or Wall; by
    // diagonal slot: the net of a pad centre by the diagonal's corners.
    std::vector<int16_t> pointNet;
    std::vector<int16_t> cornerNet;

    // By net: the step rules of the net's track width, shared by the nets of one width (none for
    // a net without rules, or when the method keeps no clearance).
    std::array<const StepOwners*, NetSlots> stepsOfNet{};
    GridStepRules stepRules;

    // Track spacing: on only when two of the board's widths with the clearance need more room than
    // the lattice keeps between tracks of different nets anyway. The stencils only, by width
    // class; each routing state counts its own tracks.
    bool spacingOn = false;
    TrackSpacing spacing;
    std::array<int8_t, NetSlots> widthClass{}; // by net

    // The drawing's kept tracks, which lie partly between the lattice's points: the steps whose
    // copper (at the narrowest width) keeps the clearance from them, and by point whether a
    // jumper's land there would not. Empty when the drawing keeps no track.
    bool hasKept = false;
    StepOwners keptSteps;
    std::vector<uint8_t> keptLands;
};

} // namespace zelta
