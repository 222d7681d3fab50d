// The drill file: tools by diameter, every pad's hole, and the file read back as a drill reads it.
#include "export/Excellon.h"

#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <sstream>

namespace zelta {
namespace {

using testing::readFile;
using testing::sourcePath;

FcdDrawing drawing(const std::string& records, const std::string& outline = "RV 0 0 400 300 0\n") {
    GestoreFileINI settings("/nonexistent/zelta.ini");
    settings.dim_auto = true;
    FcdDrawing d;
    std::string error;
    EXPECT_TRUE(parseDrawing("[FIDOCAD]\n" + outline + records, settings, d, error)) << error;
    return d;
}

struct ReadHole {
    double x;
    double y;
    double diameter;
};

// The holes of an Excellon file in millimetres, each with its tool's diameter, read with no help
// from the writer.
std::vector<ReadHole> readExcellon(const std::string& text) {
    std::map<int, double> tools;
    std::vector<ReadHole> holes;
    bool header = true;
    int tool = 0;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (line == "%") {
            header = false;
        } else if (header && line.size() > 1 && line[0] == 'T') {
            const size_t c = line.find('C');
            tools[std::stoi(line.substr(1, c - 1))] = std::stod(line.substr(c + 1));
        } else if (!header && line.size() > 1 && line[0] == 'T') {
            tool = std::stoi(line.substr(1));
        } else if (!header && line.size() > 1 && line[0] == 'X') {
            const size_t y = line.find('Y');
            holes.push_back(
                {std::stod(line.substr(1, y - 1)), std::stod(line.substr(y + 1)), tools.at(tool)});
        }
    }
    return holes;
}

TEST(Excellon, OneToolPerDiameterSmallestFirstAndEveryHole) {
    const std::vector<DrillTool> tools = drillTools(drawing("PA 100 100 16 16 8 0 1 1\n"
                                                            "PA 200 100 16 16 6 0 1 1\n"
                                                            "PA 100 200 16 16 6 1 1 2\n"
                                                            "PA 300 200 16 16 0 1 1 3\n")); // no hole
    ASSERT_EQ(tools.size(), 2u);
    EXPECT_EQ(tools[0].diameter, 762000);
    EXPECT_EQ(tools[1].diameter, 1016000);
    ASSERT_EQ(tools[0].holes.size(), 2u);
    EXPECT_EQ(tools[0].holes[0].x, 25400000);
    EXPECT_EQ(tools[0].holes[0].y, 25400000);
    EXPECT_EQ(tools[0].holes[1].x, 12700000);
    EXPECT_EQ(tools[0].holes[1].y, 12700000);
    EXPECT_EQ(tools[1].holes.size(), 1u);

    const std::string text = excellon(tools, "t.fcd");
    EXPECT_EQ(text.rfind("M48\n", 0), 0u);
    EXPECT_NE(text.find("\nMETRIC\nT1C0.762\nT2C1.016\n%\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\nT1\nX25.4Y25.4\nX12.7Y12.7\nT2\nX12.7Y25.4\nM30\n"), std::string::npos) << text;
}

TEST(Excellon, CoordinatesAlwaysCarryADecimalPointAndPadsOnOneCentreShareTheWidestHole) {
    // A point without a decimal point would be read in an implied-decimal format.
    const std::vector<DrillTool> tools = drillTools(drawing("PA 1000 100 16 16 8 0 1 1\n"
                                                            "PA 1000 100 24 24 10 0 1 1\n",
                                                            "RV 0 0 1100 300 0\n"));
    ASSERT_EQ(tools.size(), 1u);
    ASSERT_EQ(tools[0].holes.size(), 1u);
    EXPECT_EQ(tools[0].diameter, 1270000);
    EXPECT_NE(excellon(tools, "t.fcd").find("\nT1C1.27\n%\nG90\nG05\nT1\nX127.0Y25.4\n"), std::string::npos);
}

TEST(Excellon, EveryPadOfARoutedRealBoardHasItsHoleWithItsDiameter) {
    const std::string path = sourcePath("tests/data/export/dc-mixer-jumpers.fcd");
    GestoreFileINI settings("/nonexistent/zelta.ini");
    settings.dim_auto = true;
    FcdDrawing d;
    std::string error;
    ASSERT_TRUE(readDrawing(path, settings, d, error)) << error;
    const std::vector<ReadHole> holes = readExcellon(excellon(drillTools(d), "dc-mixer-jumpers.fcd"));

    // The pads straight from the file's records: the outline's corner is (730, 470), its far
    // corner (1320, 1250).
    std::istringstream in(readFile(path));
    int pads = 0;
    for (std::string line; std::getline(in, line);) {
        std::istringstream f(line);
        std::string kind;
        int x, y, sx, sy, drill, style, layer;
        if (!(f >> kind >> x >> y >> sx >> sy >> drill >> style >> layer) || kind != "PA" || layer != 1)
            continue;
        ++pads;
        const double mmX = (x - 730) * 0.127, mmY = (1250 - y) * 0.127;
        bool found = false;
        for (const ReadHole& h : holes)
            found = found || (std::abs(h.x - mmX) < 1e-6 && std::abs(h.y - mmY) < 1e-6 &&
                              std::abs(h.diameter - drill * 0.127) < 1e-6);
        EXPECT_TRUE(found) << line;
    }
    EXPECT_EQ(pads, 134) << "104 pads of the board and two for each of its 15 wire links";
    EXPECT_EQ(holes.size(), 134u);
}

} // namespace
} // namespace zelta
