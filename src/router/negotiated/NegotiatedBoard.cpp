// Building the negotiated router's view of the board from the base plane and the work list.
#include "router/negotiated/NegotiatedBoard.h"

#include "core/Lista_coo.h"
#include "router/grid/SpacingClasses.h"

namespace zelta {

void NegotiatedBoard::build(const int32_t* basePlane, const ListaCoord& workList, int32_t boardCols,
                            int32_t boardRows) {
    cols = boardCols;
    rows = boardRows;
    fixedNet.fill(Wall);
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

    BoardNets::build(basePlane, workList, cols, rows, firstSeededPad);
}

void NegotiatedBoard::setupSpacing(const std::array<int32_t, NetSlots>& widthOfNet, double clearance,
                                   int32_t pitch) {
    spacingOn = setupSpacingClasses(spacing, widthClass, gridLattice(pitch), widthOfNet, clearance);
}

} // namespace zelta
