// The track tracer: turns the track steps of the best lap into straight segments, joining
// consecutive steps of one direction, and has the writer put them after the drawing.
#pragma once

#include "app/Host.h"
#include "core/File_ini.h"
#include "core/Init_obj.h"
#include "fidocad/File_fcd.h"

#include <cstdint>
#include <functional>
#include <list>

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

class TracciaPiste {
public:
    struct Links {
        GestScheda* grid = nullptr;
        NetTable* netTable = nullptr;
        GestoreFileFCD* fcd = nullptr;
        GestoreFileINI* settings = nullptr;
        Host* host = nullptr;
    };

    // FidoCAD width of a net's width choice: "0,25" is 2 units, every other choice 4, no choice 1.
    static int32_t widthFor(int32_t widthChoice);

    // The save command: refused until a routing lap has ended.
    void save();
    void traceAndWrite();
    // Traces the track steps of plane in the scanned part of a cols x rows board into
    // doneSegments, joined as they are written (grid coordinates times ten, no drawing origin);
    // widthOf gives the FidoCAD width of a net's tracks.
    void tracePlane(const int32_t* plane, int32_t cols, int32_t rows,
                    const std::function<int32_t(int32_t net)>& widthOf);
    void addSegment(TrackSegment segment);
    std::list<TrackSegment>::iterator findJoinable(const TrackSegment& segment);
    void closeRows(int32_t limit);

    Links links;
    std::list<TrackSegment> openSegments;
    std::list<TrackSegment> doneSegments;
    bool resultsReady = false;
};

} // namespace zelta
