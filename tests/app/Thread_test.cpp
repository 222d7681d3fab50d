// The processing thread under stress: a thousand starts and stops at random moments, with saves
// and track-width changes between them. Every stop must leave the worker paused at a point where
// the grid and the lists are whole, so that a save right then writes a sound board. Under
// ThreadSanitizer (make test-tsan) this is also the race and deadlock test of the commands.
#include "app/Check.h"
#include "support/ProgramFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <random>
#include <thread>
#include <vector>

namespace zelta {
namespace {

using testing::boardPath;
using testing::ProgramFixture;

std::vector<int32_t> planeOf(const GestScheda& grid, Plane p) {
    return std::vector<int32_t>(grid.plane(p), grid.plane(p) + PlaneCells);
}

// What a plane may hold at a pause point, given the base plane of the read: the pads exactly as
// read, and tracks only as whole steps, each from a cell of a net to a neighbour of the same net.
std::string planeFault(const GestScheda& grid, Plane p) {
    constexpr int32_t PadBits = PadArea | PadCentre;
    for (int c = 0; c < GridCols; ++c) {
        for (int r = 0; r < GridRows; ++r) {
            const int32_t b = grid.cell(BasePlane, c, r);
            const int32_t v = grid.cell(p, c, r);
            const std::string at = " at (" + std::to_string(c) + "," + std::to_string(r) + ")";
            if ((b & PadBits) != 0 && (v & (PadBits | NetMask)) != (b & (PadBits | NetMask)))
                return "a pad changed" + at;
            if ((v & ~(b | TrackMask | NetMask)) != 0)
                return "bits that are neither pad nor track" + at;
            if ((b & PadBits) == 0 && v != 0 && ((v & TrackMask) == 0 || (v & NetMask) == 0))
                return "a free cell with a net but no track" + at;
            for (int d = 1; d <= 8; ++d) {
                if ((v & Directions[d].bit) == 0)
                    continue;
                const int nc = c + Directions[d].dc, nr = r + Directions[d].dr;
                if (nc < 0 || nc >= GridCols || nr < 0 || nr >= GridRows)
                    return "a step off the grid" + at;
                if ((grid.cell(p, nc, nr) & NetMask) != (v & NetMask))
                    return "a step into another net" + at;
            }
        }
    }
    return {};
}

std::vector<std::pair<int32_t, int32_t>> cellsOf(const ListaCoord& list) {
    std::vector<std::pair<int32_t, int32_t>> cells;
    for (const coord& e : list.entries())
        cells.emplace_back(e.col, e.row);
    std::sort(cells.begin(), cells.end());
    return cells;
}

TEST(ThreadStress, EveryStopLeavesTheWorkerPausedWithAWholeBoard) {
    constexpr int Cycles = 1000;
    ProgramFixture f;
    ASSERT_TRUE(f.open(boardPath("dip8-555.fcd")));
    Program& p = *f.program;
    const std::vector<int32_t> base = planeOf(*p.grid, BasePlane);
    const auto pads = cellsOf(*p.workList);
    f.routeLaps(1);

    std::atomic<int> laps{0};
    p.onLapEnd = [&](const LapFigures&) { laps.fetch_add(1, std::memory_order_relaxed); };
    std::mt19937 random(20261207); // fixed: a failure comes back with the same waits
    std::uniform_int_distribution<int> waitMicroseconds(0, 20000);
    int saves = 0, savesRefused = 0, widthChanges = 0;
    const auto began = std::chrono::steady_clock::now();

    for (int cycle = 0; cycle < Cycles; ++cycle) {
        SCOPED_TRACE("cycle " + std::to_string(cycle));
        ASSERT_TRUE(p.startProcessing());
        std::this_thread::sleep_for(std::chrono::microseconds(waitMicroseconds(random)));
        p.stopProcessing();

        ASSERT_TRUE(p.workerPaused());
        ASSERT_TRUE(planeOf(*p.grid, BasePlane) == base) << "the worker wrote the base plane";
        ASSERT_EQ(planeFault(*p.grid, WorkPlane), "");
        ASSERT_EQ(planeFault(*p.grid, BestPlane), "");
        ASSERT_TRUE(cellsOf(*p.workList) == pads) << "the work list lost or gained a pad";

        const unsigned action = random() % 16;
        if (action < 2) {
            const bool ready = p.tracer->resultsReady;
            const std::vector<int32_t> work = planeOf(*p.grid, WorkPlane);
            const std::string out = f.dir.file("stress.fcd");
            if (!ready) {
                // After a track-width change, until the new worker's first lap ends.
                f.host.willSave(out);
                p.save();
                ASSERT_EQ(f.host.lastMessage(), "Per salvare i risultati occorre prima\n"
                                                "eseguire almeno un ciclo di elaborazione");
                f.host.saveAnswers.clear();
                ++savesRefused;
                continue;
            }
            ASSERT_TRUE(f.saveTo(out));
            ++saves;
            ASSERT_TRUE(planeOf(*p.grid, WorkPlane) == work) << "the save did not give the work plane back";
            FcdDrawing drawing;
            std::string error;
            ASSERT_TRUE(readDrawing(out, *p.settings, drawing, error)) << error;
            const CheckResult check = checkDrawing(drawing, p.settings->isolamento);
            ASSERT_TRUE(check.shorts.empty()) << checkReportText(check);
        } else if (action == 2) {
            ASSERT_TRUE(p.prepareTrackWidths());
            ++widthChanges;
        }
    }

    const auto seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
    RecordProperty("cycles", Cycles);
    RecordProperty("laps", laps.load());
    RecordProperty("saves", saves);
    RecordProperty("widthChanges", widthChanges);
    std::printf("[ stress ] %d cycles, %d laps, %d saves (%d refused before a lap), %d track-width changes, "
                "%.1f s\n",
                Cycles, laps.load(), saves, savesRefused, widthChanges, seconds);
    EXPECT_GT(laps.load(), 0);
    EXPECT_GT(saves, 0);
}

} // namespace
} // namespace zelta
