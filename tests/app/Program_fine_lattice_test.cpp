// The new methods on the "5x5" grid: whether a track passes between two pins is a matter of the
// design rules, the classic keeps its 10-unit grid, and what is written (tracks, jumpers, their
// lands) stands on the 5-unit lattice and passes the check.
#include "app/Check.h"
#include "app/RoutingSession.h"
#include "render/BoardPicture.h"
#include "support/ProgramFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

namespace zelta {
namespace {

using testing::boardPath;
using testing::ProgramFixture;
using testing::readFile;

// A row of pins of no net, 20 units apart (2.54 mm), 13 units across (1.6 mm), from edge to edge
// of the board; net 1 has a pad above the row and one below, so its only way is between two pins.
std::string pinRowDrawing() {
    std::string d = "[FIDOCAD]\nRV 0 0 260 320 0\n";
    for (int x = 10; x <= 250; x += 20)
        d += "PA " + std::to_string(x) + " 160 13 13 5 0 1 0\n";
    d += "PA 90 60 13 13 5 0 1 1\nPA 90 260 13 13 5 0 1 1\n";
    return d;
}

std::string settings(const std::string& rules, int ampg, int jumpers = 0) {
    return std::string(testing::AutoLayer0Ini) + "metodo=1\nampg=" + std::to_string(ampg) +
           "\nponticelli=" + std::to_string(jumpers) + "\n" + rules;
}

const std::string FabRules = "larghezza=0\nisolamento=0.2\n";
const std::string DefaultRules = "larghezza=1\nisolamento=0.3\n";

// Routes until the method stops by itself (or 200 laps), saves, and checks the written file.
CheckResult routeAndCheck(ProgramFixture& f, std::string& written) {
    StopRules rules;
    rules.laps = 200;
    EXPECT_TRUE(RoutingSession(*f.program).run(rules).started);
    const std::string out = f.dir.file("out.fcd");
    EXPECT_TRUE(f.saveTo(out));
    written = readFile(out);
    FcdDrawing drawing;
    std::string error;
    EXPECT_TRUE(readDrawing(out, *f.program->settings, drawing, error)) << error;
    return checkDrawing(drawing, f.program->settings->isolamento);
}

struct Record {
    std::string kind;
    std::vector<long> fields;
};

// The "PA" and "PL" records written after the drawing's own lines.
std::vector<Record> recordsAfter(const std::string& written, size_t drawingLines) {
    std::vector<Record> records;
    std::istringstream in(written);
    std::string line;
    for (size_t n = 0; std::getline(in, line); ++n) {
        std::istringstream fields(line);
        Record r;
        fields >> r.kind;
        if (n < drawingLines || (r.kind != "PA" && r.kind != "PL"))
            continue;
        for (long v; fields >> v;)
            r.fields.push_back(v);
        records.push_back(r);
    }
    return records;
}

TEST(FineLattice, ATrackPassesBetweenTwoPinsOnlyWhereTheRulesLetIt) {
    struct Case {
        const char* name;
        std::string rules;
        int ampg;
        int connectionsOpen;
    };
    // With 0.25 mm tracks and 0.2 mm clearance the track fits between the pins; on the 10-unit
    // grid the pins' areas meet and shut the way; with 0.5 mm and 0.3 mm it does not fit at all.
    const Case cases[] = {
        {"fab rules, 5x5", FabRules, 0, 0},
        {"fab rules, 10x10", FabRules, 1, 1},
        {"default rules, 5x5", DefaultRules, 0, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ProgramFixture f(settings(c.rules, c.ampg));
        ASSERT_TRUE(f.openText(pinRowDrawing()));
        std::string written;
        const CheckResult check = routeAndCheck(f, written);
        EXPECT_EQ(check.connectionsOpen, c.connectionsOpen) << checkReportText(check);
        EXPECT_TRUE(check.shorts.empty()) << checkReportText(check);
        EXPECT_EQ(check.clearanceViolations, 0u) << checkReportText(check);
    }
}

TEST(FineLattice, TheViewDrawsTheTracksAndJumpersTheWriterWrites) {
    ProgramFixture f(settings(DefaultRules, 0, 1));
    ASSERT_TRUE(f.openText(pinRowDrawing()));
    std::string written;
    routeAndCheck(f, written);
    const Program& p = *f.program;
    BoardPicture picture = padsPicture(*p.fcd, *p.settings);
    EXPECT_EQ(picture.pitch, FinePitch);
    addBestLap(picture, p.grid->plane(BestPlane), *p.netTable, p.bestJumpers, p.settings->metodo);
    std::vector<PictureTrack> tracks, jumpers;
    for (const Record& r : recordsAfter(written, 17)) {
        if (r.kind != "PL" || r.fields.size() < 7)
            continue;
        const PictureTrack t{int32_t(r.fields[0]), int32_t(r.fields[1]), int32_t(r.fields[2]),
                             int32_t(r.fields[3]), int32_t(r.fields[4]), int32_t(r.fields[6])};
        (r.fields[5] == JumperLayer ? jumpers : tracks).push_back(t);
    }
    ASSERT_FALSE(tracks.empty());
    EXPECT_EQ(picture.tracks, tracks);
    ASSERT_EQ(picture.jumpers.size(), jumpers.size());
    for (size_t i = 0; i < jumpers.size(); ++i)
        EXPECT_EQ((PictureTrack{picture.jumpers[i].x1, picture.jumpers[i].y1, picture.jumpers[i].x2,
                                picture.jumpers[i].y2, jumpers[i].width, picture.jumpers[i].net}),
                  jumpers[i]);
}

TEST(FineLattice, TheClassicKeepsItsTenUnitGrid) {
    ProgramFixture f(std::string(testing::AutoLayer0Ini) + "metodo=0\nampg=0\n");
    ASSERT_TRUE(f.openText(pinRowDrawing()));
    EXPECT_EQ(f.program->fcd->pitch, CoarsePitch);
    EXPECT_EQ(f.program->settings->cols, 26);
    EXPECT_EQ(f.program->grid->cell(WorkPlane, 9, 6), 1 | PadCentre);
}

TEST(FineLattice, PadsStandOnTheFineCellsAndReserveOnlyThePointsInsideTheirCopper) {
    ProgramFixture f(settings(FabRules, 0));
    ASSERT_TRUE(f.openText(pinRowDrawing() + "PA 58 63 13 13 5 0 1 2\n"));
    EXPECT_EQ(f.program->fcd->pitch, FinePitch);
    EXPECT_EQ(f.program->settings->cols, 52);
    EXPECT_EQ(f.program->settings->rows, 64);
    const GestScheda& grid = *f.program->grid;
    EXPECT_EQ(grid.cell(WorkPlane, 18, 12), 1 | PadCentre);
    EXPECT_EQ(grid.cell(WorkPlane, 19, 13), 1 | PadArea);
    // Between the pins at x = 70 and x = 90 (columns 14 and 18) the point at x = 80 is free.
    EXPECT_EQ(grid.cell(WorkPlane, 15, 32), 0 | PadArea);
    EXPECT_EQ(grid.cell(WorkPlane, 16, 32), 0);
    EXPECT_EQ(grid.cell(WorkPlane, 17, 32), 0 | PadArea);
    // A pad off the 5-unit lattice is warned about and placed at the nearest point.
    EXPECT_TRUE(f.host.reported("[18] Warning 153: Piazzola non in griglia (58,63)"));
    EXPECT_EQ(grid.cell(WorkPlane, 12, 13), 2 | PadCentre);
}

TEST(FineLattice, AHugePadOnTheLargestBoardIsClippedAtTheFineGridsEdge) {
    ProgramFixture f(settings(FabRules, 0));
    ASSERT_TRUE(f.openText("[FIDOCAD]\nRV 0 0 1590 790 0\nPA 1585 785 2147483647 2147483647 5 0 1 4\n"));
    const GestScheda& grid = *f.program->grid;
    EXPECT_EQ(grid.cell(WorkPlane, 317, 157), 4 | PadCentre);
    EXPECT_EQ(grid.cell(WorkPlane, gridColsAt(FinePitch) - 1, gridRowsAt(FinePitch) - 1), 4 | PadArea);
}

TEST(FineLattice, JumpersKeepTheirLengthsInTenUnitStepsAndStandOnFivePoints) {
    // The pin row has no gap for 0.5 mm tracks: net 1 needs a jumper over it.
    ProgramFixture f(settings(DefaultRules, 0, 1));
    ASSERT_TRUE(f.openText(pinRowDrawing()));
    std::string written;
    const CheckResult check = routeAndCheck(f, written);
    EXPECT_EQ(check.connectionsOpen, 0) << checkReportText(check);
    EXPECT_TRUE(check.shorts.empty()) << checkReportText(check);
    EXPECT_EQ(check.clearanceViolations, 0u) << checkReportText(check);
    int wires = 0;
    for (const Record& r : recordsAfter(written, 17)) {
        const size_t coordinates = r.kind == "PA" ? 2 : 4;
        for (size_t i = 0; i < coordinates && i < r.fields.size(); ++i)
            EXPECT_EQ(r.fields[i] % FinePitch, 0) << r.kind;
        if (r.kind == "PL" && r.fields.size() >= 6 && r.fields[5] == JumperLayer) {
            const long length =
                std::max(std::abs(r.fields[2] - r.fields[0]), std::abs(r.fields[3] - r.fields[1]));
            EXPECT_TRUE(length == 40 || length == 60 || length == 80) << length;
            ++wires;
        }
    }
    EXPECT_GE(wires, 1);
}

} // namespace
} // namespace zelta
