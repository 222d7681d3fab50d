// An independent check of a routed drawing: which pads its tracks and jumpers join, net by net,
// and every place where copper of two nets meets. It works on the file's geometry alone.
#pragma once

#include "fidocad/FcdDrawing.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace zelta {

struct NetCheck {
    int32_t net;
    int pads;
    int joined; // pads in the largest group of the net
    bool complete;
};

struct ShortCheck {
    std::vector<int32_t> nets;
    std::vector<std::pair<int32_t, int32_t>> points; // where copper of two nets meets
};

struct JumperCheck {
    int32_t net;
    int32_t x1;
    int32_t y1;
    int32_t x2;
    int32_t y2;
    int32_t length; // in units, rounded
};

struct CheckResult {
    std::vector<NetCheck> nets; // ascending net number; net 0 is not a net
    std::vector<ShortCheck> shorts;
    std::vector<JumperCheck> jumpers; // in the order of their wires
    int netsComplete = 0;
    int padsUnconnected = 0;
};

CheckResult checkDrawing(const FcdDrawing& drawing);
std::string checkReportText(const CheckResult& result);
std::string checkReportJson(const CheckResult& result);

} // namespace zelta
