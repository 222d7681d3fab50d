// One lap of the priority router: routes every pad of the work list in priority order, scores
// the lap, and afterwards re-prioritises the pads for the next one.
#include "router/classic/Aprizelta.h"

#include "core/Messages.h"
#include "core/Report.h"
#include "core/Units.h"

#include <algorithm>
#include <climits>
#include <cstdarg>
#include <string>

namespace zelta {

void ApriZelta::report(int level, const char* format, ...) {
    if (!reportsAt(debug(), level))
        return;
    va_list args;
    va_start(args, format);
    std::string line = vstrprintf(format, args);
    va_end(args);
    links.sink->reportLine(line);
}

bool ApriZelta::pickWorkCell() {
    coord e{0, 0, 0};
    links.workList->firstAtMost(HandledAbove, e);
    workCol = e.col;
    workRow = e.row;
    if (workCol == 0 || workRow == 0) {
        report(2, "%s", msg::NoMoreWork);
        return false;
    }
    net = links.grid->cell(WorkPlane, workCol, workRow) & NetMask;
    choosePadSteps();
    report(2, msg::PickedWork, workCol, workRow, net);
    return true;
}

namespace {

// A priority less the neutral one, held at the smallest number: the entries of a cell that many
// pads share lose it once per pad at the end of every lap.
int32_t aged(int32_t value) {
    return value < INT32_MIN + NeutralPriority ? INT32_MIN : value - NeutralPriority;
}

} // namespace

void ApriZelta::readSettings() {
    const GestoreFileINI& ini = *links.settings;
    fastLaps = fastLapsFor(ini.giriv);
    retargetEvery = retargetEveryFor(ini.ricalct);
    bendPenalty = bendPenaltyFor(ini.pcurva);
    diagonalPenalty = diagonalPenaltyFor(ini.pdiag);
}

void ApriZelta::beginRun() {
    links.workList->rewriteValues([](int32_t) { return NeutralPriority; });
    if (links.copper != nullptr && links.copper->pads != nullptr)
        padSteps_.begin(*links.copper, {0, true});
}

void ApriZelta::choosePadSteps() {
    netPadSteps_ = nullptr;
    if (links.copper == nullptr || links.copper->pads == nullptr || links.netTable == nullptr)
        return;
    const auto choice = links.netTable->find(net);
    netPadSteps_ =
        &padSteps_.forWidth(classicTrackWidth(choice == links.netTable->end() ? 0 : choice->second));
}

std::optional<LapOutcome> ApriZelta::routeLap(RunControl& control, int32_t lapIndex) {
    ListaCoord& workList = *links.workList;
    links.grid->copyPlane(BasePlane, WorkPlane);
    routedNets.fill(false);
    handledPads = 0;
    LapOutcome lap;

    for (;;) {
        if (!control.checkpoint())
            return std::nullopt;
        if (!pickWorkCell())
            break;
        int32_t startEstimate = 0;
        ConnectionResult result = routeConnection(lapIndex < fastLaps, startEstimate);
        if (result == ConnectionResult::NoTarget) {
            workList.setValue(workCol, workRow, NoTargetMark);
            continue;
        }
        int32_t delta;
        if (result == ConnectionResult::Found) {
            delta = -(candidate.f / startEstimate);
            report(2, "%s", msg::ConnectionFound);
        } else {
            delta = ClassicTuning::FailedDelta;
            ++lap.failures;
            report(2, "%s", msg::ConnectionNotFound);
        }
        ++handledPads;
        lap.value += delta + ClassicTuning::PadValue;
        coord pad{workCol, workRow, 0};
        workList.find(pad);
        const int64_t v = std::max<int64_t>(int64_t{pad.value} + delta, 1);
        workList.setValue(workCol, workRow, static_cast<int32_t>(v) + NeutralPriority);
    }
    lap.handledPads = handledPads;
    return lap;
}

void ApriZelta::endLap() {
    ListaCoord& workList = *links.workList;
    workList.rewriteValues(aged);
    workList.sortByValue();
}

} // namespace zelta
