// The copper a drawing brings, which the routing methods keep their tracks clear of: the pads as
// the reader placed them, the tracks it kept, and where the board lies (units, the drawing's own
// coordinates).
#pragma once

#include "core/Init_obj.h"
#include "core/KeptTracks.h"
#include "core/PlacedPad.h"

#include <cstdint>
#include <vector>

namespace zelta {

struct DrawingCopper {
    int32_t originX = 0;
    int32_t originY = 0;
    int32_t width = 0;
    int32_t height = 0;
    const std::vector<PlacedPad>* pads = nullptr;
    // The drawing's own tracks, kept as copper of their nets (none: nullptr).
    const KeptTrackList* tracks = nullptr;
    // Units between two cells of the grid the pads were placed on.
    int32_t pitch = CoarsePitch;
};

} // namespace zelta
