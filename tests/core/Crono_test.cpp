// The stopwatch: running spans add up, paused spans never count, and the 32-bit tick count
// may wrap inside a span or a pause.
#include "core/Crono.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace zelta {
namespace {

class CronoTest : public ::testing::Test {
protected:
    uint32_t now = 0;
    Crono crono{[this] { return now; }};

    void startAt(int ch, uint32_t t) {
        now = t;
        crono.start(ch);
    }
    void stopAt(int ch, uint32_t t) {
        now = t;
        crono.stop(ch);
    }
};

TEST_F(CronoTest, AddsTheRunningSpansAndLeavesOutThePauses) {
    startAt(2, 1000);
    stopAt(2, 1250);
    EXPECT_EQ(crono.elapsed(2), 250);
    startAt(2, 9000);
    stopAt(2, 9040);
    EXPECT_EQ(crono.elapsed(2), 290);
    // Another channel is not moved by channel 2.
    EXPECT_EQ(crono.elapsed(1), 0);
}

TEST_F(CronoTest, AResetChannelReadsZero) {
    for (int ch = 0; ch < Crono::Channels; ++ch)
        EXPECT_EQ(crono.elapsed(ch), 0) << "channel " << ch;
    startAt(1, 500);
    stopAt(1, 800);
    crono.reset(1);
    EXPECT_EQ(crono.elapsed(1), 0);
    // After a reset the next span starts from nothing.
    startAt(1, 2000);
    stopAt(1, 2007);
    EXPECT_EQ(crono.elapsed(1), 7);
}

TEST_F(CronoTest, CountsAcrossTheWrapOfTheTickCount) {
    startAt(3, 0xFFFFFFF0u);
    stopAt(3, 0x00000010u);
    EXPECT_EQ(crono.elapsed(3), 0x20);
    // A pause that wraps the tick count is left out as well.
    startAt(4, 0xFFFFFF00u);
    stopAt(4, 0xFFFFFF10u);
    startAt(4, 0x00000005u);
    stopAt(4, 0x00000015u);
    EXPECT_EQ(crono.elapsed(4), 32);
}

} // namespace
} // namespace zelta
