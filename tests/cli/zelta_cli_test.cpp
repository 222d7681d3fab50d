// The batch tool end to end: exit statuses, standard streams, the report file and the result,
// checked against the expected results of the shared boards.
#include "core/Messages.h"
#include "support/ReportText.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace zelta {
namespace {

using testing::boardPath;
using testing::firstDifference;
using testing::goldenPath;
using testing::readFile;
using testing::ScratchDir;
using testing::SharedBoard;
using testing::sharedBoards;

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
    // Appended piece by piece: "literal" + std::string inlines to a copy that GCC 12 at -O3
    // wrongly reports as overlapping (-Wrestrict).
    std::string cmd = env;
    cmd += ' ';
    cmd += quoted(ZELTA_CLI);
    for (const std::string& a : args) {
        cmd += ' ';
        cmd += quoted(a);
    }
    cmd += " > ";
    cmd += quoted(dir.file("stdout"));
    cmd += " 2> ";
    cmd += quoted(dir.file("stderr"));
    cmd += " < /dev/null";
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

// The report of a session less its last line, which is the check's verdict on the file written
// (the front adds it after the session's own save).
std::string sessionPart(const std::string& report, std::string& verdict) {
    const size_t last = report.rfind('\n', report.size() >= 2 ? report.size() - 2 : 0);
    const size_t start = last == std::string::npos ? 0 : last + 1;
    verdict = report.substr(start);
    return report.substr(0, start);
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
        for (const std::string& report : {readFile(dir.file("report.txt")), r.out}) {
            std::string verdict;
            const std::string session = sessionPart(testing::normalisedReport(report), verdict);
            EXPECT_EQ(firstDifference(expected, session), "") << set;
            // Tracks 4 wide on neighbouring grid lines 10 apart: 6 units of 0,127 mm.
            EXPECT_EQ(verdict.rfind("Verifica: collegamenti aperti 0, cortocircuiti 0, violazioni isolamento "
                                    "0,3 mm: 0, distanza minima 0,762 mm;",
                                    0),
                      0u)
                << verdict;
        }
        EXPECT_TRUE(readFile(out) == readFile(golden + "out.fcd")) << set;
        EXPECT_NE(r.err.find(out), std::string::npos);
    }
}

TEST(ZeltaCliRoute, TheReportEndsWithTheNetsLeftOpenAndWhy) {
    ScratchDir dir;
    CliRun r = cli(dir, {"route", boardPath("medium-40pads.fcd"), "-o", dir.file("out.fcd"), "--laps", "3",
                         "--ini", boardPath("auto-layer0.ini"), "--set", "debug=1", "--replace-tracks",
                         "--report", dir.file("report.txt")});
    ASSERT_EQ(r.exit, 0) << r.err;
    const std::vector<std::string> lines = testing::splitLines(r.out);
    size_t header = lines.size();
    int open = 0;
    for (size_t i = 0; i < lines.size(); ++i)
        if (std::sscanf(lines[i].c_str(), "Reti rimaste aperte: %d", &open) == 1)
            header = i;
    ASSERT_LT(header, lines.size()) << r.out;
    ASSERT_GE(open, 1);
    ASSERT_EQ(lines.size(), header + 1 + static_cast<size_t>(open)) << "the list ends the report";
    for (size_t i = header + 1; i < lines.size(); ++i) {
        int net = 0, x = 0, y = 0;
        EXPECT_EQ(std::sscanf(lines[i].c_str(), "Rete %d: piazzole non collegate (%d,%d)", &net, &x, &y), 3)
            << lines[i];
        EXPECT_NE(lines[i].find(" - "), std::string::npos) << lines[i];
    }
    const std::vector<std::string> report = testing::splitLines(readFile(dir.file("report.txt")));
    ASSERT_GE(report.size(), static_cast<size_t>(open) + 1);
    EXPECT_EQ(std::vector<std::string>(report.end() - open - 1, report.end()),
              std::vector<std::string>(lines.begin() + static_cast<std::ptrdiff_t>(header), lines.end()));
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
    EXPECT_NE(missing.err.find(std::string("Errore 101: Impossibile aprire il file Fidocad\nMotivo: ") +
                               std::strerror(ENOENT) + "\n"),
              std::string::npos)
        << missing.err;
    CliRun folder = cli(dir, {"route", dir.path(), "-o", dir.file("o.fcd"), "--ini", ini});
    EXPECT_EQ(folder.exit, 2);
    EXPECT_NE(folder.err.find(std::string("Motivo: ") + std::strerror(EISDIR)), std::string::npos)
        << folder.err;

    CliRun refused =
        cli(dir, {"route", boardPath("with-existing-tracks.fcd"), "-o", dir.file("o.fcd"), "--ini", ini});
    EXPECT_EQ(refused.exit, 2);
    EXPECT_NE(refused.out.find("Lettura interrotta da utente!"), std::string::npos);
    EXPECT_NE(refused.err.find(
                  "con --replace-tracks sono sostituite da quelle nuove. Nessun file è stato scritto."),
              std::string::npos)
        << refused.err;
    EXPECT_FALSE(testing::fileExists(dir.file("o.fcd")));
    // Kept for the negotiated method: nothing is asked, and the tracks are in the result as read.
    CliRun kept = cli(dir, {"route", boardPath("with-existing-tracks.fcd"), "-o", dir.file("o.fcd"), "--ini",
                            ini, "--set", "metodo=1", "--set", "piste_esistenti=1", "--laps", "1"});
    EXPECT_EQ(kept.exit, 0) << kept.err;
    EXPECT_EQ(kept.err.find(msg::RemoveTracksQuestion), std::string::npos) << kept.err;
    EXPECT_NE(readFile(dir.file("o.fcd")).find("PL 490 100 560 100 4 1 8"), std::string::npos);

    CliRun unwritable = cli(dir, {"route", tiny, "-o", dir.file("gone/o.fcd"), "--laps", "1", "--ini", ini});
    EXPECT_EQ(unwritable.exit, 3);
    EXPECT_NE(unwritable.err.find("Errore 301: Impossibile aprire file fidocad"), std::string::npos);

    dir.write("bad.ini", "[Avanzate]\ngiriv=x\n");
    EXPECT_EQ(cli(dir, {"route", tiny, "-o", dir.file("o.fcd"), "--ini", dir.file("bad.ini")}).exit, 2);
}

