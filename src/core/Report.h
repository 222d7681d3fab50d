// Report detail levels and the printf-style formatting of report lines and messages.
#pragma once

#include <cstdarg>
#include <string>

namespace zelta {

// Detail of the report: 0 "Basso", 1 "Medio", 2 "Alto". A line of level 0 is always written,
// a level-1 line from "Medio" up, a level-2 line only at "Alto" exactly.
inline bool reportsAt(int debug, int level) {
    if (level <= 0)
        return true;
    if (level == 1)
        return debug >= 1;
    return debug == 2;
}

std::string strprintf(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string vstrprintf(const char* format, va_list args);

} // namespace zelta
