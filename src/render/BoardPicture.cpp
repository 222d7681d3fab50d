// Building the board picture: pads from the read, tracks traced from a copy of the best plane as
// the writer traces them, and what the lap left unconnected; and what lies under a point.
#include "render/BoardPicture.h"

#include "tracer/Tracciapiste.h"

#include <algorithm>
#include <cmath>

namespace zelta {

namespace {

double distanceToSegment(double x, double y, const PictureTrack& t) {
    const double dx = t.x2 - t.x1;
    const double dy = t.y2 - t.y1;
    const double length2 = dx * dx + dy * dy;
    double u = length2 > 0 ? ((x - t.x1) * dx + (y - t.y1) * dy) / length2 : 0;
    u = std::clamp(u, 0.0, 1.0);
    return std::hypot(x - (t.x1 + u * dx), y - (t.y1 + u * dy));
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
    picture.pads.reserve(fcd.placedPads.size());
    for (const PlacedPad& p : fcd.placedPads)
        picture.pads.push_back({p, false});
    picture.rats = ratLines(picture.pads, padGroups(picture.pads, nullptr));
    return picture;
}

std::vector<PictureTrack> planeTracks(const int32_t* plane, const NetTable& nets, int32_t cols, int32_t rows,
                                      int32_t originX, int32_t originY) {
    // The tracer's own segments, so the picture holds what the writer would write; the net table
    // is only looked up here, never added to.
    const std::list<TrackSegment> segments = tracePlane(plane, cols, rows, [&nets](int32_t net) {
        const auto choice = nets.find(net);
        return TracciaPiste::widthFor(choice == nets.end() ? 0 : choice->second);
    });
    std::vector<PictureTrack> tracks;
    tracks.reserve(segments.size());
    for (const TrackSegment& s : segments)
        tracks.push_back({originX + s.x1, originY + s.y1, originX + s.x2, originY + s.y2, s.width, s.net});
    return tracks;
}

void addBestLap(BoardPicture& picture, const int32_t* plane, const NetTable& nets,
                const JumperList& jumpers) {
    (void)jumpers;
    if (picture.empty())
        return;
    picture.tracks = planeTracks(plane, nets, picture.cols, picture.rows, picture.originX, picture.originY);
    const std::vector<int> groups = padGroups(picture.pads, plane);
    const std::vector<bool> unconnected = unconnectedPads(picture.pads, groups);
    for (size_t i = 0; i < picture.pads.size(); ++i)
        picture.pads[i].unconnected = unconnected[i];
    picture.rats = ratLines(picture.pads, groups);
    picture.routed = true;
}

int32_t netAt(const BoardPicture& picture, double x, double y, double slack) {
    // The last pad drawn is on top.
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
