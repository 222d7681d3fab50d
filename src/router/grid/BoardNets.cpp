// The pads of the work list and the order of their nets by bounding box.
#include "router/grid/BoardNets.h"

#include "core/Lista_coo.h"

#include <algorithm>

namespace zelta {

void BoardNets::build(const int32_t* plane, const ListaCoord& workList, int32_t cols, int32_t rows,
                      int32_t drawnPads) {
    // The work list may name a cell twice (two pads on one centre), or a centre that a later pad's
    // area covered: only a pad centre of a net is a pad to join, once.
    std::fill(padAt.begin(), padAt.end(), int16_t{-1});
    pads.clear();
    for (const coord& e : workList.entries()) {
        if (e.col < 1 || e.col >= cols || e.row < 1 || e.row >= rows)
            continue;
        const int idx = GestScheda::index(e.col, e.row);
        const int32_t w = plane[idx];
        if ((w & PadCentre) == 0 || (w & NetMask) == 0 || padAt[idx] >= 0)
            continue;
        padAt[idx] = static_cast<int16_t>(pads.size());
        pads.push_back({idx, w & NetMask});
    }

    struct Span {
        int32_t net;
        int32_t halfPerimeter;
        int32_t count;
    };
    std::array<int32_t, NetSlots> drawn{}, minC{}, maxC{}, minR{}, maxR{};
    minC.fill(GridCols);
    minR.fill(GridRows);
    maxC.fill(-1);
    maxR.fill(-1);
    const size_t ordering =
        drawnPads < 0 ? pads.size() : std::min(pads.size(), static_cast<size_t>(drawnPads));
    for (size_t i = 0; i < ordering; ++i) {
        const Pad& p = pads[i];
        const int c = p.cell / GridRows;
        const int r = p.cell % GridRows;
        minC[p.net] = std::min(minC[p.net], c);
        maxC[p.net] = std::max(maxC[p.net], c);
        minR[p.net] = std::min(minR[p.net], r);
        maxR[p.net] = std::max(maxR[p.net], r);
        ++drawn[p.net];
    }
    std::array<int32_t, NetSlots> allPads{};
    for (const Pad& p : pads)
        ++allPads[p.net];
    std::vector<Span> order;
    for (int n = 1; n < NetSlots; ++n) {
        if (drawn[n] >= 2)
            order.push_back({n, (maxC[n] - minC[n]) + (maxR[n] - minR[n]), allPads[n]});
    }
    std::stable_sort(order.begin(), order.end(),
                     [](const Span& a, const Span& b) { return a.halfPerimeter < b.halfPerimeter; });

    nets.clear();
    netPads.clear();
    netIndex.fill(-1);
    routablePads = 0;
    connections = 0;
    for (const Span& s : order) {
        netIndex[s.net] = static_cast<int16_t>(nets.size());
        nets.push_back({s.net, static_cast<int32_t>(netPads.size()), s.count});
        for (size_t i = 0; i < pads.size(); ++i)
            if (pads[i].net == s.net)
                netPads.push_back(static_cast<int32_t>(i));
        routablePads += s.count;
        connections += s.count - 1;
    }
}

} // namespace zelta
