// Wire links (jumpers): on a one-sided board, a straight wire on the component side between two
// holes of one net, soldered into two pads of its own. Other nets' tracks may pass under it.
#pragma once

#include <cstdint>
#include <vector>

namespace zelta {

// A jumper between two grid cells of a net, its ends in the order the router laid it.
struct Jumper {
    int32_t net;
    int32_t col1;
    int32_t row1;
    int32_t col2;
    int32_t row2;
    bool operator==(const Jumper&) const = default;

    // Its length in grid steps (it is horizontal or vertical).
    int32_t length() const {
        return (col2 > col1 ? col2 - col1 : col1 - col2) + (row2 > row1 ? row2 - row1 : row1 - row2);
    }
};

using JumperList = std::vector<Jumper>;

// A jumper's end pad: the size written for it, in units (as a 16 x 16 round pad, whose area on
// the grid is the 3 x 3 cells around its centre).
inline constexpr int32_t JumperPadSize = 16;
// The drill of a jumper's pads when the board has no round pad to copy it from.
inline constexpr int32_t JumperDefaultDrill = 5;
// The component-side layer the wire is drawn on.
inline constexpr int32_t JumperLayer = 2;

} // namespace zelta
