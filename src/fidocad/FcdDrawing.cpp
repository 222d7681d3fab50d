// Reading pads, tracks and jumpers of a routed drawing, with the reader's rules for the header, the
// board size, which pads are placed and which wires are jumpers.
#include "fidocad/FcdDrawing.h"

#include "core/Messages.h"
#include "fidocad/FcdRecord.h"
#include "fidocad/FcdRules.h"

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
    for (size_t i = 0; i < lines.size() && i < HeaderSearchLines && first == 0; ++i)
        if (isHeaderLine(lines[i]))
            first = i + 1;
    if (first == 0) {
        error = msg::Err103Box;
        return false;
    }

    std::vector<std::string_view> fields;
    BoardFrame frame;
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
        frame = outlineFrame(outline);
    } else {
        frame = manualFrame(settings);
    }
    drawing.originX = frame.originX;
    drawing.originY = frame.originY;
    drawing.width = frame.width;
    drawing.height = frame.height;
    if (!frame.fits()) {
        error = msg::Err105Box;
        return false;
    }

    std::vector<WireEnds> wires;
    std::vector<int> wireLines;
    for (size_t i = first; i < lines.size(); ++i) {
        splitFields(lines[i], fields);
        const int lineNumber = static_cast<int>(i) + 1;
        if (isComponentWire(fields)) {
            wires.push_back(
                {fieldInt(fields, 1), fieldInt(fields, 2), fieldInt(fields, 3), fieldInt(fields, 4)});
            wireLines.push_back(lineNumber);
            continue;
        }
        if (isCopperTrack(fields)) {
            drawing.tracks.push_back({fieldInt(fields, 1), fieldInt(fields, 2), fieldInt(fields, 3),
                                      fieldInt(fields, 4), fieldInt(fields, 5), fieldInt(fields, 7),
                                      lineNumber});
            continue;
        }
        if (!isCopperPad(fields))
            continue;
        const PadOnGrid place = placeOnGrid(fields, frame);
        if (place.placement != PadPlacement::Placed && place.placement != PadPlacement::OffBoard)
            continue;
        const DrawnPad pad{fieldInt(fields, 1), fieldInt(fields, 2), fieldInt(fields, 3), fieldInt(fields, 4),
                           fieldInt(fields, 5), fieldInt(fields, 6), place.net,           lineNumber};
        (place.placement == PadPlacement::Placed ? drawing.pads : drawing.offBoardPads).push_back(pad);
    }

    // Which wires are jumpers is known once every pad is read: a wire may come before its pads.
    std::vector<PadPoint> centres;
    centres.reserve(drawing.pads.size());
    for (const DrawnPad& p : drawing.pads)
        centres.push_back({p.x, p.y, p.net});
    const std::vector<WireOnPads> kinds = classifyWires(centres, wires);
    for (size_t i = 0; i < kinds.size(); ++i) {
        const auto [kind, a, b] = kinds[i];
        if (kind != WireKind::Jumper) {
            const WireEnds& w = wires[i];
            drawing.otherWires.push_back({kind, w.x1, w.y1, w.x2, w.y2, a, b, wireLines[i]});
            continue;
        }
        const DrawnPad& pa = drawing.pads[a];
        const DrawnPad& pb = drawing.pads[b];
        drawing.jumpers.push_back({a, b, pa.net, pa.x, pa.y, pb.x, pb.y});
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
