// The batch tool under SIGINT, SIGTERM and SIGHUP: started as a child on a board that routes for
// a minute, or on one of very many pads, signalled while it reads, routes or saves, and judged by
// its exit, its files and its temporary folder.
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace zelta {
namespace {

using testing::boardPath;
using testing::readFile;
using testing::ScratchDir;

using Clock = std::chrono::steady_clock;

// zelta-cli as a child: standard output through a pipe that the test reads, standard error to a
// file, TMPDIR set to a folder of the test's own.
class Child {
public:
    Child(const ScratchDir& dir, const std::vector<std::string>& args) : errPath_(dir.file("stderr")) {
        std::string tmpdir = "TMPDIR=";
        tmpdir += dir.file("tmp");
        std::vector<std::string> env = {tmpdir};
        for (char** e = environ; *e; ++e)
            if (std::strncmp(*e, "TMPDIR=", 7) != 0)
                env.emplace_back(*e);
        std::vector<std::string> argv = {ZELTA_CLI};
        argv.insert(argv.end(), args.begin(), args.end());

        int out[2];
        if (pipe(out) != 0)
            return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
        posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errPath_.c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0600);
        posix_spawn_file_actions_addclose(&actions, out[0]);
        posix_spawn_file_actions_addclose(&actions, out[1]);
        std::vector<char*> argp = pointers(argv);
        std::vector<char*> envp = pointers(env);
        if (posix_spawn(&pid_, ZELTA_CLI, &actions, nullptr, argp.data(), envp.data()) != 0)
            pid_ = -1;
        posix_spawn_file_actions_destroy(&actions);
        ::close(out[1]);
        out_ = out[0];
    }

    ~Child() {
        if (pid_ > 0) {
            ::kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
        if (out_ >= 0)
            ::close(out_);
    }

    bool started() const { return pid_ > 0; }

    // Reads standard output until it holds text; false when the child ends or time runs out first.
    bool waitFor(const std::string& text, std::chrono::seconds limit = std::chrono::seconds(60)) {
        const auto deadline = Clock::now() + limit;
        while (output_.find(text) == std::string::npos)
            if (!readSome(deadline))
                return false;
        return true;
    }

    void signal(int sig) const { ::kill(pid_, sig); }

    // Reads standard output to its end and returns the wait status, or -1 when the child has not
    // ended within the limit (it is then killed).
    int finish(std::chrono::seconds limit = std::chrono::seconds(60)) {
        const auto deadline = Clock::now() + limit;
        while (readSome(deadline)) {
        }
        int status = -1;
        for (;;) {
            if (waitpid(pid_, &status, WNOHANG) == pid_)
                break;
            if (Clock::now() > deadline) {
                ::kill(pid_, SIGKILL);
                waitpid(pid_, nullptr, 0);
                status = -1;
                break;
            }
            usleep(10000);
        }
        pid_ = -1;
        return status;
    }

    const std::string& output() const { return output_; }
    std::string errors() const { return readFile(errPath_); }

private:
    static std::vector<char*> pointers(std::vector<std::string>& strings) {
        std::vector<char*> p;
        for (std::string& s : strings)
            p.push_back(s.data());
        p.push_back(nullptr);
        return p;
    }

    // False at the end of the output or the deadline.
    bool readSome(Clock::time_point deadline) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0)
            return false;
        pollfd p = {out_, POLLIN, 0};
        if (poll(&p, 1, static_cast<int>(left.count())) <= 0)
            return false;
        char buf[4096];
        const ssize_t n = ::read(out_, buf, sizeof buf);
        if (n <= 0)
            return false;
        output_.append(buf, static_cast<size_t>(n));
        return true;
    }

    std::string errPath_;
    pid_t pid_ = -1;
    int out_ = -1;
    std::string output_;
};

// The large board routes for the whole minute unless something stops it.
std::vector<std::string> longRoute(const ScratchDir& dir, std::vector<std::string> extra = {}) {
    std::vector<std::string> args = {
        "route", boardPath("large-full-grid.fcd"), "-o", dir.file("out.fcd"), "--seconds", "60",
        "--ini", boardPath("auto-layer0.ini")};
    args.insert(args.end(), extra.begin(), extra.end());
    return args;
}

const char* StartLine = "Start elaborazione...";

// The temporary copies of drawings in folder (the toolkit may keep a folder of its own there).
int temporaryCopies(const std::string& folder) {
    int n = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        n += entry.path().filename().string().rfind("zelta-", 0) == 0;
    return n;
}

