// From a drawing's records to a board picture.
#include "render/DrawingPicture.h"

#include "core/Units.h"

namespace zelta {

BoardPicture drawingPicture(const FcdDrawing& drawing) {
    BoardPicture picture;
    picture.originX = drawing.originX;
    picture.originY = drawing.originY;
    picture.width = drawing.width;
    picture.height = drawing.height;
    picture.cols = unitsToCells(drawing.width);
    picture.rows = unitsToCells(drawing.height);
    for (const DrawnPad& p : drawing.pads) {
        const int32_t col = static_cast<int32_t>(cellOf(p.x, drawing.originX));
        const int32_t row = static_cast<int32_t>(cellOf(p.y, drawing.originY));
        picture.pads.push_back({{p.x, p.y, p.sizeX, p.sizeY, p.drill, p.style, p.net, col, row}});
    }
    for (const DrawnTrack& t : drawing.tracks)
        picture.tracks.push_back({t.x1, t.y1, t.x2, t.y2, t.width, t.net});
    for (const DrawnJumper& j : drawing.jumpers)
        picture.jumpers.push_back({j.x1, j.y1, j.x2, j.y2, j.net});
    picture.routed = true;
    return picture;
}

} // namespace zelta
