// Reading the pads' points and the pad centres by diagonals' corners from a plane.
#include "router/model/PointOwners.h"

#include <algorithm>

namespace zelta {

void readPointOwners(const int32_t* plane, int32_t cols, int32_t rows, int16_t* pointNet) {
    std::fill(pointNet, pointNet + PlaneCells, StepOwners::Wall);
    for (int c = 1; c < cols; ++c) {
        for (int r = 1; r < rows; ++r) {
            const int idx = GestScheda::index(c, r);
            pointNet[idx] = pointOwner(plane[idx]);
        }
    }
}

void readSquareCorners(const int32_t* plane, int square, int16_t* cornerNet) {
    auto guard = [&](int slot, int corner) {
        const int32_t w = plane[corner];
        if ((w & PadCentre) == 0)
            return;
        const int16_t net = static_cast<int16_t>(w & NetMask);
        int16_t& owner = cornerNet[slot];
        owner = owner == StepOwners::Free || owner == net ? net : StepOwners::Wall;
    };
    cornerNet[2 * square] = StepOwners::Free;
    cornerNet[2 * square + 1] = StepOwners::Free;
    // The falling diagonal passes the upper right and lower left corners; the rising one the
    // upper left and lower right.
    guard(2 * square, square + GridRows);
    guard(2 * square, square + 1);
    guard(2 * square + 1, square);
    guard(2 * square + 1, square + GridRows + 1);
}

void readCornerOwners(const int32_t* plane, int32_t cols, int32_t rows, int16_t* cornerNet) {
    std::fill(cornerNet, cornerNet + 2 * PlaneCells, StepOwners::Free);
    for (int c = 1; c + 1 < cols; ++c)
        for (int r = 1; r + 1 < rows; ++r)
            readSquareCorners(plane, GestScheda::index(c, r), cornerNet);
}

} // namespace zelta
