// Holes by tool, and the Excellon text.
#include "export/Excellon.h"
#include "export/Joined.h"

#include "export/BoardCoordinates.h"
#include "export/ExportVersion.h"

#include <algorithm>
#include <map>

namespace zelta {

namespace {

// Millimetres always with a decimal point: a number without one would be read in the file's
// implied-decimal format.
std::string decimalMm(int64_t nm) {
    std::string text = mmText(nm);
    if (text.find('.') == std::string::npos)
        text += ".0";
    return text;
}

} // namespace

std::vector<DrillTool> drillTools(const FcdDrawing& drawing) {
    const BoardCoordinates at = BoardCoordinates::of(drawing);
    // Centre -> index of its hole; the holes in the order of their first pad.
    std::map<std::pair<int32_t, int32_t>, size_t> byCentre;
    std::vector<DrillHole> holes;
    for (const DrawnPad& p : drawing.pads) {
        if (p.drill <= 0)
            continue;
        const DrillHole hole{at.x(p.x), at.y(p.y), unitsToNm(p.drill)};
        const auto [found, added] = byCentre.emplace(std::make_pair(p.x, p.y), holes.size());
        if (added)
            holes.push_back(hole);
        else
            holes[found->second].diameter = std::max(holes[found->second].diameter, hole.diameter);
    }
    std::map<int64_t, std::vector<DrillHole>> byDiameter;
    for (const DrillHole& h : holes)
        byDiameter[h.diameter].push_back(h);
    std::vector<DrillTool> tools;
    for (auto& [diameter, toolHoles] : byDiameter)
        tools.push_back({diameter, std::move(toolHoles)});
    return tools;
}

std::string excellon(const std::vector<DrillTool>& tools, const std::string& name) {
    // Holes of a single-sided board are not plated.
    std::string out = "M48\n";
    out += joined({"; Zelta ", ExportVersion, ": fori di ", name, "\n"});
    out += joined({"; #@! TF.GenerationSoftware,Zelta,Zelta,", ExportVersion, "\n"});
    out += "; #@! TF.FileFunction,NonPlated,1,1,NPTH\n";
    out += "; #@! TF.FilePolarity,Positive\n";
    out += "; FORMAT={-:-/ absolute / metric / decimal}\n";
    out += "FMAT,2\nMETRIC\n";
    for (size_t i = 0; i < tools.size(); ++i)
        out += joined({"T", std::to_string(i + 1), "C", decimalMm(tools[i].diameter), "\n"});
    out += "%\nG90\nG05\n";
    for (size_t i = 0; i < tools.size(); ++i) {
        out += joined({"T", std::to_string(i + 1), "\n"});
        for (const DrillHole& h : tools[i].holes)
            out += joined({"X", decimalMm(h.x), "Y", decimalMm(h.y), "\n"});
    }
    out += "M30\n";
    return out;
}

} // namespace zelta
