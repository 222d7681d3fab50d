// Width classes for track spacing.
#include "router/grid/SpacingClasses.h"

#include <algorithm>
#include <vector>

namespace zelta {

std::array<int32_t, NetSlots> ruledWidthsOf(const NetTable& netTable) {
    std::array<int32_t, NetSlots> widths{};
    for (const auto& [net, choice] : netTable)
        if (net > 0 && net < NetSlots)
            widths[net] = ruledTrackWidth(choice);
    return widths;
}

bool setupSpacingClasses(TrackSpacing& spacing, std::array<int8_t, NetSlots>& classOf, const Lattice& lattice,
                         const std::array<int32_t, NetSlots>& widthOfNet, double clearance) {
    std::vector<int32_t> widths;
    for (int32_t w : widthOfNet)
        if (w > 0)
            widths.push_back(w);
    std::sort(widths.begin(), widths.end());
    widths.erase(std::unique(widths.begin(), widths.end()), widths.end());
    classOf.fill(0);
    for (int net = 0; net < NetSlots; ++net)
        if (widthOfNet[net] > 0)
            classOf[net] = static_cast<int8_t>(
                std::lower_bound(widths.begin(), widths.end(), widthOfNet[net]) - widths.begin());
    std::vector<double> halfWidths;
    for (int32_t w : widths)
        halfWidths.push_back(w / 2.0);
    spacing.setup(lattice, halfWidths, clearance);
    // The same half point and its four nearest neighbours: five offsets at most within that reach.
    for (int a = 0; a < spacing.classes(); ++a)
        for (int b = 0; b < spacing.classes(); ++b)
            if (spacing.stencil(a, b).size() > 5)
                return true;
    return false;
}

} // namespace zelta
