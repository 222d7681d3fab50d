// Building the negotiated router's view of the board from the base plane and the work list.
#include "router/negotiated/NegotiatedBoard.h"

#include "core/Lista_coo.h"
#include "router/model/BoardModel.h"
#include "router/model/PointOwners.h"

#include <algorithm>

namespace zelta {

void NegotiatedBoard::build(const BoardModel& model, const int32_t* seedPlane, const ListaCoord& workList) {
    cols = model.cols;
    rows = model.rows;
    // Pads, pad areas and any copper already there belong to their net for good; a cell in use
    // without a net (a net-0 pad) blocks every net.
    const ModelLayer& layer = model.layer();
    std::copy(layer.pointNet.begin(), layer.pointNet.end(), fixedNet.begin());
    std::copy(layer.cornerNet.begin(), layer.cornerNet.end(), cornerNet.begin());
    for (int c = 1; c < cols; ++c) {
        for (int r = 1; r < rows; ++r) {
            const int idx = GestScheda::index(c, r);
            if (seedPlane[idx] == model.basePlane[idx])
                continue;
            fixedNet[idx] = pointOwner(seedPlane[idx]);
            // The squares the point is a corner of, those wholly inside the board.
            for (int sc = std::max(1, c - 1); sc <= std::min(c, cols - 2); ++sc)
                for (int sr = std::max(1, r - 1); sr <= std::min(r, rows - 2); ++sr)
                    readSquareCorners(seedPlane, GestScheda::index(sc, sr), cornerNet.data());
        }
    }
    BoardNets::build(seedPlane, workList, cols, rows, firstSeededPad);
}

} // namespace zelta
