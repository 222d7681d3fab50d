// Where the engine and the routing worker put what they tell the person: the figure fields of
// the main window and the lines of the report log. The fronts (window, batch tool, tests) and the
// worker's queue implement it.
#pragma once

#include <string>
#include <vector>

namespace zelta {

// The figure fields of the main window, by phase.
enum class Field {
    file_in,
    righe_in,
    warning,
    piaztot,
    nettot,
    larg,
    alt,
    ciclitot,
    ciclivuoto,
    piazzscoll,
    valore,
    file_out,
    piste_out,
    righe_out,
    ponticelli, // jumpers of the best lap, beside the unconnected pads
};
inline constexpr int FieldCount = 15;

const char* fieldName(Field field);

class ReportSink {
public:
    virtual ~ReportSink() = default;
    virtual void setText(Field field, const std::string& text) = 0;
    virtual void reportLine(const std::string& text) = 0;
    // Several lines in their order; a sink that can take them at once does it faster.
    virtual void reportLines(const std::vector<std::string>& lines) {
        for (const std::string& line : lines)
            reportLine(line);
    }
    virtual void clearReport() = 0;
};

} // namespace zelta
