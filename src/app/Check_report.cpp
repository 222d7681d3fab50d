// The check's result as text (Italian, the worst findings first) and as JSON. Numbers are
// printed without the C library's locale: the desktop program runs under the person's.
#include "app/Check.h"

#include "core/Messages.h"
#include "core/Report.h"

#include <algorithm>
#include <charconv>

namespace zelta {

namespace {

std::string fixed3(double v) {
    char text[64];
    return std::string(text, std::to_chars(text, text + sizeof text, v, std::chars_format::fixed, 3).ptr);
}

std::string shortest(double v) {
    char text[64];
    return std::string(text, std::to_chars(text, text + sizeof text, v).ptr);
}

std::string withComma(std::string text) {
    std::replace(text.begin(), text.end(), '.', ',');
    return text;
}

const char* kindText(PairKind kind) {
    switch (kind) {
    case PairKind::TrackTrack:
        return "pista-pista";
    case PairKind::TrackLand:
        return "pista-ponticello";
    case PairKind::TrackPad:
        return "pista-piazzola";
    case PairKind::LandLand:
        return "ponticello-ponticello";
    case PairKind::LandPad:
        return "ponticello-piazzola";
    case PairKind::PadPad:
        break;
    }
    return "piazzola-piazzola";
}

const char* kindJson(PairKind kind) {
    switch (kind) {
    case PairKind::TrackTrack:
        return "track-track";
    case PairKind::TrackLand:
        return "track-land";
    case PairKind::TrackPad:
        return "track-pad";
    case PairKind::LandLand:
        return "land-land";
    case PairKind::LandPad:
        return "land-pad";
    case PairKind::PadPad:
        break;
    }
    return "pad-pad";
}

void gapLines(std::string& out, const std::vector<ClearanceCheck>& list, uint64_t total) {
    for (const ClearanceCheck& c : list)
        out += strprintf(msg::CheckGap, mmText(c.gapMm).c_str(), c.netA, c.netB, c.x, c.y, kindText(c.kind)) +
               "\n";
    if (total > list.size())
        out += strprintf(msg::CheckMoreListed, static_cast<unsigned long long>(total - list.size())) + "\n";
}

std::string wireLine(const WireCheck& w) {
    if (w.kind == WireKind::AcrossNets)
        return strprintf(msg::CheckWireAcrossNets, w.x1, w.y1, w.netA, w.x2, w.y2, w.netB, w.lineNumber);
    std::string why;
    if (w.netA >= 0 && w.netB >= 0)
        why = msg::CheckWireOnePad;
    for (const auto& [x, y, net] : {std::tuple{w.x1, w.y1, w.netA}, std::tuple{w.x2, w.y2, w.netB}})
        if (net < 0)
            why += (why.empty() ? "" : ", ") + strprintf(msg::CheckWireEndOffPad, x, y);
    return strprintf(msg::CheckWireLoose, w.x1, w.y1, w.x2, w.y2, w.lineNumber, why.c_str());
}

void noteLines(std::string& out, const CheckResult& r) {
    for (const CopperNote& n : r.negativePads)
        out += strprintf(msg::CheckNegativePad, n.x2, n.y2, n.x1, n.y1, n.net, n.lineNumber) + "\n";
    if (r.negativePadCount > r.negativePads.size())
        out += strprintf(msg::CheckMoreListed,
                         static_cast<unsigned long long>(r.negativePadCount - r.negativePads.size())) +
               "\n";
    for (const CopperNote& n : r.outside)
        out += (n.isPad ? strprintf(msg::CheckPadOutside, n.x1, n.y1, n.net, n.lineNumber)
                        : strprintf(msg::CheckTrackOutside, n.x1, n.y1, n.x2, n.y2, n.net, n.lineNumber)) +
               "\n";
    if (r.outsideCount > r.outside.size())
        out += strprintf(msg::CheckMoreListed,
                         static_cast<unsigned long long>(r.outsideCount - r.outside.size())) +
               "\n";
}

std::string gapsJson(const std::vector<ClearanceCheck>& list) {
    std::string out;
    for (size_t i = 0; i < list.size(); ++i) {
        const ClearanceCheck& c = list[i];
        out += strprintf("%s{\"netA\":%d,\"netB\":%d,\"gapMm\":%s,\"x\":%d,\"y\":%d,\"kind\":\"%s\"}",
                         i ? "," : "", c.netA, c.netB, fixed3(c.gapMm).c_str(), c.x, c.y, kindJson(c.kind));
    }
    return out;
}

std::string notesJson(const std::vector<CopperNote>& list) {
    std::string out;
    for (size_t i = 0; i < list.size(); ++i) {
        const CopperNote& n = list[i];
        out += n.isPad
                   ? strprintf("%s{\"item\":\"pad\",\"net\":%d,\"x\":%d,\"y\":%d,\"sizeX\":%d,\"sizeY\":%d,"
                               "\"line\":%d}",
                               i ? "," : "", n.net, n.x1, n.y1, n.x2, n.y2, n.lineNumber)
                   : strprintf("%s{\"item\":\"track\",\"net\":%d,\"x1\":%d,\"y1\":%d,\"x2\":%d,\"y2\":%d,"
                               "\"line\":%d}",
                               i ? "," : "", n.net, n.x1, n.y1, n.x2, n.y2, n.lineNumber);
    }
    return out;
}

// A JSON string: quotes, backslashes and control characters escaped; other bytes as they are.
std::string jsonString(const std::string& text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        if (c == '"' || c == '\\')
            out += {'\\', static_cast<char>(c)};
        else if (c < 0x20)
            out += strprintf("\\u%04x", c);
        else
            out += static_cast<char>(c);
    }
    return out + "\"";
}

} // namespace

