// The read-me file of a set of manufacturing files: what each file is, the units, the origin of
// the coordinates and the board's size.
#pragma once

#include "export/Excellon.h"
#include "export/ProductionNames.h"

#include <cstdint>
#include <string>
#include <vector>

namespace zelta {

struct ReadMeFacts {
    std::string drawingFile; // the drawing's file name, without its folder
    ProductionNames names;
    int64_t widthNm = 0;
    int64_t heightNm = 0;
    int pads = 0;
    int tracks = 0;
    int wireLinks = 0;
    int surfacePads = 0; // pads with drill 0: no hole
    // Copper pad records of the drawing that the reader does not place (no net field, a net out
    // of range, off the board): the files leave them out as routing and checking do.
    int padsLeftOut = 0;
    std::vector<DrillTool> tools;
    bool mirror = false;
};

std::string readMeText(const ReadMeFacts& facts);

} // namespace zelta