TEST(ZeltaCliSettings, ASettingsFileNamedOnTheCommandLineMustBeRead) {
    ScratchDir dir;
    std::filesystem::create_directory(dir.file("folder.ini"));
    const std::string tiny = boardPath("tiny-2nets.fcd");
    struct Case {
        std::string ini;
        int reason;
    };
    const Case unread[] = {{dir.file("typo.ini"), ENOENT}, {dir.file("folder.ini"), EISDIR}};
    for (const Case& c : unread) {
        const std::string said =
            "impossibile leggere il file delle opzioni " + c.ini + ": " + std::strerror(c.reason);
        // Without a size from the settings every drawing would be refused: the option makes the
        // run one that the defaults would let through.
        CliRun route =
            cli(dir, {"route", tiny, "-o", dir.file("o.fcd"), "--ini", c.ini, "--set", "dim_auto=1"});
        EXPECT_EQ(route.exit, 2) << c.ini;
        EXPECT_NE(route.err.find(said), std::string::npos) << route.err;
        EXPECT_EQ(route.out, "") << "nothing is read";
        EXPECT_FALSE(testing::fileExists(dir.file("o.fcd")));
        CliRun check = cli(
            dir, {"check", goldenPath("tiny-2nets/default/out.fcd"), "--ini", c.ini, "--set", "dim_auto=1"});
        EXPECT_EQ(check.exit, 2) << c.ini;
        EXPECT_NE(check.err.find(said), std::string::npos) << check.err;
        EXPECT_EQ(check.out, "");
    }
}

TEST(ZeltaCliSettings, KeysAddedSinceTheOriginalOnesRefuseValuesOutOfTheirRange) {
    ScratchDir dir;
    const std::string tiny = boardPath("tiny-2nets.fcd");
    const std::string ini = boardPath("auto-layer0.ini");
    struct Case {
        const char* set;
        const char* said;
    };
    const Case refused[] = {
        {"metodo=7", "il valore di metodo (\"7\") è fuori intervallo: ammesso da 0 a 1"},
        {"metodo=-1", "il valore di metodo (\"-1\") è fuori intervallo: ammesso da 0 a 1"},
        {"ponticelli_passi=0,-3,1000",
         "il valore di ponticelli_passi (\"0,-3,1000\") è fuori intervallo: ammesso "
         "da 1 a 99"},
        {"ponticelli_max=-1", "ammesso da 0 a 999"},
    };
    for (const Case& c : refused) {
        CliRun r =
            cli(dir, {"route", tiny, "-o", dir.file("o.fcd"), "--laps", "1", "--ini", ini, "--set", c.set});
        EXPECT_EQ(r.exit, 1) << c.set;
        EXPECT_NE(r.err.find(c.said), std::string::npos) << r.err;
        EXPECT_FALSE(testing::fileExists(dir.file("o.fcd")));
    }

    // From a file: a warning line, and the default in its place (the classic method's lap lines).
    const std::string file = dir.write("metodo.ini", readFile(ini) + "metodo=7\n");
    CliRun r =
        cli(dir, {"route", tiny, "-o", dir.file("o.fcd"), "--laps", "2", "--ini", file, "--set", "debug=1"});
    EXPECT_EQ(r.exit, 0) << r.err;
    EXPECT_NE(r.err.find("chiave metodo = \"7\" (ammesso da 0 a 1); si usa 0"), std::string::npos) << r.err;
    EXPECT_EQ(countLines(r.out, ">Fine giro"), 2);

    // The original keys read any whole number, as their conversions say.
    CliRun debug = cli(dir, {"route", tiny, "-o", dir.file("o.fcd"), "--laps", "1", "--ini", ini, "--set",
                             "debug=9", "--set", "pcurva=-1"});
    EXPECT_EQ(debug.exit, 0) << debug.err;
}