// What the check command says of a file: its summary line, or "" when it could not read it.
std::string checkSummary(const ScratchDir& dir, const std::string& file) {
    std::string cmd = ZELTA_CLI;
    for (const std::string& piece :
         {std::string(" check '"), file, std::string("' --ini '"), boardPath("auto-layer0.ini"),
          std::string("' > '"), dir.file("check"), std::string("' 2>&1")})
        cmd += piece;
    if (std::system(cmd.c_str()) == -1)
        return {};
    const std::string text = readFile(dir.file("check"));
    const size_t at = text.find("Net complete ");
    return at == std::string::npos ? std::string() : text.substr(at, text.find('\n', at) - at);
}

const char* signalName(int sig) {
    return sig == SIGINT ? "SIGINT" : sig == SIGTERM ? "SIGTERM" : "SIGHUP";
}

TEST(ZeltaCliSignals, TheFirstSignalSavesTheBestLapAndExitsWithTheSignalsStatus) {
    for (const int sig : {SIGINT, SIGTERM, SIGHUP}) {
        SCOPED_TRACE(signalName(sig));
        ScratchDir dir;
        std::filesystem::create_directory(dir.file("tmp"));
        Child child(dir, longRoute(dir, {"--report", dir.file("report.txt"), "--svg", dir.file("best.svg")}));
        ASSERT_TRUE(child.started());
        ASSERT_TRUE(child.waitFor(StartLine)) << child.output() << child.errors();
        // The temporary copy is there while the laps run.
        EXPECT_EQ(temporaryCopies(dir.file("tmp")), 1);
        const auto signalled = Clock::now();
        child.signal(sig);
        const int status = child.finish();

        ASSERT_TRUE(WIFEXITED(status)) << "status " << status << "\n" << child.errors();
        EXPECT_EQ(WEXITSTATUS(status), 128 + sig);
        EXPECT_LT(Clock::now() - signalled, std::chrono::seconds(30)) << "the run went on";
        EXPECT_NE(child.errors().find(std::string("interrotto da ") + signalName(sig)), std::string::npos)
            << child.errors();
        // The whole drawing with the best lap's tracks: the check reads every net of the board.
        EXPECT_NE(checkSummary(dir, dir.file("out.fcd")).find("/63, "), std::string::npos)
            << checkSummary(dir, dir.file("out.fcd"));
        EXPECT_NE(readFile(dir.file("out.fcd")).find("\r\nPL "), std::string::npos);
        const std::string report = readFile(dir.file("report.txt"));
        EXPECT_NE(report.find("...stop elaborazione"), std::string::npos) << report;
        EXPECT_NE(report.find("... scrittura file terminata"), std::string::npos) << report;
        // No check of the file after a signal: the person asked to end.
        EXPECT_EQ(report.find("Verifica: "), std::string::npos) << report;
        EXPECT_NE(child.errors().find("piazzole scollegate -, ponticelli -, cortocircuiti -"),
                  std::string::npos)
            << child.errors();
        EXPECT_NE(readFile(dir.file("best.svg")).find("</svg>"), std::string::npos);
        EXPECT_EQ(temporaryCopies(dir.file("tmp")), 0);
    }
}

TEST(ZeltaCliSignals, ASecondSignalEndsAtOnceAndRemovesTheTemporaryCopy) {
    ScratchDir dir;
    std::filesystem::create_directory(dir.file("tmp"));
    Child child(dir, longRoute(dir));
    ASSERT_TRUE(child.started());
    ASSERT_TRUE(child.waitFor(StartLine)) << child.output() << child.errors();
    // Sent together: the first asks for the save, the second ends the process before it.
    child.signal(SIGINT);
    child.signal(SIGTERM);
    const int status = child.finish();

    // Two threads may take the two signals at once: either may be the second.
    ASSERT_TRUE(WIFSIGNALED(status)) << "status " << status << "\n" << child.errors();
    EXPECT_TRUE(WTERMSIG(status) == SIGINT || WTERMSIG(status) == SIGTERM) << WTERMSIG(status);
    EXPECT_FALSE(testing::fileExists(dir.file("out.fcd")));
    EXPECT_EQ(temporaryCopies(dir.file("tmp")), 0);
}

// The entries of folder whose names begin with prefix.
std::vector<std::string> entriesStartingWith(const std::string& folder, const std::string& prefix) {
    std::vector<std::string> found;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (entry.path().filename().string().rfind(prefix, 0) == 0)
            found.push_back(entry.path().filename());
    return found;
}

