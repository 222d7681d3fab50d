// The board as the new methods and the jumper pass route it, built once per run: the drawing's
// pads with their shapes and nets, where the board lies, each net's track width and the
// clearance, the lattice of routing points at the drawing's pitch, the pads to join by net, and
// for each face the legality of every step of the lattice. Every method of a run reads the same
// model; none keeps rules of its own beside it.
#pragma once

#include "core/DrawingCopper.h"
#include "core/Init_obj.h"
#include "router/grid/BoardNets.h"
#include "router/grid/Lattice.h"
#include "router/grid/StepOwners.h"
#include "router/model/ModelLayer.h"

#include <array>
#include <cstdint>
#include <vector>

namespace zelta {

class ListaCoord;

struct ModelSource {
    const int32_t* basePlane = nullptr; // the drawing's pads as the reader placed them
    const ListaCoord* workList = nullptr;
    int32_t cols = 0; // the board's extent in points of the lattice
    int32_t rows = 0;
    const DrawingCopper* copper = nullptr; // none: no pad copper, only the planes
    const NetTable* netTable = nullptr;    // none: no net has rules
    double clearanceMm = 0;
    // Whether the methods of the run keep the clearance between nets (the step rules and the
    // spacing are built only then); the drawing's kept tracks are kept clear of either way.
    bool keepClearance = false;
};

class BoardModel {
public:
    BoardModel() = default;
    // The model points into itself.
    BoardModel(const BoardModel&) = delete;
    BoardModel& operator=(const BoardModel&) = delete;

    void build(const ModelSource& source);

    const ModelLayer& layer(LayerIndex index = RoutedLayer) const { return layers_[index]; }
    // Whether the pad copper and the rules were there to build the step rules from.
    bool hasRules() const { return hasRules_; }

    const int32_t* basePlane = nullptr;
    int32_t cols = 0;
    int32_t rows = 0;
    Lattice lattice;
    LatticeFrame frame;
    const DrawingCopper* copper = nullptr;
    CopperRules rules;                          // the clearance, in units
    std::array<int32_t, NetSlots> widthOfNet{}; // units, 0 for a net without rules
    BoardNets nets;                             // the drawing's pads to join, by net

private:
    void buildKept(ModelLayer& layer) const;

    DrawingCopper copper_;
    std::vector<PlacedPad> noPads_;
    std::array<ModelLayer, ModelLayers> layers_;
    bool hasRules_ = false;
};

} // namespace zelta
