// Every fixed knob of the classic method in one table: the step costs of its search and their
// estimate, when a search gives up or changes its destination, and how a lap is valued. The knobs
// the person sets (fast laps, retargeting, bend and diagonal penalties) come from the settings.
#pragma once

#include <cstdint>

namespace zelta {

struct ClassicTuning {
    // A straight step costs StraightStep; a diagonal one DiagonalStep plus the diagonal penalty;
    // a change of direction adds the bend penalty plus BendBase.
    static constexpr int32_t StraightStep = 10;
    static constexpr int32_t DiagonalStep = 16;
    static constexpr int32_t BendBase = 3;
    // The estimate of a path's cost: 17.1 per diagonal step (in hundredths), 10 per straight one.
    static constexpr int32_t EstimateDiagonalHundredths = 1710;
    static constexpr int32_t EstimateStraight = 10;
    // In a fast lap a connection is given up once a candidate's f passes FastLapGiveUp times the
    // estimate at its start.
    static constexpr int32_t FastLapGiveUp = 2;
    // Another cell of the net becomes the destination only when it lies at least this far (in
    // estimate units) from the target: two steps.
    static constexpr int32_t OtherTargetDistance = 20;
    // Lap value: each handled pad adds PadValue plus its change of priority, which is FailedDelta
    // for a connection not found.
    static constexpr int32_t PadValue = 101;
    static constexpr int32_t FailedDelta = -300;
};

} // namespace zelta
