// The one routine that draws a board picture, for the board view and for the image files alike.
#pragma once

#include "core/PadShape.h"
#include "render/BoardPicture.h"

#include <QColor>
#include <QRectF>
#include <QTransform>
#include <cstdint>

class QPainter;
class QPainterPath;

namespace zelta {

struct PaintOptions {
    // The net drawn stronger while the others are dimmed; -1 for none.
    int32_t highlightNet = -1;
    // The copper alone as a board house or an etching makes it: black on white, every pad's hole
    // white, no outline, wires, rat lines or marks.
    bool print = false;
};

// A pad's copper in FidoCAD units, of its size and style.
QPainterPath padPath(const PadShape& pad);

// The colour of a net's copper: the same for a net in every picture, grey for net 0.
QColor netColour(int32_t net);

// Draws the board in FidoCAD units: the painter's transform maps them to its device.
void paintBoard(QPainter& painter, const BoardPicture& picture, const PaintOptions& options = {});

// What the legend of a board picture explains, each drawn as on a board.
enum class LegendSample {
    NetColours,  // pads of three nets, each in its colour
    NoNet,       // a pad of net 0
    Unconnected, // a pad with the mark of a pad left unconnected
    Rat,         // two pads of a net with the rat line between them
    Jumper,      // two pads of a net joined by a wire over another net's track
};

// Draws a sample on a piece of substrate filling box (device pixels).
void paintLegendSample(QPainter& painter, LegendSample sample, const QRectF& box);

// Maps the board's rectangle into target, whole and centred, keeping its proportions.
QTransform fitTransform(const BoardPicture& picture, const QRectF& target);

} // namespace zelta
