// The wire-link list: the order to fit the links in, and the list as a table.
#include "export/WireLinks.h"

#include <gtest/gtest.h>

namespace zelta {
namespace {

FcdDrawing drawing(const std::string& records) {
    GestoreFileINI settings("/nonexistent/zelta.ini");
    settings.dim_auto = true;
    FcdDrawing d;
    std::string error;
    EXPECT_TRUE(parseDrawing("[FIDOCAD]\nRV 0 0 400 300 0\n" + records, settings, d, error)) << error;
    return d;
}

TEST(WireLinks, ShortestFirstThenFromTheTopDownThenLeftToRight) {
    const std::vector<WireLink> links = wireLinks(drawing(
        // Net 1: 100 units long, low on the board. Net 2: 40 units, low. Net 3: 40 units, high.
        // Net 4: 40 units, high, further right. Net 5: diagonal, 30 x 40 units, 50 long.
        "PA 100 250 16 16 6 0 1 1\nPA 200 250 16 16 6 0 1 1\nPL 100 250 200 250 5 2 1\n"
        "PA 100 200 16 16 6 0 1 2\nPA 140 200 16 16 6 0 1 2\nPL 140 200 100 200 5 2 2\n"
        "PA 300 50 16 16 6 0 1 4\nPA 340 50 16 16 6 0 1 4\nPL 300 50 340 50 5 2 4\n"
        "PA 100 50 16 16 6 0 1 3\nPA 100 90 16 16 6 0 1 3\nPL 100 90 100 50 5 2 3\n"
        "PA 200 150 16 16 6 0 1 5\nPA 230 110 16 16 6 0 1 5\nPL 200 150 230 110 5 2 5\n"));
    ASSERT_EQ(links.size(), 5u);
    std::vector<int32_t> nets;
    for (const WireLink& l : links)
        nets.push_back(l.net);
    EXPECT_EQ(nets, (std::vector<int32_t>{3, 4, 2, 5, 1}));
    EXPECT_EQ(links[0].number, 1);
    EXPECT_EQ(links[4].number, 5);
    EXPECT_EQ(links[3].length, 6350000) << "50 units";
    // Each end where the wire is drawn, from the lower-left corner.
    EXPECT_EQ(links[2].x1, 140 * 127000);
    EXPECT_EQ(links[2].y1, 100 * 127000);
    EXPECT_EQ(links[2].x2, 100 * 127000);
}

TEST(WireLinks, TheListIsATableInMillimetres) {
    const std::vector<WireLink> links =
        wireLinks(drawing("PA 100 250 16 16 6 0 1 7\nPA 110 220 16 16 6 0 1 7\n"
                          "PL 100 250 110 220 5 2 7\n"));
    EXPECT_EQ(wireLinkCsv(links), "ponticello,net,x1_mm,y1_mm,x2_mm,y2_mm,lunghezza_mm\n"
                                  "1,7,12.7,6.35,13.97,10.16,4.016\n"); // 10 x 30 units: 4.0161 mm
    EXPECT_EQ(wireLinkCsv({}), "ponticello,net,x1_mm,y1_mm,x2_mm,y2_mm,lunghezza_mm\n");
}

} // namespace
} // namespace zelta
