// Whole sessions against the recorded results: open a board with its settings, start, run the
// listed number of laps, stop, save; then the report, the result file, the best plane's hash and
// the figures of every lap must be the recorded ones.
#include "app/Program.h"
#include "app/RoutingSession.h"
#include "support/ReportText.h"
#include "support/ScriptedHost.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <string>
#include <vector>

namespace zelta::testing {
namespace {

struct GoldenCase {
    std::string board;     // as listed, relative to the boards folder
    std::string optionSet; // folder of the recorded results under the board's name
    int laps;
};

void PrintTo(const GoldenCase& c, std::ostream* os) {
    *os << c.board << " " << c.optionSet << " " << c.laps << " laps";
}

std::vector<GoldenCase> goldenCases() {
    std::vector<GoldenCase> cases;
    for (const SharedBoard& b : sharedBoards())
        for (const char* set : {"default", "reload", "extreme-a", "extreme-b"})
            cases.push_back({b.board, set, b.laps});
    return cases;
}

std::string caseFolder(const GoldenCase& c) {
    return c.board.substr(0, c.board.size() - 4) + "/" + c.optionSet;
}

std::string goldenDir(const GoldenCase& c) {
    return goldenPath(caseFolder(c));
}

// A recorded file of the case (report.txt, summary.txt, out.fcd), or its amended version where the
// program departs from it on purpose (see tests/data/amended/README.md).
std::string expectedFile(const GoldenCase& c, const std::string& name) {
    std::string amended = sourcePath("tests/data/amended/" + caseFolder(c) + "/" + name);
    return fileExists(amended) ? amended : goldenDir(c) + "/" + name;
}

// With ZELTA_AMEND_OUT set, each case also writes what it produced, in the recorded files' form,
// under that folder: how the amended files are made once a change has been shown to be right.
void writeProduced(const GoldenCase& c, const std::vector<std::string>& report, const std::string& summary,
                   const std::string& out) {
    const char* root = std::getenv("ZELTA_AMEND_OUT");
    if (root == nullptr || *root == 0)
        return;
    const std::string dir = std::string(root) + "/" + caseFolder(c);
    std::filesystem::create_directories(dir);
    std::string text;
    for (const std::string& line : report)
        text += normalisedLine(line) + "\n";
    std::ofstream(dir + "/report.txt", std::ios::binary) << text;
    std::ofstream(dir + "/summary.txt", std::ios::binary) << summary;
    std::ofstream(dir + "/out.fcd", std::ios::binary) << readFile(out);
}

// 64-bit FNV-1a over the cells in storage order, four bytes each, least significant first.
// The recorded hashes are of the classic's 160 x 80 cells, column by column; the grid's cells
// beyond them must stay empty.
uint64_t planeHash(const int32_t* plane) {
    uint64_t h = 0xcbf29ce484222325ull;
    for (int c = 0; c < GridCols; ++c) {
        for (int r = 0; r < GridRows; ++r) {
            const uint32_t v = static_cast<uint32_t>(plane[GestScheda::index(c, r)]);
            if (c >= gridColsAt(CoarsePitch) || r >= gridRowsAt(CoarsePitch)) {
                if (v != 0)
                    return 0;
                continue;
            }
            for (int b = 0; b < 4; ++b) {
                h ^= (v >> (8 * b)) & 0xFF;
                h *= 0x100000001b3ull;
            }
        }
    }
    return h;
}

class GoldenSession : public ::testing::TestWithParam<GoldenCase> {};

TEST_P(GoldenSession, ReproducesTheRecordedReportResultFileAndLaps) {
    const GoldenCase& c = GetParam();
    const std::string dir = goldenDir(c);
    ScratchDir scratch;
    const std::string ini = scratch.write("zelta.ini", readFile(dir + "/settings.ini"));
    ScriptedHost host;
    Program program(host, {ini, scratch.file("zelta.tmp"), [] { return uint32_t{0}; }});

    host.willOpen(boardPath(c.board));
    program.openFcd();
    ASSERT_EQ(program.fcd->status, 0) << host.lastMessage();

    std::vector<std::string> lapLines;
    int32_t bestBefore = -999999;
    program.onLapEnd = [&](const LapFigures& lap) {
        char text[128];
        std::snprintf(text, sizeof text, "LAP %d val=%d best=%d fail=%d handled=%d", lap.laps, lap.lapValue,
                      bestBefore, lap.failures, lap.handledPads);
        lapLines.push_back(text);
        bestBefore = lap.bestValue;
    };
    StopRules rules;
    rules.laps = c.laps;
    const SessionResult run = RoutingSession(program).run(rules);
    ASSERT_TRUE(run.started);
    ASSERT_EQ(run.laps, c.laps);

    char hash[32];
    std::snprintf(hash, sizeof hash, "%016llx",
                  static_cast<unsigned long long>(planeHash(program.grid->plane(BestPlane))));

    const std::string out = scratch.file("out.fcd");
    host.willSave(out);
    program.save();
    EXPECT_EQ(host.lastMessage(), "Scrittura file completata");

    std::string summary = "laps " + std::to_string(run.laps) + "\nexit 0\nBEST_HASH " + hash + "\nLAPS " +
                          std::to_string(lapLines.size()) + " BEST " + std::to_string(bestBefore) + "\n";
    for (const std::string& line : lapLines)
        summary += line + "\n";
    writeProduced(c, host.report, summary, out);

    std::vector<std::string> expectedReport = splitLines(readFile(expectedFile(c, "report.txt")));
    for (size_t i = 0; i < expectedReport.size() && i < host.report.size(); ++i)
        ASSERT_EQ(normalisedLine(host.report[i]), normalisedLine(expectedReport[i]))
            << "report line " << i + 1;
    ASSERT_EQ(host.report.size(), expectedReport.size());

    const std::string expectedOut = expectedFile(c, "out.fcd");
    EXPECT_TRUE(readFile(out) == readFile(expectedOut)) << "result file differs from " << expectedOut;

    std::vector<std::string> expectedLaps;
    std::string expectedHash, expectedBest;
    for (const std::string& line : splitLines(readFile(expectedFile(c, "summary.txt")))) {
        if (line.rfind("LAP ", 0) == 0)
            expectedLaps.push_back(line);
        else if (line.rfind("BEST_HASH ", 0) == 0)
            expectedHash = line.substr(10);
        else if (line.rfind("LAPS ", 0) == 0)
            expectedBest = line;
    }
    EXPECT_EQ(hash, expectedHash);
    EXPECT_EQ(lapLines, expectedLaps);
    EXPECT_EQ("LAPS " + std::to_string(lapLines.size()) + " BEST " + std::to_string(bestBefore),
              expectedBest);
}

std::string caseName(const ::testing::TestParamInfo<GoldenCase>& info) {
    std::string name = info.param.board.substr(0, info.param.board.size() - 4) + "_" + info.param.optionSet;
    for (char& ch : name)
        if (!std::isalnum(static_cast<unsigned char>(ch)))
            ch = '_';
    return name;
}

INSTANTIATE_TEST_SUITE_P(Boards, GoldenSession, ::testing::ValuesIn(goldenCases()), caseName);

TEST(GoldenSessionList, CoversElevenBoardsUnderFourOptionSets) {
    EXPECT_EQ(goldenCases().size(), 44u);
}

} // namespace
} // namespace zelta::testing
