// The track tracer: turns the track steps of the best lap into straight segments, joining
// consecutive steps of one direction, and has the writer put them after the drawing.
#pragma once

#include "core/File_ini.h"
#include "core/Init_obj.h"
#include "core/Jumper.h"
#include "core/ReportSink.h"
#include "fidocad/File_fcd.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <list>
#include <string>

namespace zelta {

struct TrackSegment {
    int32_t x1;
    int32_t y1;
    int32_t x2;
    int32_t y2;
    int32_t net;
    int32_t width;
    // 1 vertical, 2 rising diagonal, 3 horizontal, 4 falling diagonal
    uint8_t orientation;
};

// The track steps of plane in the scanned part of a cols x rows board, joined into segments in
// the order the writer writes them (grid coordinates times the pitch, no drawing origin); widthOf
// gives the FidoCAD width of a net's tracks. The save and the board pictures both trace with it.
std::list<TrackSegment> tracePlane(const int32_t* plane, int32_t cols, int32_t rows,
                                   const std::function<int32_t(int32_t net)>& widthOf,
                                   int32_t pitch = CoarsePitch);

class TracciaPiste {
public:
    struct Links {
        GestScheda* grid = nullptr;
        NetTable* netTable = nullptr;
        GestoreFileFCD* fcd = nullptr;
        GestoreFileINI* settings = nullptr;
        ReportSink* sink = nullptr;
        const JumperList* bestJumpers = nullptr; // written after the tracks
    };

    // FidoCAD width of a net's width choice with the routing method: with the classic "0,25" is
    // 2 units, every other choice 4, no choice 1; the other methods lay the width chosen.
    static int32_t widthFor(int32_t widthChoice, int32_t method);

    // Writes the drawing with the best lap's tracks to path.
    WriteOutcome traceAndWrite(const std::string& path);

    Links links;
    // A lap has ended since the last read: there is something to save. Set by the worker.
    std::atomic<bool> resultsReady = false;
};

} // namespace zelta
