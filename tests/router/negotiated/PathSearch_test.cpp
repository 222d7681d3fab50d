// The negotiated router's path search: the cheapest path and how it is recorded, what the strict
// policy refuses and the negotiated one only prices, and the queue beneath it.
#include "router/negotiated/PathSearch.h"

#include "router/RouterTestBoard.h"
#include "router/model/BoardModel.h"
#include "router/negotiated/StepPolicies.h"

#include <gtest/gtest.h>

#include <vector>

namespace zelta::testing {
namespace {

int cellAt(int c, int r) {
    return GestScheda::index(c, r);
}

struct SearchBoard {
    SearchBoard() : board(20, 12), tracks(view) {}
    void build() {
        model.build(
            {board.grid->plane(BasePlane), &board.workList, board.settings.cols, board.settings.rows});
        view.build(model, board.grid->plane(BasePlane), board.workList);
        tracks.clear();
    }
    TestBoard board;
    BoardModel model;
    NegotiatedBoard view;
    Tracks tracks;
    PathSearch search{TurnCosts{1, 3}};
};

TEST(PathSearch, FindsTheCheapestPathAndRecordsItFromTheTargetBackToItsSource) {
    SearchBoard s;
    s.board.pad(3, 5, 1);
    s.board.pad(9, 5, 1);
    s.build();
    s.search.begin();
    s.search.addSource(cellAt(3, 5));
    s.search.addTarget(cellAt(9, 5));
    ASSERT_TRUE(s.search.run(StrictPolicy{s.tracks, 1}));
    const std::vector<PathCell>& path = s.search.path();
    ASSERT_EQ(path.size(), 7u); // a straight row: no turn is ever cheaper
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(path[i].cell, cellAt(9 - i, 5));
        EXPECT_EQ(path[i].dir, 7) << i; // towards the source
    }
    EXPECT_EQ(path[6].cell, cellAt(3, 5));
    EXPECT_EQ(path[6].dir, 0);
}

TEST(PathSearch, StrictlyAnotherNetsTrackIsAWallThatTheNegotiatedSearchMayCrossAtAPrice) {
    SearchBoard s;
    s.board.pad(3, 5, 1);
    s.board.pad(15, 5, 1);
    s.build();
    // Net 2's track runs down the whole height of the board at column 9.
    std::vector<PathCell> wall;
    for (int r = 11; r >= 1; --r)
        wall.push_back({cellAt(9, r), static_cast<uint8_t>(r > 1 ? 1 : 0)});
    s.view.nets.push_back({2, 0, 0}); // a net with a track and no pads to join
    s.tracks.clear();
    s.tracks.addBranch(1, wall);

    s.search.begin();
    s.search.addSource(cellAt(3, 5));
    s.search.addTarget(cellAt(15, 5));
    const StrictPolicy strict{s.tracks, 1};
    EXPECT_FALSE(s.search.reachable(strict));
    EXPECT_FALSE(s.search.run(strict));

    const std::vector<float> history(PlaneCells, 0.0f);
    const CellStamps ownDiagonal(SquareSlots);
    s.search.begin();
    s.search.addSource(cellAt(3, 5));
    s.search.addTarget(cellAt(15, 5));
    ASSERT_TRUE(s.search.run(NegotiatedPolicy{s.tracks, 1, history, history, ownDiagonal, 5.0}));
    int shared = 0;
    for (const PathCell& p : s.search.path())
        shared += s.tracks.cellUsers[p.cell];
    EXPECT_EQ(shared, 1); // across the wall once, straight
}

TEST(RadixQueue, PopsTheLeastKeyAndAmongEqualKeysTheLastPushed) {
    RadixQueue q;
    q.push(5, 1);
    q.push(9, 2);
    q.push(5, 3);
    q.push(7, 4);
    std::vector<int32_t> order;
    while (!q.empty()) {
        const RadixQueue::Item item = q.pop();
        order.push_back(item.value);
        if (item.value == 3)
            q.push(6, 5); // never below the key just popped
    }
    EXPECT_EQ(order, (std::vector<int32_t>{3, 1, 5, 4, 2}));
}

} // namespace
} // namespace zelta::testing
