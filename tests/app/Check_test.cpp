// The routed-drawing check on hand-made drawings: joins, jumpers, broken nets and shorts.
#include "app/Check.h"

#include <gtest/gtest.h>

namespace zelta {
namespace {

CheckResult check(const std::string& records) {
    GestoreFileINI settings("/nonexistent/zelta.ini");
    settings.dim_auto = true;
    FcdDrawing drawing;
    std::string error;
    EXPECT_TRUE(parseDrawing("[FIDOCAD]\nRV 0 0 400 300 0\n" + records, settings, drawing, error)) << error;
    return checkDrawing(drawing);
}

TEST(Check, TracksEndingOnPadsCompleteANet) {
    CheckResult r = check("PA 100 100 16 16 6 0 1 1\n"
                          "PA 200 100 16 16 6 0 1 1\n"
                          "PA 200 200 16 16 6 0 1 1\n"
                          "PL 100 100 150 100 4 1 1\n" // two tracks meeting end to end
                          "PL 150 100 200 100 4 1 1\n"
                          "PL 200 200 200 104 4 1 1\n"); // ends on the pad's copper, off its centre
    ASSERT_EQ(r.nets.size(), 1u);
    EXPECT_EQ(r.nets[0].pads, 3);
    EXPECT_EQ(r.nets[0].joined, 3);
    EXPECT_TRUE(r.nets[0].complete);
    EXPECT_EQ(r.netsComplete, 1);
    EXPECT_EQ(r.padsUnconnected, 0);
    EXPECT_TRUE(r.shorts.empty());
}

TEST(Check, ATJunctionJoinsAndAGapDoesNot) {
    CheckResult r = check("PA 100 100 16 16 6 0 1 1\n"
                          "PA 300 100 16 16 6 0 1 1\n"
                          "PA 200 200 16 16 6 0 1 1\n"
                          "PA 100 250 16 16 6 0 1 2\n"
                          "PA 300 250 16 16 6 0 1 2\n"
                          "PL 100 100 300 100 4 1 1\n"
                          "PL 200 200 200 100 4 1 1\n" // ends in the middle of the first track
                          "PL 100 250 190 250 4 1 2\n" // stops short of the track below
                          "PL 200 250 300 250 4 1 2\n");
    ASSERT_EQ(r.nets.size(), 2u);
    EXPECT_TRUE(r.nets[0].complete);
    EXPECT_EQ(r.nets[1].joined, 1);
    EXPECT_FALSE(r.nets[1].complete);
    EXPECT_EQ(r.netsComplete, 1);
    EXPECT_EQ(r.padsUnconnected, 1);
    EXPECT_TRUE(r.shorts.empty());
}

TEST(Check, CrossingTracksOfTwoNetsAreAShortWhereTheyCross) {
    CheckResult r = check("PL 100 100 200 200 4 1 1\n"
                          "PL 100 200 200 100 4 1 2\n");
    ASSERT_EQ(r.shorts.size(), 1u);
    EXPECT_EQ(r.shorts[0].nets, (std::vector<int32_t>{1, 2}));
    ASSERT_EQ(r.shorts[0].points.size(), 1u);
    EXPECT_EQ(r.shorts[0].points[0], (std::pair<int32_t, int32_t>{150, 150}));
}

TEST(Check, TracksSpanningTheWhole32BitRangeStillCrossWhereTheyDo) {
    // The crossing test multiplies coordinate differences: here they need more than 64 bits.
    // The diagonals y = x and y = -x - 1 cross at (-0.5, -0.5), given cut towards zero.
    CheckResult r = check("PL -2147483648 -2147483648 2147483647 2147483647 4 1 1\n"
                          "PL 2147483647 -2147483648 -2147483648 2147483647 4 1 2\n");
    ASSERT_EQ(r.shorts.size(), 1u);
    EXPECT_EQ(r.shorts[0].nets, (std::vector<int32_t>{1, 2}));
    ASSERT_EQ(r.shorts[0].points.size(), 1u);
    EXPECT_EQ(r.shorts[0].points[0], (std::pair<int32_t, int32_t>{0, 0}));
}

TEST(Check, ATrackOverAnotherNetsPadIsAShort) {
    CheckResult r = check("PA 150 100 16 16 6 0 1 3\n"
                          "PA 150 200 8 8 6 0 1 0\n"   // a hole without a net counts as copper too
                          "PL 100 107 200 107 4 1 5\n" // passes inside the 16 x 16 pad
                          "PL 100 205 200 205 4 1 6\n" // passes beside the 8 x 8 hole
                          "PL 150 150 150 196 4 1 7\n");
    ASSERT_EQ(r.shorts.size(), 2u);
    EXPECT_EQ(r.shorts[0].nets, (std::vector<int32_t>{3, 5}));
    EXPECT_EQ(r.shorts[1].nets, (std::vector<int32_t>{0, 7}));
    EXPECT_EQ(r.shorts[1].points[0], (std::pair<int32_t, int32_t>{150, 196}));
}

TEST(Check, PadsTheReaderWouldNotPlaceAreLeftOut) {
    CheckResult r = check("PA 100 100 16 16 6 0 1 1\n"
                          "PA 0 100 16 16 6 0 1 1\n"     // outside the board
                          "PA 120 100 16 16 6 0 1 300\n" // net out of range
                          "PA 140 100 16 16 6 0 1\n"     // no net field
                          "PA 160 100 16 16 6 0 2 1\n"   // not on the copper layer
                          "PL 100 100 200 100 4 2 1\n"); // a track on another layer
    ASSERT_EQ(r.nets.size(), 1u);
    EXPECT_EQ(r.nets[0].pads, 1);
    EXPECT_TRUE(r.nets[0].complete);
}

TEST(Check, AJumperJoinsItsPadsAndCrossesOtherCopperWithoutAShort) {
    CheckResult r = check("PA 100 100 16 16 6 0 1 1\n"
                          "PA 100 200 16 16 6 0 1 1\n"
                          "PA 50 150 16 16 6 0 1 2\n"
                          "PA 150 150 16 16 6 0 1 2\n"
                          "PA 250 100 16 16 6 0 1 3\n"
                          "PA 350 100 16 16 6 0 1 3\n"
                          "PA 250 200 16 16 6 0 1 4\n"
                          "PL 100 200 100 100 4 2 1\n" // net 1's only link, over net 2's track
                          "PL 50 150 150 150 4 1 2\n"
                          "PL 250 100 250 200 4 2 3\n"   // a wire from net 3 to net 4 joins nothing
                          "PL 350 100 350 180 4 2 3\n"); // nor does one that ends on bare board
    ASSERT_EQ(r.nets.size(), 4u);
    EXPECT_TRUE(r.nets[0].complete);
    EXPECT_EQ(r.nets[0].joined, 2);
    EXPECT_TRUE(r.nets[1].complete);
    EXPECT_EQ(r.nets[2].joined, 1) << "net 3 has no link of its own";
    EXPECT_EQ(r.padsUnconnected, 1);
    EXPECT_TRUE(r.shorts.empty());
    ASSERT_EQ(r.jumpers.size(), 1u);
    EXPECT_EQ(r.jumpers[0].net, 1);
    EXPECT_EQ(std::make_pair(r.jumpers[0].x1, r.jumpers[0].y1), std::make_pair(100, 200));
    EXPECT_EQ(std::make_pair(r.jumpers[0].x2, r.jumpers[0].y2), std::make_pair(100, 100));
    EXPECT_EQ(r.jumpers[0].length, 100);
}

TEST(Check, AJumpersPadsAreCopperAndAChainOfJumpersJoinsANet) {
    // Net 5's wires go pad to pad round a corner; a track of net 6 ends on the middle pad.
    CheckResult r = check("PA 100 100 16 16 6 0 1 5\n"
                          "PA 200 100 16 16 6 0 1 5\n"
                          "PA 260 180 16 16 6 0 1 5\n"
                          "PL 100 100 200 100 4 2 5\n"
                          "PL 200 100 260 180 4 2 5\n" // 60 across and 80 down: 100 long
                          "PL 200 50 200 100 4 1 6\n");
    ASSERT_EQ(r.nets.size(), 1u);
    EXPECT_EQ(r.nets[0].joined, 3);
    ASSERT_EQ(r.jumpers.size(), 2u);
    EXPECT_EQ(r.jumpers[1].length, 100);
    ASSERT_EQ(r.shorts.size(), 1u);
    EXPECT_EQ(r.shorts[0].nets, (std::vector<int32_t>{5, 6}));
}

TEST(Check, ReportsAsTextAndAsJson) {
    CheckResult r = check("PA 100 100 16 16 6 0 1 1\n"
                          "PA 200 100 16 16 6 0 1 1\n"
                          "PL 100 100 200 200 4 1 2\n");
    EXPECT_EQ(checkReportText(r), "Net 1: piazzole 2, collegate 1, incompleta\n"
                                  "Cortocircuito tra le net 1, 2 in (100,100)\n"
                                  "Net complete 0/1, piazzole scollegate 1, cortocircuiti 1\n");
    EXPECT_EQ(checkReportJson(r),
              "{\"nets\":[{\"net\":1,\"pads\":2,\"joined\":1,\"complete\":false}],"
              "\"shorts\":[{\"nets\":[1,2],\"points\":[[100,100]]}],\"jumpers\":[],"
              "\"summary\":{\"netsComplete\":0,\"nets\":1,\"padsUnconnected\":1,\"shorts\":1}}\n");
}

TEST(Check, ReportsJumpersAsTextAndAsJson) {
    CheckResult r = check("PA 100 100 16 16 6 0 1 1\n"
                          "PA 100 200 16 16 6 0 1 1\n"
                          "PL 100 100 100 200 4 2 1\n");
    EXPECT_EQ(checkReportText(r), "Net 1: piazzole 2, collegate 2, completa\n"
                                  "Ponticelli: 1\n"
                                  "Ponticello net 1: (100,100) - (100,200), lunghezza 100\n"
                                  "Net complete 1/1, piazzole scollegate 0, cortocircuiti 0\n");
    EXPECT_EQ(checkReportJson(r),
              "{\"nets\":[{\"net\":1,\"pads\":2,\"joined\":2,\"complete\":true}],\"shorts\":[],"
              "\"jumpers\":[{\"net\":1,\"x1\":100,\"y1\":100,\"x2\":100,\"y2\":200,\"length\":100}],"
              "\"summary\":{\"netsComplete\":1,\"nets\":1,\"padsUnconnected\":0,\"shorts\":0}}\n");
}

TEST(Check, ADrawingTheReaderRefusesIsAnError) {
    GestoreFileINI settings("/nonexistent/zelta.ini");
    FcdDrawing drawing;
    std::string error;
    EXPECT_FALSE(parseDrawing("PA 1 2 3 4\n", settings, drawing, error));
    EXPECT_EQ(error, "Errore 103: Formato file errato");
    EXPECT_FALSE(parseDrawing("[FIDOCAD]\n", settings, drawing, error)); // manual size 0 x 0
    EXPECT_EQ(error, "Errore 105: Dimensioni basetta non valide");
    settings.dim_auto = true;
    EXPECT_FALSE(parseDrawing("[FIDOCAD]\nRV 0 0 100 100 3\n", settings, drawing, error));
    EXPECT_EQ(error, "Errore 104: Dimensioni basetta non trovate");
}

} // namespace
} // namespace zelta
