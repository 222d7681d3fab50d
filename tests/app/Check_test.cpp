// The routed-drawing check on hand-made drawings: joins, jumpers, broken nets, shorts, gaps
// between copper of two nets measured by its real shape, and what a drawing of its own gets wrong.
#include "app/Check.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>

namespace zelta {
namespace {

CheckResult check(const std::string& records, double clearanceMm = 0.3) {
    GestoreFileINI settings("/nonexistent/zelta.ini");
    settings.dim_auto = true;
    FcdDrawing drawing;
    std::string error;
    EXPECT_TRUE(parseDrawing("[FIDOCAD]\nRV 0 0 400 300 0\n" + records, settings, drawing, error)) << error;
    return checkDrawing(drawing, clearanceMm);
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

TEST(Check, TracksSpanningTheWhole32BitRangeAreCutToTheBoardAndCrossWhereTheyDo) {
    // The diagonals y = x and x + y = 300 from end to end of the 32-bit range: on the board they
    // run from corner to corner and cross at (150,150).
    CheckResult r = check("PL -2147483648 -2147483648 2147483647 2147483647 4 1 1\n"
                          "PL 2147483647 -2147483347 -2147483347 2147483647 4 1 2\n");
    ASSERT_EQ(r.shorts.size(), 1u);
    EXPECT_EQ(r.shorts[0].nets, (std::vector<int32_t>{1, 2}));
    ASSERT_EQ(r.shorts[0].points.size(), 1u);
    EXPECT_EQ(r.shorts[0].points[0], (std::pair<int32_t, int32_t>{150, 150}));
    EXPECT_EQ(r.outsideCount, 2u);
}

TEST(Check, ATrackOverAnotherNetsPadIsAShort) {
    CheckResult r = check("PA 150 100 16 16 6 0 1 3\n"
                          "PA 150 200 8 8 6 0 1 0\n"   // a hole without a net counts as copper too
                          "PL 100 107 200 107 4 1 5\n" // passes inside the round 16 x 16 pad
                          "PL 100 208 200 208 4 1 6\n" // passes 2 units beside the 8 x 8 hole
                          "PL 150 150 150 196 4 1 7\n");
    ASSERT_EQ(r.shorts.size(), 2u);
    EXPECT_EQ(r.shorts[0].nets, (std::vector<int32_t>{0, 7}));
    // Halfway between the track's end and the hole's centre.
    EXPECT_EQ(r.shorts[0].points, (std::vector<std::pair<int32_t, int32_t>>{{150, 198}}));
    EXPECT_EQ(r.shorts[1].nets, (std::vector<int32_t>{3, 5}));
    EXPECT_EQ(r.shorts[1].points, (std::vector<std::pair<int32_t, int32_t>>{{150, 104}}));
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
    // The pad outside is named; the one without a net and the one of net 300 are the reader's
    // warnings.
    ASSERT_EQ(r.outsideCount, 1u);
    EXPECT_TRUE(r.outside[0].isPad);
    EXPECT_EQ(r.outside[0].lineNumber, 4);
}

TEST(Check, AJumperJoinsItsPadsAndCrossesOtherCopperWithoutAShort) {
    CheckResult r = check("PA 100 100 16 16 6 0 1 1\n"
                          "PA 100 200 16 16 6 0 1 1\n"
                          "PA 50 150 16 16 6 0 1 2\n"
                          "PA 150 150 16 16 6 0 1 2\n"
                          "PA 350 100 16 16 6 0 1 3\n"
                          "PL 100 200 100 100 4 2 1\n" // net 1's only link, over net 2's track
                          "PL 50 150 150 150 4 1 2\n"
                          "PL 350 100 350 180 4 2 3\n"); // a wire that ends on bare board
    ASSERT_EQ(r.nets.size(), 3u);
    EXPECT_TRUE(r.nets[0].complete);
    EXPECT_EQ(r.nets[0].joined, 2);
    EXPECT_TRUE(r.nets[1].complete);
    EXPECT_EQ(r.padsUnconnected, 0);
    EXPECT_TRUE(r.shorts.empty());
    EXPECT_TRUE(r.clearance.empty()) << "the wire is no copper on the copper side";
    ASSERT_EQ(r.jumpers.size(), 1u);
    EXPECT_EQ(r.jumpers[0].net, 1);
    EXPECT_EQ(std::make_pair(r.jumpers[0].x1, r.jumpers[0].y1), std::make_pair(100, 200));
    EXPECT_EQ(std::make_pair(r.jumpers[0].x2, r.jumpers[0].y2), std::make_pair(100, 100));
    EXPECT_EQ(r.jumpers[0].length, 100);
    ASSERT_EQ(r.wires.size(), 1u);
    EXPECT_EQ(r.wires[0].kind, WireKind::Loose);
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
                                  "Violazioni dell'isolamento di 0,3 mm: 1\n"
                                  "Distanza 0,000 mm tra net 2 e net 1 in (100,100), pista-piazzola\n"
                                  "Net complete 0/1, piazzole scollegate 1, cortocircuiti 1\n"
                                  "Isolamento 0,3 mm: violazioni 1, distanza minima 0,000 mm, coppie di "
                                  "piazzole del disegno sotto l'isolamento 0\n");
    EXPECT_EQ(
        checkReportJson(r),
        "{\"nets\":[{\"net\":1,\"pads\":2,\"joined\":1,\"complete\":false}],"
        "\"shorts\":[{\"nets\":[1,2],\"points\":[[100,100]]}],\"jumpers\":[],"
        "\"clearance\":[{\"netA\":2,\"netB\":1,\"gapMm\":0.000,\"x\":100,\"y\":100,\"kind\":\"track-pad\"}],"
        "\"drawingPads\":[],\"wires\":[],\"negativePads\":[],\"outside\":[],"
        "\"summary\":{\"netsComplete\":0,\"nets\":1,\"padsUnconnected\":1,\"shorts\":1,"
        "\"connectionsOpen\":1,\"clearanceMm\":0.3,\"clearanceViolations\":1,\"minGapMm\":0.000,"
        "\"drawingPadPairs\":0,\"wiresAcrossNets\":0,\"negativePads\":0,\"outside\":0}}\n");
}

TEST(Check, ReportsJumpersAsTextAndAsJson) {
    CheckResult r = check("PA 100 100 16 16 6 0 1 1\n"
                          "PA 100 200 16 16 6 0 1 1\n"
                          "PL 100 100 100 200 4 2 1\n");
    EXPECT_EQ(checkReportText(r), "Net 1: piazzole 2, collegate 2, completa\n"
                                  "Ponticelli: 1\n"
                                  "Ponticello net 1: (100,100) - (100,200), lunghezza 100\n"
                                  "Net complete 1/1, piazzole scollegate 0, cortocircuiti 0\n"
                                  "Isolamento 0,3 mm: violazioni 0, distanza minima oltre 1 mm, coppie di "
                                  "piazzole del disegno sotto l'isolamento 0\n");
    EXPECT_EQ(checkReportJson(r),
              "{\"nets\":[{\"net\":1,\"pads\":2,\"joined\":2,\"complete\":true}],\"shorts\":[],"
              "\"jumpers\":[{\"net\":1,\"x1\":100,\"y1\":100,\"x2\":100,\"y2\":200,\"length\":100}],"
              "\"clearance\":[],\"drawingPads\":[],\"wires\":[],\"negativePads\":[],\"outside\":[],"
              "\"summary\":{\"netsComplete\":1,\"nets\":1,\"padsUnconnected\":0,\"shorts\":0,"
              "\"connectionsOpen\":0,\"clearanceMm\":0.3,\"clearanceViolations\":0,\"minGapMm\":null,"
              "\"drawingPadPairs\":0,\"wiresAcrossNets\":0,\"negativePads\":0,\"outside\":0}}\n");
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

// Gaps worked out by hand: a track near a foreign pad, crossing tracks, parallel tracks exactly
// at the clearance, one net over itself, a pad of net 0, a jumper's wire, a round pad's corner. The board is
// 400 x 300 units; a unit is 0.127 mm, and 0.3 mm is 2.362 units.
struct GapCase {
    const char* what;
    const char* records;
    double clearanceMm;
    size_t shorts;
    size_t violations;
    std::optional<ClearanceCheck> worst; // the first one listed
    std::optional<double> minGapMm;
};

TEST(Check, GapsBetweenCopperOfTwoNetsAreMeasuredAsTheCopperIs) {
    const double roundCornerGap = (12 * std::sqrt(2.0) - 12 - 2) * 0.127; // 2.97 units
    const GapCase cases[] = {
        {"a track 2 units (0,254 mm) from a foreign pad: centre line 12 from the centre, less radius 8 and "
         "half width 2",
         "PA 100 100 16 16 6 0 1 1\nPL 60 112 140 112 4 1 2\n", 0.3, 0, 1,
         ClearanceCheck{2, 1, 0.254, 100, 106, PairKind::TrackPad}, 0.254},
        {"crossing tracks of two nets", "PL 100 100 200 200 4 1 1\nPL 100 200 200 100 4 1 2\n", 0.3, 1, 1,
         ClearanceCheck{1, 2, 0, 150, 150, PairKind::TrackTrack}, 0},
        {"parallel tracks 6 apart, 4 wide: 2 units, exactly a clearance of 0,254 mm",
         "PL 100 100 200 100 4 1 1\nPL 100 106 200 106 4 1 2\n", 0.254, 0, 0, std::nullopt, 0.254},
        {"the same tracks under 0,3 mm", "PL 100 100 200 100 4 1 1\nPL 100 106 200 106 4 1 2\n", 0.3, 0, 1,
         ClearanceCheck{1, 2, 0.254, 100, 103, PairKind::TrackTrack}, 0.254},
        {"copper of one net over itself",
         "PA 100 100 16 16 6 0 1 1\nPL 100 100 200 200 4 1 1\nPL 100 200 200 100 4 1 1\n", 0.3, 0, 0,
         std::nullopt, std::nullopt},
        {"a track touching a pad of net 0: the centre line ends 4 from a hole of radius 4",
         "PA 150 200 8 8 6 0 1 0\nPL 150 150 150 196 4 1 7\n", 0.3, 1, 1,
         ClearanceCheck{7, 0, 0, 150, 198, PairKind::TrackPad}, 0},
        {"a jumper's wire over two tracks is on the other side",
         "PA 100 100 16 16 6 0 1 1\nPA 100 200 16 16 6 0 1 1\nPL 100 100 100 200 4 2 1\n"
         "PL 50 145 150 145 4 1 2\nPL 50 155 150 155 4 1 3\n",
         0.3, 0, 0, std::nullopt, (10 - 4) * 0.127},
        {"a diagonal through the corner of a round pad's square: 12 x 1.414 from its centre",
         "PA 100 100 24 24 6 0 1 1\nPL 124 100 100 124 4 1 2\n", 0.3, 0, 0, std::nullopt, roundCornerGap},
        {"the same diagonal over a square pad's corner",
         "PA 100 100 24 24 6 1 1 1\nPL 124 100 100 124 4 1 2\n", 0.3, 1, 1,
         ClearanceCheck{2, 1, 0, 112, 112, PairKind::TrackPad}, 0},
        {"track widths count: 8 apart, 8 wide", "PL 100 100 200 100 8 1 1\nPL 100 108 200 108 8 1 2\n", 0.3,
         1, 1, ClearanceCheck{1, 2, 0, 100, 104, PairKind::TrackTrack}, 0},
        {"a jumper land is routed copper",
         "PA 100 100 16 16 6 0 1 1\nPA 100 200 16 16 6 0 1 1\n"
         "PL 100 100 100 200 4 2 1\nPA 118 200 16 16 6 0 1 2\n",
         0.3, 0, 1, ClearanceCheck{1, 2, 0.254, 109, 200, PairKind::LandPad}, 0.254},
    };
    for (const GapCase& c : cases) {
        SCOPED_TRACE(c.what);
        const CheckResult r = check(c.records, c.clearanceMm);
        EXPECT_EQ(r.shorts.size(), c.shorts) << checkReportText(r);
        EXPECT_EQ(r.clearanceViolations, c.violations) << checkReportText(r);
        EXPECT_EQ(r.clearance.size(), c.violations);
        if (c.worst && !r.clearance.empty()) {
            const ClearanceCheck& w = r.clearance.front();
            EXPECT_EQ(std::make_pair(w.netA, w.netB), std::make_pair(c.worst->netA, c.worst->netB));
            EXPECT_NEAR(w.gapMm, c.worst->gapMm, 1e-9);
            EXPECT_EQ(std::make_pair(w.x, w.y), std::make_pair(c.worst->x, c.worst->y));
            EXPECT_EQ(w.kind, c.worst->kind);
        }
        ASSERT_EQ(r.minGapMm.has_value(), c.minGapMm.has_value());
        if (c.minGapMm) {
            EXPECT_NEAR(*r.minGapMm, *c.minGapMm, 1e-9);
        }
        EXPECT_EQ(r.drawingPadPairs, 0u);
    }
}

TEST(Check, PadsOfTwoNetsThatTheDrawingItselfPutsTooCloseAreListedApart) {
    CheckResult r = check("PA 100 100 16 16 6 0 1 1\n" // two nets on one centre
                          "PA 100 100 16 16 6 0 1 2\n"
                          "PA 200 100 16 16 6 0 1 3\n" // 16-unit pads 10 apart
                          "PA 210 100 16 16 6 0 1 4\n"
                          "PA 300 100 16 16 6 0 1 5\n" // two pads of one net overlapping: one copper
                          "PA 310 100 16 16 6 0 1 5\n");
    EXPECT_TRUE(r.shorts.empty());
    EXPECT_TRUE(r.clearance.empty());
    EXPECT_EQ(r.drawingPadPairs, 2u);
    ASSERT_EQ(r.drawingPads.size(), 2u);
    const ClearanceCheck& first = r.drawingPads[0]; // the deeper overlap first
    EXPECT_EQ(std::make_tuple(first.netA, first.netB, first.x, first.y, first.gapMm),
              std::make_tuple(1, 2, 100, 100, 0.0));
    const ClearanceCheck& second = r.drawingPads[1];
    EXPECT_EQ(std::make_tuple(second.netA, second.netB, second.x, second.y, second.kind),
              std::make_tuple(3, 4, 205, 100, PairKind::PadPad));
    ASSERT_EQ(r.nets.size(), 5u);
    EXPECT_TRUE(r.nets[4].complete) << "net 5's pads overlap";

    // A pad as large as the format allows lies over every other pad; a track of another net on
    // it is a short the router made.
    r = check("PA 100 100 2147483647 2147483647 6 0 1 1\n"
              "PA 200 200 16 16 6 0 1 2\n"
              "PA 300 200 16 16 6 0 1 2\n"
              "PL 200 200 300 200 4 1 2\n");
    EXPECT_EQ(r.drawingPadPairs, 2u);
    ASSERT_EQ(r.shorts.size(), 1u);
    EXPECT_EQ(r.shorts[0].nets, (std::vector<int32_t>{1, 2}));
}

TEST(Check, ComponentSideWiresThatAreNoJumpersAreNamed) {
    // A wire soldered from a pad of net 1 to one of net 2 joins the two: a short.
    CheckResult r = check("PA 100 100 16 16 6 0 1 1\n"
                          "PA 200 100 16 16 6 0 1 2\n"
                          "PL 100 100 200 100 4 2 1\n");
    EXPECT_TRUE(r.jumpers.empty());
    ASSERT_EQ(r.shorts.size(), 1u);
    EXPECT_EQ(r.shorts[0].nets, (std::vector<int32_t>{1, 2}));
    EXPECT_EQ(r.wiresAcrossNets, 1);
    ASSERT_EQ(r.wires.size(), 1u);
    EXPECT_EQ(r.wires[0].kind, WireKind::AcrossNets);
    EXPECT_EQ(std::make_pair(r.wires[0].netA, r.wires[0].netB), std::make_pair(1, 2));
    EXPECT_NE(
        checkReportText(r).find("Filo sul lato componenti tra net diverse (cortocircuito): (100,100) net 1 - "
                                "(200,100) net 2, riga 5"),
        std::string::npos)
        << checkReportText(r);

    // One that misses a pad's centre by a unit is no jumper and joins nothing.
    r = check("PA 100 100 16 16 6 0 1 1\n"
              "PA 100 200 16 16 6 0 1 1\n"
              "PL 100 100 100 199 4 2 1\n");
    EXPECT_TRUE(r.jumpers.empty());
    EXPECT_TRUE(r.shorts.empty());
    EXPECT_EQ(r.padsUnconnected, 1);
    ASSERT_EQ(r.wires.size(), 1u);
    EXPECT_EQ(r.wires[0].kind, WireKind::Loose);
    EXPECT_NE(checkReportText(r).find("(100,199) non è il centro di una piazzola con net"), std::string::npos)
        << checkReportText(r);
}

TEST(Check, APadOfNegativeSizeIsMeasuredByItsAbsoluteValueAndNamed) {
    // Round, 16 across: a track 10 from its centre touches it.
    CheckResult r = check("PA 100 100 -16 -16 6 0 1 1\n"
                          "PL 50 110 150 110 4 1 2\n");
    ASSERT_EQ(r.shorts.size(), 1u);
    ASSERT_EQ(r.negativePadCount, 1u);
    EXPECT_EQ(std::make_tuple(r.negativePads[0].x1, r.negativePads[0].y1, r.negativePads[0].lineNumber),
              std::make_tuple(100, 100, 3));
}

TEST(Check, CopperOffTheBoardJoinsNothing) {
    // A detour round the outside of the 400 x 300 board: only the two stubs on the board count.
    CheckResult r = check("PA 100 100 16 16 6 0 1 1\n"
                          "PA 300 100 16 16 6 0 1 1\n"
                          "PL 100 100 100 -50 4 1 1\n"
                          "PL 100 -50 300 -50 4 1 1\n"
                          "PL 300 -50 300 100 4 1 1\n");
    ASSERT_EQ(r.nets.size(), 1u);
    EXPECT_FALSE(r.nets[0].complete);
    EXPECT_EQ(r.connectionsOpen, 1);
    EXPECT_EQ(r.outsideCount, 3u);
}

TEST(Check, AThicketOfCrossingTracksIsCountedWholeAndListedUpToALimit) {
    // 400 lines of net 1 across the board, 400 of net 2 down it: every one crosses every other.
    std::string records;
    for (int i = 0; i < 400; ++i) {
        records += "PL 0 " + std::to_string(i % 300) + " 399 " + std::to_string(i % 300) + " 0 1 1\n";
        records += "PL " + std::to_string(i) + " 0 " + std::to_string(i) + " 299 0 1 2\n";
    }
    const CheckResult r = check(records);
    EXPECT_EQ(r.clearanceViolations, 400u * 400);
    EXPECT_EQ(r.clearance.size(), MaxListedViolations);
    ASSERT_EQ(r.shorts.size(), 1u);
    EXPECT_EQ(r.shorts[0].points.size(), MaxListedNotes);
    EXPECT_NE(checkReportText(r).find("... e altre 60000\n"), std::string::npos);
}

} // namespace
} // namespace zelta
