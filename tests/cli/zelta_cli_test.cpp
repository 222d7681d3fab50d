// The batch tool end to end: exit statuses, standard streams, the report file and the result,
// checked against the expected results of the shared boards.
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <sstream>
#include <sys/wait.h>

namespace zelta {
namespace {

using testing::boardPath;
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

// Report lines compared as the expected results are written: milliseconds as 0, paths by name.
std::string normalised(const std::string& report) {
    static const std::regex ms("\\([0-9-]+ ms\\)");
    static const std::regex path("^(Lettura file: |Scrittura file: ).*/", std::regex::multiline);
    return std::regex_replace(std::regex_replace(report, ms, "(0 ms)"), path, "$1");
}

// Empty when the two texts are equal, else the first line where they part.
std::string firstDifference(const std::string& expected, const std::string& actual) {
    std::istringstream e(expected), a(actual);
    std::string le, la;
    for (int n = 1;; ++n) {
        bool he = static_cast<bool>(std::getline(e, le));
        bool ha = static_cast<bool>(std::getline(a, la));
        if (!he && !ha)
            return {};
        if (he != ha || le != la)
            return "line " + std::to_string(n) + ": expected \"" + (he ? le : "<end>") + "\", got \"" +
                   (ha ? la : "<end>") + "\"";
    }
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
        const std::string expected = normalised(readFile(golden + "report.txt"));
        EXPECT_EQ(firstDifference(expected, normalised(readFile(dir.file("report.txt")))), "") << set;
        EXPECT_EQ(firstDifference(expected, normalised(r.out)), "") << set;
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

} // namespace
} // namespace zelta
