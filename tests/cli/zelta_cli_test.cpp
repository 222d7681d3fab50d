// The batch tool end to end: exit statuses, standard streams, the report file and the result,
// checked against the expected results of the shared boards.
#include "support/ReportText.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <cstdio>

#include <filesystem>
#include <sstream>
#include <sys/wait.h>

namespace zelta {
namespace {

using testing::boardPath;
using testing::firstDifference;
using testing::goldenPath;
using testing::readFile;
using testing::ScratchDir;

struct CliRun {
    int exit;
    std::string out;
    std::string err;
};

std::string quoted(const std::string& s) {
    std::string q = "'";
    for (char c : s)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

CliRun cli(const ScratchDir& dir, const std::vector<std::string>& args, const std::string& env = "") {
    std::string cmd = env + " " + quoted(ZELTA_CLI);
    for (const std::string& a : args)
        cmd += " " + quoted(a);
    cmd += " > " + quoted(dir.file("stdout")) + " 2> " + quoted(dir.file("stderr")) + " < /dev/null";
    int status = std::system(cmd.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, readFile(dir.file("stdout")),
            readFile(dir.file("stderr"))};
}

int countLines(const std::string& text, const std::string& prefix) {
    std::istringstream in(text);
    int n = 0;
    for (std::string line; std::getline(in, line);)
        n += line.rfind(prefix, 0) == 0;
    return n;
}

TEST(ZeltaCliRoute, ReproducesTheExpectedSessionReportAndResult) {
    ScratchDir dir;
    for (const char* set : {"default", "extreme-a"}) {
        const std::string golden = goldenPath(std::string("dip8-555/") + set + "/");
        std::filesystem::create_directory(dir.file(set));
        const std::string out = dir.file(std::string(set) + "/out.fcd");
        CliRun r = cli(dir, {"route", boardPath("dip8-555.fcd"), "-o", out, "--laps", "15", "--ini",
                             golden + "settings.ini", "--report", dir.file("report.txt")});
        ASSERT_EQ(r.exit, 0) << set << ": " << r.err;
        const std::string expected = testing::normalisedReport(readFile(golden + "report.txt"));
        EXPECT_EQ(firstDifference(expected, testing::normalisedReport(readFile(dir.file("report.txt")))), "")
            << set;
        EXPECT_EQ(firstDifference(expected, testing::normalisedReport(r.out)), "") << set;
        EXPECT_TRUE(readFile(out) == readFile(golden + "out.fcd")) << set;
        EXPECT_NE(r.err.find(out), std::string::npos);
    }
}

TEST(ZeltaCliRoute, QuietLeavesStandardOutputEmpty) {
    ScratchDir dir;
    CliRun r = cli(dir, {"route", boardPath("tiny-2nets.fcd"), "-o", dir.file("out.fcd"), "--laps", "2",
                         "--ini", boardPath("auto-layer0.ini"), "--quiet"});
    EXPECT_EQ(r.exit, 0) << r.err;
    EXPECT_EQ(r.out, "");
}

TEST(ZeltaCliRoute, StopsAfterTheGivenLapsWithoutImprovement) {
    // The tiny board scores the same in every lap: the first lap improves, then three idle laps.
    ScratchDir dir;
    CliRun r = cli(dir, {"route", boardPath("tiny-2nets.fcd"), "-o", dir.file("out.fcd"), "--idle", "3",
                         "--ini", boardPath("auto-layer0.ini"), "--set", "debug=1"});
    EXPECT_EQ(r.exit, 0) << r.err;
    EXPECT_EQ(countLines(r.out, ">Fine giro"), 4);
}

TEST(ZeltaCliRoute, TheNegotiatedMethodStopsByItselfOnceEveryPadIsJoined) {
    // Without --laps the idle limit would stop after 50 laps; the strict first lap joins all.
    ScratchDir dir;
    CliRun r = cli(dir, {"route", boardPath("dip8-555.fcd"), "-o", dir.file("out.fcd"), "--ini",
                         boardPath("auto-layer0.ini"), "--set", "debug=1", "--set", "metodo=1"});
    ASSERT_EQ(r.exit, 0) << r.err;
    EXPECT_EQ(countLines(r.out, ">Fine giro"), 1);
    CliRun check = cli(dir, {"check", dir.file("out.fcd"), "--ini", boardPath("auto-layer0.ini")});
    EXPECT_EQ(check.exit, 0) << check.out;
    EXPECT_NE(check.out.find("piazzole scollegate 0, cortocircuiti 0"), std::string::npos) << check.out;
}

TEST(ZeltaCliRoute, ExitStatusTellsWhatWentWrong) {
    ScratchDir dir;
    const std::string ini = boardPath("auto-layer0.ini");
    const std::string tiny = boardPath("tiny-2nets.fcd");
    EXPECT_EQ(cli(dir, {"route", tiny}).exit, 1);
    EXPECT_EQ(cli(dir, {"route", tiny, "-o", dir.file("o.fcd"), "--bogus"}).exit, 1);
    EXPECT_EQ(cli(dir, {"route", tiny, "-o", dir.file("o.fcd"), "--ini", ini, "--set", "nokey=1"}).exit, 1);
    EXPECT_EQ(cli(dir, {"route", tiny, "-o", dir.file("o.fcd"), "--ini", ini, "--set", "giriv=abc"}).exit, 1);

    CliRun missing = cli(dir, {"route", dir.file("none.fcd"), "-o", dir.file("o.fcd"), "--ini", ini});
    EXPECT_EQ(missing.exit, 2);
    EXPECT_NE(missing.err.find("Errore 101: Impossibile aprire il file Fidocad"), std::string::npos);

    CliRun refused =
        cli(dir, {"route", boardPath("with-existing-tracks.fcd"), "-o", dir.file("o.fcd"), "--ini", ini});
    EXPECT_EQ(refused.exit, 2);
    EXPECT_NE(refused.out.find("Lettura interrotta da utente!"), std::string::npos);
    EXPECT_FALSE(testing::fileExists(dir.file("o.fcd")));

    CliRun unwritable = cli(dir, {"route", tiny, "-o", dir.file("gone/o.fcd"), "--laps", "1", "--ini", ini});
    EXPECT_EQ(unwritable.exit, 3);
    EXPECT_NE(unwritable.err.find("Errore 301: Impossibile aprire file fidocad"), std::string::npos);

    dir.write("bad.ini", "[Avanzate]\ngiriv=x\n");
    EXPECT_EQ(cli(dir, {"route", tiny, "-o", dir.file("o.fcd"), "--ini", dir.file("bad.ini")}).exit, 2);
}

TEST(ZeltaCliRoute, ExistingTracksAreReplacedOnRequest) {
    ScratchDir dir;
    CliRun r = cli(dir, {"route", boardPath("with-existing-tracks.fcd"), "-o", dir.file("o.fcd"), "--laps",
                         "1", "--ini", boardPath("auto-layer0.ini"), "--replace-tracks"});
    EXPECT_EQ(r.exit, 0) << r.err;
    EXPECT_NE(r.out.find("Warning 151: Piste già presenti"), std::string::npos);
}

TEST(ZeltaCliRoute, KeepsItsTemporaryFileToItselfAndRemovesIt) {
    ScratchDir dir;
    const std::string tmp = dir.file("tmp");
    std::filesystem::create_directory(tmp);
    CliRun r = cli(dir,
                   {"route", boardPath("tiny-2nets.fcd"), "-o", dir.file("o.fcd"), "--laps", "1", "--ini",
                    boardPath("auto-layer0.ini")},
                   "TMPDIR=" + quoted(tmp));
    EXPECT_EQ(r.exit, 0) << r.err;
    EXPECT_TRUE(std::filesystem::is_empty(tmp));
    EXPECT_FALSE(testing::fileExists(boardPath("zelta.tmp")));
}

// The failed connections of the best lap (the first lap with the highest value), from the
// ">Fine giro val=%i [%i] ps=%i lv=%i" lines.
int failuresOfBestLap(const std::string& report) {
    int best = 0, failures = -1;
    for (const std::string& line : testing::splitLines(report)) {
        int value, before, failed, handled;
        if (std::sscanf(line.c_str(), ">Fine giro val=%d [%d] ps=%d lv=%d", &value, &before, &failed,
                        &handled) != 4)
            continue;
        if (failures < 0 || value > best) {
            best = value;
            failures = failed;
        }
    }
    return failures;
}

// The two figures of the check's summary line.
bool summaryFigures(const std::string& text, int& unconnected, int& shorts) {
    for (const std::string& line : testing::splitLines(text)) {
        int complete, nets;
        if (std::sscanf(line.c_str(), "Net complete %d/%d, piazzole scollegate %d, cortocircuiti %d",
                        &complete, &nets, &unconnected, &shorts) == 4)
            return true;
    }
    return false;
}

TEST(ZeltaCliCheck, EveryRoutedBoardChecksWithoutShortsAndNoMoreUnconnectedPadsThanFailures) {
    ScratchDir dir;
    std::istringstream list(readFile(boardPath("golden.list")));
    for (std::string line; std::getline(list, line);) {
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream fields(line);
        std::string board, ini, laps;
        fields >> board >> ini >> laps;
        const std::string out = dir.file("routed.fcd");
        CliRun routed =
            cli(dir, {"route", boardPath(board), "-o", out, "--laps", laps, "--ini", boardPath(ini), "--set",
                      "debug=1", "--replace-tracks", "--quiet", "--report", dir.file("report")});
        ASSERT_EQ(routed.exit, 0) << board << ": " << routed.err;
        CliRun checked = cli(dir, {"check", out, "--ini", boardPath(ini)});
        int unconnected = 0, shorts = 0;
        ASSERT_TRUE(summaryFigures(checked.out, unconnected, shorts)) << board;
        // A failed pad may still be joined later by another pad's track, and the last of a net's
        // pads is never counted as unconnected: the check can only find fewer.
        EXPECT_LE(unconnected, failuresOfBestLap(readFile(dir.file("report")))) << board;
        if (board == "real/dc-mixer.fcd") {
            // The router gives pads under 12 units a single grid cell; here a diagonal step between
            // two 11 x 11 pads of nets 10 and 11 passes over their corners.
            EXPECT_EQ(checked.exit, 4);
            EXPECT_NE(checked.out.find("Cortocircuito tra le net 4, 10, 11 in (985,594) (994,574)"),
                      std::string::npos)
                << checked.out;
        } else {
            EXPECT_EQ(shorts, 0) << board << "\n" << checked.out;
            EXPECT_EQ(checked.exit, 0) << board;
        }
    }
}

TEST(ZeltaCliCheck, PrintsJsonAndRefusesWhatItCannotRead) {
    ScratchDir dir;
    CliRun json = cli(dir, {"check", goldenPath("tiny-2nets/default/out.fcd"), "--ini",
                            boardPath("auto-layer0.ini"), "--json"});
    EXPECT_EQ(json.exit, 0);
    EXPECT_NE(json.out.find("\"summary\":{\"netsComplete\":2,\"nets\":2,\"padsUnconnected\":0,\"shorts\":0}"),
              std::string::npos)
        << json.out;
    CliRun missing = cli(dir, {"check", dir.file("none.fcd"), "--ini", boardPath("auto-layer0.ini")});
    EXPECT_EQ(missing.exit, 2);
    EXPECT_NE(missing.err.find("Errore 101"), std::string::npos);
}

// Width and height of a PNG file, from its header.
std::pair<int, int> pngSize(const std::string& bytes) {
    if (bytes.size() < 24 || bytes.compare(1, 3, "PNG") != 0)
        return {-1, -1};
    auto at = [&](size_t i) {
        return (static_cast<unsigned char>(bytes[i]) << 24) |
               (static_cast<unsigned char>(bytes[i + 1]) << 16) |
               (static_cast<unsigned char>(bytes[i + 2]) << 8) | static_cast<unsigned char>(bytes[i + 3]);
    };
    return {at(16), at(20)};
}

TEST(ZeltaCliImages, WritesPicturesOfTheBestLapWithoutADisplay) {
    // tiny-2nets is 30 x 20 mm. No display and no platform chosen: the tool picks its own.
    ScratchDir dir;
    const std::string noDisplay = "env -u QT_QPA_PLATFORM -u DISPLAY -u WAYLAND_DISPLAY";
    CliRun r =
        cli(dir,
            {"route", boardPath("tiny-2nets.fcd"), "-o", dir.file("out.fcd"), "--laps", "2", "--ini",
             boardPath("auto-layer0.ini"), "--quiet", "--svg", dir.file("b.svg"), "--png", dir.file("b.png")},
            noDisplay);
    ASSERT_EQ(r.exit, 0) << r.err;
    EXPECT_EQ(pngSize(readFile(dir.file("b.png"))), std::make_pair(300, 200));
    const std::string svg = readFile(dir.file("b.svg"));
    EXPECT_NE(svg.find("<svg width=\"30mm\" height=\"20mm\""), std::string::npos) << svg.substr(0, 300);

    r = cli(dir, {"route", boardPath("tiny-2nets.fcd"), "-o", dir.file("out.fcd"), "--laps", "1", "--ini",
                  boardPath("auto-layer0.ini"), "--quiet", "--png", dir.file("b.png"), "--scale", "4"});
    ASSERT_EQ(r.exit, 0) << r.err;
    EXPECT_EQ(pngSize(readFile(dir.file("b.png"))), std::make_pair(120, 80));

    EXPECT_EQ(cli(dir, {"route", boardPath("tiny-2nets.fcd"), "-o", dir.file("out.fcd"), "--png",
                        dir.file("b.png"), "--scale", "0"})
                  .exit,
              1);
}

TEST(ZeltaCliImages, DrawsNothingUnlessAsked) {
    // A platform that does not exist would stop any run that started the toolkit.
    ScratchDir dir;
    CliRun r = cli(dir,
                   {"route", boardPath("tiny-2nets.fcd"), "-o", dir.file("out.fcd"), "--laps", "1", "--ini",
                    boardPath("auto-layer0.ini"), "--quiet", "--scale", "4"},
                   "QT_QPA_PLATFORM=no-such-platform");
    EXPECT_EQ(r.exit, 0) << r.err;
    EXPECT_TRUE(testing::fileExists(dir.file("out.fcd")));
}

TEST(ZeltaCliImages, AnImageThatCannotBeWrittenExitsThreeAndKeepsTheDrawing) {
    ScratchDir dir;
    CliRun r = cli(dir, {"route", boardPath("tiny-2nets.fcd"), "-o", dir.file("out.fcd"), "--laps", "1",
                         "--ini", boardPath("auto-layer0.ini"), "--quiet", "--png", dir.file("gone/b.png"),
                         "--svg", dir.file("b.svg")});
    EXPECT_EQ(r.exit, 3);
    EXPECT_NE(r.err.find("impossibile scrivere l'immagine " + dir.file("gone/b.png")), std::string::npos)
        << r.err;
    EXPECT_NE(readFile(dir.file("out.fcd")).find("\nPL "), std::string::npos)
        << "the routed drawing is written";
    EXPECT_TRUE(testing::fileExists(dir.file("b.svg"))) << "the other picture too";
    EXPECT_FALSE(testing::fileExists(dir.file("gone")));
}

} // namespace
} // namespace zelta