std::string mmText(double mm) {
    return withComma(fixed3(mm));
}

std::string settingMmText(double mm) {
    return withComma(shortest(mm));
}

std::string minGapText(const CheckResult& r) {
    if (r.minGapMm)
        return mmText(*r.minGapMm) + " mm";
    return strprintf(msg::CheckNoGapWithin, settingMmText(std::max(r.clearanceMm, MinGapReachMm)).c_str());
}

std::string checkReportText(const CheckResult& result) {
    std::string out;
    for (const NetCheck& n : result.nets)
        out += strprintf("Net %d: piazzole %d, collegate %d, %s\n", n.net, n.pads, n.joined,
                         n.complete ? "completa" : "incompleta");
    // Drawings without jumpers keep the report they always had.
    if (!result.jumpers.empty()) {
        out += strprintf(msg::CliJumpers, result.jumpers.size()) + "\n";
        for (const JumperCheck& j : result.jumpers)
            out += strprintf(msg::CheckJumper, j.net, j.x1, j.y1, j.x2, j.y2, j.length) + "\n";
    }
    for (const ShortCheck& s : result.shorts) {
        out += "Cortocircuito tra le net";
        for (size_t i = 0; i < s.nets.size(); ++i)
            out += strprintf("%s %d", i ? "," : "", s.nets[i]);
        out += " in";
        for (const auto& [x, y] : s.points)
            out += strprintf(" (%d,%d)", x, y);
        out += "\n";
    }
    for (const WireCheck& w : result.wires)
        out += wireLine(w) + "\n";
    if (result.clearanceViolations > 0) {
        out += strprintf(msg::CheckViolations, settingMmText(result.clearanceMm).c_str(),
                         result.clearanceViolations) +
               "\n";
        gapLines(out, result.clearance, result.clearanceViolations);
    }
    if (result.drawingPadPairs > 0) {
        out +=
            strprintf(msg::CheckDrawingPads, static_cast<unsigned long long>(result.drawingPadPairs)) + "\n";
        gapLines(out, result.drawingPads, result.drawingPadPairs);
    }
    noteLines(out, result);
    out += strprintf("Net complete %d/%zu, piazzole scollegate %d, cortocircuiti %zu\n", result.netsComplete,
                     result.nets.size(), result.padsUnconnected, result.shorts.size());
    out += strprintf(msg::CheckClearanceSummary, settingMmText(result.clearanceMm).c_str(),
                     result.clearanceViolations, minGapText(result).c_str(),
                     static_cast<unsigned long long>(result.drawingPadPairs)) +
           "\n";
    return out;
}

