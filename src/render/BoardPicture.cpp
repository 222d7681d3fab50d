// Building the board picture: pads and jumpers from the read, tracks traced from a copy of the
// best plane as the writer traces them, the lap's jumpers with their pads, and what the lap left
// unconnected; and what lies under a point.
#include "render/BoardPicture.h"

#include "core/Units.h"
#include "tracer/Tracciapiste.h"

#include <algorithm>
#include <cmath>

namespace zelta {

namespace {

template <typename Line> double distanceToSegment(double x, double y, const Line& t) {
    const double dx = double(t.x2) - t.x1;
    const double dy = double(t.y2) - t.y1;
    const double length2 = dx * dx + dy * dy;
    double u = length2 > 0 ? ((x - t.x1) * dx + (y - t.y1) * dy) / length2 : 0;
    u = std::clamp(u, 0.0, 1.0);
    return std::hypot(x - (t.x1 + u * dx), y - (t.y1 + u * dy));
}

// The pad of net whose centre is on cell (col, row); the first of them, as a jumper's end in a
// drawing takes the first pad of its net there. pads.size() where there is none.
size_t padOnCell(const std::vector<PicturePad>& pads, int32_t net, int32_t col, int32_t row) {
    for (size_t i = 0; i < pads.size(); ++i)
        if (pads[i].net == net && pads[i].col == col && pads[i].row == row)
            return i;
    return pads.size();
}

} // namespace

int BoardPicture::unconnectedCount() const {
    return static_cast<int>(
        std::count_if(pads.begin(), pads.end(), [](const PicturePad& p) { return p.unconnected; }));
}

BoardPicture padsPicture(const GestoreFileFCD& fcd, const GestoreFileINI& settings) {
    BoardPicture picture;
    if (!fcd.readComplete)
        return picture;
    picture.originX = fcd.originX;
    picture.originY = fcd.originY;
    picture.width = settings.boardWidth;
    picture.height = settings.boardHeight;
    picture.cols = settings.cols;
    picture.rows = settings.rows;
    picture.pitch = fcd.pitch;
    picture.pads.reserve(fcd.placedPads.size());
    for (const PlacedPad& p : fcd.placedPads)
        picture.pads.push_back({p, false});
    picture.jumperDrill = fcd.jumperDrill();
    // The read found each jumper's ends on the centres of pads it placed.
    for (const Jumper& j : fcd.existingJumpers) {
        const size_t a = padOnCell(picture.pads, j.net, j.col1, j.row1);
        const size_t b = padOnCell(picture.pads, j.net, j.col2, j.row2);
        if (a < picture.pads.size() && b < picture.pads.size())
            picture.jumpers.push_back(
                {picture.pads[a].x, picture.pads[a].y, picture.pads[b].x, picture.pads[b].y, j.net});
    }
    for (const KeptTrack& t : fcd.keptTracks)
        picture.tracks.push_back({t.x1, t.y1, t.x2, t.y2, t.width, t.net});
    picture.drawnTracks = picture.tracks.size();
    picture.keptJoins = fcd.keptJoins;
    picture.rats =
        ratLines(picture.pads, padGroups(picture.pads, nullptr, picture.jumpers, picture.keptJoins));
    return picture;
}

std::vector<PictureTrack> planeTracks(const int32_t* plane, const NetTable& nets, int32_t cols, int32_t rows,
                                      int32_t originX, int32_t originY, int32_t method, int32_t pitch) {
    // The tracer's own segments, so the picture holds what the writer would write; the net table
    // is only looked up here, never added to.
    const std::list<TrackSegment> segments = tracePlane(
        plane, cols, rows,
        [&nets, method](int32_t net) {
            const auto choice = nets.find(net);
            return TracciaPiste::widthFor(choice == nets.end() ? 0 : choice->second, method);
        },
        pitch);
    std::vector<PictureTrack> tracks;
    tracks.reserve(segments.size());
    for (const TrackSegment& s : segments)
        tracks.push_back({originX + s.x1, originY + s.y1, originX + s.x2, originY + s.y2, s.width, s.net});
    return tracks;
}

void addBestLap(BoardPicture& picture, const int32_t* plane, const NetTable& nets, const JumperList& jumpers,
                int32_t method) {
    if (picture.empty())
        return;
    const std::vector<PictureTrack> routed = planeTracks(
        plane, nets, picture.cols, picture.rows, picture.originX, picture.originY, method, picture.pitch);
    picture.tracks.resize(picture.drawnTracks);
    picture.tracks.insert(picture.tracks.end(), routed.begin(), routed.end());
    // Each end on its net's pad where the drawing has one there, else on a pad of its own, as the
    // writer will put it.
    const auto endAt = [&picture](int32_t net, int32_t col, int32_t row) {
        const size_t i = padOnCell(picture.pads, net, col, row);
        if (i < picture.pads.size())
            return std::pair{picture.pads[i].x, picture.pads[i].y};
        const int32_t x = picture.originX + cellToUnits(col, picture.pitch);
        const int32_t y = picture.originY + cellToUnits(row, picture.pitch);
        PicturePad pad{{x, y, JumperPadSize, JumperPadSize, picture.jumperDrill, 0, net, col, row}};
        pad.laidWithJumper = true;
        picture.pads.push_back(pad);
        return std::pair{x, y};
    };
    for (const Jumper& j : jumpers) {
        const auto [x1, y1] = endAt(j.net, j.col1, j.row1);
        const auto [x2, y2] = endAt(j.net, j.col2, j.row2);
        picture.jumpers.push_back({x1, y1, x2, y2, j.net});
    }
    const std::vector<int> groups = padGroups(picture.pads, plane, picture.jumpers, picture.keptJoins);
    const std::vector<bool> unconnected = unconnectedPads(picture.pads, groups);
    for (size_t i = 0; i < picture.pads.size(); ++i)
        picture.pads[i].unconnected = unconnected[i];
    picture.rats = ratLines(picture.pads, groups);
    picture.routed = true;
}

int jumperAt(const BoardPicture& picture, double x, double y, double slack) {
    // The last wire drawn is on top.
    for (size_t i = picture.jumpers.size(); i-- > 0;)
        if (distanceToSegment(x, y, picture.jumpers[i]) <= JumperWireWidth / 2 + slack)
            return static_cast<int>(i);
    return -1;
}

int32_t netAt(const BoardPicture& picture, double x, double y, double slack) {
    // The wires are drawn over the copper; the last pad drawn is on top of the pads.
    if (const int j = jumperAt(picture, x, y, slack); j >= 0)
        return picture.jumpers[j].net;
    for (auto it = picture.pads.rbegin(); it != picture.pads.rend(); ++it)
        if (std::abs(x - it->x) <= std::abs(it->sizeX) / 2.0 + slack &&
            std::abs(y - it->y) <= std::abs(it->sizeY) / 2.0 + slack)
            return it->net;
    for (auto it = picture.tracks.rbegin(); it != picture.tracks.rend(); ++it)
        if (distanceToSegment(x, y, *it) <= it->width / 2.0 + slack)
            return it->net;
    return -1;
}

} // namespace zelta
