// The board as the negotiated router sees it: which cells each net may use, and the pads of every
// net in the order the nets are routed. Built once per run from the base plane.
#pragma once

#include "core/Init_obj.h"
#include "core/Units.h"
#include "router/grid/BoardNets.h"
#include "router/grid/GridStepRules.h"
#include "router/grid/Moves.h"
#include "router/grid/TrackSpacing.h"

#include <array>
#include <cstdint>
#include <utility>
#include <vector>

namespace zelta {

class BoardModel;
class ListaCoord;

struct NegotiatedBoard : BoardNets {
    // fixedNet values besides a net number 1..255.
    static constexpr int16_t Free = -1;
    static constexpr int16_t Wall = 0; // net-0 pads and every cell off the board

    // From the run's board model, with the method's own copper beside the drawing's on seedPlane
    // (the seeded jumpers' pads, the drawing's jumper ends taken as pads): the model's points and
    // corners, with those that seedPlane changes read again from it, and the pads of the work list
    // whose cells are pad centres of a net on seedPlane.
    void build(const BoardModel& model, const int32_t* seedPlane, const ListaCoord& workList);

    // A cell that net may step on: free, or fixed copper (pad, pad area) of the net itself.
    bool passable(int cell, int net) const {
        const int16_t owner = fixedNet[cell];
        return owner == Free || owner == net;
    }
    // A step whose track copper keeps the design rules from every pad of another net (true for a
    // net whose rules were not given).
    bool stepAllowed(int from, int move, int net) const {
        const StepOwners* rules = stepRules[net];
        return rules == nullptr || rules->allows(GridLattice.stepOf(from, move), net);
    }
    bool diagonalAllowed(int slot, int net) const {
        const int16_t owner = cornerNet[slot];
        return owner == Free || owner == net;
    }

    int32_t cols = 0;
    int32_t rows = 0;
    std::array<int16_t, PlaneCells> fixedNet{};
    // By diagonal slot: the net of a pad centre on one of the square's two other corners (Wall
    // when two nets have one there, Free when none). A pad too small for a pad area may still
    // reach out far enough for a diagonal past its corner to touch it, so only its own net may
    // lay that diagonal.
    std::array<int16_t, SquareSlots> cornerNet{};
    // The first of pads that a seeded jumper brought (-1: none, all are the drawing's), and the
    // pad centres that a jumper joins already, as pairs of cells of one net.
    int32_t firstSeededPad = -1;
    std::vector<std::pair<int32_t, int32_t>> joinedPads;
    // By net: the step rules of the net's track width (shared by the nets of one width).
    std::array<const StepOwners*, NetSlots> stepRules{};
    // Track spacing, from the board model: on only when two of the board's track widths with the
    // clearance need more room than the lattice keeps between tracks of different nets anyway
    // (router/grid/SpacingClasses.h). spacing holds the stencils, by width class, and no tracks;
    // each routing state counts its own.
    bool spacingOn = false;
    const TrackSpacing* spacing = nullptr;
    std::array<int8_t, NetSlots> widthClass{}; // by net
};

} // namespace zelta
