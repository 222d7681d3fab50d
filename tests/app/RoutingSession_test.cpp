// A run without a window: the rules' time limit stops it wherever the worker is, not only where a
// lap ends.
#include "app/RoutingSession.h"

#include "support/ProgramFixture.h"

#include <gtest/gtest.h>

namespace zelta {
namespace {

using testing::ProgramFixture;

TEST(RoutingSession, TheSecondsRunningOutStopALapUnderWay) {
    // A lap of this board takes a good part of a second: a limit looked at only when a lap
    // ends would let it finish.
    ProgramFixture f;
    ASSERT_TRUE(f.openText(testing::manyPadsDrawing(10000)));
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
