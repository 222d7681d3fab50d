// The picture of a board that the board view draws and the image files hold: the outline, the
// pads the reader placed, the tracks of the best lap and the jumpers, in FidoCAD units. Plain data,
// no toolkit.
#pragma once

#include "core/File_ini.h"
#include "core/Init_obj.h"
#include "core/Jumper.h"
#include "fidocad/File_fcd.h"

#include <cstdint>
#include <vector>

namespace zelta {

struct PicturePad : PlacedPad {
    // Outside the largest group of its net that the best lap's tracks and the jumpers join.
    bool unconnected = false;
    // An end pad of a jumper the best lap laid: the drawing read does not have it.
    bool laidWithJumper = false;
    bool operator==(const PicturePad&) const = default;
};

// A jumper's wire, on the component side: from the centre of one pad of its net to another's.
struct PictureJumper {
    int32_t x1;
    int32_t y1;
    int32_t x2;
    int32_t y2;
    int32_t net;
    bool operator==(const PictureJumper&) const = default;
};

// How wide a jumper's wire is drawn and picked, in units: a common wire link, about 0.6 mm.
inline constexpr double JumperWireWidth = 5.0;

struct PictureTrack {
    int32_t x1;
    int32_t y1;
    int32_t x2;
    int32_t y2;
    int32_t width;
    int32_t net;
    bool operator==(const PictureTrack&) const = default;
};

// A connection still to make: a straight line between the nearest pads of two groups of a net
// that the copper does not join.
struct RatLine {
    int32_t x1;
    int32_t y1;
    int32_t x2;
    int32_t y2;
    int32_t net;
    bool operator==(const RatLine&) const = default;
};

struct BoardPicture {
    // The board's rectangle: its corner is grid cell (0, 0).
    int32_t originX = 0;
    int32_t originY = 0;
    int32_t width = 0;
    int32_t height = 0;
    int32_t cols = 0;
    int32_t rows = 0;
    int32_t pitch = CoarsePitch; // units between two cells, as the drawing was read
    std::vector<PicturePad> pads;
    // The drawing's kept tracks first (drawnTracks of them), then those of the best lap.
    std::vector<PictureTrack> tracks;
    size_t drawnTracks = 0;
    // What the kept tracks join, by cell.
    JumperList keptJoins;
    // The jumpers the drawing has, then those of the best lap.
    std::vector<PictureJumper> jumpers;
    // The drill the end pads of the best lap's jumpers get, as the writer gives them.
    int32_t jumperDrill = JumperDefaultDrill;
    // What joins the groups of each net that the tracks leave apart; before a lap, every pad.
    std::vector<RatLine> rats;
    // A lap has ended: the tracks and the unconnected pads are those of the best lap.
    bool routed = false;

    bool empty() const { return width <= 0 || height <= 0; }
    int unconnectedCount() const;
    bool operator==(const BoardPicture&) const = default;
};

// The board of the last complete read with its pads, its jumpers, no tracks and the rat lines
// that join its pads; empty when no read completed.
BoardPicture padsPicture(const GestoreFileFCD& fcd, const GestoreFileINI& settings);

// Puts the tracks of plane (a copy of the best plane) and the lap's jumpers, with their end pads,
// on a pads picture, marks the pads the lap left unconnected and draws the rat lines that are
// still missing. Track widths follow the net table and the routing method as the writer's do. A
// jumper's end on a pad of its net that is already there adds no pad.
void addBestLap(BoardPicture& picture, const int32_t* plane, const NetTable& nets,
                const JumperList& jumpers = {}, int32_t method = 0);

// The steps of plane joined into straight segments, at the writer's coordinates and widths.
std::vector<PictureTrack> planeTracks(const int32_t* plane, const NetTable& nets, int32_t cols, int32_t rows,
                                      int32_t originX, int32_t originY, int32_t method = 0,
                                      int32_t pitch = CoarsePitch);

// Per pad: the group of pads of its net that the plane's track steps and the jumpers join, named
// by the index of the group's earliest pad; -1 for net 0, which is no net, and for pads off the
// grid. Without a plane only pads on the same cell, and those a jumper links, are joined. A jumper
// links the pads of its net whose centres are at its ends; a cell link (the joins of kept tracks)
// the groups of the copper of its net on its two cells.
std::vector<int> padGroups(const std::vector<PicturePad>& pads, const int32_t* plane,
                           const std::vector<PictureJumper>& jumpers = {}, const JumperList& cellLinks = {});

// Per pad: whether it lies outside the largest group of its net. Ties go to the group holding
// the earliest pad; pads without a group never count.
std::vector<bool> unconnectedPads(const std::vector<PicturePad>& pads, const std::vector<int>& groups);

// For each net, the fewest and shortest lines that join all its groups: a minimum spanning tree
// over the groups, each line between the nearest two pads of the groups it joins. Ordered by net,
// then shortest first; equal lengths go by the pads' order.
std::vector<RatLine> ratLines(const std::vector<PicturePad>& pads, const std::vector<int>& groups);

// The net of what lies at (x, y) within slack units, topmost first: a jumper's wire, a pad, a track;
// -1 where there is none.
int32_t netAt(const BoardPicture& picture, double x, double y, double slack);

// The topmost jumper whose wire passes within slack units of (x, y); -1 where there is none.
int jumperAt(const BoardPicture& picture, double x, double y, double slack);

} // namespace zelta
