// Building the negotiated router's view of the board from the base plane and the work list.
#include "router/Negotiated_board.h"

#include "core/Lista_coo.h"

#include <algorithm>

namespace zelta {

void NegotiatedBoard::build(const int32_t* basePlane, const ListaCoord& workList, int32_t boardCols,
                            int32_t boardRows) {
    cols = boardCols;
    rows = boardRows;
    fixedNet.fill(Wall);
    padAt.fill(-1);
    for (int c = 1; c < cols; ++c) {
        for (int r = 1; r < rows; ++r) {
            const int idx = GestScheda::index(c, r);
            const int32_t w = basePlane[idx];
            // Pads, pad areas and any copper already there belong to their net for good; a cell
            // in use without a net (a net-0 pad) blocks every net.
            fixedNet[idx] = (w & OccupiedMask) == 0 ? Free : static_cast<int16_t>(w & NetMask);
        }
    }

    cornerNet.fill(Free);
    auto guard = [&](int slot, int corner) {
        const int32_t w = basePlane[corner];
        if ((w & PadCentre) == 0)
            return;
        const int16_t net = static_cast<int16_t>(w & NetMask);
        int16_t& owner = cornerNet[slot];
        owner = owner == Free || owner == net ? net : Wall;
    };
    for (int c = 1; c + 1 < cols; ++c) {
        for (int r = 1; r + 1 < rows; ++r) {
            const int square = GestScheda::index(c, r);
            // The falling diagonal passes the upper right and lower left corners; the rising one
            // the upper left and lower right.
            guard(2 * square, square + GridRows);
            guard(2 * square, square + 1);
            guard(2 * square + 1, square);
            guard(2 * square + 1, square + GridRows + 1);
        }
    }

    // The work list may name a cell twice (two pads on one centre), or a centre that a later
    // pad's area covered: only a pad centre of a net is a pad to join, once.
    pads.clear();
    for (const coord& e : workList.entries()) {
        if (e.col < 1 || e.col >= cols || e.row < 1 || e.row >= rows)
            continue;
        const int idx = GestScheda::index(e.col, e.row);
        const int32_t w = basePlane[idx];
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
    std::array<Span, 256> spans{};
    std::array<int32_t, 256> minC{}, maxC{}, minR{}, maxR{};
    minC.fill(GridCols);
    minR.fill(GridRows);
    maxC.fill(-1);
    maxR.fill(-1);
    // The order of the nets comes from the drawing's pads alone, so that the pads of jumpers
    // seeded later leave it as it was.
    const size_t drawn =
        firstSeededPad < 0 ? pads.size() : std::min(pads.size(), static_cast<size_t>(firstSeededPad));
    for (size_t i = 0; i < drawn; ++i) {
        const Pad& p = pads[i];
        const int c = p.cell / GridRows;
        const int r = p.cell % GridRows;
        minC[p.net] = std::min(minC[p.net], c);
        maxC[p.net] = std::max(maxC[p.net], c);
        minR[p.net] = std::min(minR[p.net], r);
        maxR[p.net] = std::max(maxR[p.net], r);
        ++spans[p.net].count;
    }
    std::array<int32_t, 256> allPads{};
    for (const Pad& p : pads)
        ++allPads[p.net];
    std::vector<Span> order;
    for (int n = 1; n < 256; ++n) {
        if (spans[n].count >= 2)
            order.push_back({n, (maxC[n] - minC[n]) + (maxR[n] - minR[n]), allPads[n]});
    }
    std::stable_sort(order.begin(), order.end(),
                     [](const Span& a, const Span& b) { return a.halfPerimeter < b.halfPerimeter; });

    nets.clear();
    netPads.clear();
    netIndex.fill(-1);
    routablePads = 0;
    for (const Span& s : order) {
        netIndex[s.net] = static_cast<int16_t>(nets.size());
        nets.push_back({s.net, static_cast<int32_t>(netPads.size()), s.count});
        for (size_t i = 0; i < pads.size(); ++i)
            if (pads[i].net == s.net)
                netPads.push_back(static_cast<int32_t>(i));
        routablePads += s.count;
    }
}

} // namespace zelta
