// Millimetres as the files write them, and where a drawing's point lands.
#include "export/BoardCoordinates.h"

#include <gtest/gtest.h>

namespace zelta {
namespace {

TEST(BoardCoordinates, MillimetresAreExactWithoutTrailingZeros) {
    EXPECT_EQ(mmText(0), "0");
    EXPECT_EQ(mmText(unitsToNm(13)), "1.651");
    EXPECT_EQ(mmText(unitsToNm(20)), "2.54");
    EXPECT_EQ(mmText(unitsToNm(1000)), "127");
    EXPECT_EQ(mmText(-unitsToNm(1)), "-0.127");
    EXPECT_EQ(mmText(38100), "0.0381");
    EXPECT_EQ(mmText(INT64_MIN), "-9223372036854.775808");
    EXPECT_EQ(mmTextItalian(unitsToNm(590)), "74,93");
}

TEST(BoardCoordinates, TheOriginIsTheBoardsLowerLeftCornerWithYUpwards) {
    const BoardCoordinates at{730, 470, 590, 780};
    EXPECT_EQ(at.x(730), 0);
    EXPECT_EQ(at.y(1250), 0) << "the outline's lower edge";
    EXPECT_EQ(at.y(470), unitsToNm(780)) << "its upper edge";
    EXPECT_EQ(at.x(720), -unitsToNm(10));
    EXPECT_EQ(at.widthNm(), 74930000);
}

} // namespace
} // namespace zelta
