// A routed drawing read for checking: the copper pads the reader would place and the copper
// tracks, taken from the file alone.
#pragma once

#include "core/File_ini.h"

#include <cstdint>
#include <string>
#include <vector>

namespace zelta {

struct DrawnPad {
    int32_t x;
    int32_t y;
    int32_t sizeX;
    int32_t sizeY;
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

struct FcdDrawing {
    int32_t originX = 0;
    int32_t originY = 0;
    int32_t width = 0;
    int32_t height = 0;
    std::vector<DrawnPad> pads;
    std::vector<DrawnTrack> tracks;
};

// Reads path with the board size rules of settings. On failure returns false and says why in
// error (the reader's error texts).
bool readDrawing(const std::string& path, const GestoreFileINI& settings, FcdDrawing& drawing,
                 std::string& error);
// The same from text already in memory.
bool parseDrawing(const std::string& text, const GestoreFileINI& settings, FcdDrawing& drawing,
                  std::string& error);

} // namespace zelta
