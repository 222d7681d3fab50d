// The lap driver: runs a routing method lap after lap until told to quit, keeps the best lap in
// the best plane and writes the lap figures. The same for every routing method.
#pragma once

#include "core/File_ini.h"
#include "core/Init_obj.h"
#include "core/Jumper.h"
#include "core/ReportSink.h"
#include "router/RoutingMethod.h"
#include "router/RunControl.h"

#include <cstdint>

namespace zelta {

// The best value before any lap: every real lap beats it.
inline constexpr int32_t WorstValue = -999999;

class LapDriver {
public:
    struct Links {
        GestScheda* grid = nullptr;
        GestoreFileINI* settings = nullptr;
        ReportSink* sink = nullptr;        // called on the worker's thread
        JumperList* bestJumpers = nullptr; // the jumpers of the best lap, beside the best plane
    };

    // Routes lap after lap with method until control says to quit.
    void run(RoutingMethod& method, RunControl& control);

    Links links;
};

} // namespace zelta
