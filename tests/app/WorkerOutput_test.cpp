// The worker's output queue: lines in order and every one of them, only the newest value of each
// figure, and one call to say that output is waiting however much piles up.
#include "app/WorkerOutput.h"

#include "support/ScriptedHost.h"

#include <gtest/gtest.h>

#include <thread>

namespace zelta {
namespace {

using testing::ScriptedHost;

TEST(WorkerOutput, LinesArriveInOrderAndFiguresOnlyWithTheirNewestValue) {
    WorkerOutput out;
    int pending = 0;
    out.onPending = [&] { ++pending; };
    for (int lap = 1; lap <= 1000; ++lap) {
        out.reportLine("lap " + std::to_string(lap));
        out.setText(Field::ciclitot, std::to_string(lap));
    }
    EXPECT_EQ(pending, 1) << "one call while the queue waits, not one per item";

    ScriptedHost host;
    out.drainInto(host);
    ASSERT_EQ(host.report.size(), 1000u);
    EXPECT_EQ(host.report.front(), "lap 1");
    EXPECT_EQ(host.report.back(), "lap 1000");
    EXPECT_EQ(host.field(Field::ciclitot), "1000");
    EXPECT_EQ(host.field(Field::valore), "") << "a figure never set is not touched";

    out.reportLine("after");
    EXPECT_EQ(pending, 2) << "an emptied queue calls again";
}

TEST(WorkerOutput, AClearDropsTheLinesBeforeItAndKeepsThoseAfter) {
    WorkerOutput out;
    ScriptedHost host;
    host.reportLine("shown before");
    out.reportLine("old");
    out.clearReport();
    out.reportLine("new");
    out.drainInto(host);
    EXPECT_EQ(host.report, (std::vector<std::string>{"new"}));
    EXPECT_EQ(host.clears, 1);
}

TEST(WorkerOutput, NoLineIsLostWhileAnotherThreadDrains) {
    WorkerOutput out;
    ScriptedHost host;
    constexpr int Lines = 100000;
    std::thread worker([&] {
        for (int i = 0; i < Lines; ++i)
            out.reportLine(std::to_string(i));
    });
    while (host.report.size() < static_cast<size_t>(Lines))
        out.drainInto(host);
    worker.join();
    out.drainInto(host);
    ASSERT_EQ(host.report.size(), static_cast<size_t>(Lines));
    for (int i = 0; i < Lines; ++i)
        ASSERT_EQ(host.report[static_cast<size_t>(i)], std::to_string(i));
}

} // namespace
} // namespace zelta
