// The picture of a routed drawing read from its file: its board, pads, copper tracks and jumpers,
// as the manufacturing files have them.
#pragma once

#include "fidocad/FcdDrawing.h"
#include "render/BoardPicture.h"

namespace zelta {

BoardPicture drawingPicture(const FcdDrawing& drawing);

} // namespace zelta
