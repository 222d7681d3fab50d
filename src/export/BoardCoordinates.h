// Where the manufacturing files put a drawing's points: millimetres from the board's lower-left
// corner, x to the right and y upwards, as a board is seen from its component side. Lengths are
// kept in whole nanometres, in which every FidoCAD length is exact.
#pragma once

#include "core/Units.h"
#include "fidocad/FcdDrawing.h"

#include <cstdint>
#include <string>

namespace zelta {

inline constexpr int64_t NmPerUnit = 127000;
static_assert(NmPerUnit / 1e6 == MmPerUnit);
inline constexpr int64_t NmPerMm = 1000000;

// A length of units in nanometres.
constexpr int64_t unitsToNm(int64_t units) {
    return units * NmPerUnit;
}

// A length in millimetres with a decimal point and no trailing zeros ("1.651", "-0.127", "0"),
// exact to the nanometre.
std::string mmText(int64_t nm);
// The same with a decimal comma, for a person to read ("87,63").
std::string mmTextItalian(int64_t nm);

struct BoardCoordinates {
    // The board's frame in units, as the reader sizes it; y grows downwards in the drawing.
    int32_t originX = 0;
    int32_t originY = 0;
    int32_t width = 0;
    int32_t height = 0;

    static BoardCoordinates of(const FcdDrawing& drawing) {
        return {drawing.originX, drawing.originY, drawing.width, drawing.height};
    }
    // A drawing's point from the lower-left corner, in nanometres.
    int64_t x(int64_t unitsX) const { return unitsToNm(unitsX - originX); }
    int64_t y(int64_t unitsY) const { return unitsToNm(int64_t{originY} + height - unitsY); }
    int64_t widthNm() const { return unitsToNm(width); }
    int64_t heightNm() const { return unitsToNm(height); }
};

} // namespace zelta
