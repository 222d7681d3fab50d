// The pads a method joins and the order of their nets: the work list's pad centres of a net, each
// once, and the nets with two pads or more, the one with the smallest bounding box first (a short
// net has the fewest ways round an obstacle, so it goes before the long ones).
#pragma once

#include "core/Init_obj.h"

#include <array>
#include <cstdint>
#include <vector>

namespace zelta {

class ListaCoord;

// Net numbers run from 0 (no net) to NetMask: one slot each.
inline constexpr int NetSlots = NetMask + 1;

struct BoardNets {
    struct Pad {
        int32_t cell;
        int32_t net;
    };
    struct Net {
        int32_t net;
        int32_t firstPad; // into netPads
        int32_t padCount;
    };

    // Takes the pads of the work list whose cells are pad centres of a net on the plane, inside
    // columns 1..cols-1 and rows 1..rows-1. The order of the nets comes from the first drawnPads
    // pads alone (all when negative), so that pads added later leave it as it was.
    void build(const int32_t* plane, const ListaCoord& workList, int32_t cols, int32_t rows,
               int32_t drawnPads = -1);

    int padOf(const Net& n, int i) const { return netPads[n.firstPad + i]; }
    int32_t padCell(const Net& n, int i) const { return pads[padOf(n, i)].cell; }

    std::vector<Pad> pads;
    std::vector<int16_t> padAt = std::vector<int16_t>(PlaneCells, -1); // index into pads at a pad centre
    std::vector<int32_t> netPads; // pad indices, grouped by net in routing order
    std::vector<Net> nets;
    std::array<int16_t, NetSlots> netIndex{}; // position in nets, -1 for a net that is not routed
    int32_t routablePads = 0;                 // pads of the nets in nets
    int32_t connections = 0;                  // joins a complete board needs: pads of each net less one
};

} // namespace zelta
