// Ordering the wire links and writing their list.
#include "export/WireLinks.h"

#include "export/BoardCoordinates.h"
#include "export/Joined.h"

#include <algorithm>
#include <cmath>
#include <tuple>

namespace zelta {

std::vector<WireLink> wireLinks(const FcdDrawing& drawing) {
    const BoardCoordinates at = BoardCoordinates::of(drawing);
    std::vector<WireLink> links;
    for (const DrawnJumper& j : drawing.jumpers) {
        WireLink link{0, j.net, at.x(j.x1), at.y(j.y1), at.x(j.x2), at.y(j.y2), 0};
        const double length = std::hypot(double(link.x2 - link.x1), double(link.y2 - link.y1));
        link.length = std::llround(length / 1000) * 1000;
        links.push_back(link);
    }
    auto key = [](const WireLink& l) {
        return std::make_tuple(l.length, -std::max(l.y1, l.y2), std::min(l.x1, l.x2));
    };
    std::stable_sort(links.begin(), links.end(),
                     [&](const WireLink& a, const WireLink& b) { return key(a) < key(b); });
    for (size_t i = 0; i < links.size(); ++i)
        links[i].number = static_cast<int>(i) + 1;
    return links;
}

std::string wireLinkCsv(const std::vector<WireLink>& links) {
    std::string out = "ponticello,net,x1_mm,y1_mm,x2_mm,y2_mm,lunghezza_mm\n";
    for (const WireLink& l : links)
        out += joined({std::to_string(l.number), ",", std::to_string(l.net), ",", mmText(l.x1), ",",
                       mmText(l.y1), ",", mmText(l.x2), ",", mmText(l.y2), ",", mmText(l.length), "\n"});
    return out;
}

} // namespace zelta
