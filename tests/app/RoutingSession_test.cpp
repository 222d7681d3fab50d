// A run without a window: the rules' time limit stops it wherever the worker is, not only where a
// lap ends.
#include "app/RoutingSession.h"

#include "support/ProgramFixture.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace zelta {
namespace {

using testing::ProgramFixture;

// Ten thousand pads of 250 nets spread over a full board, as a generator of test drawings
// would place them.
std::string manyPads() {
    std::string d = "[FIDOCAD]\nRV 0 0 1590 790 0\n";
    uint32_t seed = 25;
    auto next = [&seed](uint32_t n) {
        seed = seed * 1103515245u + 12345u;
        return 1 + (seed >> 16) % n;
    };
    for (int i = 0; i < 10000; ++i) {
        const uint32_t col = next(157), row = next(77), net = next(250);
        d += "PA " + std::to_string(10 * col) + " " + std::to_string(10 * row) + " 16 16 6 0 1 " +
             std::to_string(net) + "\n";
    }
    return d;
}

TEST(RoutingSession, TheSecondsRunningOutStopALapUnderWay) {
    // A lap of this board takes a good part of a second: a limit looked at only when a lap
    // ends would let it finish.
    ProgramFixture f;
    ASSERT_TRUE(f.openText(manyPads()));
    RoutingSession session(*f.program);
    session.pollMs = 1;
    StopRules rules;
    rules.seconds = 0.001;
    const SessionResult run = session.run(rules);
    ASSERT_TRUE(run.started);
    EXPECT_TRUE(run.timeUp);
    EXPECT_EQ(run.laps, 0);
    EXPECT_EQ(run.bestLap, 0);
    EXPECT_FALSE(f.program->processing());
    EXPECT_TRUE(f.program->workerPaused());
    EXPECT_FALSE(f.program->tracer->resultsReady) << "nothing to save: no lap has ended";
}

} // namespace
} // namespace zelta
