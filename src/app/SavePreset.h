// The file name the save dialog proposes: the drawing's own path, since the result holds the
// drawing; where that folder cannot be written (an example installed with the program), the same
// name in the person's documents folder, else in their home.
#pragma once

#include <string>

namespace zelta {

// documents: the person's documents folder (may be empty or missing); home: their home folder.
std::string savePreset(const std::string& drawing, const std::string& documents, const std::string& home);

} // namespace zelta
