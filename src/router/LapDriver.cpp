// The lap loop shared by the routing methods: scoring, the best plane, the lap figures.
#include "router/LapDriver.h"

#include "core/Messages.h"
#include "core/Report.h"

#include <string>

namespace zelta {

void LapDriver::run(RoutingMethod& method, RunControl& control) {
    GestScheda& grid = *links.grid;
    ReportSink& sink = *links.sink;

    method.beginRun();
    if (links.bestJumpers)
        links.bestJumpers->clear();
    int32_t laps = 0;
    int32_t idleLaps = 0;
    int32_t bestValue = WorstValue;

    while (control.checkpoint()) {
        const std::optional<LapOutcome> lap = method.routeLap(control, laps);
        if (!lap)
            break;

        ++laps;
        ++idleLaps;
        if (reportsAt(links.settings->debug, 1))
            sink.reportLine(strprintf(msg::LapEnd, lap->value, bestValue, lap->failures, lap->handledPads));
        const bool improved = lap->value > bestValue;
        if (improved) {
            bestValue = lap->value;
            idleLaps = 0;
            grid.copyPlane(WorkPlane, BestPlane);
            if (links.bestJumpers)
                *links.bestJumpers = method.lapJumpers();
            // A lap can end with one found connection and one handled pad (when other pads'
            // areas covered the pad centres of its net): no score to divide then.
            if (lap->score)
                sink.setText(Field::valore, std::to_string(*lap->score));
            else if (lap->value >= 1 && lap->handledPads - 1 != 0)
                sink.setText(Field::valore, std::to_string(lap->value / (lap->handledPads - 1)));
            else
                sink.setText(Field::valore, msg::NoScore);
            sink.setText(Field::piazzscoll, std::to_string(lap->failures));
            if (links.settings->ponticelli || lap->jumpers > 0)
                sink.setText(Field::ponticelli, std::to_string(lap->jumpers));
        }
        sink.setText(Field::ciclitot, std::to_string(laps));
        sink.setText(Field::ciclivuoto, std::to_string(idleLaps));

        method.endLap();

        if (improved && control.onBestImproved)
            control.onBestImproved(grid.plane(BestPlane), method.lapJumpers());
        if (control.onLapEnd)
            control.onLapEnd({laps, idleLaps, lap->value, bestValue, lap->failures, lap->handledPads,
                              improved, lap->done});
    }
    control.workerFinished();
}

} // namespace zelta
