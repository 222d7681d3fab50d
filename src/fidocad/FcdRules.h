// The rules of a FidoCAD drawing that the reader and the check share: where the drawing begins,
// how big the board is, which records are copper, and where a copper pad lands on the grid.
#pragma once

#include "core/File_ini.h"
#include "core/Init_obj.h"
#include "core/Jumper.h"
#include "fidocad/FcdRecord.h"

#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

namespace zelta {

// The "[FIDOCAD" header is looked for in this many first lines.
inline constexpr int HeaderSearchLines = 50;

inline bool isHeaderLine(std::string_view line) {
    return line.find("[FIDOCAD") != std::string_view::npos;
}

// Columns and rows of 10 units in use: at least 3, and one less than the classic's grid has, so
// that every pad centre in column 1..cols-1 and row 1..rows-1 keeps a cell of border on the grid.
inline constexpr int MinBoardCells = 3;
inline constexpr int MaxBoardCols = gridColsAt(CoarsePitch) - 1;
inline constexpr int MaxBoardRows = gridRowsAt(CoarsePitch) - 1;

// The board's place and size in units, and the pitch its pads are placed at.
struct BoardFrame {
    int32_t originX = 0;
    int32_t originY = 0;
    int32_t width = 0;
    int32_t height = 0;
    int32_t pitch = CoarsePitch;

    // Cells at the frame's pitch.
    int32_t cols() const;
    int32_t rows() const;
    // Whether the board has room for tracks and fits the grid (in 10-unit cells, whatever the
    // pitch: the fine lattice has twice as many on the same board).
    bool fits() const;
};

// The board sized by hand in the settings, with its origin at the drawing's origin.
BoardFrame manualFrame(const GestoreFileINI& settings);
BoardFrame outlineFrame(const Outline& outline);

// A track drawn on the copper layer.
inline bool isCopperTrack(const std::vector<std::string_view>& fields) {
    return fields[0] == "PL" && fieldInt(fields, 6) == 1;
}
// A pad on the copper layer.
inline bool isCopperPad(const std::vector<std::string_view>& fields) {
    return fields[0] == "PA" && fieldInt(fields, 7) == 1;
}

// A wire drawn on the component side: a jumper when it joins two pads of one net.
inline bool isComponentWire(const std::vector<std::string_view>& fields) {
    return fields[0] == "PL" && fieldInt(fields, 6) == JumperLayer;
}

// Where a copper pad record lands, checked in this order.
enum class PadPlacement {
    NoNet,         // the record ends before the net field
    NetOutOfRange, // the net is below 0 or above 255
    OffBoard,      // its centre is outside the routable cells
    Placed,
};

struct PadOnGrid {
    PadPlacement placement;
    int32_t net = 0;
    int32_t col = 0;
    int32_t row = 0;
    bool offGrid = false; // the centre is not on a multiple of the pitch (known from OffBoard on)
};

PadOnGrid placeOnGrid(const std::vector<std::string_view>& fields, const BoardFrame& frame);

// The cells a pad's area reaches on each side of its centre, from its size along that axis. On the
// 10-unit grid, half the size rounded (a pad of 12-31 units takes 3 cells); on the fine lattice,
// only the points inside the copper, so that the points between two pins 20 units apart stay free
// for the design rules to judge. A negative size reaches no cell.
constexpr int64_t padHalfCells(int64_t size, int32_t pitch) {
    if (pitch == CoarsePitch)
        return (size + 8) / 20;
    return size < 0 ? -1 : size / (2 * pitch);
}

struct PadPoint {
    int32_t x;
    int32_t y;
    int32_t net;
};

struct WireEnds {
    int32_t x1;
    int32_t y1;
    int32_t x2;
    int32_t y2;
};

// What a component-side wire is, by the pads whose centres its ends lie on (pads of net 0 count
// for none).
enum class WireKind {
    Jumper,     // joins two different pads of one net
    AcrossNets, // joins a pad of one net to a pad of another: a link soldered across two nets
    Loose,      // an end on no pad centre (or both on one pad): it joins nothing
};

struct WireOnPads {
    WireKind kind;
    size_t padA; // the pad at the first end, pads.size() when none
    size_t padB; // the pad at the second end, pads.size() when none
};

// Each wire in its order. At an end where several pads stand, the first end takes the first pad
// with a net; the second end the first pad of that net, else the first with another net.
std::vector<WireOnPads> classifyWires(const std::vector<PadPoint>& pads, const std::vector<WireEnds>& wires);

// The wires that are jumpers: for each, the indices of its two pads; the wires in their order.
std::vector<std::pair<size_t, size_t>> jumperPads(const std::vector<PadPoint>& pads,
                                                  const std::vector<WireEnds>& wires);

} // namespace zelta
