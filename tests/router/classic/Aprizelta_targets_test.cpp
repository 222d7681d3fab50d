// Where a connection may end and how a found path is recorded: the net grows as a tree, pads
// that a path reaches are raised and counted, and ties between targets break one fixed way.
#include "router/RouterTestBoard.h"

#include <gtest/gtest.h>

namespace zelta::testing {
namespace {

ConnectionResult connect(ApriZelta& router, TestBoard& board, int32_t c, int32_t r) {
    router.net = board.work(c, r) & NetMask;
    router.workCol = c;
    router.workRow = r;
    int32_t startEstimate = 0;
    return router.routeConnection(false, startEstimate);
}

int32_t workListValue(const TestBoard& board, int32_t c, int32_t r) {
    coord entry{c, r, -1};
    board.workList.find(entry);
    return entry.value;
}

TEST(Targets, NetGrowsAsATreeFromItsFirstConnection) {
    // A, B, C, D of one net in work-list order; A's connection ends on B and passes neither C nor D.
    TestBoard board(20, 10, 2);
    board.pad(2, 2, 1, 0, 0);  // A
    board.pad(6, 2, 1, 0, 0);  // B
    board.pad(4, 6, 1, 0, 0);  // C
    board.pad(15, 8, 1, 0, 0); // D
    BoardRouter r(board);
    ASSERT_EQ(connect(r.router, board, 2, 2), ConnectionResult::Found);
    EXPECT_EQ(board.work(6, 2), 1 | PadCentre | DirBit(7));
    for (int32_t c = 3; c <= 5; ++c)
        EXPECT_EQ(board.work(c, 2), 1 | DirBit(7)) << c;
    EXPECT_EQ(board.work(2, 2), 1 | PadCentre | PathSource);

    // C's targets: the track, A and B; D's centre carries no track and the net is routed.
    r.router.workCol = 4;
    r.router.workRow = 6;
    ASSERT_TRUE(r.router.collectTargets());
    EXPECT_EQ(board.host.report.back(), "trovati 5 targets");
    r.router.chooseTarget(4, 6);
    EXPECT_EQ(std::pair(r.router.targetCol, r.router.targetRow), std::pair(4, 2));
    r.router.chooseTarget(15, 8);
    EXPECT_EQ(std::pair(r.router.targetCol, r.router.targetRow), std::pair(6, 2));
    r.router.chooseTarget(1, 1);
    EXPECT_EQ(std::pair(r.router.targetCol, r.router.targetRow), std::pair(2, 2));
}

// A (2, 2) joins B (4, 2); then C (3, 8) joins the tree straight up column 3, through the
// centre of D (3, 5), which is no target (no track on it) but passable.
struct PassThrough {
    int32_t handledPads;
    int32_t dValue;
    int32_t joinCell;
    int32_t dCell;
    int32_t cCell;
};
PassThrough joinThroughAnOwnCentre(int32_t dValueBefore) {
    TestBoard board(10, 12);
    board.pad(2, 2, 1, 0, 0);
    board.pad(4, 2, 1, 0, 0);
    board.pad(3, 8, 1, 0, 0);
    board.pad(3, 5, 1, 0, 0);
    board.workList.setValue(3, 5, dValueBefore);
    BoardRouter r(board);
    r.router.handledPads = 0;
    EXPECT_EQ(connect(r.router, board, 2, 2), ConnectionResult::Found);
    EXPECT_EQ(connect(r.router, board, 3, 8), ConnectionResult::Found);
    EXPECT_EQ(std::pair(r.router.targetCol, r.router.targetRow), std::pair(3, 2));
    return {r.router.handledPads, workListValue(board, 3, 5), board.work(3, 2), board.work(3, 5),
            board.work(3, 8)};
}

TEST(Targets, PathRaisesAndCountsTheOwnCentresItRunsIntoUnlessAlreadyRaised) {
    PassThrough neutral = joinThroughAnOwnCentre(1000000);
    EXPECT_EQ(neutral.handledPads, 2); // B, then D
    EXPECT_EQ(neutral.dValue, 2000000);
    EXPECT_EQ(neutral.dCell, 1 | PadCentre | DirBit(5));
    // The joining cell keeps the step of the first path and gains the new one.
    EXPECT_EQ(neutral.joinCell, 1 | DirBit(7) | DirBit(5));
    EXPECT_EQ(neutral.cCell, 1 | PadCentre | PathSource);

    PassThrough atLimit = joinThroughAnOwnCentre(1500000);
    EXPECT_EQ(atLimit.handledPads, 2);
    EXPECT_EQ(atLimit.dValue, 2500000);

    PassThrough raised = joinThroughAnOwnCentre(1500001);
    EXPECT_EQ(raised.handledPads, 1);
    EXPECT_EQ(raised.dValue, 1500001);
}

TEST(Targets, WorkCellAndPadAreasOfItsNetAreNeverTargets) {
    TestBoard board(12, 10, 2);
    board.pad(5, 5, 1, 1, 1);
    board.pad(5, 5, 1, 0, 0); // a second pad on the same centre
    BoardRouter r(board);
    EXPECT_EQ(connect(r.router, board, 5, 5), ConnectionResult::NoTarget);
    EXPECT_EQ(board.host.report.back(), "trovati 0 targets");
}

TEST(Targets, EqualEstimatesGoToScanOrderFirstAndToThePreviousRankingAfter) {
    TestBoard board(12, 10);
    for (auto [c, r] : {std::pair{7, 5}, {5, 7}, {5, 3}, {3, 5}})
        board.pad(c, r, 1, 0, 0);
    board.pad(5, 5, 1, 0, 0);
    BoardRouter r(board);
    r.router.net = 1;
    r.router.workCol = 5;
    r.router.workRow = 5;
    ASSERT_TRUE(r.router.collectTargets());
    r.router.chooseTarget(5, 5);
    EXPECT_EQ(std::pair(r.router.targetCol, r.router.targetRow), std::pair(3, 5)); // lowest column

    TestBoard sameColumn(12, 10);
    for (auto [c, r] : {std::pair{5, 7}, {7, 5}, {5, 3}, {5, 5}})
        sameColumn.pad(c, r, 1, 0, 0);
    BoardRouter s(sameColumn);
    s.router.net = 1;
    s.router.workCol = 5;
    s.router.workRow = 5;
    ASSERT_TRUE(s.router.collectTargets());
    s.router.chooseTarget(5, 5);
    EXPECT_EQ(std::pair(s.router.targetCol, s.router.targetRow), std::pair(5, 3)); // then lowest row

    // (2, 5) and (8, 5) are 30 from (5, 5); the choice from (8, 4) ranked (8, 5) first.
    TestBoard ranked(12, 10);
    for (auto [c, r] : {std::pair{2, 5}, {8, 5}, {1, 1}})
        ranked.pad(c, r, 1, 0, 0);
    BoardRouter t(ranked);
    t.router.net = 1;
    t.router.workCol = 1;
    t.router.workRow = 1;
    ASSERT_TRUE(t.router.collectTargets());
    t.router.chooseTarget(8, 4);
    t.router.chooseTarget(5, 5);
    EXPECT_EQ(std::pair(t.router.targetCol, t.router.targetRow), std::pair(8, 5));
}

} // namespace
} // namespace zelta::testing
