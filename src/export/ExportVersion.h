// The program's version, as the manufacturing files name the program that wrote them.
#pragma once

namespace zelta {

extern const char* const ExportVersion;

} // namespace zelta
