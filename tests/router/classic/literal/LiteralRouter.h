// A plain, step-by-step router with the simplest structures that can hold its rules: sorted linked
// open list with linear insertion, closed list searched from the front, cell list for the targets.
// It is the reference that the fast router is compared with, in the tests and the benchmarks.
#pragma once

#include "core/File_ini.h"
#include "core/Init_obj.h"
#include "core/Lista_coo.h"
#include "core/ReportSink.h"
#include "router/RunControl.h"

#include <cstdint>
#include <list>
#include <map>
#include <string>
#include <vector>

namespace zelta::literal {

struct nodo {
    int32_t g;
    int32_t f;
    int32_t col;
    int32_t row;
    uint8_t dir;
};

enum class ConnectionResult { NoTarget, NotFound, Found };

class LiteralRouter {
public:
    LiteralRouter(GestScheda& grid, ListaCoord& workList, const GestoreFileINI& settings, ReportSink& host)
        : grid_(grid), workList_(workList), settings_(settings), host_(host) {}

    static int32_t estimateCost(int32_t c1, int32_t r1, int32_t c2, int32_t r2);

    // Laps without end; returns when control.checkpoint() says so (checked before every pick of
    // a work cell). control.onLapEnd is called at the end of every lap, onBestImproved after
    // every copy into the best plane.
    void run(RunControl& control);
    bool pickWorkCell();
    ConnectionResult routeConnection(bool fastLap, int32_t& startEstimate);

    bool collectTargets();
    void chooseTarget(int32_t col, int32_t row);
    void markPath();

    void clearSearch();
    void openInsert(nodo node);
    bool openPop();
    int expandMove(int m);

    std::list<nodo> openList;
    std::list<nodo> closedList;
    std::list<int32_t> routedNets;
    std::string statusText;
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

    ListaCoord targetList;

    // The pads' real copper, in units from the board's origin (sizes as drawn, style 0 oval, 1
    // rectangle, 2 rounded rectangle), and the width choice of each net: a track step whose
    // copper would overlap a pad of another net is not taken.
    struct CopperPad {
        int32_t x, y, sx, sy, style, net;
    };
    std::vector<CopperPad> copperPads;
    std::map<int32_t, int32_t> widthChoices;

private:
    int32_t& work(int32_t c, int32_t r) { return grid_.cell(WorkPlane, c, r); }
    void recalculateTarget(int32_t& startEstimate);
    bool overlapsForeignPad(int32_t c0, int32_t r0, int32_t c, int32_t r) const;
    void report(int level, const std::string& text);

    GestScheda& grid_;
    ListaCoord& workList_;
    const GestoreFileINI& settings_;
    ReportSink& host_;
};

// The reference router runs its own lap loop.
inline void runRouter(LiteralRouter& router, RunControl& control) {
    router.run(control);
}

} // namespace zelta::literal
