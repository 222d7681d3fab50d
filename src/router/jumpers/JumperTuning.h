// Every knob of the jumper mode in one table: how a lap is valued, the pass's work budgets, the
// laps laid out around the best lap's jumpers, a jumper's cost in the search, the turn costs, and
// the rip-up's prices and depth. All are counts or step-cost units (a straight step costs 10), so
// that two runs do the same.
#pragma once

#include "router/grid/Moves.h"

#include <cstdint>

namespace zelta {

struct JumperTuning {
    // Lap values: a connection made (by copper or by jumper) weighs more than JumperWeights - 1
    // jumpers and any track length together, and a jumper more than any track length (counted up
    // to LengthCap steps). So the best lap is the one with the fewest open connections, then the
    // fewest jumpers, then the shortest tracks: a jumper counts worse than a copper connection and
    // better than an open one. Up to 4095 connections fit the 32 bits of a value.
    static constexpr int32_t JumperWeight = 1 << 14;
    static constexpr int32_t JumperWeights = 32;
    static constexpr int32_t ConnectionWeight = JumperWeight * JumperWeights;
    static constexpr int32_t LengthCap = JumperWeight - 1;

    // The pass runs on every lap that could become the best until its search work in the run
    // passes this budget, then only on the laps that are the method's best so far by its own value
    // until it passes twice the budget, then no more. A count, not a time, so that two runs do the
    // same; it bounds what a long run of fast laps adds.
    static constexpr int64_t PassWorkBudget = 50000000;
    // Once the method is done, or the pass's work passes SeedAfterWork, the laps that follow are
    // laid out around the best lap's jumpers, one of them left out in turn: a lap that does as
    // well without it becomes the best. The run ends when every one was left out once since the
    // best lap changed, or after SeededLaps such laps.
    static constexpr int64_t SeedAfterWork = 50000000;
    static constexpr int32_t SeededLaps = 30;

    // The fixed part of a jumper's cost in the search: of two joins with as many jumpers, the
    // shorter one is taken.
    static constexpr int32_t JumperCost = 300;
    // Jumpers one path may take at most.
    static constexpr int MaxJumpersPerPath = 3;
    // The search keeps its tracks straight: what a 45 and a 90 degree turn add to a step.
    static constexpr TurnCosts Turns{3, 8};

    // What moving a cell of another net's track out of the way costs when the last step takes
    // jumpers away again. Dearer than the negotiated method's rip-up price: here a move is weighed
    // against the jumper it would save.
    static constexpr int32_t ShedRipCost = 400;
    // The rip-up tries made for each net in pieces, the best result kept: the price of moving a cell
    // of another net's track, and the jumpers the path itself may take. Cheap moves suit a net shut
    // in by one track; dear ones make the path jump over what it would otherwise move.
    struct RipVariant {
        int32_t ripCost;
        int jumpers;
    };
    static constexpr RipVariant RipVariants[] = {{150, 0}, {400, 1}, {400, 2}, {1000, 2}};
    // Without jumpers, the cheap and the dear price.
    static constexpr RipVariant CopperVariants[] = {{150, 0}, {1000, 0}};
    // Depth of the rip-up's tries: a net moved aside that cannot be joined again may move one more.
    static constexpr int RipDepth = 2;
};

} // namespace zelta