TEST(ZeltaCliRoute, TwoNamesOfOneFileAreRefusedBeforeAnythingIsReadOrWritten) {
    ScratchDir dir;
    const std::string ini = boardPath("auto-layer0.ini");
    const std::string drawing = readFile(boardPath("tiny-2nets.fcd"));
    const std::string in = dir.write("in.fcd", drawing);
    std::filesystem::create_directory(dir.file("sub"));
    std::filesystem::create_symlink("in.fcd", dir.file("link.fcd"));
    const std::vector<std::vector<std::string>> clashes = {
        {"-o", dir.file("out.fcd"), "--report", in},
        {"-o", in},
        {"-o", dir.file("link.fcd")},                                     // a link to the drawing
        {"-o", dir.file("out.fcd"), "--png", dir.file("sub/../out.fcd")}, // not there yet
        {"-o", dir.file("out.fcd"), "--svg", dir.file("b.svg"), "--report", dir.file("./b.svg")},
        {"-o", ini},
    };
    for (const std::vector<std::string>& clash : clashes) {
        std::vector<std::string> args = {"route", in, "--laps", "1", "--ini", ini};
        args.insert(args.end(), clash.begin(), clash.end());
        CliRun r = cli(dir, args);
        EXPECT_EQ(r.exit, 1) << clash[1];
        EXPECT_NE(r.err.find("indicano lo stesso file"), std::string::npos) << r.err;
        EXPECT_EQ(r.out, "") << "nothing is read";
        EXPECT_EQ(readFile(in), drawing);
        for (const char* name : {"out.fcd", "b.svg"})
            EXPECT_FALSE(testing::fileExists(dir.file(name))) << clash[1];
    }
    EXPECT_EQ(readFile(ini), readFile(boardPath("auto-layer0.ini")));

    // Writing twice to a device loses nothing.
    CliRun discarded = cli(dir, {"route", in, "-o", "/dev/null", "--report", "/dev/null", "--laps", "1",
                                 "--ini", ini, "--quiet"});
    EXPECT_EQ(discarded.exit, 0) << discarded.err;
}

