// The connection search: best first over the grid's eight moves, a path never turning back nor
// by more than 90 degrees, with a cost for diagonal steps and for changes of direction.
#include "router/classic/Aprizelta.h"

#include "core/Messages.h"
#include "core/Report.h"
#include "core/Units.h"

namespace zelta {

namespace {

// The grid as a lattice of steps, for the table of steps near pads.

// Moves tried from a node, by the node's dir: straight on first, then the turns.
constexpr int MoveOrder[9][8] = {
    {1, 2, 3, 4, 5, 6, 7, 8}, {5, 3, 7, 4, 6}, {6, 5, 7, 4, 8}, {7, 5, 1, 6, 8}, {8, 7, 1, 6, 2},
    {1, 7, 3, 8, 2},          {2, 1, 3, 8, 4}, {3, 1, 5, 2, 4}, {4, 3, 5, 2, 6},
};
constexpr int MoveCount[9] = {8, 5, 5, 5, 5, 5, 5, 5, 5};

} // namespace

void ApriZelta::clearSearch() {
    openList.clear();
    closedList.clear();
}

void ApriZelta::openInsert(const nodo& node) {
    openList.insert(node);
}

bool ApriZelta::openPop() {
    if (!openList.pop(current))
        return false;
    closedList.append(GestScheda::index(current.col, current.row), current.dir);
    return true;
}

int ApriZelta::expandMove(int m) {
    const int32_t* work = links.grid->plane(WorkPlane);
    const Direction& d = Directions[m];
    const int32_t c0 = current.col;
    const int32_t r0 = current.row;
    const int32_t c = c0 + d.dc;
    const int32_t r = r0 + d.dr;
    candidate.dir = static_cast<uint8_t>(d.opposite);
    int32_t cost = (m & 1) ? ClassicTuning::StraightStep : ClassicTuning::DiagonalStep + diagonalPenalty;

    const GestoreFileINI& ini = *links.settings;
    if (c < 1 || c >= ini.cols || r < 1 || r >= ini.rows)
        return 0;
    const int idx = GestScheda::index(c, r);
    const int32_t w = work[idx];
    if ((w & OccupiedMask) != 0 && (w & NetMask) != net)
        return 0;

    // A diagonal may not cross a diagonal step already laid across the same square, of any net.
    auto has = [work](int32_t col, int32_t row, int dir) {
        return (work[GestScheda::index(col, row)] & Directions[dir].bit) != 0;
    };
    switch (m) {
    case 2:
        if (has(c0, r0 - 1, 4) || has(c0 + 1, r0, 8))
            return 0;
        break;
    case 4:
        if (has(c0 + 1, r0, 6) || has(c0, r0 + 1, 2))
            return 0;
        break;
    case 6:
        if (has(c0, r0 + 1, 8) || has(c0 - 1, r0, 4))
            return 0;
        break;
    case 8:
        if (has(c0 - 1, r0, 2) || has(c0, r0 - 1, 6))
            return 0;
        break;
    default:
        break;
    }
    // Nor may its copper overlap another net's pad, whatever the pad areas on the grid say: a pad
    // bigger than its area, or beside a diagonal, still reaches out.
    if (netPadSteps_ != nullptr &&
        !netPadSteps_->allows(GridLattice.stepOf(GestScheda::index(c0, r0), m), net))
        return 0;

    if (candidate.dir != current.dir)
        cost += bendPenalty + ClassicTuning::BendBase;
    candidate.col = c;
    candidate.row = r;
    candidate.g = current.g + cost;
    const int32_t toTarget = estimateCost(c, r, targetCol, targetRow);
    candidate.f = candidate.g + toTarget;

    if (c == targetCol && r == targetRow)
        return 2;
    // Another cell the connection may end on, at least two steps from the target, becomes the
    // destination; its f stays as computed against the previous target.
    if ((w & NetMask) == net && (w & PadArea) == 0 && targetList.contains(idx) &&
        toTarget >= ClassicTuning::OtherTargetDistance) {
        targetCol = c;
        targetRow = r;
        return 2;
    }
    if (closedList.contains(idx))
        return 0;
    return 1;
}

void ApriZelta::recalculateTarget(int32_t& startEstimate) {
    const int32_t oldCol = targetCol;
    const int32_t oldRow = targetRow;
    // The reference is the last move that passed the bounds, occupancy and crossing tests.
    chooseTarget(candidate.col, candidate.row);
    if (targetCol == oldCol && targetRow == oldRow)
        return;
    openList.retarget(targetCol, targetRow);
    startEstimate = estimateCost(targetCol, targetRow, workCol, workRow);
    report(2, msg::TargetChanged, targetCol, targetRow);
}

ConnectionResult ApriZelta::routeConnection(bool fastLap, int32_t& startEstimate) {
    clearSearch();
    if (!collectTargets())
        return ConnectionResult::NoTarget;
    chooseTarget(workCol, workRow);
    report(2, msg::TargetChosen, targetCol, targetRow);

    current = {0, estimateCost(workCol, workRow, targetCol, targetRow), workCol, workRow, 0};
    startEstimate = current.f;
    openInsert(current);
    bool found = false;
    bool fastAbort = false;
    int32_t k = 0;

    while (openPop()) {
        const int dir = current.dir;
        for (int i = 0; i < MoveCount[dir]; ++i) {
            const int result = expandMove(MoveOrder[dir][i]);
            if (result == 2) {
                found = true;
                closedList.append(GestScheda::index(candidate.col, candidate.row), candidate.dir);
                markPath();
                routedNets[net & NetMask] = true;
                break;
            }
            if (result == 1) {
                openInsert(candidate);
                // Checked whether or not the open list kept the candidate.
                if (fastLap && ClassicTuning::FastLapGiveUp * startEstimate < candidate.f) {
                    report(2, "%s", msg::FastLapAbort);
                    fastAbort = true;
                    break;
                }
            }
        }
        if (found || fastAbort)
            break;
        if (++k == retargetEvery) {
            recalculateTarget(startEstimate);
            k = 0;
        }
    }
    return found ? ConnectionResult::Found : ConnectionResult::NotFound;
}

} // namespace zelta
