// Laps per second of the router and of the plain reference router (tests/router/classic/literal) on the
// two largest test boards, under the default options, without fast laps, and with each penalty
// option at its extremes. Both run the same first laps of a run; their results must agree, and
// the speed ratio is printed at the end. ZELTA_BENCH_LAPS sets the laps per run (default 2).
#include "app/Program.h"
#include "router/classic/Aprizelta.h"
#include "router/classic/literal/LiteralRouter.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <time.h>
#include <unistd.h>
#include <vector>

namespace zelta::bench {
namespace {

// Answers the open dialog with one path and every question with Yes; shows nothing.
class QuietHost : public Host {
public:
    explicit QuietHost(std::string path) : path_(std::move(path)) {}
    ModalResult messageDlg(const std::string&, MsgDlgType, unsigned buttons) override {
        return (buttons & mbYes) ? ModalResult::mrYes : ModalResult::mrOk;
    }
    std::optional<std::string> openFileDialog(const FileDialogSpec&) override { return path_; }
    std::optional<std::string> saveFileDialog(const FileDialogSpec&) override { return std::nullopt; }
    void setText(Field field, const std::string& text) override { fields[static_cast<int>(field)] = text; }
    void reportLine(const std::string&) override {}
    void clearReport() override {}

    std::array<std::string, FieldCount> fields;

private:
    std::string path_;
};

// A board as the reader leaves it: base plane, work list and board size.
struct LoadedBoard {
    std::string name;
    std::vector<int32_t> basePlane;
    ListaCoord workList;
    int32_t cols = 0;
    int32_t rows = 0;
};

bool loadBoard(const std::string& name, LoadedBoard& out) {
    const std::string data = ZELTA_DATA_DIR;
    char tmp[] = "/tmp/zelta-bench-XXXXXX";
    int fd = mkstemp(tmp);
    if (fd < 0)
        return false;
    close(fd);
    QuietHost host(data + "/boards/" + name);
    bool ok = false;
    {
        Program program(host, {data + "/boards/auto-layer0.ini", tmp});
        program.openFcd();
        if (program.fcd->status == 0) {
            const int32_t* base = program.grid->plane(BasePlane);
            out.name = name;
            out.basePlane.assign(base, base + PlaneCells);
            out.workList = *program.workList;
            out.cols = program.settings->cols;
            out.rows = program.settings->rows;
            ok = true;
        }
    }
    unlink(tmp);
    return ok;
}

struct Options {
    const char* name;
    int32_t fastLaps, retargetEvery, bendPenalty, diagonalPenalty;
};

// The settings' defaults (giriv 10, ricalct 5 -> every 10 steps, bend -3, diagonal -5), then
// no fast laps, then each option moved to its other extreme, then all of them at once.
const Options optionSets[] = {
    {"default", 10, 10, -3, -5}, {"giriv0", 0, 10, -3, -5},   {"bend+8", 0, 10, 8, -5},
    {"diag+5", 0, 10, -3, 5},    {"retarget2", 0, 2, -3, -5}, {"retarget0", 0, 0, -3, -5},
    {"all-high", 0, 2, 8, 5},
};

// What a run leaves behind, compared between the two routers.
struct Outcome {
    std::vector<int32_t> bestPlane;
    std::vector<std::array<int32_t, 3>> workList;
    std::array<std::string, FieldCount> fields;
    std::vector<std::array<int32_t, 5>> laps;
    bool operator==(const Outcome&) const = default;
};

// One run's own copies of everything a router writes.
struct Workspace {
    explicit Workspace(const LoadedBoard& board) : host(""), settings("") {
        std::copy(board.basePlane.begin(), board.basePlane.end(), grid->plane(BasePlane));
        workList = board.workList;
        settings.cols = board.cols;
        settings.rows = board.rows;
        settings.debug = 0;
    }
    std::unique_ptr<GestScheda> grid = std::make_unique<GestScheda>();
    ListaCoord workList;
    QuietHost host;
    GestoreFileINI settings;
};

// Processor time of this thread: the machine is shared, and waiting for the processor is not
// the router's cost.
double threadSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

void runRouter(ApriZelta& router, RunControl& control) {
    LapDriver driver;
    driver.links = {router.links.grid, router.links.settings, router.links.sink};
    driver.run(router, control);
}

// Runs laps of the router and returns the processor seconds they took.
template <class Router> double timeLaps(Router& router, int laps, Outcome& outcome) {
    RunControl control;
    control.onLapEnd = [&](const LapFigures& lap) {
        outcome.laps.push_back({lap.lapValue, lap.bestValue, lap.failures, lap.handledPads, lap.idleLaps});
        if (lap.laps >= laps)
            control.quit();
    };
    const double start = threadSeconds();
    runRouter(router, control);
    return threadSeconds() - start;
}

void finish(Workspace& w, Outcome& outcome) {
    const int32_t* best = w.grid->plane(BestPlane);
    outcome.bestPlane.assign(best, best + PlaneCells);
    for (const coord& e : w.workList.entries())
        outcome.workList.push_back({e.col, e.row, e.value});
    outcome.fields = w.host.fields;
}

struct Measured {
    double routerRate = 0;
    double literalRate = 0;
    Outcome routerOutcome;
    bool identical = false;
    bool literalRun = false;
};
std::map<std::string, Measured> measured; // by "board/options", in run order of registration
std::vector<std::string> measuredOrder;

void routerLaps(benchmark::State& state, const LoadedBoard* board, Options o, int laps) {
    Measured& m = measured[board->name + "/" + o.name];
    double seconds = 0;
    int64_t runs = 0;
    for (auto _ : state) {
        Workspace w(*board);
        ApriZelta router;
        router.links = {w.grid.get(), &w.workList, &w.settings, &w.host};
        router.fastLaps = o.fastLaps;
        router.retargetEvery = o.retargetEvery;
        router.bendPenalty = o.bendPenalty;
        router.diagonalPenalty = o.diagonalPenalty;
        Outcome outcome;
        double t = timeLaps(router, laps, outcome);
        state.SetIterationTime(t);
        seconds += t;
        ++runs;
        finish(w, outcome);
        m.routerOutcome = std::move(outcome);
    }
    m.routerRate = static_cast<double>(runs * laps) / seconds;
    state.counters["laps_per_s"] = m.routerRate;
}

void literalLaps(benchmark::State& state, const LoadedBoard* board, Options o, int laps) {
    Measured& m = measured[board->name + "/" + o.name];
    double seconds = 0;
    int64_t runs = 0;
    for (auto _ : state) {
        Workspace w(*board);
        literal::LiteralRouter router(*w.grid, w.workList, w.settings, w.host);
        router.fastLaps = o.fastLaps;
        router.retargetEvery = o.retargetEvery;
        router.bendPenalty = o.bendPenalty;
        router.diagonalPenalty = o.diagonalPenalty;
        Outcome outcome;
        double t = timeLaps(router, laps, outcome);
        state.SetIterationTime(t);
        seconds += t;
        ++runs;
        finish(w, outcome);
        m.identical = outcome == m.routerOutcome;
    }
    m.literalRun = true;
    m.literalRate = static_cast<double>(runs * laps) / seconds;
    state.counters["laps_per_s"] = m.literalRate;
    state.counters["router_ratio"] = m.routerRate / m.literalRate;
    if (!m.identical)
        state.SkipWithError("the reference router's results differ from the router's");
}

void printSummary(int laps) {
    bool any = false;
    for (const auto& entry : measured)
        any = any || entry.second.literalRun;
    if (!any)
        return;
    std::printf("\nFirst %d laps of a run; ratio = router laps/s over reference router laps/s\n", laps);
    std::printf("%-32s %14s %14s %10s  %s\n", "board/options", "router laps/s", "literal laps/s", "ratio",
                "results");
    for (const std::string& key : measuredOrder) {
        const Measured& m = measured[key];
        if (!m.literalRun)
            continue;
        std::printf("%-32s %14.2f %14.4f %10.1f  %s\n", key.c_str(), m.routerRate, m.literalRate,
                    m.routerRate / m.literalRate, m.identical ? "identical" : "DIFFERENT");
    }
}

} // namespace
} // namespace zelta::bench

