// Every knob of the negotiated method in one table: the run's budgets, the lap value, the two
// workers' congestion prices and turn costs, and the rip-up's price, depth and rounds. All are
// counts or step-cost units (a straight step costs 10), so that two runs do the same.
#pragma once

#include "router/grid/Moves.h"

#include <cstdint>

namespace zelta {

// How a worker prices things: the growth of the congestion costs from lap to lap, and the turns.
struct WorkerConfig {
    double historyGain;   // added to a cell's history per extra net on it, after each lap
    double presentStart;  // the present-congestion factor of the second negotiated lap
    double presentGrowth; // its growth per lap after that
    TurnCosts turns;
};

struct NegotiatedTuning {
    // A run is done after LapBudget laps, after IdleLimit laps without a better legal result, or
    // once either worker's search work passes WorkBudget (which bounds the time on the largest
    // boards). All three are counts, so two runs stop at the same lap.
    static constexpr int32_t LapBudget = 60;
    static constexpr int32_t IdleLimit = 25;
    static constexpr int64_t WorkBudget = 40000000;

    // Lap values: a pad joined weighs more than any track length.
    static constexpr int32_t JoinedPadWeight = 65536;

    // The two workers: the first raises the price of sharing slowly and turns freely; the second
    // raises it fast and keeps its tracks straight. Their results differ enough that the better of
    // the two is often better than either alone.
    static constexpr WorkerConfig FirstWorker{1.0, 0.5, 1.3, {0, 0}};
    static constexpr WorkerConfig SecondWorker{1.0, 0.5, 2.0, {3, 8}};
    // The present-congestion factor stops growing here: beyond it a shared cell is as good as a wall.
    static constexpr double MaxPresent = 1000.0;

    // Price of passing over one cell of another net's track, or across one of its diagonals, in the
    // rip-up search: a detour of up to this much is preferred to moving a track. Lower than the
    // jumper pass's price, which weighs a move against a jumper.
    static constexpr int32_t RipCost = 150;
    // Depth of the repair's tries: a net pushed aside may push one more in turn.
    static constexpr int RipDepth = 2;
    // Rounds of the repair over the nets at most.
    static constexpr int RepairRounds = 3;
};

} // namespace zelta
