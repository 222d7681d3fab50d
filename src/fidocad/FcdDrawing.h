// A routed drawing read for checking: the copper pads the reader would place, the copper tracks
// and the jumpers, taken from the file alone.
#pragma once

#include "core/File_ini.h"
#include "fidocad/FcdRules.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace zelta {

struct DrawnPad {
    int32_t x;
    int32_t y;
    int32_t sizeX;
    int32_t sizeY;
    int32_t drill;
    int32_t style; // the record's style field (core/PadShape.h says what each means)
    int32_t net;
    int lineNumber;
};

struct DrawnTrack {
    int32_t x1;
    int32_t y1;
    int32_t x2;
    int32_t y2;
    int32_t width;
    int32_t net;
    int lineNumber;
};

// A component-side wire that joins two pads of one net: pads[padA] is at its first end,
// pads[padB] at its second.
struct DrawnJumper {
    size_t padA;
    size_t padB;
    int32_t net;
    int32_t x1;
    int32_t y1;
    int32_t x2;
    int32_t y2;
};

// A component-side wire that is not a jumper: one across two nets, or one that joins nothing.
struct DrawnWire {
    WireKind kind;
    int32_t x1;
    int32_t y1;
    int32_t x2;
    int32_t y2;
    size_t padA; // pads[padA] at the first end, pads.size() when no pad's centre is there
    size_t padB;
    int lineNumber;
};

struct FcdDrawing {
    int32_t originX = 0;
    int32_t originY = 0;
    int32_t width = 0;
    int32_t height = 0;
    std::vector<DrawnPad> pads;
    std::vector<DrawnTrack> tracks;
    std::vector<DrawnJumper> jumpers;  // in the order of their wires
    std::vector<DrawnWire> otherWires; // in their order
    // Copper pads with a net whose centre lies outside the board: the reader does not place them.
    std::vector<DrawnPad> offBoardPads;
};

// Reads path with the board size rules of settings. On failure returns false and says why in
// error (the reader's error texts).
bool readDrawing(const std::string& path, const GestoreFileINI& settings, FcdDrawing& drawing,
                 std::string& error);
// The same from text already in memory.
bool parseDrawing(const std::string& text, const GestoreFileINI& settings, FcdDrawing& drawing,
                  std::string& error);

} // namespace zelta