TEST(ZeltaCliSignals, ASecondSignalDuringTheSaveLeavesNoHalfWrittenFile) {
    // A board of very many pads, so that its save lasts long enough to be caught under way.
    ScratchDir dir;
    std::filesystem::create_directory(dir.file("tmp"));
    std::filesystem::create_directory(dir.file("out"));
    const std::string board = dir.write("pads.fcd", testing::manyPadsDrawing(200000));
    Child child(dir, {"route", board, "-o", dir.file("out/out.fcd"), "--laps", "1", "--ini",
                      boardPath("auto-layer0.ini"), "--quiet"});
    ASSERT_TRUE(child.started());
    const auto deadline = Clock::now() + std::chrono::seconds(120);
    while (entriesStartingWith(dir.file("out"), ".zelta-").empty() && Clock::now() < deadline)
        usleep(200);
    ASSERT_FALSE(entriesStartingWith(dir.file("out"), ".zelta-").empty()) << "the save was never seen";
    child.signal(SIGINT);
    child.signal(SIGTERM);
    const int status = child.finish();
    ASSERT_TRUE(WIFSIGNALED(status)) << "status " << status << "\n" << child.errors();
    EXPECT_TRUE(entriesStartingWith(dir.file("out"), "").empty())
        << entriesStartingWith(dir.file("out"), "")[0];
    EXPECT_EQ(temporaryCopies(dir.file("tmp")), 0);
}

TEST(ZeltaCliSignals, EveryStopActsOnABoardOfVeryManyPads) {
    // Two hundred thousand pads on a full board: before the work list was indexed, its run took
    // over a minute to start, deaf to signals and to the time limit.
    ScratchDir dir;
    std::filesystem::create_directory(dir.file("tmp"));
    const std::string board = dir.write("pads.fcd", testing::manyPadsDrawing(200000));
    // The result goes nowhere: what is looked at is the stop, not the check of a file written.
    const std::vector<std::string> common = {"route",     board,   "-o",
                                             "/dev/null", "--ini", boardPath("auto-layer0.ini")};
    enum class Signal { WhileReading, AtTheStart, None };
    struct Case {
        const char* name;
        std::vector<std::string> extra;
        Signal signal;
        int exit; // expected status; -1: a run stopped by time, 0 or 3 (when no lap had ended)
    };
    const Case cases[] = {
        {"SIGTERM while reading", {"--seconds", "600"}, Signal::WhileReading, 143},
        {"SIGTERM at the start", {"--seconds", "600"}, Signal::AtTheStart, 143},
        {"--laps 1", {"--laps", "1"}, Signal::None, 0},
        {"--seconds 1", {"--seconds", "1"}, Signal::None, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> args = common;
        args.insert(args.end(), c.extra.begin(), c.extra.end());
        Child child(dir, args);
        ASSERT_TRUE(child.started());
        if (c.signal == Signal::WhileReading) {
            // The copy of the drawing is made just before the read, once the handlers are in.
            const auto deadline = Clock::now() + std::chrono::seconds(60);
            while (temporaryCopies(dir.file("tmp")) == 0 && Clock::now() < deadline)
                usleep(200);
            child.signal(SIGTERM);
        } else if (c.signal == Signal::AtTheStart) {
            ASSERT_TRUE(child.waitFor(StartLine)) << child.errors();
            child.signal(SIGTERM);
        }
        const int status = child.finish(std::chrono::seconds(60));
        ASSERT_TRUE(WIFEXITED(status)) << "status " << status << "\n" << child.errors();
        if (c.exit >= 0)
            EXPECT_EQ(WEXITSTATUS(status), c.exit) << child.errors();
        else
            EXPECT_TRUE(WEXITSTATUS(status) == 0 || WEXITSTATUS(status) == 3) << child.errors();
        if (c.signal == Signal::WhileReading) {
            EXPECT_NE(child.output().find("Lettura interrotta da utente!"), std::string::npos)
                << child.output();
        }
        EXPECT_EQ(temporaryCopies(dir.file("tmp")), 0);
    }
}

TEST(ZeltaCliReport, TheReportGoesToItsFileWhileTheRunGoes) {
    // A report into a pipe shows each line as the run makes it, not all of them at its end.
    ScratchDir dir;
    std::filesystem::create_directory(dir.file("tmp"));
    const std::string fifo = dir.file("report.pipe");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const int readEnd = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(readEnd, 0);
    Child child(dir, longRoute(dir, {"--report", fifo, "--quiet"}));
    ASSERT_TRUE(child.started());
    std::string report;
    const auto deadline = Clock::now() + std::chrono::seconds(30);
    while (report.find(StartLine) == std::string::npos && Clock::now() < deadline) {
        pollfd p = {readEnd, POLLIN, 0};
        if (poll(&p, 1, 100) <= 0)
            continue;
        char buf[4096];
        const ssize_t n = ::read(readEnd, buf, sizeof buf);
        if (n > 0)
            report.append(buf, static_cast<size_t>(n));
    }
    EXPECT_NE(report.find(StartLine), std::string::npos) << "nothing came before the end: " << report;
    child.signal(SIGINT);
    const int status = child.finish();
    ::close(readEnd);
    ASSERT_TRUE(WIFEXITED(status)) << child.errors();
    EXPECT_EQ(WEXITSTATUS(status), 130);
}

} // namespace
} // namespace zelta
