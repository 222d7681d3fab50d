// Tracing the best lap into joined segments and writing them after the drawing.
#include "tracer/Tracciapiste.h"

#include <algorithm>

namespace zelta {

namespace {

bool sameEnd(int32_t xa, int32_t ya, int32_t xb, int32_t yb) {
    return xa == xb && ya == yb;
}

// Orientation of a step in direction d: 1 vertical, 2 rising, 3 horizontal, 4 falling.
uint8_t orientationOf(int d) {
    return static_cast<uint8_t>((d - 1) % 4 + 1);
}

// The part of a plane the tracer scans: columns and rows from 1 up to the board's size.
struct ScannedPlane {
    const int32_t* plane;
    int32_t cols;
    int32_t rows;

    int32_t at(int c, int r) const { return plane[GestScheda::index(c, r)]; }
    // Whether cell (c, r) lies in the scanned part and carries a track.
    bool scanned(int c, int r) const {
        if (c < 1 || c >= cols || r < 1 || r >= rows)
            return false;
        const int32_t v = at(c, r);
        return (v & OccupiedMask) != 0 && (v & TrackMask) != 0;
    }
    // Whether the step from (c, r) in direction d was already traced from its other cell.
    bool tracedBefore(int c, int r, int d) const {
        const int nc = c + Directions[d].dc;
        const int nr = r + Directions[d].dr;
        const bool earlier = nr < r || (nr == r && nc < c);
        return earlier && scanned(nc, nr) && (at(nc, nr) & Directions[Directions[d].opposite].bit) != 0;
    }
};

// Steps joined into segments as the scan meets them: a step that continues an open segment of
// the same orientation stretches it; segments wholly above the scan are closed in order.
struct SegmentJoiner {
    std::list<TrackSegment>::iterator findJoinable(const TrackSegment& segment);
    void addSegment(TrackSegment segment);
    void closeRows(int32_t pitch, int32_t limit);

    std::list<TrackSegment> openSegments;
    std::list<TrackSegment> doneSegments;
};

std::list<TrackSegment>::iterator SegmentJoiner::findJoinable(const TrackSegment& n) {
    for (auto it = openSegments.begin(); it != openSegments.end(); ++it) {
        const TrackSegment& f = *it;
        if (f.orientation != n.orientation)
            continue;
        if (sameEnd(f.x1, f.y1, n.x1, n.y1) || sameEnd(f.x1, f.y1, n.x2, n.y2) ||
            sameEnd(f.x2, f.y2, n.x1, n.y1) || sameEnd(f.x2, f.y2, n.x2, n.y2))
            return it;
    }
    return openSegments.end();
}

void SegmentJoiner::addSegment(TrackSegment n) {
    auto it = findJoinable(n);
    if (it != openSegments.end()) {
        // Stretch the new step over the open segment it continues; it keeps its own net and width.
        const TrackSegment& f = *it;
        if (sameEnd(f.x1, f.y1, n.x1, n.y1)) {
            n.x1 = f.x2;
            n.y1 = f.y2;
        } else if (sameEnd(f.x1, f.y1, n.x2, n.y2)) {
            n.x2 = f.x2;
            n.y2 = f.y2;
        } else if (sameEnd(f.x2, f.y2, n.x1, n.y1)) {
            n.x1 = f.x1;
            n.y1 = f.y1;
        } else {
            n.x2 = f.x1;
            n.y2 = f.y1;
        }
        openSegments.erase(it);
    }
    openSegments.push_back(n);
}

void SegmentJoiner::closeRows(int32_t pitch, int32_t limit) {
    if (limit < 1)
        return;
    const int64_t bound = int64_t{pitch} * limit;
    for (auto it = openSegments.begin(); it != openSegments.end();) {
        auto nextIt = std::next(it);
        if (it->y1 < bound && it->y2 < bound)
            doneSegments.splice(doneSegments.end(), openSegments, it);
        it = nextIt;
    }
}

} // namespace

std::list<TrackSegment> tracePlane(const int32_t* plane, int32_t cols, int32_t rows,
                                   const std::function<int32_t(int32_t net)>& widthOf, int32_t pitch) {
    SegmentJoiner joiner;
    const ScannedPlane scan{plane, std::min(cols, GridCols), std::min(rows, GridRows)};
    for (int r = 1; r < scan.rows; ++r) {
        for (int c = 1; c < scan.cols; ++c) {
            if (!scan.scanned(c, r))
                continue;
            const int32_t v = scan.at(c, r);
            for (int d = 1; d <= 8; ++d) {
                // Two paths of a net can record one step from both of its cells; it is traced
                // once, from the cell scanned first. Traced twice, the second copy would be
                // stretched over the first and shrink it, leaving a gap in the track.
                if ((v & Directions[d].bit) == 0 || scan.tracedBefore(c, r, d))
                    continue;
                const int32_t net = v & NetMask;
                joiner.addSegment({pitch * c, pitch * r, pitch * (c + Directions[d].dc),
                                   pitch * (r + Directions[d].dr), net, widthOf(net), orientationOf(d)});
            }
        }
        // Later steps lie in row r + 1 and below: segments wholly above row r - 2 are finished.
        joiner.closeRows(pitch, r - 2);
    }
    joiner.closeRows(pitch, 10000);
    return std::move(joiner.doneSegments);
}

int32_t TracciaPiste::widthFor(int32_t widthChoice, int32_t method) {
    return trackWidthFor(widthChoice, method);
}

WriteOutcome TracciaPiste::traceAndWrite(const std::string& path) {
    GestScheda& grid = *links.grid;
    GestoreFileFCD& fcd = *links.fcd;
    NetTable& nets = *links.netTable;
    // The router's plane is put aside and the best lap traced in its place; it is back on
    // every way out, so a stopped run can be resumed.
    grid.copyPlane(WorkPlane, SparePlane);
    grid.copyPlane(BestPlane, WorkPlane);
    const int32_t method = links.settings->metodo;
    const std::list<TrackSegment> segments = tracePlane(
        grid.plane(WorkPlane), links.settings->cols, links.settings->rows,
        [&nets, method](int32_t net) { return widthFor(nets[net], method); }, fcd.pitch);

    if (fcd.beginWrite(path)) {
        int32_t count = 0;
        for (const TrackSegment& s : segments) {
            fcd.writeSegment(s.x1, s.y1, s.x2, s.y2, s.width, 1, s.net);
            ++count;
        }
        // A wire link's width is that of a wire on the jumper layer, not of copper: as in the
        // classic's files whatever the method.
        if (links.bestJumpers)
            for (const Jumper& j : *links.bestJumpers)
                fcd.writeJumper(j, widthFor(nets[j.net], 0));
        if (fcd.finishWrite()) {
            links.sink->setText(Field::piste_out, std::to_string(count));
            fcd.endWrite();
        }
    }
    grid.copyPlane(SparePlane, WorkPlane);
    return fcd.writeOutcome;
}

} // namespace zelta
