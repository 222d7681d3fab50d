// A small board picture for the painter and image tests, and pixel helpers for looking at it.
#pragma once

#include "render/BoardPicture.h"

#include <QColor>
#include <QImage>
#include <QPointF>
#include <QTransform>
#include <cstdlib>

namespace zelta::testing {

// 240 x 160 units (30 x 20 mm) with its corner at (100, 50): a square pad of net 1 with a track
// of net 1 going east from it, a round drilled pad of net 2 left unconnected, and a large pad of
// net 0.
inline BoardPicture tinyPicture() {
    BoardPicture p;
    p.originX = 100;
    p.originY = 50;
    p.width = 240;
    p.height = 160;
    p.cols = 24;
    p.rows = 16;
    p.pads = {{{140, 90, 16, 16, 0, 1, 1, 4, 4}, false},
              {{300, 90, 16, 16, 6, 0, 2, 20, 4}, true},
              {{140, 170, 24, 24, 0, 0, 0, 4, 12}, false}};
    p.tracks = {{140, 90, 260, 90, 4, 1}};
    p.routed = true;
    return p;
}

// Places on the tiny board (board units) that show one thing each.
inline const QPointF PadOfNet1(140, 90);
inline const QPointF TrackOfNet1(200, 90);
inline const QPointF BesideTheTrack(200, 96);
inline const QPointF CopperOfPadOfNet2(305.5, 90);
inline const QPointF MarkOnPadOfNet2(300, 102);
inline const QPointF PadOfNet0(140, 170);
inline const QPointF BareBoard(250, 150);
inline const QPointF OnTheOutline(100.6, 130);

inline QColor pixelAt(const QImage& image, const QTransform& toImage, QPointF board) {
    const QPointF p = toImage.map(board);
    return image.pixelColor(static_cast<int>(p.x()), static_cast<int>(p.y()));
}

// Colours equal within a few steps per channel (antialiasing and compression aside).
inline bool near(const QColor& a, const QColor& b, int tolerance = 6) {
    return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance;
}

} // namespace zelta::testing
