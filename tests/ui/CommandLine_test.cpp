// The desktop program's command line, run as a person runs it: --help and --version answer
// without a display and without a window, an unknown option is refused in words, and "--" lets a
// file name start with a dash.
#include "core/Version.h"
#include "support/TestFiles.h"
#include "ui/CommandLine.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <sys/wait.h>

namespace zelta {
namespace {

using testing::readFile;
using testing::ScratchDir;

struct ProgramRun {
    int status = -1;
    std::string out;
    std::string err;
};

// The program with these arguments and no display at all (the X11 platform and no DISPLAY,
// where the toolkit cannot start), or on the offscreen platform.
ProgramRun runProgram(const std::string& arguments, bool display) {
    ScratchDir dir;
    const std::string platform = display ? "QT_QPA_PLATFORM=offscreen" : "QT_QPA_PLATFORM=xcb";
    // A program that waits for a person is ended after a while, and fails the test.
    const std::string command = "timeout 30 env -u DISPLAY -u WAYLAND_DISPLAY " + platform + " " + ZELTA_GUI +
                                " " + arguments + " > " + dir.file("out") + " 2> " + dir.file("err") +
                                " < /dev/null";
    ProgramRun run;
    const int status = std::system(command.c_str());
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    run.out = readFile(dir.file("out"));
    run.err = readFile(dir.file("err"));
    return run;
}

TEST(CommandLine, HelpAndVersionAnswerWithoutADisplay) {
    for (const char* help : {"--help", "-h", "board.fcd --help"}) {
        SCOPED_TRACE(help);
        const ProgramRun run = runProgram(help, false);
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.out, ui::helpText());
        EXPECT_EQ(run.err, "");
    }
    const ProgramRun version = runProgram("--version", false);
    EXPECT_EQ(version.status, 0) << version.err;
    EXPECT_EQ(version.out, std::string("zelta ") + ProgramVersion + "\n");
}

TEST(CommandLine, AnUnknownOptionIsRefusedInWordsBeforeAnyWindow) {
    const ProgramRun run = runProgram("--bogus board.fcd", true);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    // The toolkit may say something of its own first.
    const std::string refusal = ui::unknownOptionText("--bogus");
    ASSERT_GE(run.err.size(), refusal.size()) << run.err;
    EXPECT_EQ(run.err.substr(run.err.size() - refusal.size()), refusal);
}

TEST(CommandLine, TheDrawingIsTheFirstNameAndAfterTwoDashesEveryArgumentIsAName) {
    EXPECT_EQ(ui::startArguments({"zelta"}).drawing, "");
    EXPECT_EQ(ui::startArguments({"zelta", "a.fcd", "b.fcd"}).drawing, "a.fcd");
    const ui::StartArguments dashed = ui::startArguments({"zelta", "--", "-strano.fcd"});
    EXPECT_EQ(dashed.drawing, "-strano.fcd");
    EXPECT_EQ(dashed.unknownOption, "");
    EXPECT_EQ(ui::startArguments({"zelta", "-x", "a.fcd"}).unknownOption, "-x");
    // A lone dash is a name, as is --help after "--": neither is answered early.
    EXPECT_EQ(ui::startArguments({"zelta", "-"}).drawing, "-");
    EXPECT_EQ(ui::earlyAnswer({"zelta", "--", "--help"}), ui::EarlyAnswer::None);
}

} // namespace
} // namespace zelta