int main(int argc, char** argv) {
    using namespace zelta::bench;
    benchmark::Initialize(&argc, argv);
    const char* lapsText = std::getenv("ZELTA_BENCH_LAPS");
    const int laps = lapsText && std::atoi(lapsText) > 0 ? std::atoi(lapsText) : 2;

    static std::vector<std::unique_ptr<LoadedBoard>> boards;
    for (const char* name : {"dense-150pads.fcd", "large-full-grid.fcd"}) {
        auto board = std::make_unique<LoadedBoard>();
        if (!loadBoard(name, *board)) {
            std::fprintf(stderr, "zelta_bench: cannot read %s\n", name);
            return 1;
        }
        boards.push_back(std::move(board));
    }
    for (const auto& board : boards) {
        for (const Options& o : optionSets) {
            const std::string key = board->name + "/" + o.name;
            measuredOrder.push_back(key);
            benchmark::RegisterBenchmark(("router/" + key).c_str(), routerLaps, board.get(), o, laps)
                ->UseManualTime()
                ->Unit(benchmark::kMillisecond);
            benchmark::RegisterBenchmark(("literal/" + key).c_str(), literalLaps, board.get(), o, laps)
                ->UseManualTime()
                ->Iterations(1)
                ->Unit(benchmark::kSecond);
        }
    }
    benchmark::RunSpecifiedBenchmarks();
    printSummary(laps);
    benchmark::Shutdown();
    return 0;
}
