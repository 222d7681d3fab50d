// Reading the groups of a plane: the cells of each net, the steps between them, the jumpers.
#include "router/grid/PlaneGroups.h"

#include "router/grid/Moves.h"

namespace zelta {

void PlaneGroups::read(const int32_t* plane, int32_t cols, int32_t rows, const BoardNets& nets,
                       std::initializer_list<const JumperList*> jumpers) {
    sets.clear();
    for (size_t k = 0; k < nets.nets.size(); ++k)
        cells[k].clear();
    for (int c = 1; c < cols; ++c) {
        for (int r = 1; r < rows; ++r) {
            const int idx = GestScheda::index(c, r);
            const int32_t w = plane[idx];
            const int k = nets.netIndex[w & NetMask];
            if (k >= 0 && (w & (TrackMask | PadCentre)) != 0)
                add(k, idx);
        }
    }
    // A step may lead to a cell that records no step of its own (a rip-up took its steps away and
    // left the neighbour's step into it): it joins the net here.
    for (size_t k = 0; k < nets.nets.size(); ++k) {
        for (size_t i = 0; i < cells[k].size(); ++i) {
            const int idx = cells[k][i];
            const int32_t w = plane[idx];
            for (int d = 1; d <= 8; ++d) {
                const int next = idx + CellStep[d];
                if ((w & Directions[d].bit) == 0 || (plane[next] & NetMask) != (w & NetMask))
                    continue;
                add(static_cast<int>(k), next);
                sets.unite(idx, next);
            }
        }
    }
    // Jumpers join their ends: the drawing's (whose second end's centre is pad area to the
    // routers) and those laid on the plane.
    for (const JumperList* list : jumpers) {
        for (const Jumper& j : *list) {
            const int k = nets.netIndex[j.net & NetMask];
            if (k < 0)
                continue;
            const int a = GestScheda::index(j.col1, j.row1);
            const int b = GestScheda::index(j.col2, j.row2);
            add(k, a);
            add(k, b);
            sets.unite(a, b);
        }
    }
}

} // namespace zelta
