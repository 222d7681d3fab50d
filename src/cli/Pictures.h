// The pictures of the best lap that a batch route writes, without needing a display.
#pragma once

#include "app/Program.h"

#include <string>

namespace zelta::cli {

// Writes the SVG and PNG pictures whose paths are not empty; false when one could not be written
// (said on standard error).
bool writePictures(const std::string& svgPath, const std::string& pngPath, double scale,
                   const Program& program);

} // namespace zelta::cli
