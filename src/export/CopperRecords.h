// Which copper records of a drawing the manufacturing files can hold: the pad records the reader
// leaves out, and tracks too far away for the files' number format.
#pragma once

#include "fidocad/FcdDrawing.h"

#include <string>

namespace zelta {

// The pad records on the copper layer after the drawing's header, placed or not.
int copperPadRecords(const std::string& text);

// The line of the first track with an end more than 9999 mm from the files' origin (beyond the
// four whole digits of the Gerber coordinates); 0 when there is none.
int firstTrackBeyondFormat(const FcdDrawing& drawing);

} // namespace zelta
