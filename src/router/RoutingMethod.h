// One lap of a routing method. The lap driver around it counts the laps, keeps the best lap and
// shows the figures, so a method only routes the board once per call.
#pragma once

#include "core/DrawingCopper.h"
#include "core/File_ini.h"
#include "core/Init_obj.h"
#include "core/Jumper.h"
#include "core/Lista_coo.h"
#include "core/ReportSink.h"
#include "router/RunControl.h"

#include <cstdint>
#include <optional>

namespace zelta {

class BoardModel;

// What every method works on. The objects must outlive the method built on them.
struct MethodLinks {
    GestScheda* grid = nullptr;
    ListaCoord* workList = nullptr;
    GestoreFileINI* settings = nullptr;
    ReportSink* sink = nullptr;                  // called on the worker's thread
    const JumperList* existingJumpers = nullptr; // the drawing's, joined already
    // The pads' real copper, which no track of another net may overlap, and each net's track
    // width choice.
    const DrawingCopper* copper = nullptr;
    const NetTable* netTable = nullptr;
    // The cells that the drawing's kept tracks join, as pairs of pad centres of one net.
    const JumperList* keptJoins = nullptr;
};

// What one lap achieved, as the driver scores and shows it.
struct LapOutcome {
    int32_t value = 0;       // higher is better; the best lap is the one with the highest value
    int32_t failures = 0;    // shown as the unconnected pads of the best lap
    int32_t handledPads = 0; // the pads the lap handled
    int32_t jumpers = 0;     // jumpers on the board: the drawing's and those the lap laid
    // The score shown for the lap, in the method's own terms; without one, the classic's:
    // value / (handledPads - 1).
    std::optional<int32_t> score;
    // No later lap can do better (every connection was made, or the method has nothing left
    // to try): the run may stop here.
    bool done = false;
};

class RoutingMethod {
public:
    virtual ~RoutingMethod() = default;
    // Once, before the first lap of a run.
    virtual void beginRun() = 0;
    // Routes one lap from the base plane into the work plane. Calls control.checkpoint() only
    // where the grid and the lists are consistent, and returns nothing when it says to quit.
    virtual std::optional<LapOutcome> routeLap(RunControl& control, int32_t lapIndex) = 0;
    // After the driver has scored the lap and kept it if it was the best.
    virtual void endLap() {}
    // The jumpers of the lap just routed, whose pads are in the work plane; kept with it when
    // the lap is the best.
    virtual const JumperList& lapJumpers() const {
        static const JumperList none;
        return none;
    }
    // Whether the method keeps the clearance (isolamento) between copper of two nets, rather than
    // only keeping them from overlapping; the jumper pass then keeps it as well.
    virtual bool keepsClearance() const { return false; }
    // Whether the method can lay its laps out around jumpers given to it (seedJumpers).
    virtual bool takesSeededJumpers() const { return false; }
    // Jumpers that the following laps take as part of the board: their pads as pads of their
    // net, their two ends joined already, and in the work plane of every lap.
    virtual void seedJumpers(const JumperList& jumpers) { (void)jumpers; }
    // The board model the method built for the run, with the rules it keeps; none for a method
    // that routes on the planes alone.
    virtual const BoardModel* boardModel() const { return nullptr; }
};

} // namespace zelta
