// The lap driver: routes every pad of the work list in priority order, scores the lap, keeps
// the best lap and re-prioritises the pads for the next one. It runs until told to quit.
#include "router/Aprizelta.h"

#include "core/Messages.h"
#include "core/Report.h"

#include <cstdarg>

namespace zelta {

void ApriZelta::report(int level, const char* format, ...) {
    if (!reportsAt(debug(), level))
        return;
    va_list args;
    va_start(args, format);
    std::string line = vstrprintf(format, args);
    va_end(args);
    links.host->reportLine(line);
}

bool ApriZelta::pickWorkCell() {
    coord e{0, 0, 0};
    bool more = links.workList->first(e);
    while (more && e.value > HandledAbove)
        more = links.workList->next(e);
    workCol = e.col;
    workRow = e.row;
    if (workCol == 0 || workRow == 0) {
        report(2, "%s", msg::NoMoreWork);
        return false;
    }
    net = links.grid->cell(WorkPlane, workCol, workRow) & NetMask;
    report(2, msg::PickedWork, workCol, workRow, net);
    return true;
}

namespace {

// Walks the list and gives each entry a value computed from the one it reads. Two entries of
// one cell share every setValue, so each visit changes both.
template <class F> void rewriteValues(ListaCoord& list, F newValue) {
    coord e{0, 0, 0};
    for (bool more = list.first(e); more; more = list.next(e))
        list.setValue(e.col, e.row, newValue(e.value));
}

} // namespace

void ApriZelta::run(RunControl& control) {
    ListaCoord& workList = *links.workList;
    GestScheda& grid = *links.grid;
    Host& host = *links.host;

    rewriteValues(workList, [](int32_t) { return NeutralPriority; });
    int32_t laps = 0;
    int32_t idleLaps = 0;
    int32_t bestValue = WorstValue;

    while (control.checkpoint()) {
        grid.copyPlane(BasePlane, WorkPlane);
        routedNets.fill(false);
        handledPads = 0;
        int32_t lapValue = 0;
        int32_t failures = 0;

        for (;;) {
            if (!control.checkpoint()) {
                control.workerFinished();
                return;
            }
            if (!pickWorkCell())
                break;
            int32_t startEstimate = 0;
            ConnectionResult result = routeConnection(laps < fastLaps, startEstimate);
            if (result == ConnectionResult::NoTarget) {
                workList.setValue(workCol, workRow, NoTargetMark);
                continue;
            }
            int32_t delta;
            if (result == ConnectionResult::Found) {
                delta = -(candidate.f / startEstimate);
                report(2, "%s", msg::ConnectionFound);
            } else {
                delta = -300;
                ++failures;
                report(2, "%s", msg::ConnectionNotFound);
            }
            ++handledPads;
            lapValue += delta + 101;
            coord pad{workCol, workRow, 0};
            workList.find(pad);
            int32_t v = pad.value + delta;
            if (v < 1)
                v = 1;
            workList.setValue(workCol, workRow, v + NeutralPriority);
        }

        ++laps;
        ++idleLaps;
        report(1, msg::LapEnd, lapValue, bestValue, failures, handledPads);
        const bool improved = lapValue > bestValue;
        if (improved) {
            bestValue = lapValue;
            idleLaps = 0;
            grid.copyPlane(WorkPlane, BestPlane);
            // A lap can end with one found connection and one handled pad (when other pads'
            // areas covered the pad centres of its net): no score to divide then.
            if (lapValue >= 1 && handledPads - 1 != 0)
                host.setText(Field::valore, std::to_string(lapValue / (handledPads - 1)));
            else
                host.setText(Field::valore, msg::NoScore);
            host.setText(Field::piazzscoll, std::to_string(failures));
        }
        host.setText(Field::ciclitot, std::to_string(laps));
        host.setText(Field::ciclivuoto, std::to_string(idleLaps));

        rewriteValues(workList, [](int32_t v) { return v - NeutralPriority; });
        workList.sortByValue();

        if (improved && control.onBestImproved)
            control.onBestImproved(grid.plane(BestPlane));
        if (control.onLapEnd)
            control.onLapEnd({laps, idleLaps, lapValue, bestValue, failures, handledPads, improved});
    }
    control.workerFinished();
}

} // namespace zelta
