// The picture of a board that the board view draws and the image files hold: the outline, the
// pads the reader placed and the tracks of the best lap, in FidoCAD units. Plain data, no toolkit.
#pragma once

#include "core/File_ini.h"
#include "core/Init_obj.h"
#include "fidocad/File_fcd.h"

#include <cstdint>
#include <vector>

namespace zelta {

struct PicturePad : PlacedPad {
    // Outside the largest group of its net that the best lap's tracks join.
    bool unconnected = false;
    bool operator==(const PicturePad&) const = default;
};

struct PictureTrack {
    int32_t x1;
    int32_t y1;
    int32_t x2;
    int32_t y2;
    int32_t width;
    int32_t net;
    bool operator==(const PictureTrack&) const = default;
};

struct BoardPicture {
    // The board's rectangle: its corner is grid cell (0, 0).
    int32_t originX = 0;
    int32_t originY = 0;
    int32_t width = 0;
    int32_t height = 0;
    int32_t cols = 0;
    int32_t rows = 0;
    std::vector<PicturePad> pads;
    std::vector<PictureTrack> tracks;
    // A lap has ended: the tracks and the unconnected pads are those of the best lap.
    bool routed = false;

    bool empty() const { return width <= 0 || height <= 0; }
    int unconnectedCount() const;
    bool operator==(const BoardPicture&) const = default;
};

// The board of the last complete read with its pads and no tracks; empty when no read completed.
BoardPicture padsPicture(const GestoreFileFCD& fcd, const GestoreFileINI& settings);

// Puts the tracks of plane (a copy of the best plane) on a pads picture and marks the pads the
// lap left unconnected. Track widths follow the net table as the writer's do.
void addBestLap(BoardPicture& picture, const int32_t* plane, const NetTable& nets);

// The steps of plane joined into straight segments, at the writer's coordinates and widths.
std::vector<PictureTrack> planeTracks(const int32_t* plane, const NetTable& nets, int32_t cols, int32_t rows,
                                      int32_t originX, int32_t originY);

// Per pad: whether it lies outside its net's largest group of pads joined through the plane's
// track steps. Ties go to the group holding the earliest pad; net 0 is no net and never counts.
std::vector<bool> unconnectedPads(const std::vector<PicturePad>& pads, const int32_t* plane);

// The net of the copper at (x, y), pads before tracks, within slack units; -1 where there is none.
int32_t netAt(const BoardPicture& picture, double x, double y, double slack);

} // namespace zelta
