// Board size and pad placement rules of a drawing.
#include "fidocad/FcdRules.h"

#include "core/Units.h"

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
    std::vector<std::pair<size_t, size_t>> found;
    auto padAt = [&](int32_t x, int32_t y, int32_t net) {
        for (size_t i = 0; i < pads.size(); ++i)
            if (pads[i].x == x && pads[i].y == y && pads[i].net != 0 && (net < 0 || pads[i].net == net))
                return i;
        return pads.size();
    };
    for (const WireEnds& w : wires) {
        const size_t a = padAt(w.x1, w.y1, -1);
        if (a == pads.size())
            continue;
        const size_t b = padAt(w.x2, w.y2, pads[a].net);
        if (b != pads.size() && b != a)
            found.emplace_back(a, b);
    }
    return found;
}

} // namespace zelta
