// The whole set of manufacturing files of a routed drawing, written into one folder: the Gerber
// copper, outline and wire-link layers, the Excellon drill file, the wire-link list, the 1:1 print
// and the read-me. The one way both fronts export; drawing the print needs a QGuiApplication.
#pragma once

#include "core/File_ini.h"

#include <string>
#include <vector>

namespace zelta {

struct ProductionRequest {
    std::string drawing; // the routed drawing to read
    std::string folder;  // made when missing
    bool mirror = false; // the print mirrored
    // Files read for the export (the settings file) that the set must not replace either.
    std::vector<std::string> protectedFiles;
};

enum class ProductionOutcome {
    Written,
    Refused,     // the folder is a file, or a file of the set would replace a file read
    ReadFailed,  // the drawing cannot be read, or holds what the files cannot
    WriteFailed, // the folder or a file cannot be made
};

struct ProductionResult {
    ProductionOutcome outcome = ProductionOutcome::Written;
    // Why, when nothing or not everything was written.
    std::string message;
    // The paths written, in the order of the set.
    std::vector<std::string> files;
    // Copper pad records the reader does not place, left out of the files as well.
    int padsLeftOut = 0;
};

// Refuses before anything is read or written when the folder is a file or one of the set's files
// is the drawing or a protected file. Each file is written whole or not at all; after a failure
// the files written before it stay.
ProductionResult writeProductionSet(const ProductionRequest& request, const GestoreFileINI& settings);

} // namespace zelta
