// The copper of a pad as a drawing gives it: its centre, its size along x and y, its drill and its
// style. Every style is a rectangle with rounded corners of some radius, so the router, the check,
// the pictures and the manufacturing files share one meaning of each:
//   style 0, oval: the ends along the longer side are half circles (a circle for a square size),
//            as a board house makes an oval pad;
//   style 1, rectangle: square corners;
//   style 2, rounded rectangle: corners of radius 0.3 times the shorter side.
// Any other style value reads as an oval, as a drawing program shows it. A negative size is taken
// by its absolute value.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace zelta {

enum class PadStyle : int32_t { Oval = 0, Rectangle = 1, RoundedRectangle = 2 };

constexpr PadStyle padStyleOf(int32_t field) {
    return field == 1 ? PadStyle::Rectangle : field == 2 ? PadStyle::RoundedRectangle : PadStyle::Oval;
}

// Share of the shorter side that a rounded rectangle's corner radius takes.
inline constexpr double RoundedCornerShare = 0.3;

struct PadShape {
    double x = 0; // centre, units
    double y = 0;
    double sizeX = 0; // whole width and height, units, never negative
    double sizeY = 0;
    PadStyle style = PadStyle::Oval;

    static PadShape of(int32_t x, int32_t y, int32_t sizeX, int32_t sizeY, int32_t style) {
        return {double(x), double(y), std::abs(double(sizeX)), std::abs(double(sizeY)), padStyleOf(style)};
    }
    // The radius of its corners, in units.
    double cornerRadius() const {
        const double shorter = std::min(sizeX, sizeY);
        switch (style) {
        case PadStyle::Rectangle:
            return 0;
        case PadStyle::RoundedRectangle:
            return RoundedCornerShare * shorter;
        case PadStyle::Oval:
            break;
        }
        return shorter / 2;
    }
};

} // namespace zelta
