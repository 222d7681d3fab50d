// Pictures of a board in files: SVG at the board's true size and PNG at a chosen number of pixels
// per millimetre. A destination ends up with the whole new picture or stays as it was.
#pragma once

#include "render/BoardPicture.h"

#include <QSize>
#include <string>

namespace zelta {

// The largest scale the files accept, in pixels per millimetre.
inline constexpr double MaxImageScale = 50.0;

// The picture's size in pixels at scale pixels per millimetre: the board's millimetres times
// scale, rounded, at least one pixel.
QSize imageSize(const BoardPicture& picture, double scale);

// Both return an empty text when the file was written, else why it was not.
std::string writeSvg(const std::string& path, const BoardPicture& picture, double scale);
std::string writePng(const std::string& path, const BoardPicture& picture, double scale);

} // namespace zelta
