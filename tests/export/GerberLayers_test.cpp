// The three Gerber layers of hand-made drawings, read back: each pad's aperture and place, each
// track's width, the profile and the wire links, in millimetres from the board's lower-left corner.
#include "export/GerberLayers.h"

#include "GerberText.h"

#include <gtest/gtest.h>

namespace zelta {
namespace {

using testing::hasAttribute;
using testing::readGerber;

// A board 400 x 300 units with its corner at (10, 20): a point (x, y) of the drawing lies at
// (x - 10) x 0.127 mm, (320 - y) x 0.127 mm in the files.
FcdDrawing drawing(const std::string& records) {
    GestoreFileINI settings("/nonexistent/zelta.ini");
    settings.dim_auto = true;
    FcdDrawing d;
    std::string error;
    EXPECT_TRUE(parseDrawing("[FIDOCAD]\nRV 10 20 410 320 0\n" + records, settings, d, error)) << error;
    return d;
}

TEST(GerberLayers, CopperFlashesEveryPadWithAnApertureOfItsStyleAndSize) {
    const auto g = readGerber(copperGerber(drawing("PA 30 40 16 16 6 0 1 1\n"    // oval, square: a circle
                                                   "PA 60 40 20 12 6 0 1 2\n"    // oval: an obround
                                                   "PA 90 40 16 16 6 1 1 3\n"    // rectangle
                                                   "PA 120 40 20 10 6 2 1 4\n"   // rounded: radius 3 units
                                                   "PA 150 40 16 16 6 7 1 5\n"   // unknown style: oval
                                                   "PA 180 40 -16 12 6 1 1 6\n"  // negative size
                                                   "PA 210 40 0 0 6 0 1 7\n"     // no size: no copper
                                                   "PA 240 40 16 16 0 1 1 8\n"), // no hole: a surface pad
                                           "t.fcd"));
    ASSERT_EQ(g.flashes.size(), 7u);
    const std::vector<std::string> shapes = {
        "C,2.032", "O,2.54X1.524",  "R,2.032X2.032", "RoundRect,2.54X1.27X0.381",
        "C,2.032", "R,2.032X1.524", "R,2.032X2.032"};
    const std::vector<int64_t> xs = {30, 60, 90, 120, 150, 180, 240};
    for (size_t i = 0; i < shapes.size(); ++i) {
        EXPECT_EQ(g.flashes[i].aperture, shapes[i]) << i;
        EXPECT_EQ(g.flashes[i].x, (xs[i] - 10) * 127000) << i;
        EXPECT_EQ(g.flashes[i].y, 35560000) << i; // 280 units up from the lower edge
    }
    EXPECT_EQ(g.flashes[0].code, g.flashes[4].code) << "one aperture for pads of one shape";
    EXPECT_EQ(g.apertures.at(g.flashes[0].code).function, "ComponentPad");
    EXPECT_EQ(g.apertures.at(g.flashes[6].code).function, "SMDPad,CuDef");
    EXPECT_NE(g.flashes[2].code, g.flashes[6].code) << "a surface pad's aperture has its own function";
}

TEST(GerberLayers, CopperDrawsTracksWithRoundAperturesOfTheirWidth) {
    const auto g = readGerber(copperGerber(drawing("PL 30 40 130 40 4 1 1\n"
                                                   "PL 30 60 30 160 0 1 2\n"  // no width: one unit
                                                   "PL 50 70 50 70 8 1 3\n"), // no length: a dot
                                           "t.fcd"));
    ASSERT_EQ(g.lines.size(), 2u);
    EXPECT_EQ(g.lines[0].aperture, "C,0.508");
    EXPECT_EQ(g.apertures.at(g.lines[0].code).function, "Conductor");
    EXPECT_EQ(g.lines[0].x1, 2540000);
    EXPECT_EQ(g.lines[0].y1, 35560000);
    EXPECT_EQ(g.lines[0].x2, 15240000);
    EXPECT_EQ(g.lines[0].y2, 35560000);
    EXPECT_EQ(g.lines[1].aperture, "C,0.127");
    EXPECT_EQ(g.lines[1].y2, 20320000);
    ASSERT_EQ(g.flashes.size(), 1u);
    EXPECT_EQ(g.flashes[0].aperture, "C,1.016");
}

TEST(GerberLayers, EachFileSaysWhatItHoldsInMillimetres) {
    const FcdDrawing d = drawing("PA 30 40 16 16 6 0 1 1\nPA 130 40 16 16 6 0 1 1\nPL 30 40 130 40 5 2 1\n");
    for (const auto& [text, function] : {std::pair{copperGerber(d, "t.fcd"), "Copper,L1,Bot"},
                                         std::pair{outlineGerber(d, "t.fcd"), "Profile,NP"},
                                         std::pair{wireLinkGerber(d, "t.fcd"), "Legend,Top"}}) {
        const auto g = readGerber(text);
        EXPECT_TRUE(hasAttribute(g, std::string("TF.FileFunction,") + function)) << text;
        EXPECT_TRUE(hasAttribute(g, "TF.FilePolarity,Positive")) << text;
        EXPECT_NE(text.find("%FSLAX46Y46*%\n%MOMM*%\n"), std::string::npos) << text;
        EXPECT_TRUE(g.ended) << text;
        EXPECT_FALSE(g.apertures.empty()) << "a reader takes a file without apertures for an older format";
    }

    const auto outline = readGerber(outlineGerber(d, "t.fcd"));
    ASSERT_EQ(outline.lines.size(), 4u);
    EXPECT_EQ(outline.apertures.at(outline.lines[0].code).function, "Profile");
    const int64_t w = 400 * 127000, h = 300 * 127000;
    const std::vector<std::pair<int64_t, int64_t>> corners = {{0, 0}, {w, 0}, {w, h}, {0, h}};
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(std::make_pair(outline.lines[i].x1, outline.lines[i].y1), corners[i]);
        EXPECT_EQ(std::make_pair(outline.lines[i].x2, outline.lines[i].y2), corners[(i + 1) % 4]);
    }

    const auto links = readGerber(wireLinkGerber(d, "t.fcd"));
    ASSERT_EQ(links.lines.size(), 1u);
    EXPECT_EQ(links.lines[0].x1, 2540000);
    EXPECT_EQ(links.lines[0].x2, 15240000);
    EXPECT_EQ(links.lines[0].aperture, "C,0.6");
}

TEST(GerberLayers, OnlyWiresThatJoinTwoPadsOfANetAreWireLinks) {
    const FcdDrawing d = drawing("PA 30 40 16 16 6 0 1 1\nPA 130 40 16 16 6 0 1 1\nPA 130 140 16 16 6 0 1 2\n"
                                 "PL 30 40 130 140 5 2 1\n"  // to a pad of another net
                                 "PL 30 40 100 40 5 2 1\n"   // to no pad
                                 "PL 30 40 130 40 5 3 1\n"); // on another layer
    EXPECT_TRUE(readGerber(wireLinkGerber(d, "t.fcd")).lines.empty());
}

} // namespace
} // namespace zelta