std::string checkReportJson(const CheckResult& result) {
    std::string out = "{\"nets\":[";
    for (size_t i = 0; i < result.nets.size(); ++i) {
        const NetCheck& n = result.nets[i];
        out += strprintf("%s{\"net\":%d,\"pads\":%d,\"joined\":%d,\"complete\":%s}", i ? "," : "", n.net,
                         n.pads, n.joined, n.complete ? "true" : "false");
    }
    out += "],\"shorts\":[";
    for (size_t i = 0; i < result.shorts.size(); ++i) {
        const ShortCheck& s = result.shorts[i];
        out += i ? ",{\"nets\":[" : "{\"nets\":[";
        for (size_t k = 0; k < s.nets.size(); ++k)
            out += strprintf("%s%d", k ? "," : "", s.nets[k]);
        out += "],\"points\":[";
        for (size_t k = 0; k < s.points.size(); ++k)
            out += strprintf("%s[%d,%d]", k ? "," : "", s.points[k].first, s.points[k].second);
        out += "]}";
    }
    out += "],\"jumpers\":[";
    for (size_t i = 0; i < result.jumpers.size(); ++i) {
        const JumperCheck& j = result.jumpers[i];
        out += strprintf("%s{\"net\":%d,\"x1\":%d,\"y1\":%d,\"x2\":%d,\"y2\":%d,\"length\":%d}", i ? "," : "",
                         j.net, j.x1, j.y1, j.x2, j.y2, j.length);
    }
    out += "],\"clearance\":[" + gapsJson(result.clearance) + "],\"drawingPads\":[" +
           gapsJson(result.drawingPads) + "],\"wires\":[";
    for (size_t i = 0; i < result.wires.size(); ++i) {
        const WireCheck& w = result.wires[i];
        out += strprintf("%s{\"kind\":\"%s\",\"x1\":%d,\"y1\":%d,\"x2\":%d,\"y2\":%d,\"netA\":%d,\"netB\":%d,"
                         "\"line\":%d}",
                         i ? "," : "", w.kind == WireKind::AcrossNets ? "acrossNets" : "loose", w.x1, w.y1,
                         w.x2, w.y2, w.netA, w.netB, w.lineNumber);
    }
    out += "],\"negativePads\":[" + notesJson(result.negativePads) + "],\"outside\":[" +
           notesJson(result.outside) + "],";
    out += strprintf("\"summary\":{\"netsComplete\":%d,\"nets\":%zu,\"padsUnconnected\":%d,\"shorts\":%zu,",
                     result.netsComplete, result.nets.size(), result.padsUnconnected, result.shorts.size());
    out +=
        strprintf("\"connectionsOpen\":%d,\"clearanceMm\":%s,\"clearanceViolations\":%zu,\"minGapMm\":%s,"
                  "\"drawingPadPairs\":%llu,\"wiresAcrossNets\":%d,\"negativePads\":%zu,\"outside\":%zu}}\n",
                  result.connectionsOpen, shortest(result.clearanceMm).c_str(), result.clearanceViolations,
                  result.minGapMm ? fixed3(*result.minGapMm).c_str() : "null",
                  static_cast<unsigned long long>(result.drawingPadPairs), result.wiresAcrossNets,
                  result.negativePadCount, result.outsideCount);
    return out;
}

std::string checkErrorJson(const std::string& error, const std::string& path) {
    return "{\"error\":" + jsonString(error) + ",\"file\":" + jsonString(path) + "}\n";
}

} // namespace zelta
