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

} // namespace zelta
