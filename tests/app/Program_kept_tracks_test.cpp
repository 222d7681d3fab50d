// Tracks that a drawing already has, kept for the negotiated method (piste_esistenti=1) in whole
// sessions: a hand-routed net stays as drawn, the rest is routed around it and joined to it, a
// routed board read again is left as it was, and the jumper pass keeps off the kept tracks.
#include "app/Check.h"
#include "app/RoutingSession.h"
#include "core/Messages.h"
#include "support/ProgramFixture.h"
#include "support/ReportText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace zelta {
namespace {

using testing::boardPath;
using testing::ProgramFixture;
using testing::readFile;

std::string keepingSettings(const std::string& more = "") {
    return "[Base]\ndim_auto=1\nlayer_dim=0\n[Avanzate]\ndebug=0\nmetodo=1\npiste_esistenti=1\n" + more;
}

void routeUntilDone(ProgramFixture& f) {
    StopRules rules;
    rules.laps = 200;
    ASSERT_TRUE(RoutingSession(*f.program).run(rules).started);
}

CheckResult checkFile(const ProgramFixture& f, const std::string& path) {
    FcdDrawing drawing;
    std::string error;
    EXPECT_TRUE(readDrawing(path, *f.program->settings, drawing, error)) << error;
    return checkDrawing(drawing, f.program->settings->isolamento);
}

// The lines of a written drawing, without their line ends.
std::vector<std::string> linesOf(const std::string& path) {
    std::vector<std::string> lines = testing::splitLines(readFile(path));
    for (std::string& line : lines)
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
    return lines;
}

// Net 1 drawn by hand straight across the middle, from (50, 100) to (250, 100), with a third pad
// below its right end still to join; net 2 from top to bottom has to go round the left end; net 3
// lies clear of both.
const std::string HandRouted = "[FIDOCAD]\n"
                               "RV 0 0 350 200 0\n"
                               "PA 50 100 16 16 5 0 1 1\n"
                               "PA 250 100 16 16 5 0 1 1\n"
                               "PA 250 160 16 16 5 0 1 1\n"
                               "PA 150 40 16 16 5 0 1 2\n"
                               "PA 150 160 16 16 5 0 1 2\n"
                               "PA 300 30 16 16 5 0 1 3\n"
                               "PA 300 170 16 16 5 0 1 3\n"
                               "PL 50 100 250 100 4 1 1\n";

TEST(KeptTracks, AHandRoutedNetStaysAsDrawnAndTheRestIsRoutedAroundIt) {
    ProgramFixture f(keepingSettings());
    ASSERT_TRUE(f.openText(HandRouted));
    routeUntilDone(f);
    const std::string out = f.dir.file("out.fcd");
    ASSERT_TRUE(f.saveTo(out));

    const std::vector<std::string> written = linesOf(out);
    EXPECT_EQ(std::count(written.begin(), written.end(), "PL 50 100 250 100 4 1 1"), 1) << readFile(out);
    const CheckResult check = checkFile(f, out);
    EXPECT_TRUE(check.shorts.empty()) << checkReportText(check);
    EXPECT_EQ(check.clearanceViolations, 0u) << checkReportText(check);
    EXPECT_EQ(check.netsComplete, 3) << checkReportText(check);
    // The kept track and at least one routed for the third pad of net 1.
    const auto net1Track = [](const std::string& line) {
        return line.rfind("PL ", 0) == 0 && line.size() > 4 && line.compare(line.size() - 4, 4, " 1 1") == 0;
    };
    EXPECT_GE(std::count_if(written.begin(), written.end(), net1Track), 2) << readFile(out);
    EXPECT_TRUE(f.program->openNetLines().empty());
}

TEST(KeptTracks, ARoutedBoardReadAgainKeepsEveryTrackAndChangesNothing) {
    ProgramFixture first(keepingSettings());
    ASSERT_TRUE(first.open(boardPath("dip8-555.fcd")));
    routeUntilDone(first);
    const std::string once = first.dir.file("once.fcd");
    ASSERT_TRUE(first.saveTo(once));
    const CheckResult before = checkFile(first, once);
    ASSERT_EQ(before.connectionsOpen, 0) << checkReportText(before);

    ProgramFixture second(keepingSettings());
    ASSERT_TRUE(second.open(once));
    for (const auto& m : second.host.messages)
        EXPECT_NE(m.text, msg::RemoveTracksQuestion);
    routeUntilDone(second);
    const std::string twice = second.dir.file("twice.fcd");
    ASSERT_TRUE(second.saveTo(twice));
    // Every net was complete: nothing is added. (Each save ends the copy of the drawing with an
    // empty line of its own.)
    std::vector<std::string> expected = linesOf(once);
    expected.push_back("");
    EXPECT_EQ(linesOf(twice), expected);
}

TEST(KeptTracks, TheJumperPassLaysNoTrackOrLandOverThem) {
    // Routed once; read again with jumpers allowed, the pass joins what is still open without
    // crossing a kept diagonal between two grid points or touching a kept track.
    ProgramFixture first(keepingSettings());
    ASSERT_TRUE(first.open(boardPath("medium-40pads.fcd")));
    routeUntilDone(first);
    const std::string once = first.dir.file("once.fcd");
    ASSERT_TRUE(first.saveTo(once));

    ProgramFixture second(keepingSettings("ponticelli=1\n"));
    ASSERT_TRUE(second.open(once));
    routeUntilDone(second);
    const std::string twice = second.dir.file("twice.fcd");
    ASSERT_TRUE(second.saveTo(twice));
    const std::vector<std::string> after = linesOf(twice);
    for (const std::string& line : linesOf(once))
        EXPECT_NE(std::find(after.begin(), after.end(), line), after.end()) << line;
    const CheckResult check = checkFile(second, twice);
    EXPECT_TRUE(check.shorts.empty()) << checkReportText(check);
    EXPECT_EQ(check.clearanceViolations, 0u) << checkReportText(check);
}

} // namespace
} // namespace zelta
