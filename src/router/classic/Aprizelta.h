// The priority router: in each lap, connects the pads of each net on the work plane by a
// best-first search, pad after pad in an order that the previous laps' results set.
#pragma once

#include "core/DrawingCopper.h"
#include "core/File_ini.h"
#include "core/Init_obj.h"
#include "core/Lista_coo.h"
#include "core/ReportSink.h"
#include "router/RoutingMethod.h"
#include "router/RunControl.h"
#include "router/classic/ClassicTuning.h"
#include "router/classic/SearchLists.h"
#include "router/grid/BoardNets.h"
#include "router/grid/GridStepRules.h"

#include <array>
#include <cstdint>
#include <map>

namespace zelta {

struct nodo {
    int32_t g; // cost from the work cell
    int32_t f; // g plus the estimated cost to the target
    int32_t col;
    int32_t row;
    uint8_t dir; // direction in which the previous cell of the path lies; 0 for the work cell
};

enum class ConnectionResult { NoTarget, NotFound, Found };

// Cell-list values of the work list: priorities, and marks of pads handled in the lap.
inline constexpr int32_t HandledAbove = 1100000;
inline constexpr int32_t RaisedAbove = 1500000;
inline constexpr int32_t NoTargetMark = 2000000;

class ApriZelta : public RoutingMethod {
public:
    // The estimate of the cost between two cells: 17.1 per diagonal step, 10 per straight one.
    static int32_t estimateCost(int32_t c1, int32_t r1, int32_t c2, int32_t r2) {
        int32_t dx = c2 > c1 ? c2 - c1 : c1 - c2;
        int32_t dy = r2 > r1 ? r2 - r1 : r1 - r2;
        int32_t m = dx < dy ? dx : dy;
        return (m * ClassicTuning::EstimateDiagonalHundredths) / 100 +
               (dx - m) * ClassicTuning::EstimateStraight + (dy - m) * ClassicTuning::EstimateStraight;
    }

    // Takes the options of the settings (fast laps, retargeting, bend and diagonal penalties).
    void readSettings();

    void beginRun() override;
    std::optional<LapOutcome> routeLap(RunControl& control, int32_t lapIndex) override;
    // Turns the lap's marks back into priorities and sorts the pads for the next lap.
    void endLap() override;

    bool pickWorkCell();
    ConnectionResult routeConnection(bool fastLap, int32_t& startEstimate);

    bool collectTargets();
    void chooseTarget(int32_t col, int32_t row);
    void markPath();

    void clearSearch();
    void openInsert(const nodo& node);
    bool openPop();
    int expandMove(int m);

    MethodLinks links;

    OpenList openList;
    ClosedList closedList;
    TargetList targetList;
    std::array<bool, NetSlots> routedNets{}; // nets with a successful connection in the current lap
    int32_t net = 0;
    int32_t workCol = 0;
    int32_t workRow = 0;
    int32_t targetCol = 0;
    int32_t targetRow = 0;
    nodo current{};
    nodo candidate{};
    int32_t handledPads = 0;
    int32_t fastLaps = 10;
    int32_t retargetEvery = 10;
    int32_t bendPenalty = -3;
    int32_t diagonalPenalty = -5;

private:
    void recalculateTarget(int32_t& startEstimate);
    // The steps a track of the current net may take without overlapping another net's pad copper
    // (none when the run has no copper to keep clear of).
    void choosePadSteps();
    GridStepRules padSteps_; // overlap only, by track width
    const StepOwners* netPadSteps_ = nullptr;
    int debug() const { return links.settings->debug; }
    // Writes a report line when the debug level asks for lines of this level.
    void report(int level, const char* format, ...) __attribute__((format(printf, 3, 4)));
};

} // namespace zelta
