// Counting pad records and bounding track ends.
#include "export/CopperRecords.h"

#include "export/BoardCoordinates.h"
#include "fidocad/FcdRecord.h"
#include "fidocad/FcdRules.h"

#include <cstdlib>
#include <string_view>
#include <vector>

namespace zelta {

namespace {

// Four whole digits of millimetres, in nanometres.
constexpr int64_t FormatLimitNm = 10000 * NmPerMm;

} // namespace

int copperPadRecords(const std::string& text) {
    std::vector<std::string_view> fields;
    int count = 0;
    bool header = false;
    int lineNumber = 0;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find('\n', pos);
        if (end == std::string::npos)
            end = text.size();
        const std::string_view line(text.data() + pos, end - pos);
        pos = end + 1;
        ++lineNumber;
        if (!header) {
            header = lineNumber <= HeaderSearchLines && isHeaderLine(line);
            continue;
        }
        splitFields(line, fields);
        if (isCopperPad(fields))
            ++count;
    }
    return count;
}

int firstTrackBeyondFormat(const FcdDrawing& drawing) {
    const BoardCoordinates at = BoardCoordinates::of(drawing);
    auto beyond = [](int64_t nm) { return std::llabs(nm) >= FormatLimitNm; };
    for (const DrawnTrack& t : drawing.tracks)
        if (beyond(at.x(t.x1)) || beyond(at.y(t.y1)) || beyond(at.x(t.x2)) || beyond(at.y(t.y2)))
            return t.lineNumber;
    return 0;
}

} // namespace zelta
