// The track tracer: turns the track steps of the best lap into straight segments, joining
// consecutive steps of one direction, and has the writer put them after the drawing.
#pragma once

#include "app/Host.h"
#include "core/File_ini.h"
#include "core/Init_obj.h"
#include "fidocad/File_fcd.h"

#include <cstdint>
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
    void addSegment(TrackSegment segment);
    std::list<TrackSegment>::iterator findJoinable(const TrackSegment& segment);
    void closeRows(int32_t limit);

    Links links;
    std::list<TrackSegment> openSegments;
    std::list<TrackSegment> doneSegments;
    bool resultsReady = false;

private:
    void traceBest();
    // Whether cell (c, r) lies in the scanned part of the board and carries a track.
    bool scanned(int c, int r) const;
    // Whether the step from (c, r) in direction d was already traced from its other cell.
    bool tracedBefore(int c, int r, int d) const;
};

} // namespace zelta
