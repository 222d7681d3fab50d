// The step rules of the routing grid for each track width in use, from the drawing's pad copper:
// built the first time a width is asked for in a run, and shared by every net of that width.
#pragma once

#include "core/DrawingCopper.h"
#include "core/Init_obj.h"
#include "core/Units.h"
#include "router/grid/Lattice.h"
#include "router/grid/StepOwners.h"

#include <cstdint>
#include <map>

namespace zelta {

// The routing grid seen as a lattice: the same indices as the planes. Its pitch is the classic's;
// geometry at the pitch a drawing was read at takes gridLattice(pitch).
inline constexpr Lattice GridLattice{UnitsPerCell, GridCols, GridRows};
constexpr Lattice gridLattice(int32_t pitch) {
    return {pitch, GridCols, GridRows};
}

class GridStepRules {
public:
    // Forgets the rules built so far; those asked for from now on keep rules from copper's pads.
    void begin(const DrawingCopper& copper, const CopperRules& rules) {
        copper_ = &copper;
        rules_ = rules;
        byWidth_.clear();
    }

    const StepOwners& forWidth(int32_t width) {
        auto [at, added] = byWidth_.try_emplace(width);
        if (added)
            at->second.build(gridLattice(copper_->pitch), {copper_->originX, copper_->originY, 0, 0},
                             *copper_->pads, width / 2.0, rules_, copper_->tracks);
        return at->second;
    }

private:
    const DrawingCopper* copper_ = nullptr;
    CopperRules rules_;
    std::map<int32_t, StepOwners> byWidth_; // by track width in units
};

} // namespace zelta
