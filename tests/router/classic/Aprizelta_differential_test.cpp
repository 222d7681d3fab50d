// The router against the plain reference router on random small boards and option sets: lap after
// lap the same best plane, work list, figures, lap figures and report lines.
// ZELTA_DIFF_SEED and ZELTA_DIFF_CASES choose the cases; a failure names the seed that repeats it.
#include "router/RouterTestBoard.h"
#include "router/classic/literal/LiteralRouter.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
#define ZELTA_SLOW_BUILD 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ZELTA_SLOW_BUILD 1
#endif
#endif

namespace zelta::testing {
namespace {

// A pad's size and style give its area on the grid and its real copper, as the reader reads them.
struct RandomPad {
    int32_t c, r, net, sx, sy, style;
};

struct RandomCase {
    uint32_t seed = 0;
    int32_t cols = 3, rows = 3;
    std::vector<RandomPad> pads;
    std::vector<std::pair<int32_t, int32_t>> widthChoices; // net, choice
    int32_t fastLaps = 0, retargetEvery = 0, bendPenalty = 0, diagonalPenalty = 0, debug = 0;
    int laps = 1;

    std::string describe() const {
        std::ostringstream s;
        s << "seed " << seed << ": board " << cols << "x" << rows << ", fastLaps " << fastLaps
          << ", retargetEvery " << retargetEvery << ", bendPenalty " << bendPenalty << ", diagonalPenalty "
          << diagonalPenalty << ", debug " << debug << ", laps " << laps << ", pads (c r net sx sy style):";
        for (const RandomPad& p : pads)
            s << " (" << p.c << ' ' << p.r << ' ' << p.net << ' ' << p.sx << ' ' << p.sy << ' ' << p.style
              << ')';
        s << ", width choices (net choice):";
        for (const auto& [net, choice] : widthChoices)
            s << " (" << net << ' ' << choice << ')';
        return s.str();
    }
};

// Boards mostly small, some up to 40 cells a side; pads whose areas overlap and cover other
// centres, net 0 pads, single-pad nets, two pads on one centre; pads of every style, from smaller
// than their area to a little bigger than it; nets with thin and wide tracks.
RandomCase makeCase(uint32_t seed) {
    std::mt19937 rng(seed);
    auto pick = [&](int32_t n) { return static_cast<int32_t>(rng() % static_cast<uint32_t>(n)); };
    auto between = [&](int32_t lo, int32_t hi) { return lo + pick(hi - lo + 1); };
    auto oneOf = [&](std::initializer_list<int32_t> values) {
        return values.begin()[pick(int32_t(values.size()))];
    };

    RandomCase k;
    k.seed = seed;
    const int32_t side = oneOf({5, 8, 12, 16, 24, 40});
    k.cols = between(3, side);
    k.rows = between(3, side);
    const int32_t nets = between(1, 6);
    const int32_t cells = (k.cols - 1) * (k.rows - 1);
    const int32_t padCount = between(0, std::min(24, cells / 3 + 1));
    for (int32_t i = 0; i < padCount; ++i) {
        RandomPad p{};
        if (!k.pads.empty() && pick(10) == 0) {
            p = k.pads[pick(int32_t(k.pads.size()))];
        } else {
            p.c = between(1, k.cols - 1);
            p.r = between(1, k.rows - 1);
        }
        const int32_t n = pick(nets + 1);
        p.net = n == 0 ? 0 : (n == nets && pick(3) == 0 ? 255 : n);
        // A size s gives the area (s + 8) / 20 each side of the centre.
        auto sizeFor = [&](int32_t h) { return h == 0 ? between(1, 11) : between(20 * h - 8, 20 * h + 11); };
        const int32_t hx = oneOf({0, 0, 1, 1, 1, 2, 3});
        const int32_t hy = pick(3) == 0 ? oneOf({0, 1, 2}) : hx;
        p.sx = sizeFor(hx);
        p.sy = hy == hx && pick(2) == 0 ? p.sx : sizeFor(hy);
        p.style = oneOf({0, 0, 1, 2});
        k.pads.push_back(p);
    }
    for (int32_t n = 1; n <= nets; ++n)
        k.widthChoices.emplace_back(n, oneOf({0, 1, 1, 3}));
    k.fastLaps = oneOf({0, 1, 5, 10});
    k.retargetEvery = oneOf({0, 2, 5, 10});
    k.bendPenalty = oneOf({-3, -1, 0, 4, 8});
    k.diagonalPenalty = oneOf({-5, -2, 0, 2, 5});
    k.debug = oneOf({0, 1, 2});
    k.laps = between(1, 4);
    return k;
}

std::unique_ptr<TestBoard> buildBoard(const RandomCase& k) {
    auto board = std::make_unique<TestBoard>(k.cols, k.rows, k.debug);
    for (const RandomPad& p : k.pads)
        board->copperPad(p.c, p.r, p.net, p.sx, p.sy, p.style);
    for (const auto& [net, choice] : k.widthChoices)
        board->nets[net] = choice;
    return board;
}

struct LapSnapshot {
    LapFigures figures;
    std::vector<int32_t> bestPlane;
    std::vector<coord> workList;
    std::array<std::string, 4> fields;
    std::vector<std::string> lines;
};

template <class Router> std::vector<LapSnapshot> runLaps(Router& router, TestBoard& board, int laps) {
    std::vector<LapSnapshot> snapshots;
    size_t linesSeen = 0;
    RunControl control;
    control.onLapEnd = [&](const LapFigures& figures) {
        LapSnapshot s{figures, {}, board.workList.entries(), {}, {}};
        const int32_t* best = board.grid->plane(BestPlane);
        s.bestPlane.assign(best, best + PlaneCells);
        s.fields = {board.host.field(Field::ciclitot), board.host.field(Field::ciclivuoto),
                    board.host.field(Field::piazzscoll), board.host.field(Field::valore)};
        s.lines.assign(board.host.allLines.begin() + static_cast<std::ptrdiff_t>(linesSeen),
                       board.host.allLines.end());
        linesSeen = board.host.allLines.size();
        snapshots.push_back(std::move(s));
        if (figures.laps >= laps)
            control.quit();
    };
    runRouter(router, control);
    return snapshots;
}

// The first difference between two laps, or an empty text.
std::string firstDifference(const LapSnapshot& fast, const LapSnapshot& ref) {
    std::ostringstream s;
    const LapFigures& a = fast.figures;
    const LapFigures& b = ref.figures;
    if (a.laps != b.laps || a.idleLaps != b.idleLaps || a.lapValue != b.lapValue ||
        a.bestValue != b.bestValue || a.failures != b.failures || a.handledPads != b.handledPads ||
        a.improved != b.improved) {
        s << "lap figures: router val=" << a.lapValue << " best=" << a.bestValue << " fail=" << a.failures
          << " handled=" << a.handledPads << ", reference val=" << b.lapValue << " best=" << b.bestValue
          << " fail=" << b.failures << " handled=" << b.handledPads;
        return s.str();
    }
    for (size_t i = 0; i < fast.lines.size() || i < ref.lines.size(); ++i) {
        std::string x = i < fast.lines.size() ? fast.lines[i] : "(none)";
        std::string y = i < ref.lines.size() ? ref.lines[i] : "(none)";
        if (x != y) {
            s << "report line " << i + 1 << " of the lap: router \"" << x << "\", reference \"" << y << "\"";
            return s.str();
        }
    }
    for (int32_t i = 0; i < PlaneCells; ++i) {
        if (fast.bestPlane[i] != ref.bestPlane[i]) {
            s << "best plane cell (" << i / GridRows << ", " << i % GridRows << "): router 0x" << std::hex
              << fast.bestPlane[i] << ", reference 0x" << ref.bestPlane[i];
            return s.str();
        }
    }
    if (fast.workList.size() != ref.workList.size())
        return "work list length";
    for (size_t i = 0; i < fast.workList.size(); ++i) {
        const coord& x = fast.workList[i];
        const coord& y = ref.workList[i];
        if (x.col != y.col || x.row != y.row || x.value != y.value) {
            s << "work list entry " << i << ": router (" << x.col << ", " << x.row << ", " << x.value
              << "), reference (" << y.col << ", " << y.row << ", " << y.value << ")";
            return s.str();
        }
    }
    static const char* names[] = {"ciclitot", "ciclivuoto", "piazzscoll", "valore"};
    for (size_t i = 0; i < fast.fields.size(); ++i)
        if (fast.fields[i] != ref.fields[i])
            return std::string(names[i]) + ": router \"" + fast.fields[i] + "\", reference \"" +
                   ref.fields[i] + "\"";
    return {};
}

// Empty when both routers agree on every lap of the case.
std::string compareCase(const RandomCase& k) {
    auto fastBoard = buildBoard(k);
    BoardRouter fast(*fastBoard, k.fastLaps, k.retargetEvery, k.bendPenalty, k.diagonalPenalty);
    std::vector<LapSnapshot> fastLaps = runLaps(fast.router, *fastBoard, k.laps);

    auto refBoard = buildBoard(k);
    literal::LiteralRouter ref(*refBoard->grid, refBoard->workList, refBoard->settings, refBoard->host);
    ref.fastLaps = k.fastLaps;
    ref.retargetEvery = k.retargetEvery;
    ref.bendPenalty = k.bendPenalty;
    ref.diagonalPenalty = k.diagonalPenalty;
    for (const RandomPad& p : k.pads)
        ref.copperPads.push_back({10 * p.c, 10 * p.r, p.sx, p.sy, p.style, p.net});
    for (const auto& [net, choice] : k.widthChoices)
        ref.widthChoices[net] = choice;
    std::vector<LapSnapshot> refLaps = runLaps(ref, *refBoard, k.laps);

    if (fastLaps.size() != refLaps.size())
        return "number of laps run";
    for (size_t lap = 0; lap < fastLaps.size(); ++lap) {
        std::string difference = firstDifference(fastLaps[lap], refLaps[lap]);
        if (!difference.empty())
            return "lap " + std::to_string(lap + 1) + ": " + difference;
    }
    return {};
}

uint32_t fromEnvironment(const char* name, uint32_t fallback) {
    const char* text = std::getenv(name);
    return text && *text ? static_cast<uint32_t>(std::strtoul(text, nullptr, 10)) : fallback;
}

TEST(RouterDifferential, AgreesWithTheReferenceRouterLapAfterLapOnRandomBoards) {
#ifdef ZELTA_SLOW_BUILD
    const uint32_t defaultCases = 1000;
#else
    const uint32_t defaultCases = 5000;
#endif
    const uint32_t firstSeed = fromEnvironment("ZELTA_DIFF_SEED", 20240601);
    const uint32_t cases = fromEnvironment("ZELTA_DIFF_CASES", defaultCases);
    int failures = 0;
    for (uint32_t i = 0; i < cases && failures < 3; ++i) {
        RandomCase k = makeCase(firstSeed + i);
        std::string difference = compareCase(k);
        if (!difference.empty()) {
            ++failures;
            ADD_FAILURE() << difference << "\n  repeat with ZELTA_DIFF_SEED=" << k.seed
                          << " ZELTA_DIFF_CASES=1\n  " << k.describe();
        }
    }
}

} // namespace
} // namespace zelta::testing
