// What the files cannot hold: copper pads the reader leaves out, tracks beyond the number format.
#include "export/CopperRecords.h"

#include <gtest/gtest.h>

namespace zelta {
namespace {

TEST(CopperRecords, CountsEveryCopperPadRecordAfterTheHeader) {
    EXPECT_EQ(copperPadRecords("PA 10 10 16 16 6 0 1 1\n" // before the header: not the drawing
                               "[FIDOCAD]\r\n"
                               "PA 100 100 16 16 6 0 1 1\r\n"
                               "PA 100 100 16 16 6 0 1\n" // no net field
                               "PA 100 100 16 16 6 0 1 999\n"
                               "PA 100 100 16 16 6 0 2 1\n" // component side
                               "PL 100 100 200 100 4 1 1\n"
                               "PA 9000 9000 16 16 6 0 1 3"),
              4);
    EXPECT_EQ(copperPadRecords("PA 100 100 16 16 6 0 1 1\n"), 0) << "no header, no drawing";
}

TEST(CopperRecords, FindsTheFirstTrackBeyondFourWholeDigitsOfMillimetres) {
    FcdDrawing d;
    d.width = 400;
    d.height = 300;
    d.tracks = {{0, 0, 100, 100, 4, 1, 3}, {0, 0, 78740, 0, 4, 1, 4}, {0, 0, 0, -78741, 4, 1, 5}};
    EXPECT_EQ(firstTrackBeyondFormat(d), 5) << "78740 units are 9999.98 mm; 78741 over 300 are beyond";
    d.tracks.pop_back();
    EXPECT_EQ(firstTrackBeyondFormat(d), 0);
}

} // namespace
} // namespace zelta
