// The jumper mode in whole sessions: a crossing that copper cannot make gets one jumper and the
// board is complete, a routed file read again keeps its jumpers, no jumper lies on a pad or over a
// pad centre, and two runs give the same file.
#include "app/Check.h"
#include "app/RoutingSession.h"
#include "router/Legality.h"
#include "support/ProgramFixture.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <random>
#include <set>
#include <sstream>
#include <thread>
#include <vector>

namespace zelta {
namespace {

using testing::boardPath;
using testing::ProgramFixture;
using testing::readFile;
using testing::SharedBoard;
using testing::sharedBoards;

std::string jumperSettings(int metodo, const std::string& more = "") {
    return "[Base]\ndim_auto=1\nlayer_dim=0\n[Avanzate]\ndebug=0\nmetodo=" + std::to_string(metodo) +
           "\nponticelli=1\n" + more;
}

// Routes until the method is done or laps laps have ended.
void route(ProgramFixture& f, int laps) {
    StopRules rules;
    rules.laps = laps;
    ASSERT_TRUE(RoutingSession(*f.program).run(rules).started);
}

std::string faults(const Program& p) {
    const int32_t* base = p.grid->plane(BasePlane);
    const int32_t* best = p.grid->plane(BestPlane);
    return legalityFault(base, best, p.settings->cols, p.settings->rows) +
           jumperFault(base, best, p.settings->cols, p.settings->rows, p.bestJumpers);
}

// Whether every pad centre of net on the base plane is reached from the first over the best
// plane's track steps and the jumpers (those laid and the drawing's): a walk of its own, apart
// from the router's groups.
bool netJoined(const Program& p, int net) {
    const int32_t* base = p.grid->plane(BasePlane);
    const int32_t* best = p.grid->plane(BestPlane);
    std::vector<int> pads;
    for (int i = 0; i < PlaneCells; ++i)
        if ((base[i] & PadCentre) != 0 && (base[i] & NetMask) == net)
            pads.push_back(i);
    std::vector<Jumper> jumpers = p.bestJumpers;
    jumpers.insert(jumpers.end(), p.fcd->existingJumpers.begin(), p.fcd->existingJumpers.end());
    std::vector<bool> seen(PlaneCells, false);
    std::vector<int> queue{pads.at(0)};
    seen[pads[0]] = true;
    for (size_t head = 0; head < queue.size(); ++head) {
        const int cell = queue[head];
        std::vector<int> next;
        for (int d = 1; d <= 8; ++d) {
            const int n = cell + Directions[d].dc * GridRows + Directions[d].dr;
            if ((best[cell] & Directions[d].bit) != 0 || (best[n] & Directions[opposite(d)].bit) != 0)
                next.push_back(n);
        }
        for (const Jumper& j : jumpers) {
            const int a = GestScheda::index(j.col1, j.row1);
            const int b = GestScheda::index(j.col2, j.row2);
            if (j.net == net && (cell == a || cell == b))
                next.push_back(cell == a ? b : a);
        }
        for (int n : next) {
            if (!seen[n] && (best[n] & NetMask) == net) {
                seen[n] = true;
                queue.push_back(n);
            }
        }
    }
    for (int pad : pads)
        if (!seen[pad])
            return false;
    return true;
}

// The records a jumper is written as: the component-side wires and the pads at their ends.
std::multiset<std::string> jumperRecords(const std::string& path) {
    std::multiset<std::string> wires, pads, records;
    std::istringstream text(readFile(path));
    std::string line;
    std::vector<std::string> lines;
    while (std::getline(text, line))
        lines.push_back(line.substr(0, line.find('\r')));
    for (const std::string& l : lines) {
        std::istringstream fields(l);
        std::string kind;
        int x1, y1, x2, y2, width, layer;
        if (fields >> kind >> x1 >> y1 >> x2 >> y2 >> width >> layer && kind == "PL" &&
            layer == JumperLayer) {
            records.insert(l);
            for (const std::string& pad : lines)
                if (pad.rfind("PA " + std::to_string(x1) + " " + std::to_string(y1) + " ", 0) == 0 ||
                    pad.rfind("PA " + std::to_string(x2) + " " + std::to_string(y2) + " ", 0) == 0)
                    records.insert(pad);
        }
    }
    return records;
}

// Net 1 runs from pad to pad across the whole board (the pads' areas touch its sides), net 2 from
// top to bottom (theirs touch its top and bottom): one of them has to cross the other.
const char* CrossingBoard = "[FIDOCAD]\n"
                            "RV 0 0 300 200 0\n"
                            "PA 20 100 16 16 5 0 1 1\n"
                            "PA 280 100 16 16 5 0 1 1\n"
                            "PA 150 20 16 16 5 0 1 2\n"
                            "PA 150 180 16 16 5 0 1 2\n";

TEST(JumperSession, TwoNetsThatMustCrossGetOneJumperAndTheBoardIsComplete) {
    for (int metodo : {0, 1}) {
        SCOPED_TRACE(metodo);
        ProgramFixture f(jumperSettings(metodo));
        ASSERT_TRUE(f.openText(CrossingBoard));
        route(f, 5);
        EXPECT_EQ(f.program->bestJumpers.size(), 1u);
        EXPECT_TRUE(netJoined(*f.program, 1));
        EXPECT_TRUE(netJoined(*f.program, 2));
        EXPECT_EQ(faults(*f.program), "");
        EXPECT_EQ(f.host.field(Field::piazzscoll), "0");
        EXPECT_EQ(f.host.field(Field::ponticelli), "1");
    }
    // With no jumper allowed the crossing stays open.
    ProgramFixture none(jumperSettings(1, "ponticelli_max=0\n"));
    ASSERT_TRUE(none.openText(CrossingBoard));
    route(none, 5);
    EXPECT_TRUE(none.program->bestJumpers.empty());
    EXPECT_EQ(none.host.field(Field::piazzscoll), "1");
}

TEST(JumperSession, ARoutedFileReadAgainKeepsItsJumpersAndGetsNoNewOnes) {
    ProgramFixture f(jumperSettings(1));
    ASSERT_TRUE(f.openText(CrossingBoard));
    route(f, 5);
    const std::string first = f.dir.file("first.fcd");
    ASSERT_TRUE(f.saveTo(first));
    const std::multiset<std::string> records = jumperRecords(first);
    ASSERT_EQ(records.size(), 3u) << "a wire and its two pads";

    // Read again with the mode on, the jumper joins its pads and copper does the rest.
    ASSERT_TRUE(f.open(first));
    ASSERT_EQ(f.program->fcd->existingJumpers.size(), 1u);
    route(f, 5);
    EXPECT_TRUE(f.program->bestJumpers.empty());
    // The figure counts every jumper on the board, the drawing's too.
    EXPECT_EQ(f.host.field(Field::ponticelli), "1");
    EXPECT_TRUE(netJoined(*f.program, 2));
    EXPECT_EQ(faults(*f.program), "");
    const std::string second = f.dir.file("second.fcd");
    ASSERT_TRUE(f.saveTo(second));
    EXPECT_EQ(jumperRecords(second), records);

    // With the mode off the jumper stays as it was, none is added, and the pad beyond it is still
    // joined to it.
    for (int metodo : {0, 1}) {
        SCOPED_TRACE(metodo);
        ProgramFixture off("[Base]\ndim_auto=1\nlayer_dim=0\n[Avanzate]\nmetodo=" + std::to_string(metodo) +
                           "\n");
        ASSERT_TRUE(off.open(first));
        route(off, 5);
        EXPECT_TRUE(off.program->bestJumpers.empty());
        EXPECT_EQ(off.host.field(Field::ponticelli), "1");
        EXPECT_TRUE(netJoined(*off.program, 1));
        EXPECT_TRUE(netJoined(*off.program, 2));
        EXPECT_EQ(faults(*off.program), "");
        const std::string third = off.dir.file("third.fcd");
        ASSERT_TRUE(off.saveTo(third));
        EXPECT_EQ(jumperRecords(third), records);
    }
}

TEST(JumperSession, AJumperOverARowOfPadsPassesBetweenTheirCentres) {
    // Three pads in a row from side to side, their areas touching: net 2 has to jump them. The
    // shortest jumper straight down from its pads would pass over the centre of the first one.
    ProgramFixture f(jumperSettings(1));
    ASSERT_TRUE(f.openText("[FIDOCAD]\n"
                           "RV 0 0 80 200 0\n"
                           "PA 20 100 16 16 5 0 1 3\n"
                           "PA 40 100 16 16 5 0 1 4\n"
                           "PA 60 100 16 16 5 0 1 5\n"
                           "PA 20 40 16 16 5 0 1 2\n"
                           "PA 20 160 16 16 5 0 1 2\n"));
    route(f, 5);
    ASSERT_EQ(f.program->bestJumpers.size(), 1u);
    const Jumper& j = f.program->bestJumpers[0];
    EXPECT_EQ(j.col1, j.col2);
    EXPECT_NE(j.col1 % 2, 0) << "over a pad centre in column " << j.col1;
    EXPECT_TRUE(netJoined(*f.program, 2));
    EXPECT_EQ(faults(*f.program), "");
}

TEST(JumperSession, AroundTheNegotiatedMethodThePassKeepsTheClearanceFromAPadBesideItsWay) {
    // Net 1's pad at (100,100) is ringed by other nets' pads; the only way out is the diagonal to
    // the upper right, which passes 0,105 mm from the corner of net 2's square pad at (120,100).
    // The method leaves the pad open; the pass must not join it that way either, and no jumper
    // can leave from the pad's own area.
    ProgramFixture f(jumperSettings(1));
    ASSERT_TRUE(f.openText("[FIDOCAD]\n"
                           "RV 0 0 400 200 0\n"
                           "PA 120 100 16 16 6 1 1 2\n"
                           "PA 80 100 16 16 6 0 1 3\n"
                           "PA 100 120 16 16 6 0 1 4\n"
                           "PA 100 80 16 16 6 0 1 5\n"
                           "PA 80 80 16 16 6 0 1 6\n"
                           "PA 80 120 16 16 6 0 1 7\n"
                           "PA 120 120 16 16 6 0 1 8\n"
                           "PA 100 100 16 16 6 0 1 1\n"
                           "PA 300 100 16 16 6 0 1 1\n"));
    route(f, 1000);
    const std::string out = f.dir.file("out.fcd");
    ASSERT_TRUE(f.saveTo(out));
    FcdDrawing drawing;
    std::string error;
    ASSERT_TRUE(readDrawing(out, *f.program->settings, drawing, error)) << error;
    const CheckResult check = checkDrawing(drawing, f.program->settings->isolamento);
    EXPECT_EQ(check.clearanceViolations, 0u) << checkReportText(check);
    EXPECT_TRUE(check.shorts.empty()) << checkReportText(check);
    EXPECT_EQ(check.padsUnconnected, 1) << checkReportText(check);
}

TEST(JumperSession, NoJumperOnTheSharedBoardsLiesOnAPadOrOverAPadCentreAndNoCopperMeets) {
    int boards = 0;
    for (const SharedBoard& b : sharedBoards()) {
        SCOPED_TRACE(b.board);
        ProgramFixture f(readFile(boardPath(b.settings)) + "metodo=1\nponticelli=1\n");
        ASSERT_TRUE(f.open(boardPath(b.board)));
        route(f, 3);
        EXPECT_EQ(faults(*f.program), "");
        const std::string out = f.dir.file("out.fcd");
        ASSERT_TRUE(f.saveTo(out));
        FcdDrawing drawing;
        std::string error;
        ASSERT_TRUE(readDrawing(out, *f.program->settings, drawing, error)) << error;
        const CheckResult check = checkDrawing(drawing, f.program->settings->isolamento);
        EXPECT_TRUE(check.shorts.empty()) << checkReportText(check);
        ++boards;
    }
    EXPECT_EQ(boards, 11);
}

TEST(JumperSession, TwoRunsGiveTheSameFile) {
    for (int metodo : {0, 1}) {
        std::string files[2];
        size_t jumpers = 0;
        for (std::string& file : files) {
            ProgramFixture f(jumperSettings(metodo));
            ASSERT_TRUE(f.open(boardPath("medium-40pads.fcd")));
            route(f, metodo == 1 ? 1000 : 30);
            ASSERT_TRUE(f.saveTo(f.dir.file("out.fcd")));
            file = readFile(f.dir.file("out.fcd"));
            jumpers = f.program->bestJumpers.size();
        }
        EXPECT_TRUE(files[0] == files[1]) << metodo;
        EXPECT_GT(jumpers, 0u) << "the board needs jumpers";
    }
}

TEST(ThreadStress, JumperModeStoppedAndStartedAtRandomMomentsGivesTheSameResultAsOneRun) {
    constexpr int Laps = 6;
    ProgramFixture calm(jumperSettings(1));
    ASSERT_TRUE(calm.open(boardPath("medium-40pads.fcd")));
    route(calm, Laps);
    const std::vector<int32_t> expected(calm.program->grid->plane(BestPlane),
                                        calm.program->grid->plane(BestPlane) + PlaneCells);
    const JumperList expectedJumpers = calm.program->bestJumpers;

    ProgramFixture f(jumperSettings(1));
    ASSERT_TRUE(f.open(boardPath("medium-40pads.fcd")));
    Program& p = *f.program;
    std::atomic<bool> finished{false};
    p.stopRules.laps = Laps;
    p.onLapEnd = [&](const LapFigures& lap) {
        if (lap.done || lap.laps >= Laps)
            finished = true;
    };
    std::mt19937 random(20261209); // fixed: a failure comes back with the same waits
    std::uniform_int_distribution<int> waitMicroseconds(0, 20000);
    int stops = 0;
    while (!finished) {
        ASSERT_TRUE(p.startProcessing());
        std::this_thread::sleep_for(std::chrono::microseconds(waitMicroseconds(random)));
        p.stopProcessing();
        ++stops;
        ASSERT_TRUE(p.workerPaused());
    }
    EXPECT_GT(stops, 3);
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), p.grid->plane(BestPlane))) << stops << " stops";
    EXPECT_EQ(p.bestJumpers, expectedJumpers);
}

} // namespace
} // namespace zelta
