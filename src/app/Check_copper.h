// The copper of a drawing as the check measures it: pieces of copper ("sites"), each with the
// nets it carries. Pads of one shape on one centre are one site, whatever their number, so that
// a drawing that stacks pads costs no more than one that does not; a site carries each of their
// nets once.
#pragma once

#include "app/Check.h"
#include "core/BoxGrid.h"
#include "core/CopperGeometry.h"

#include <cstdint>
#include <vector>

namespace zelta {

// The order of the kinds gives the order of a pair's two pieces (PairKind).
enum class CopperKind : uint8_t { Track, Land, Pad };

struct CopperSite {
    CopperKind kind;
    TrackCopper track; // a track's copper
    PadCopper pad;     // a pad's or a land's copper
    Box box;           // the copper's bounds
    uint32_t firstItem;
    uint32_t itemCount;
};

// One net on one site.
struct CopperItem {
    int32_t net;
    uint32_t site;
};

struct CopperBoard {
    std::vector<CopperSite> sites;
    std::vector<CopperItem> items;   // grouped by site, nets ascending within a site
    std::vector<uint32_t> itemOfPad; // the item of each of the drawing's pads
    // What the check assumed, for the notes of the result.
    std::vector<CopperNote> negativePads;
    size_t negativePadCount = 0;
    std::vector<CopperNote> outside;
    size_t outsideCount = 0;
};

// The board's copper. A jumper land is the last pad of the jumper's net on each end of the wire
// (the router writes its lands after the drawing's pads). Tracks keep their part on the board.
CopperBoard buildCopper(const FcdDrawing& drawing);

} // namespace zelta
