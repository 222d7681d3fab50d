// Small boards for router tests: the grid, work list, settings and host that a router works on,
// with pads placed the way the reader places them.
#pragma once

#include "core/DrawingCopper.h"
#include "core/File_ini.h"
#include "core/Init_obj.h"
#include "core/Lista_coo.h"
#include "router/LapDriver.h"
#include "router/classic/Aprizelta.h"
#include "support/ScriptedHost.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace zelta::testing {

// A recording host that can also look at the router's state as each report line arrives.
class WatchingHost : public ScriptedHost {
public:
    void reportLine(const std::string& text) override {
        ScriptedHost::reportLine(text);
        if (onLine)
            onLine(text);
    }
    std::function<void(const std::string&)> onLine;
};

struct TestBoard {
    TestBoard(int32_t cols, int32_t rows, int32_t debug = 0) : settings("") {
        settings.cols = cols;
        settings.rows = rows;
        settings.debug = debug;
    }

    // Centre net | PadCentre, the other cells of the (2 hx + 1) x (2 hy + 1) block net | PadArea,
    // both by assignment and clipped to the grid; a pad with a net gets a work-list entry.
    // Written into the base plane and the work plane alike.
    void pad(int32_t c, int32_t r, int32_t net, int32_t hx = 1, int32_t hy = 1) {
        for (int plane : {BasePlane, WorkPlane}) {
            grid->cell(plane, c, r) = net | PadCentre;
            for (int32_t i = std::max(0, c - hx); i <= std::min(GridCols - 1, c + hx); ++i)
                for (int32_t j = std::max(0, r - hy); j <= std::min(GridRows - 1, r + hy); ++j)
                    if (i != c || j != r)
                        grid->cell(plane, i, j) = net | PadArea;
        }
        if (net != 0)
            workList.append(c, r, NeutralPriority);
    }
    // A pad with real copper, as the reader places a pad record at (10 c, 10 r) with its size and
    // style: its area from its size, and its copper for the router to keep other nets' tracks off.
    void copperPad(int32_t c, int32_t r, int32_t net, int32_t sx, int32_t sy, int32_t style) {
        pad(c, r, net, (std::abs(sx) + 8) / 20, (std::abs(sy) + 8) / 20);
        placed.push_back({10 * c, 10 * r, sx, sy, 5, style, net, c, r});
        copper.pads = &placed;
    }
    // A bare cell value in both planes (tracks, obstacles).
    void set(int32_t c, int32_t r, int32_t value) {
        grid->cell(BasePlane, c, r) = value;
        grid->cell(WorkPlane, c, r) = value;
    }
    int32_t work(int32_t c, int32_t r) const { return grid->cell(WorkPlane, c, r); }
    int32_t best(int32_t c, int32_t r) const { return grid->cell(BestPlane, c, r); }

    std::unique_ptr<GestScheda> grid = std::make_unique<GestScheda>();
    ListaCoord workList;
    std::vector<PlacedPad> placed;
    DrawingCopper copper;
    NetTable nets;
    GestoreFileINI settings;
    WatchingHost host;
};

// The production router wired to a test board, with the options given.
struct BoardRouter {
    BoardRouter(TestBoard& board, int32_t fastLaps = 0, int32_t retargetEvery = 0, int32_t bendPenalty = 0,
                int32_t diagonalPenalty = 0) {
        router.links = {board.grid.get(), &board.workList, &board.settings, &board.host,
                        nullptr,          &board.copper,   &board.nets};
        router.fastLaps = fastLaps;
        router.retargetEvery = retargetEvery;
        router.bendPenalty = bendPenalty;
        router.diagonalPenalty = diagonalPenalty;
    }
    ApriZelta router;
};

// Runs the lap loop around the production router on this thread, as the processing thread does.
inline void runRouter(ApriZelta& router, RunControl& control) {
    LapDriver driver;
    driver.links = {router.links.grid, router.links.settings, router.links.sink};
    driver.run(router, control);
}

// Runs the router's lap loop on this thread for the given number of laps; each lap's figures are
// passed to lapEnd (if any) and returned.
inline std::vector<LapFigures> runLaps(ApriZelta& router, int laps,
                                       std::function<void(const LapFigures&)> lapEnd = {}) {
    std::vector<LapFigures> figures;
    RunControl control;
    control.onLapEnd = [&](const LapFigures& lap) {
        figures.push_back(lap);
        if (lapEnd)
            lapEnd(lap);
        if (lap.laps >= laps)
            control.quit();
    };
    runRouter(router, control);
    return figures;
}

} // namespace zelta::testing