TEST(ZeltaCliRoute, NumbersThatCouldNeverEndARunAreRefusedInWords) {
    ScratchDir dir;
    const std::string tiny = boardPath("tiny-2nets.fcd");
    const std::string ini = boardPath("auto-layer0.ini");
    struct Case {
        std::vector<std::string> option;
        const char* said;
    };
    const Case cases[] = {
        // --laps 1 would end these runs anyway: only the refusal tells them apart.
        {{"--seconds", "nan", "--laps", "1"}, "deve essere un numero positivo"},
        {{"--seconds", "inf", "--laps", "1"}, "deve essere un numero positivo"},
        {{"--seconds", "1e400", "--laps", "1"}, "deve essere un numero positivo"},
        {{"--seconds", "-1"}, "deve essere un numero positivo"},
        {{"--laps", "-5"}, "deve essere un numero intero positivo"},
        {{"--laps", "99999999999"}, "deve essere un numero intero positivo"},
        {{"--idle", "0"}, "deve essere un numero intero positivo"},
        {{"--laps", "1.5"}, "deve essere un numero intero positivo"},
        {{"--scale", "nan", "--laps", "1", "--png", dir.file("b.png")}, "deve essere un numero da 0.1 a 50"},
        {{"--scale", "inf", "--laps", "1"}, "deve essere un numero da 0.1 a 50"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = {"route", tiny, "-o", dir.file("o.fcd"), "--ini", ini, "--quiet"};
        args.insert(args.end(), c.option.begin(), c.option.end());
        CliRun r = cli(dir, args);
        EXPECT_EQ(r.exit, 1) << c.option[0] << " " << c.option[1];
        EXPECT_NE(r.err.find(c.said), std::string::npos) << r.err;
        EXPECT_LT(r.err.size(), 200u) << r.err;
        EXPECT_FALSE(testing::fileExists(dir.file("o.fcd")));
    }
    EXPECT_EQ(cli(dir, {"route", tiny, "-o", dir.file("o.fcd"), "--ini", ini, "--quiet", "--seconds", "0.2",
                        "--scale", "0.5", "--laps", "0x2"})
                  .exit,
              0);
}

TEST(ZeltaCliRoute, AnOutputThatIsAPipeNobodyReadsFailsAtOnce) {
    ScratchDir dir;
    const std::string fifo = dir.file("pipe");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const std::string tiny = boardPath("tiny-2nets.fcd");
    const std::string ini = boardPath("auto-layer0.ini");
    // Without a limit of its own, a run that waited for a reader would hold the suite.
    const std::string limit = "timeout 20";
    CliRun drawing = cli(dir, {"route", tiny, "-o", fifo, "--laps", "1", "--ini", ini}, limit);
    EXPECT_EQ(drawing.exit, 3);
    EXPECT_NE(drawing.err.find("Errore 301: Impossibile aprire file fidocad"), std::string::npos)
        << drawing.err;
    EXPECT_NE(drawing.out.find("Errore 301: Impossibile aprire file fcd_out\nMotivo: "), std::string::npos);
    for (const char* option : {"--report", "--svg", "--png"}) {
        CliRun extra = cli(
            dir, {"route", tiny, "-o", dir.file("o.fcd"), "--laps", "1", "--ini", ini, option, fifo}, limit);
        EXPECT_EQ(extra.exit, 3) << option;
        EXPECT_NE(extra.err.find(fifo), std::string::npos) << extra.err;
    }
    EXPECT_TRUE(std::filesystem::is_fifo(fifo));
}

TEST(ZeltaCliRoute, ACharacterDeviceIsWrittenInPlaceAndAFullOneSaysWhy) {
    ScratchDir dir;
    const std::string tiny = boardPath("tiny-2nets.fcd");
    const std::string ini = boardPath("auto-layer0.ini");
    EXPECT_EQ(cli(dir, {"route", tiny, "-o", "/dev/null", "--laps", "1", "--ini", ini}).exit, 0);
    if (::access("/dev/full", W_OK) != 0)
        GTEST_SKIP() << "no /dev/full here";
    CliRun full = cli(dir, {"route", tiny, "-o", "/dev/full", "--laps", "1", "--ini", ini});
    EXPECT_EQ(full.exit, 3);
    EXPECT_NE(full.out.find(std::string("Errore 301: Impossibile aprire file fcd_out\nMotivo: ") +
                            std::strerror(ENOSPC) + "\n"),
              std::string::npos)
        << full.out;
    // The reason is not only in the report: a quiet run says it too.
    CliRun quiet = cli(dir, {"route", tiny, "-o", "/dev/full", "--laps", "1", "--ini", ini, "--quiet"});
    EXPECT_EQ(quiet.exit, 3);
    EXPECT_NE(quiet.err.find(std::string("Errore 301: Impossibile aprire file fidocad\nMotivo: ") +
                             std::strerror(ENOSPC) + "\n"),
              std::string::npos)
        << quiet.err;
}

TEST(ZeltaCliOutputs, AnOutputThatCannotBeWrittenIsRefusedBeforeTheDrawingIsRead) {
    ScratchDir dir;
    const std::string tiny = boardPath("tiny-2nets.fcd");
    const std::string ini = boardPath("auto-layer0.ini");
    std::filesystem::create_directory(dir.file("folder"));
    struct Case {
        std::string output;
        int reason;
    };
    const Case outputs[] = {{dir.file("gone/o.fcd"), ENOENT}, {dir.file("folder"), EISDIR}};
    for (const Case& c : outputs) {
        CliRun r = cli(dir, {"route", tiny, "-o", c.output, "--laps", "1", "--ini", ini, "--report",
                             dir.file("report.txt")});
        EXPECT_EQ(r.exit, 3) << c.output;
        EXPECT_EQ(r.out.find("Lettura file"), std::string::npos) << "nothing is read: " << r.out;
        EXPECT_NE(r.err.find(std::string("Errore 301: Impossibile aprire file fidocad\nMotivo: ") +
                             std::strerror(c.reason)),
                  std::string::npos)
            << r.err;
        EXPECT_EQ(testing::splitLines(readFile(dir.file("report.txt"))),
                  (std::vector<std::string>{"Errore 301: Impossibile aprire file fcd_out",
                                            std::string("Motivo: ") + std::strerror(c.reason)}));
    }
    EXPECT_TRUE(std::filesystem::is_directory(dir.file("folder")));
    for (const char* option : {"--svg", "--png", "--json", "--report"}) {
        CliRun r = cli(dir, {"route", tiny, "-o", dir.file("o.fcd"), "--laps", "1", "--ini", ini, option,
                             dir.file("gone/x")});
        EXPECT_EQ(r.exit, 3) << option;
        EXPECT_EQ(r.out, "") << option << ": nothing is read";
        EXPECT_NE(r.err.find(dir.file("gone/x") + ": " + std::strerror(ENOENT)), std::string::npos) << r.err;
        EXPECT_FALSE(testing::fileExists(dir.file("o.fcd"))) << option;
    }

    // A folder that may not be written, and a file in it that exists: neither is touched.
    const std::string locked = dir.file("locked");
    std::filesystem::create_directory(locked);
    const std::string kept = dir.write("locked/o.fcd", "kept");
    ASSERT_EQ(chmod(locked.c_str(), 0555), 0);
    ASSERT_EQ(chmod(dir.path().c_str(), 0777), 0);
    for (const std::string& output : {locked + "/new.fcd", kept}) {
        CliRun r = cli(dir, {"route", tiny, "-o", output, "--laps", "1", "--ini", ini},
                       "setpriv --reuid=65534 --regid=65534 --clear-groups");
        if (r.exit == 127 || r.err.find("setpriv") != std::string::npos)
            GTEST_SKIP() << "cannot run as another user: " << r.err;
        EXPECT_EQ(r.exit, 3) << output;
        EXPECT_EQ(r.out.find("Lettura file"), std::string::npos) << r.out;
        EXPECT_NE(r.err.find(std::string("Motivo: ") + std::strerror(EACCES)), std::string::npos) << r.err;
    }
    EXPECT_EQ(readFile(kept), "kept");
    EXPECT_FALSE(testing::fileExists(locked + "/new.fcd"));
}

TEST(ZeltaCliRoute, TheReportFileIsWrittenWhateverEndsTheRun) {
    ScratchDir dir;
    const std::string ini = boardPath("auto-layer0.ini");
    const std::string report = dir.file("report.txt");
    struct Case {
        std::vector<std::string> args;
        int exit;
        const char* line;
    };
    const Case cases[] = {
        {{"route", dir.file("none.fcd"), "-o", dir.file("o.fcd")},
         2,
         "Errore 101: Impossibile aprire file fcd"},
        {{"route", boardPath("with-existing-tracks.fcd"), "-o", dir.file("o.fcd")},
         2,
         "Lettura interrotta da utente!"},
        {{"route", boardPath("tiny-2nets.fcd"), "-o", dir.file("gone/o.fcd"), "--laps", "1"},
         3,
         "Errore 301: Impossibile aprire file fcd_out"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = c.args;
        args.insert(args.end(), {"--ini", ini, "--report", report, "--quiet"});
        std::filesystem::remove(report);
        CliRun r = cli(dir, args);
        EXPECT_EQ(r.exit, c.exit) << r.err;
        EXPECT_NE(readFile(report).find(c.line), std::string::npos) << c.line;
    }
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

// The figures of the check's two summary lines.
bool summaryFigures(const std::string& text, int& unconnected, int& shorts, int& violations) {
    bool found = false;
    violations = -1;
    for (const std::string& line : testing::splitLines(text)) {
        int complete, nets;
        if (std::sscanf(line.c_str(), "Net complete %d/%d, piazzole scollegate %d, cortocircuiti %d",
                        &complete, &nets, &unconnected, &shorts) == 4)
            found = true;
        // "Isolamento 0,3 mm: violazioni N", whatever the clearance.
        const size_t at = line.find(" mm: violazioni ");
        if (line.rfind("Isolamento ", 0) == 0 && at != std::string::npos)
            std::sscanf(line.c_str() + at, " mm: violazioni %d", &violations);
    }
    return found && violations >= 0;
}

TEST(ZeltaCliSummary, AfterTheWriteALineSaysHowGoodTheResultIsAndTheJsonFileHoldsTheSameFigures) {
    ScratchDir dir;
    const std::string ini = boardPath("auto-layer0.ini");
    // The negotiated method joins every pad of this board in its first lap.
    CliRun joined = cli(dir, {"route", boardPath("dip8-555.fcd"), "-o", dir.file("out.fcd"), "--ini", ini,
                              "--set", "metodo=1", "--quiet", "--json", dir.file("run.json")});
    ASSERT_EQ(joined.exit, 0) << joined.err;
    EXPECT_NE(
        joined.err.find("Qualità del risultato: connessioni aperte 0, piazzole scollegate 0, ponticelli 0, "
                        "cortocircuiti 0, violazioni isolamento "),
        std::string::npos)
        << joined.err;
    const std::string json = readFile(dir.file("run.json"));
    for (const std::string& part :
         {"{\"output\":\"" + dir.file("out.fcd") +
              "\",\"written\":true,\"exitStatus\":0,\"method\":1,"
              "\"jumperMode\":false,\"laps\":1,\"bestLap\":1,\"seconds\":",
          std::string(",\"connectionsOpen\":0,\"padsUnconnected\":0,\"jumpers\":0,\"shorts\":0,"
                      "\"clearanceViolations\":")})
        EXPECT_NE(json.find(part), std::string::npos) << json;

    // The figures of the file are the check's; the open connections, the best lap's failures.
    const std::string mixer = boardPath("real/dc-mixer.fcd");
    CliRun shorted = cli(dir, {"route", mixer, "-o", dir.file("mixer.fcd"), "--laps", "12", "--ini", ini,
                               "--set", "debug=1", "--quiet", "--report", dir.file("report.txt")});
    ASSERT_EQ(shorted.exit, 0) << shorted.err;
    CliRun checked = cli(dir, {"check", dir.file("mixer.fcd"), "--ini", ini});
    int unconnected = 0, shorts = 0, violations = 0;
    ASSERT_TRUE(summaryFigures(checked.out, unconnected, shorts, violations)) << checked.out;
    EXPECT_NE(shorted.err.find("Qualità del risultato: connessioni aperte " +
                               std::to_string(failuresOfBestLap(readFile(dir.file("report.txt")))) +
                               ", piazzole scollegate " + std::to_string(unconnected) +
                               ", ponticelli 0, cortocircuiti " + std::to_string(shorts) +
                               ", violazioni isolamento " + std::to_string(violations) + "\n"),
              std::string::npos)
        << shorted.err;
    // The classic keeps its tracks off other nets' pads.
    EXPECT_EQ(shorts, 0);

    // A device cannot be read back: the figures of the file are missing, not made up.
    CliRun discarded = cli(dir, {"route", boardPath("dip8-555.fcd"), "-o", "/dev/null", "--ini", ini, "--set",
                                 "metodo=1", "--quiet", "--json", dir.file("run.json")});
    ASSERT_EQ(discarded.exit, 0) << discarded.err;
    EXPECT_NE(discarded.err.find("connessioni aperte 0, piazzole scollegate -, ponticelli -, cortocircuiti "
                                 "-, violazioni isolamento -"),
              std::string::npos)
        << discarded.err;
    EXPECT_NE(
        readFile(dir.file("run.json"))
            .find("\"padsUnconnected\":null,\"jumpers\":null,\"shorts\":null,\"clearanceViolations\":null"),
        std::string::npos);

    // A run that wrote nothing says so in its file too.
    CliRun refused = cli(dir, {"route", boardPath("with-existing-tracks.fcd"), "-o", dir.file("o.fcd"),
                               "--ini", ini, "--json", dir.file("run.json")});
    EXPECT_EQ(refused.exit, 2);
    EXPECT_EQ(refused.err.find("Qualità del risultato"), std::string::npos);
    EXPECT_NE(readFile(dir.file("run.json")).find("\"written\":false,\"exitStatus\":2,"), std::string::npos)
        << readFile(dir.file("run.json"));
}

TEST(ZeltaCliCheck, EveryRoutedBoardChecksWithoutShortsAndNoMoreUnconnectedPadsThanFailures) {
    ScratchDir dir;
    for (const SharedBoard& b : sharedBoards()) {
        const std::string& board = b.board;
        const std::string& ini = b.settings;
        const std::string laps = std::to_string(b.laps);
        const std::string out = dir.file("routed.fcd");
        CliRun routed =
            cli(dir, {"route", boardPath(board), "-o", out, "--laps", laps, "--ini", boardPath(ini), "--set",
                      "debug=1", "--replace-tracks", "--quiet", "--report", dir.file("report")});
        ASSERT_EQ(routed.exit, 0) << board << ": " << routed.err;
        CliRun checked = cli(dir, {"check", out, "--ini", boardPath(ini)});
        int unconnected = 0, shorts = 0, violations = 0;
        ASSERT_TRUE(summaryFigures(checked.out, unconnected, shorts, violations)) << board;
        // A failed pad may still be joined later by another pad's track, and the last of a net's
        // pads is never counted as unconnected: the check can only find fewer.
        EXPECT_LE(unconnected, failuresOfBestLap(readFile(dir.file("report")))) << board;
        // Not even a diagonal past a pad too small for a pad area on the grid (real/dc-mixer has
        // 11-unit pads side by side): the router keeps every track off other nets' pad copper. It
        // keeps no clearance: gaps under 0,3 mm are expected, and told by their own exit status.
        EXPECT_EQ(shorts, 0) << board << "\n" << checked.out;
        EXPECT_EQ(checked.exit, violations > 0 ? 5 : 0) << board;
    }
}

TEST(ZeltaCliCheck, TheNegotiatedMethodKeepsTheClearanceFromEveryPad) {
    // Both boards had tracks 0,105 mm from a foreign pad whose copper reaches past its cells
    // before the method measured each step against the pads' real copper.
    ScratchDir dir;
    for (const char* board : {"medium-40pads.fcd", "large-full-grid.fcd"}) {
        const std::string out = dir.file("routed.fcd");
        const std::string ini = boardPath("auto-layer0.ini");
        CliRun routed = cli(dir, {"route", boardPath(board), "-o", out, "--ini", ini, "--set", "metodo=1",
                                  "--replace-tracks", "--quiet"});
        ASSERT_EQ(routed.exit, 0) << board << ": " << routed.err;
        CliRun checked = cli(dir, {"check", out, "--ini", ini});
        int unconnected = 0, shorts = 0, violations = 0;
        ASSERT_TRUE(summaryFigures(checked.out, unconnected, shorts, violations)) << board;
        EXPECT_EQ(shorts, 0) << board;
        EXPECT_EQ(violations, 0) << board << "\n" << checked.out;
        EXPECT_EQ(checked.exit, 0) << board;
    }
}

TEST(ZeltaCliCheck, TheNegotiatedMethodKeepsTheClearanceBetweenTracksOfAnyWidth) {
    // Tracks of two nets on neighbouring points of the lattice are 6 units apart, next to a
    // diagonal 3: with 0,6 mm, or with 1,5 mm tracks, they came up to 0,39 mm close (18 places
    // on this board) before the method counted how close other nets' tracks come; with 1,0 mm
    // tracks the jumper pass laid its own over them (2 shorts) before it counted as well.
    ScratchDir dir;
    const std::string ini = boardPath("auto-layer0.ini");
    struct Case {
        std::vector<std::string> route;
        std::string clearance;
        const char* widthWritten; // a PL record's width and layer, or null
    };
    const std::vector<Case> cases = {
        {{"--set", "isolamento=0.6"}, "isolamento=0.6", nullptr},
        {{"--width", "*=3", "--set", "isolamento=0.5"}, "isolamento=0.5", " 12 1 "},
        {{"--width", "*=2", "--set", "ponticelli=1"}, "isolamento=0.3", " 8 1 "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.route[1]);
        const std::string out = dir.file("routed.fcd");
        std::vector<std::string> route = {"route",
                                          boardPath("medium-40pads.fcd"),
                                          "-o",
                                          out,
                                          "--ini",
                                          ini,
                                          "--set",
                                          "metodo=1",
                                          "--replace-tracks",
                                          "--quiet"};
        route.insert(route.end(), c.route.begin(), c.route.end());
        CliRun routed = cli(dir, route);
        ASSERT_EQ(routed.exit, 0) << routed.err;
        CliRun checked = cli(dir, {"check", out, "--ini", ini, "--set", c.clearance});
        int unconnected = 0, shorts = 0, violations = 0;
        ASSERT_TRUE(summaryFigures(checked.out, unconnected, shorts, violations));
        EXPECT_EQ(shorts, 0);
        EXPECT_EQ(violations, 0) << checked.out;
        // Most of the board is still routed.
        EXPECT_LE(unconnected, 6);
        if (c.widthWritten != nullptr) {
            EXPECT_NE(readFile(out).find(c.widthWritten), std::string::npos)
                << "no track of the width chosen";
        }
    }
}

TEST(ZeltaCliRoute, RefusesTrackWidthsItCannotGive) {
    ScratchDir dir;
    const std::string ini = boardPath("auto-layer0.ini");
    for (const char* bad : {"3", "3=", "=2", "3=6", "0=1", "256=1", "x=1", "3=1,5"}) {
        CliRun run = cli(dir, {"route", boardPath("tiny-2nets.fcd"), "-o", dir.file("o.fcd"), "--ini", ini,
                               "--width", bad, "--quiet"});
        EXPECT_EQ(run.exit, 1) << bad;
        EXPECT_NE(run.err.find("RETE=SCELTA"), std::string::npos) << bad << ": " << run.err;
        EXPECT_FALSE(std::filesystem::exists(dir.file("o.fcd"))) << bad;
    }
    CliRun absent = cli(dir, {"route", boardPath("tiny-2nets.fcd"), "-o", dir.file("o.fcd"), "--ini", ini,
                              "--width", "77=2", "--quiet"});
    EXPECT_EQ(absent.exit, 1);
    EXPECT_NE(absent.err.find("la rete 77 non è nel disegno"), std::string::npos) << absent.err;
    EXPECT_FALSE(std::filesystem::exists(dir.file("o.fcd")));
}

TEST(ZeltaCliCheck, PrintsJsonAndRefusesWhatItCannotRead) {
    ScratchDir dir;
    CliRun json = cli(dir, {"check", goldenPath("tiny-2nets/default/out.fcd"), "--ini",
                            boardPath("auto-layer0.ini"), "--json"});
    EXPECT_EQ(json.exit, 0);
    EXPECT_NE(json.out.find("\"summary\":{\"netsComplete\":2,\"nets\":2,\"padsUnconnected\":0,\"shorts\":0,"),
              std::string::npos)
        << json.out;
    CliRun missing = cli(dir, {"check", dir.file("none.fcd"), "--ini", boardPath("auto-layer0.ini")});
    EXPECT_EQ(missing.exit, 2);
    EXPECT_NE(missing.err.find("Errore 101"), std::string::npos);
    EXPECT_EQ(missing.out, "");
    // With --json the reason comes as a JSON object, so that a reader of the output is not left
    // with nothing.
    missing =
        cli(dir, {"check", dir.file("no \"such\".fcd"), "--ini", boardPath("auto-layer0.ini"), "--json"});
    EXPECT_EQ(missing.exit, 2);
    EXPECT_EQ(missing.out, "{\"error\":\"Errore 101: Impossibile aprire il file Fidocad\",\"file\":\"" +
                               dir.file("no \\\"such\\\".fcd") + "\"}\n");
}

TEST(ZeltaCliCheck, ExitStatusTellsShortsFromClearanceViolations) {
    ScratchDir dir;
    const std::string ini = boardPath("auto-layer0.ini");
    auto drawing = [&](const std::string& records) {
        return dir.write("d.fcd", "[FIDOCAD]\nRV 0 0 400 300 0\n" + records);
    };
    // Parallel tracks 6 apart and 4 wide: 2 units, 0,254 mm.
    const std::string close = drawing("PL 100 100 200 100 4 1 1\nPL 100 106 200 106 4 1 2\n");
    EXPECT_EQ(cli(dir, {"check", close, "--ini", ini}).exit, 5);
    EXPECT_EQ(cli(dir, {"check", close, "--ini", ini, "--set", "isolamento=0,254"}).exit, 0);
    EXPECT_EQ(cli(dir, {"check", close, "--ini", ini, "--set", "isolamento=0.25"}).exit, 0);
    CliRun json = cli(dir, {"check", close, "--ini", ini, "--json"});
    EXPECT_NE(json.out.find("\"clearance\":[{\"netA\":1,\"netB\":2,\"gapMm\":0.254,\"x\":100,\"y\":103,"
                            "\"kind\":\"track-track\"}]"),
              std::string::npos)
        << json.out;
    EXPECT_NE(json.out.find("\"clearanceViolations\":1,\"minGapMm\":0.254,"), std::string::npos) << json.out;

    // Crossing tracks, and a wire soldered from a pad of one net to a pad of another.
    EXPECT_EQ(
        cli(dir, {"check", drawing("PL 100 100 200 200 4 1 1\nPL 100 200 200 100 4 1 2\n"), "--ini", ini})
            .exit,
        4);
    CliRun wire =
        cli(dir, {"check",
                  drawing("PA 100 100 16 16 6 0 1 1\nPA 200 100 16 16 6 0 1 2\nPL 100 100 200 100 4 2 1\n"),
                  "--ini", ini});
    EXPECT_EQ(wire.exit, 4);
    EXPECT_NE(wire.out.find("cortocircuiti 1\n"), std::string::npos) << wire.out;

    // Pads of two nets that the drawing itself overlaps are listed, and are not the result's.
    CliRun own =
        cli(dir, {"check", drawing("PA 100 100 16 16 6 0 1 1\nPA 110 100 16 16 6 0 1 2\n"), "--ini", ini});
    EXPECT_EQ(own.exit, 0) << own.out;
    EXPECT_NE(own.out.find("coppie di piazzole del disegno sotto l'isolamento 1\n"), std::string::npos)
        << own.out;
}

TEST(ZeltaCliSettings, TheDesignRulesAreSetByKeyWithinTheirRange) {
    ScratchDir dir;
    const std::string ini = boardPath("auto-layer0.ini");
    const std::string close = dir.write(
        "d.fcd", "[FIDOCAD]\nRV 0 0 400 300 0\nPL 100 100 200 100 4 1 1\nPL 100 106 200 106 4 1 2\n");
    const struct {
        const char* assignment;
        const char* says;
    } refused[] = {
        {"isolamento=5", "il valore di isolamento (\"5\") è fuori intervallo: ammesso da 0.05 a 2"},
        {"isolamento=0,01", "il valore di isolamento (\"0,01\") è fuori intervallo: ammesso da 0.05 a 2"},
        {"isolamento=tre", "il valore di isolamento deve essere un numero"},
        {"isolamento=1e-1", "il valore di isolamento deve essere un numero"},
        {"larghezza=2", "il valore di larghezza (\"2\") è fuori intervallo: ammesso da 0 a 1"},
        {"larghezza=0,5", "il valore di larghezza deve essere un numero intero"},
    };
    for (const auto& r : refused) {
        CliRun run = cli(dir, {"check", close, "--ini", ini, "--set", r.assignment});
        EXPECT_EQ(run.exit, 1) << r.assignment;
        EXPECT_NE(run.err.find(r.says), std::string::npos) << r.assignment << ": " << run.err;
        EXPECT_EQ(run.out, "");
    }

    // Out of range in a file: said, and the default is used.
    const std::string wide = dir.write("wide.ini", readFile(ini) + "isolamento=9\n");
    CliRun run = cli(dir, {"check", close, "--ini", wide});
    EXPECT_EQ(run.exit, 5) << "0,3 mm, the default";
    EXPECT_NE(run.err.find("sezione [Avanzate], chiave isolamento = \"9\" (ammesso da 0.05 a 2); si usa 0.3"),
              std::string::npos)
        << run.err;

    // The width choice every net gets on reading: "0,25" writes tracks 2 units wide.
    run = cli(dir, {"route", boardPath("tiny-2nets.fcd"), "-o", dir.file("out.fcd"), "--laps", "1", "--ini",
                    ini, "--quiet", "--set", "larghezza=0"});
    ASSERT_EQ(run.exit, 0) << run.err;
    const std::string routed = readFile(dir.file("out.fcd"));
    EXPECT_NE(routed.find("\nPL "), std::string::npos);
    for (const std::string& line : testing::splitLines(routed))
        if (line.rfind("PL ", 0) == 0) {
            int x1, y1, x2, y2, width;
            ASSERT_EQ(std::sscanf(line.c_str(), "PL %d %d %d %d %d", &x1, &y1, &x2, &y2, &width), 5);
            EXPECT_EQ(width, 2) << line;
        }
}

TEST(ZeltaCliRoute, TheReportEndsWithTheChecksVerdictOnTheWrittenFile) {
    // A wire soldered across nets 1 and 2 in the drawing stays in the result: the verdict says so.
    ScratchDir dir;
    const std::string input = dir.write("in.fcd", "[FIDOCAD]\nRV 0 0 400 300 0\n"
                                                  "PA 100 100 16 16 6 0 1 1\nPA 300 100 16 16 6 0 1 1\n"
                                                  "PA 100 200 16 16 6 0 1 2\nPA 300 200 16 16 6 0 1 2\n"
                                                  "PL 300 100 300 200 4 2 1\n");
    CliRun run = cli(dir, {"route", input, "-o", dir.file("out.fcd"), "--laps", "1", "--ini",
                           boardPath("auto-layer0.ini"), "--report", dir.file("report.txt")});
    ASSERT_EQ(run.exit, 0) << run.err;
    for (const std::string& report : {run.out, readFile(dir.file("report.txt"))}) {
        const std::vector<std::string> lines = testing::splitLines(report);
        ASSERT_FALSE(lines.empty());
        EXPECT_EQ(lines.back().rfind("Verifica: collegamenti aperti ", 0), 0u) << lines.back();
        EXPECT_NE(lines.back().find(", cortocircuiti 1,"), std::string::npos) << lines.back();
        EXPECT_NE(lines.back().find("fili tra net diverse 1"), std::string::npos) << lines.back();
    }
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
    // A picture refused only when written: the drawing, written before it, stays.
    if (::access("/dev/full", W_OK) != 0)
        GTEST_SKIP() << "no /dev/full here";
    ScratchDir dir;
    CliRun r =
        cli(dir, {"route", boardPath("tiny-2nets.fcd"), "-o", dir.file("out.fcd"), "--laps", "1", "--ini",
                  boardPath("auto-layer0.ini"), "--quiet", "--png", "/dev/full", "--svg", dir.file("b.svg")});
    EXPECT_EQ(r.exit, 3);
    EXPECT_NE(r.err.find("impossibile scrivere l'immagine /dev/full"), std::string::npos) << r.err;
    EXPECT_NE(readFile(dir.file("out.fcd")).find("\nPL "), std::string::npos)
        << "the routed drawing is written";
    EXPECT_TRUE(testing::fileExists(dir.file("b.svg"))) << "the other picture too";
}

TEST(ZeltaCliImages, LeaveNothingInTheTemporaryFolder) {
    // Without a runtime folder of the session's, the toolkit would make one there and leave it.
    ScratchDir dir;
    const std::string tmp = dir.file("tmp");
    std::filesystem::create_directory(tmp);
    CliRun r = cli(dir,
                   {"route", boardPath("tiny-2nets.fcd"), "-o", dir.file("out.fcd"), "--laps", "1", "--ini",
                    boardPath("auto-layer0.ini"), "--quiet", "--png", dir.file("b.png")},
                   "env -u XDG_RUNTIME_DIR TMPDIR=" + quoted(tmp));
    ASSERT_EQ(r.exit, 0) << r.err;
    EXPECT_EQ(r.err.find("QStandardPaths"), std::string::npos) << r.err;
    std::vector<std::string> left;
    for (const auto& entry : std::filesystem::directory_iterator(tmp))
        left.push_back(entry.path().filename());
    EXPECT_TRUE(left.empty()) << left.front();
}

} // namespace
} // namespace zelta
