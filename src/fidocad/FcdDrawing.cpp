// Reading pads and tracks of a routed drawing, with the reader's rules for the header, the board
// size and which pads are placed.
#include "fidocad/FcdDrawing.h"

#include "core/Init_obj.h"
#include "core/Messages.h"
#include "fidocad/FcdRecord.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <sys/stat.h>

namespace zelta {

namespace {

// The lines of text; the carriage returns at the end of a line are not part of it (as the
// reader has it).
std::vector<std::string_view> splitLines(const std::string& text) {
    std::vector<std::string_view> lines;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find('\n', pos);
        size_t stop = end == std::string::npos ? text.size() : end;
        size_t len = stop - pos;
        while (len > 0 && text[pos + len - 1] == '\r')
            --len;
        lines.emplace_back(text.data() + pos, len);
        if (end == std::string::npos)
            break;
        pos = end + 1;
    }
    return lines;
}

} // namespace

bool parseDrawing(const std::string& text, const GestoreFileINI& settings, FcdDrawing& drawing,
                  std::string& error) {
    drawing = FcdDrawing{};
    const std::vector<std::string_view> lines = splitLines(text);
    size_t first = 0;
    for (size_t i = 0; i < lines.size() && i < 50 && first == 0; ++i)
        if (lines[i].find("[FIDOCAD") != std::string_view::npos)
            first = i + 1;
    if (first == 0) {
        error = msg::Err103Box;
        return false;
    }

    std::vector<std::string_view> fields;
    if (settings.dim_auto) {
        Outline outline;
        for (size_t i = first; i < lines.size(); ++i) {
            splitFields(lines[i], fields);
            outline.consider(fields, settings.layer_dim);
        }
        if (!outline.found) {
            error = msg::Err104Box;
            return false;
        }
        drawing.originX = outline.originX;
        drawing.originY = outline.originY;
        drawing.width = outline.width;
        drawing.height = outline.height;
    } else {
        drawing.width =
            static_cast<int32_t>(std::clamp<int64_t>(int64_t{settings.mm_larg_scheda} * 8, 0, INT32_MAX));
        drawing.height =
            static_cast<int32_t>(std::clamp<int64_t>(int64_t{settings.mm_alt_scheda} * 8, 0, INT32_MAX));
    }
    const int32_t cols = drawing.width / 10;
    const int32_t rows = drawing.height / 10;
    if (cols < 3 || cols > GridCols - 1 || rows < 3 || rows > GridRows - 1) {
        error = msg::Err105Box;
        return false;
    }

    for (size_t i = first; i < lines.size(); ++i) {
        splitFields(lines[i], fields);
        const int lineNumber = static_cast<int>(i) + 1;
        if (fields[0] == "PL" && fieldInt(fields, 6) == 1) {
            drawing.tracks.push_back({fieldInt(fields, 1), fieldInt(fields, 2), fieldInt(fields, 3),
                                      fieldInt(fields, 4), fieldInt(fields, 5), fieldInt(fields, 7),
                                      lineNumber});
            continue;
        }
        if (fields[0] != "PA" || fieldInt(fields, 7) != 1 || fields.size() - 1 == 7)
            continue;
        const int32_t net = fieldInt(fields, 8);
        const int32_t x = fieldInt(fields, 1);
        const int32_t y = fieldInt(fields, 2);
        const int64_t c = (int64_t{x} - drawing.originX) / 10;
        const int64_t r = (int64_t{y} - drawing.originY) / 10;
        if (net < 0 || net > NetMask || c < 1 || c >= cols || r < 1 || r >= rows)
            continue;
        drawing.pads.push_back({x, y, fieldInt(fields, 3), fieldInt(fields, 4), net, lineNumber});
    }
    return true;
}

bool readDrawing(const std::string& path, const GestoreFileINI& settings, FcdDrawing& drawing,
                 std::string& error) {
    struct stat st;
    std::ifstream in;
    if (stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode))
        in.open(path, std::ios::binary);
    if (!in.is_open() || !in) {
        error = msg::Err101Box;
        return false;
    }
    std::string text(std::istreambuf_iterator<char>(in), {});
    return parseDrawing(text, settings, drawing, error);
}

} // namespace zelta
