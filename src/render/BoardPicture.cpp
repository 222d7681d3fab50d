// Building the board picture: pads from the read, tracks traced from a copy of the best plane as
// the writer traces them, and the pads a lap left unconnected, found by joining cells through
// track steps.
#include "render/BoardPicture.h"

#include "tracer/Tracciapiste.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <numeric>

namespace zelta {

namespace {

bool inGrid(int c, int r) {
    return c >= 0 && c < GridCols && r >= 0 && r < GridRows;
}

// Cells joined by track steps, with a union-find over the whole plane.
class CellGroups {
public:
    explicit CellGroups(const int32_t* plane) : parent_(PlaneCells) {
        std::iota(parent_.begin(), parent_.end(), 0);
        for (int c = 0; c < GridCols; ++c)
            for (int r = 0; r < GridRows; ++r) {
                const int32_t v = plane[GestScheda::index(c, r)];
                for (int d = 1; d <= 8; ++d) {
                    const int nc = c + Directions[d].dc;
                    const int nr = r + Directions[d].dr;
                    if ((v & Directions[d].bit) != 0 && inGrid(nc, nr))
                        join(GestScheda::index(c, r), GestScheda::index(nc, nr));
                }
            }
    }
    int root(int i) {
        while (parent_[i] != i)
            i = parent_[i] = parent_[parent_[i]];
        return i;
    }

private:
    void join(int a, int b) { parent_[root(a)] = root(b); }
    std::vector<int> parent_;
};

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

std::vector<bool> unconnectedPads(const std::vector<PicturePad>& pads, const int32_t* plane) {
    CellGroups groups(plane);
    // Per net: the pads in each group, and the group that came first for ties.
    struct GroupCount {
        int pads = 0;
        size_t firstPad = 0;
    };
    std::map<int32_t, std::map<int, GroupCount>> byNet;
    std::vector<int> groupOf(pads.size(), -1);
    for (size_t i = 0; i < pads.size(); ++i) {
        const PicturePad& p = pads[i];
        if (p.net == 0 || !inGrid(p.col, p.row))
            continue;
        groupOf[i] = groups.root(GestScheda::index(p.col, p.row));
        GroupCount& g = byNet[p.net][groupOf[i]];
        if (g.pads++ == 0)
            g.firstPad = i;
    }
    std::map<int32_t, int> largest;
    for (const auto& [net, byGroup] : byNet) {
        const GroupCount* best = nullptr;
        int bestGroup = -1;
        for (const auto& [group, count] : byGroup)
            if (!best || count.pads > best->pads ||
                (count.pads == best->pads && count.firstPad < best->firstPad)) {
                best = &count;
                bestGroup = group;
            }
        largest[net] = bestGroup;
    }
    std::vector<bool> result(pads.size(), false);
    for (size_t i = 0; i < pads.size(); ++i)
        if (groupOf[i] >= 0)
            result[i] = groupOf[i] != largest[pads[i].net];
    return result;
}

void addBestLap(BoardPicture& picture, const int32_t* plane, const NetTable& nets) {
    if (picture.empty())
        return;
    picture.tracks = planeTracks(plane, nets, picture.cols, picture.rows, picture.originX, picture.originY);
    const std::vector<bool> unconnected = unconnectedPads(picture.pads, plane);
    for (size_t i = 0; i < picture.pads.size(); ++i)
        picture.pads[i].unconnected = unconnected[i];
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
