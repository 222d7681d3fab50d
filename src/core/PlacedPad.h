// A copper pad as the reader placed it: what the drawing says of it and the grid cell of its
// centre. The routing methods take their pads' copper from here.
#pragma once

#include "core/PadShape.h"

#include <cstdint>

namespace zelta {

struct PlacedPad {
    int32_t x; // the record's position, in units
    int32_t y;
    int32_t sizeX;
    int32_t sizeY;
    int32_t drill;
    int32_t style; // the record's style field (core/PadShape.h says what each means)
    int32_t net;
    int32_t col;
    int32_t row;
    bool operator==(const PlacedPad&) const = default;

    PadShape shape() const { return PadShape::of(x, y, sizeX, sizeY, style); }
};

} // namespace zelta
