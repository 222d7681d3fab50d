// The connection search: the cost estimate, the moves it accepts, the open list's order, the
// fast-lap abort, the target-list cells that end a search and the target recalculation.
#include "router/RouterTestBoard.h"

#include <gtest/gtest.h>

#include <vector>

namespace zelta::testing {
namespace {

// Puts the router on the work cell (c, r) as routeConnection would before its first expansion,
// with the targets of the work cell's net collected or, for moves judged on the cell alone, none.
void startAt(ApriZelta& router, TestBoard& board, int32_t c, int32_t r, bool withTargets = true) {
    router.net = board.work(c, r) & NetMask;
    router.workCol = c;
    router.workRow = r;
    router.clearSearch();
    if (withTargets)
        router.collectTargets();
    router.current = nodo{0, 0, c, r, 0};
}

TEST(EstimateCost, CountsTenPerStraightStepAndSeventeenPointOnePerDiagonalStep) {
    EXPECT_EQ(ApriZelta::estimateCost(3, 3, 3, 3), 0);
    EXPECT_EQ(ApriZelta::estimateCost(3, 3, 4, 4), 17);
    EXPECT_EQ(ApriZelta::estimateCost(3, 3, 2, 3), 10);
    EXPECT_EQ(ApriZelta::estimateCost(0, 0, 3, 3), 51);
    EXPECT_EQ(ApriZelta::estimateCost(0, 0, 10, 10), 171);
    EXPECT_EQ(ApriZelta::estimateCost(0, 0, 0, 4), 40);
    EXPECT_EQ(ApriZelta::estimateCost(0, 0, 5, 2), 64);
    EXPECT_EQ(ApriZelta::estimateCost(5, 2, 0, 0), 64);
}

TEST(ConnectionSearch, FirstExpansionReachesANeighbouringTargetWithItsThirdMove) {
    TestBoard board(12, 10);
    board.pad(5, 5, 1, 0, 0);
    board.pad(6, 5, 1, 0, 0);
    BoardRouter r(board);
    r.router.handledPads = 0;
    startAt(r.router, board, 5, 5);

    int32_t startEstimate = 0;
    ASSERT_EQ(r.router.routeConnection(false, startEstimate), ConnectionResult::Found);
    EXPECT_EQ(startEstimate, 10);
    EXPECT_EQ(r.router.candidate.g, 13);
    EXPECT_EQ(r.router.candidate.f, 13);
    // The target gets the step back to the work cell, the work cell only the source mark.
    EXPECT_EQ(board.work(6, 5), 1 | PadCentre | DirBit(7));
    EXPECT_EQ(board.work(5, 5), 1 | PadCentre | PathSource);
    coord target{6, 5, 0};
    ASSERT_TRUE(board.workList.find(target));
    EXPECT_EQ(target.value, 2000000);
    EXPECT_EQ(r.router.handledPads, 1);
}

TEST(ConnectionSearch, FastLapGivesUpWhenAMoveCostsMoreThanTwiceTheStartEstimate) {
    TestBoard board(12, 10, 2);
    board.pad(5, 5, 1, 0, 0);
    board.pad(6, 5, 1, 0, 0);
    BoardRouter r(board);
    startAt(r.router, board, 5, 5);
    board.host.report.clear();

    // The first move (north, onto a free cell) already gives f = 13 + 17 = 30 > 2 x 10.
    int32_t startEstimate = 0;
    EXPECT_EQ(r.router.routeConnection(true, startEstimate), ConnectionResult::NotFound);
    EXPECT_EQ(board.host.report,
              (std::vector<std::string>{"trovati 1 targets", "Scelto target: c=6; r=5", "Giro veloce"}));
    EXPECT_EQ(board.work(5, 5), 1 | PadCentre);
    EXPECT_EQ(board.work(6, 5), 1 | PadCentre);
}

TEST(ConnectionSearch, DiagonalMoveAcrossATrackOnTheOtherDiagonalIsRefusedWhateverItsNet) {
    struct Crossing {
        int m;
        int dc, dr; // cell that records the other diagonal, relative to the current cell
        int bit;    // its direction bit
    };
    const Crossing crossings[] = {{2, 0, -1, 4}, {2, 1, 0, 8},  {4, 1, 0, 6},  {4, 0, 1, 2},
                                  {6, 0, 1, 8},  {6, -1, 0, 4}, {8, -1, 0, 2}, {8, 0, -1, 6}};
    for (const Crossing& x : crossings) {
        for (int32_t trackNet : {1, 2}) {
            TestBoard board(12, 10);
            board.pad(5, 5, 1, 0, 0);
            board.set(5 + x.dc, 5 + x.dr, trackNet | DirBit(x.bit));
            BoardRouter r(board);
            startAt(r.router, board, 5, 5, false);
            EXPECT_EQ(r.router.expandMove(x.m), 0) << "move " << x.m << " net " << trackNet;
        }
        // Straight steps through the same cell do not cross the square's diagonal.
        TestBoard board(12, 10);
        board.pad(5, 5, 1, 0, 0);
        board.set(5 + x.dc, 5 + x.dr, 1 | DirBit(1) | DirBit(3) | DirBit(5) | DirBit(7));
        BoardRouter r(board);
        startAt(r.router, board, 5, 5, false);
        EXPECT_EQ(r.router.expandMove(x.m), 1) << "move " << x.m;
        EXPECT_EQ(r.router.expandMove(x.dc == 0 ? (x.dr < 0 ? 1 : 5) : (x.dc > 0 ? 3 : 7)), 1)
            << "move " << x.m;
    }
}

TEST(ConnectionSearch, EntersFreeCellsAndCellsOfItsOwnNetOnly) {
    struct Case {
        int32_t cell;
        int expected;
    };
    const Case cases[] = {
        {0, 1},             // free
        {1 | PadArea, 1},   // own pad area
        {1 | DirBit(3), 1}, // own track
        {2, 0},             // another net's track
        {2 | PadArea, 0},   // another net's pad
        {PadArea, 0},       // a pad of no net
        {PadCentre, 0},     // the centre of a pad of no net
        {DirBit(5), 0},     // bits set, no net
        {1 | 0x10000, 1},   // the unused bit 16 of the own net
        {0x10000, 0},       // bit 16 alone makes a cell occupied
    };
    for (const Case& k : cases) {
        TestBoard board(12, 10);
        board.pad(5, 5, 1, 0, 0);
        board.set(6, 5, k.cell);
        BoardRouter r(board);
        startAt(r.router, board, 5, 5, false);
        EXPECT_EQ(r.router.expandMove(3), k.expected) << std::hex << k.cell;
    }
}

TEST(ConnectionSearch, StaysInsideTheBoardAndOffCellsAlreadyExpanded) {
    TestBoard board(6, 5);
    board.pad(1, 1, 1, 0, 0);
    board.pad(5, 4, 1, 0, 0);
    BoardRouter r(board);
    startAt(r.router, board, 1, 1);
    EXPECT_EQ(r.router.expandMove(1), 0);
    EXPECT_EQ(r.router.expandMove(7), 0);
    EXPECT_EQ(r.router.expandMove(8), 0);
    // Column cols - 1 and row rows - 1 are the last ones of the board.
    r.router.current = nodo{0, 0, 5, 4, 0};
    EXPECT_EQ(r.router.expandMove(3), 0);
    EXPECT_EQ(r.router.expandMove(5), 0);

    r.router.openInsert(nodo{0, 0, 2, 2, 0});
    ASSERT_TRUE(r.router.openPop());
    r.router.current = nodo{10, 10, 3, 2, 7};
    EXPECT_EQ(r.router.expandMove(7), 0);
    EXPECT_EQ(r.router.expandMove(5), 1);
}

TEST(ConnectionSearch, OpenListKeepsTheLowerFOfACellAndPopsTheLastInsertedAmongEqualF) {
    TestBoard board(12, 10);
    BoardRouter r(board);
    ApriZelta& z = r.router;
    z.clearSearch();
    z.openInsert(nodo{5, 50, 3, 3, 3});
    z.openInsert(nodo{4, 40, 3, 3, 7}); // lower f: replaces
    z.openInsert(nodo{9, 40, 3, 3, 1}); // equal f: dropped
    z.openInsert(nodo{9, 45, 3, 3, 1}); // higher f: dropped
    z.openInsert(nodo{1, 40, 4, 4, 5});
    z.openInsert(nodo{1, 60, 6, 6, 5});
    z.openInsert(nodo{1, 30, 7, 7, 5});

    struct Popped {
        int32_t g, f, col, row, dir;
        bool operator==(const Popped&) const = default;
    };
    std::vector<Popped> order;
    while (z.openPop())
        order.push_back({z.current.g, z.current.f, z.current.col, z.current.row, z.current.dir});
    EXPECT_EQ(order,
              (std::vector<Popped>{{1, 30, 7, 7, 5}, {1, 40, 4, 4, 5}, {4, 40, 3, 3, 7}, {1, 60, 6, 6, 5}}));
}

// expandMove onto a target-list cell X, east of the work cell, with the target placed at the given
// cell; returns the move's result, and the target and candidate f afterwards.
struct TargetListStep {
    int result;
    int32_t targetCol, targetRow, f;
};
TargetListStep stepOntoTargetListCell(int32_t targetCol, int32_t targetRow) {
    TestBoard board(12, 10);
    board.pad(5, 5, 1, 0, 0);
    board.pad(6, 5, 1, 0, 0);
    board.pad(targetCol, targetRow, 1, 0, 0);
    BoardRouter r(board);
    startAt(r.router, board, 5, 5);
    r.router.targetCol = targetCol;
    r.router.targetRow = targetRow;
    int result = r.router.expandMove(3);
    return {result, r.router.targetCol, r.router.targetRow, r.router.candidate.f};
}

TEST(ConnectionSearch, TargetListCellTwoStepsFromTheTargetBecomesTheDestination) {
    TargetListStep twoSteps = stepOntoTargetListCell(8, 5);
    EXPECT_EQ(twoSteps.result, 2);
    EXPECT_EQ(twoSteps.targetCol, 6);
    EXPECT_EQ(twoSteps.targetRow, 5);
    EXPECT_EQ(twoSteps.f, 13 + 20); // still against the target in force before the move

    TargetListStep straightStep = stepOntoTargetListCell(7, 5);
    EXPECT_EQ(straightStep.result, 1);
    EXPECT_EQ(straightStep.targetCol, 7);

    TargetListStep diagonalStep = stepOntoTargetListCell(7, 6);
    EXPECT_EQ(diagonalStep.result, 1);
    EXPECT_EQ(diagonalStep.targetCol, 7);
}

// Work cell (5, 5) heads first for T1 (9, 5), 40 away; T2 (1, 4) is 47 away. The second node
// expanded, (6, 5), is walled in, so the last move that passed the tests stays (4, 4) from the
// first expansion, and from there T2 is the nearer target.
struct Recalculation {
    ConnectionResult result;
    int32_t startEstimate;
    int32_t targetCol, targetRow;
    std::vector<std::pair<int32_t, int32_t>> changedWhileExpanding;
};
Recalculation searchWithRetarget(int32_t retargetEvery) {
    TestBoard board(12, 10, 2);
    board.pad(5, 5, 1, 0, 0);
    board.pad(9, 5, 1, 0, 0);
    board.pad(1, 4, 1, 0, 0);
    for (auto [c, r] : {std::pair{7, 5}, {6, 4}, {6, 6}, {7, 4}, {7, 6}})
        board.set(c, r, PadArea);
    BoardRouter r(board, 0, retargetEvery);
    Recalculation out{};
    board.host.onLine = [&](const std::string& line) {
        if (line.rfind("Cambiato target", 0) == 0)
            out.changedWhileExpanding.push_back({r.router.current.col, r.router.current.row});
    };
    r.router.net = 1;
    r.router.workCol = 5;
    r.router.workRow = 5;
    out.result = r.router.routeConnection(false, out.startEstimate);
    out.targetCol = r.router.targetCol;
    out.targetRow = r.router.targetRow;
    return out;
}

TEST(ConnectionSearch, RecalculatesTheTargetAfterEveryRetargetEveryExpansions) {
    using Cells = std::vector<std::pair<int32_t, int32_t>>;
    Recalculation every2 = searchWithRetarget(2);
    EXPECT_EQ(every2.changedWhileExpanding, (Cells{{6, 5}}));
    EXPECT_EQ(every2.result, ConnectionResult::Found);
    EXPECT_EQ(every2.targetCol, 1);
    EXPECT_EQ(every2.targetRow, 4);
    EXPECT_EQ(every2.startEstimate, 47);

    Recalculation every1 = searchWithRetarget(1);
    ASSERT_FALSE(every1.changedWhileExpanding.empty());
    EXPECT_EQ(every1.changedWhileExpanding.front(), (std::pair<int32_t, int32_t>{5, 5}));

    Recalculation never = searchWithRetarget(0);
    EXPECT_TRUE(never.changedWhileExpanding.empty());
    EXPECT_EQ(never.startEstimate, 40);
}

} // namespace
} // namespace zelta::testing
