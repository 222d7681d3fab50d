// Sites from the drawing's records: pads grouped by shape and centre, jumper lands apart from the
// drawing's pads, tracks cut to the board.
#include "app/Check_copper.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>

namespace zelta {

namespace {

Box padBox(const PadShape& s) {
    return {s.x - s.sizeX / 2, s.y - s.sizeY / 2, s.x + s.sizeX / 2, s.y + s.sizeY / 2};
}

Box trackBox(const TrackCopper& t) {
    return {std::min(t.a.x, t.b.x) - t.halfWidth, std::min(t.a.y, t.b.y) - t.halfWidth,
            std::max(t.a.x, t.b.x) + t.halfWidth, std::max(t.a.y, t.b.y) + t.halfWidth};
}

// The part of segment ab inside the box, by the parameters along it where it enters and leaves;
// false when none of it is inside.
bool clipToBoard(Point2& a, Point2& b, const Box& board) {
    double enter = 0, leave = 1;
    const double dx = b.x - a.x, dy = b.y - a.y;
    auto edge = [&](double p, double q) {
        if (p == 0)
            return q >= 0;
        const double t = q / p;
        if (p < 0)
            enter = std::max(enter, t);
        else
            leave = std::min(leave, t);
        return enter <= leave;
    };
    if (!edge(-dx, a.x - board.x0) || !edge(dx, board.x1 - a.x) || !edge(-dy, a.y - board.y0) ||
        !edge(dy, board.y1 - a.y))
        return false;
    const Point2 from = a;
    a = {from.x + dx * enter, from.y + dy * enter};
    b = {from.x + dx * leave, from.y + dy * leave};
    return true;
}

void note(std::vector<CopperNote>& list, size_t& count, const CopperNote& n) {
    if (list.size() < MaxListedNotes)
        list.push_back(n);
    ++count;
}

// The pads that are jumper lands: on each end of a jumper's wire, the last pad of its net there.
std::vector<bool> landPads(const FcdDrawing& drawing) {
    std::map<std::tuple<int32_t, int32_t, int32_t>, size_t> lastAt;
    for (const DrawnJumper& j : drawing.jumpers) {
        lastAt.emplace(std::make_tuple(j.x1, j.y1, j.net), j.padA);
        lastAt.emplace(std::make_tuple(j.x2, j.y2, j.net), j.padB);
    }
    if (!lastAt.empty())
        for (size_t i = 0; i < drawing.pads.size(); ++i) {
            const DrawnPad& p = drawing.pads[i];
            auto it = lastAt.find({p.x, p.y, p.net});
            if (it != lastAt.end())
                it->second = i;
        }
    std::vector<bool> isLand(drawing.pads.size(), false);
    for (const auto& [at, pad] : lastAt)
        isLand[pad] = true;
    return isLand;
}

} // namespace

CopperBoard buildCopper(const FcdDrawing& drawing) {
    CopperBoard board;
    const std::vector<bool> isLand = landPads(drawing);

    for (const DrawnPad& p : drawing.pads)
        if (p.sizeX < 0 || p.sizeY < 0)
            note(board.negativePads, board.negativePadCount,
                 {true, p.net, p.x, p.y, p.sizeX, p.sizeY, p.lineNumber});
    for (const DrawnPad& p : drawing.offBoardPads)
        note(board.outside, board.outsideCount, {true, p.net, p.x, p.y, p.sizeX, p.sizeY, p.lineNumber});

    // Pads by shape, centre and net: equal shapes on one centre make one site, and one net on a
    // site one item.
    const size_t padCount = drawing.pads.size();
    std::vector<PadShape> shapes(padCount);
    for (size_t i = 0; i < padCount; ++i) {
        const DrawnPad& p = drawing.pads[i];
        shapes[i] = PadShape::of(p.x, p.y, p.sizeX, p.sizeY, p.style);
    }
    // Sorted by shape and centre, then net; the keys are made once, not at every comparison.
    using SiteKey = std::tuple<bool, double, double, double, double, PadStyle, int32_t>;
    std::vector<SiteKey> keys(padCount);
    for (size_t i = 0; i < padCount; ++i) {
        const PadShape& s = shapes[i];
        keys[i] = {bool(isLand[i]), s.x, s.y, s.sizeX, s.sizeY, s.style, drawing.pads[i].net};
    }
    auto sameSite = [&](uint32_t a, uint32_t b) {
        return std::get<0>(keys[a]) == std::get<0>(keys[b]) && std::get<1>(keys[a]) == std::get<1>(keys[b]) &&
               std::get<2>(keys[a]) == std::get<2>(keys[b]) && std::get<3>(keys[a]) == std::get<3>(keys[b]) &&
               std::get<4>(keys[a]) == std::get<4>(keys[b]) && std::get<5>(keys[a]) == std::get<5>(keys[b]);
    };
    std::vector<uint32_t> order(padCount);
    for (size_t i = 0; i < padCount; ++i)
        order[i] = static_cast<uint32_t>(i);
    std::sort(order.begin(), order.end(), [&](uint32_t a, uint32_t b) { return keys[a] < keys[b]; });
    board.itemOfPad.resize(padCount);
    for (size_t k = 0; k < padCount; ++k) {
        const uint32_t i = order[k];
        if (k == 0 || !sameSite(order[k - 1], i)) {
            board.sites.push_back({isLand[i] ? CopperKind::Land : CopperKind::Pad,
                                   {},
                                   padCopper(shapes[i]),
                                   padBox(shapes[i]),
                                   static_cast<uint32_t>(board.items.size()),
                                   0});
        }
        CopperSite& site = board.sites.back();
        if (site.itemCount == 0 || board.items.back().net != drawing.pads[i].net) {
            board.items.push_back({drawing.pads[i].net, static_cast<uint32_t>(board.sites.size() - 1)});
            ++site.itemCount;
        }
        board.itemOfPad[i] = static_cast<uint32_t>(board.items.size() - 1);
    }

    // Tracks: only their part on the board is copper that joins anything.
    const Box frame{double(drawing.originX), double(drawing.originY), double(drawing.originX) + drawing.width,
                    double(drawing.originY) + drawing.height};
    for (const DrawnTrack& t : drawing.tracks) {
        Point2 a{double(t.x1), double(t.y1)}, b{double(t.x2), double(t.y2)};
        const Point2 drawnA = a, drawnB = b;
        const bool onBoard = clipToBoard(a, b, frame);
        if (!onBoard || a.x != drawnA.x || a.y != drawnA.y || b.x != drawnB.x || b.y != drawnB.y)
            note(board.outside, board.outsideCount, {false, t.net, t.x1, t.y1, t.x2, t.y2, t.lineNumber});
        if (!onBoard)
            continue;
        const TrackCopper copper{a, b, std::abs(double(t.width)) / 2};
        board.sites.push_back(
            {CopperKind::Track, copper, {}, trackBox(copper), static_cast<uint32_t>(board.items.size()), 1});
        board.items.push_back({t.net, static_cast<uint32_t>(board.sites.size() - 1)});
    }
    return board;
}

} // namespace zelta
