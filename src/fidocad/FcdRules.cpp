// Board size and pad placement rules of a drawing.
#include "fidocad/FcdRules.h"

#include "core/Units.h"

#include <algorithm>
#include <tuple>

namespace zelta {

int32_t BoardFrame::cols() const {
    return width / pitch;
}

int32_t BoardFrame::rows() const {
    return height / pitch;
}

bool BoardFrame::fits() const {
    const int32_t cols = unitsToCells(width), rows = unitsToCells(height);
    return cols >= MinBoardCells && cols <= MaxBoardCols && rows >= MinBoardCells && rows <= MaxBoardRows;
}

BoardFrame manualFrame(const GestoreFileINI& settings) {
    return {0, 0, mmToUnits(settings.mm_larg_scheda), mmToUnits(settings.mm_alt_scheda)};
}

BoardFrame outlineFrame(const Outline& outline) {
    return {outline.originX, outline.originY, outline.width, outline.height};
}

PadOnGrid placeOnGrid(const std::vector<std::string_view>& fields, const BoardFrame& frame) {
    PadOnGrid pad{PadPlacement::NoNet};
    if (fields.size() - 1 == 7)
        return pad;
    pad.net = fieldInt(fields, 8);
    if (pad.net < 0 || pad.net > NetMask) {
        pad.placement = PadPlacement::NetOutOfRange;
        return pad;
    }
    const int32_t x = fieldInt(fields, 1);
    const int32_t y = fieldInt(fields, 2);
    pad.offGrid = x % frame.pitch != 0 || y % frame.pitch != 0;
    // The classic's grid truncates, as it always did; the fine lattice takes the nearest point.
    const bool coarse = frame.pitch == CoarsePitch;
    const int64_t c = coarse ? cellOf(x, frame.originX) : nearestCellOf(x, frame.originX, frame.pitch);
    const int64_t r = coarse ? cellOf(y, frame.originY) : nearestCellOf(y, frame.originY, frame.pitch);
    if (c < 1 || c >= frame.cols() || r < 1 || r >= frame.rows()) {
        pad.placement = PadPlacement::OffBoard;
        return pad;
    }
    pad.placement = PadPlacement::Placed;
    pad.col = static_cast<int32_t>(c);
    pad.row = static_cast<int32_t>(r);
    return pad;
}

std::vector<WireOnPads> classifyWires(const std::vector<PadPoint>& pads, const std::vector<WireEnds>& wires) {
    std::vector<WireOnPads> found;
    found.reserve(wires.size());
    if (wires.empty())
        return found;
    // The pads with a net sorted by centre, in file order where centres are the same, so that an
    // end finds its pads by a binary search whatever the number of pads.
    std::vector<size_t> byCentre;
    for (size_t i = 0; i < pads.size(); ++i)
        if (pads[i].net != 0)
            byCentre.push_back(i);
    auto centreOf = [&](size_t i) { return std::make_tuple(pads[i].x, pads[i].y, i); };
    std::sort(byCentre.begin(), byCentre.end(),
              [&](size_t a, size_t b) { return centreOf(a) < centreOf(b); });
    // The first pad at (x, y) whose net is wanted (or, for wanted < 0, any net but notNet).
    auto padAt = [&](int32_t x, int32_t y, int32_t wanted, int32_t notNet) {
        auto it = std::lower_bound(byCentre.begin(), byCentre.end(), std::make_tuple(x, y, size_t{0}),
                                   [&](size_t i, const auto& key) { return centreOf(i) < key; });
        for (; it != byCentre.end() && pads[*it].x == x && pads[*it].y == y; ++it)
            if (wanted >= 0 ? pads[*it].net == wanted : pads[*it].net != notNet)
                return *it;
        return pads.size();
    };
    for (const WireEnds& w : wires) {
        const size_t a = padAt(w.x1, w.y1, -1, 0);
        if (a == pads.size()) {
            found.push_back({WireKind::Loose, a, padAt(w.x2, w.y2, -1, 0)});
            continue;
        }
        const size_t b = padAt(w.x2, w.y2, pads[a].net, 0);
        if (b != pads.size()) {
            found.push_back({b != a ? WireKind::Jumper : WireKind::Loose, a, b});
            continue;
        }
        const size_t other = padAt(w.x2, w.y2, -1, pads[a].net);
        found.push_back({other != pads.size() ? WireKind::AcrossNets : WireKind::Loose, a, other});
    }
    return found;
}

std::vector<std::pair<size_t, size_t>> jumperPads(const std::vector<PadPoint>& pads,
                                                  const std::vector<WireEnds>& wires) {
    std::vector<std::pair<size_t, size_t>> found;
    for (const WireOnPads& w : classifyWires(pads, wires))
        if (w.kind == WireKind::Jumper)
            found.emplace_back(w.padA, w.padB);
    return found;
}

} // namespace zelta
