// Board size and pad placement rules of a drawing.
#include "fidocad/FcdRules.h"

#include "core/Units.h"

#include <map>
#include <tuple>
#include <unordered_map>

namespace zelta {

int32_t BoardFrame::cols() const {
    return unitsToCells(width);
}

int32_t BoardFrame::rows() const {
    return unitsToCells(height);
}

bool BoardFrame::fits() const {
    return cols() >= MinBoardCells && cols() <= MaxBoardCols && rows() >= MinBoardCells &&
           rows() <= MaxBoardRows;
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
    pad.offGrid = x % UnitsPerCell != 0 || y % UnitsPerCell != 0;
    const int64_t c = cellOf(x, frame.originX);
    const int64_t r = cellOf(y, frame.originY);
    if (c < 1 || c >= frame.cols() || r < 1 || r >= frame.rows()) {
        pad.placement = PadPlacement::OffBoard;
        return pad;
    }
    pad.placement = PadPlacement::Placed;
    pad.col = static_cast<int32_t>(c);
    pad.row = static_cast<int32_t>(r);
    return pad;
}

std::vector<std::pair<size_t, size_t>> jumperPads(const std::vector<PadPoint>& pads,
                                                  const std::vector<WireEnds>& wires) {
    // The first pad with a net at each point, and the first of each net there: a drawing may hold
    // a great many pads and wires, so neither end is looked for pad by pad.
    auto pointKey = [](int32_t x, int32_t y) {
        return (uint64_t{static_cast<uint32_t>(x)} << 32) | static_cast<uint32_t>(y);
    };
    std::unordered_map<uint64_t, size_t> firstAt;
    std::map<std::tuple<int32_t, int32_t, int32_t>, size_t> firstOfNetAt;
    for (size_t i = 0; i < pads.size(); ++i) {
        if (pads[i].net == 0)
            continue;
        firstAt.try_emplace(pointKey(pads[i].x, pads[i].y), i);
        firstOfNetAt.try_emplace({pads[i].x, pads[i].y, pads[i].net}, i);
    }
    std::vector<std::pair<size_t, size_t>> found;
    for (const WireEnds& w : wires) {
        const auto a = firstAt.find(pointKey(w.x1, w.y1));
        if (a == firstAt.end())
            continue;
        const auto b = firstOfNetAt.find({w.x2, w.y2, pads[a->second].net});
        if (b != firstOfNetAt.end() && b->second != a->second)
            found.emplace_back(a->second, b->second);
    }
    return found;
}

} // namespace zelta
