// How good the result of a batch route is, in the figures a person judges a board by: one line on
// standard error after the write, and the same figures with what the run was in a JSON file.
#pragma once

#include "app/SaveVerdict.h"

#include <cstdint>
#include <string>

namespace zelta::cli {

// A figure that could not be found is -1: "-" in the line, null in the JSON file.
struct RunSummary {
    int connectionsOpen = -1; // the connections the best lap left open
    // From the check of the written drawing.
    int padsUnconnected = -1;
    int jumpers = -1;
    int shorts = -1;
    int clearanceViolations = -1; // pairs of copper of two nets closer than the clearance
};

// What the run was, for the JSON file.
struct RunFacts {
    std::string output;
    bool written = false;
    int exitStatus = 0;
    int32_t method = 0; // the setting metodo
    bool jumperMode = false;
    int32_t laps = 0;
    int32_t bestLap = 0; // 0 when no lap ended
    double seconds = 0;  // of routing
};

// Whether the drawing written at path can be read back for a check: a regular file (a device
// reads nothing, a pipe would wait for a writer).
bool canCheckWritten(const std::string& path);
// The figures of the check of the drawing written (none when it was not checked), and the
// connections the best lap left open.
RunSummary summarizeResult(const SaveVerdict& verdict, int connectionsOpen);
std::string summaryLine(const RunSummary& summary);
std::string summaryJson(const RunSummary& summary, const RunFacts& facts);

} // namespace zelta::cli
