// The jumper mode's lap value: a jumper counts worse than a copper connection and better than an
// open one, then shorter tracks win; and every lap beats the driver's starting value.
#include "router/jumpers/JumperMode.h"

#include "router/RouterTestBoard.h"

#include <gtest/gtest.h>

namespace zelta::testing {
namespace {

TEST(JumperMode, ALapIsValuedByOpenConnectionsThenJumpersThenLength) {
    // Three nets of three pads: six connections.
    TestBoard board(40, 30);
    for (int net = 1; net <= 3; ++net)
        for (int i = 0; i < 3; ++i)
            board.pad(5 + 10 * i, 5 + 8 * (net - 1), net);
    BoardRouter classic(board);
    JumperMode router;
    router.links = {board.grid.get(), &board.workList, &board.settings, nullptr};
    router.inner = &classic.router;
    router.beginRun();

    // One more jumper is worse than a copper connection, however much longer the copper is.
    EXPECT_GT(router.valueOf(0, 0, 5000), router.valueOf(0, 1, 10));
    // Any number of jumpers the board allows is better than one connection left open.
    EXPECT_GT(router.valueOf(0, board.settings.ponticelli_max, 5000), router.valueOf(1, 0, 10));
    EXPECT_GT(router.valueOf(2, 3, 100), router.valueOf(3, 0, 100));
    // Then the shorter tracks.
    EXPECT_GT(router.valueOf(0, 2, 99), router.valueOf(0, 2, 100));
    // A lap with nothing joined is still a lap the driver keeps when it is the first.
    EXPECT_GT(router.valueOf(6, 0, 0), WorstValue);
}

} // namespace
} // namespace zelta::testing
