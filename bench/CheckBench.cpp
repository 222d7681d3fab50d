// Time of the check of a drawing, read from text and measured: a million pads on the largest
// board the grid takes (pads of many sizes, styles and nets stacked on its points), and over a
// hundred thousand tracks of 200 nets packed 0,381 mm apart.
#include "app/Check.h"

#include <benchmark/benchmark.h>

#include <random>
#include <string>

namespace zelta::bench {
namespace {

// The largest board: 159 x 79 cells of 10 units.
constexpr int BoardWidth = 1590;
constexpr int BoardHeight = 790;

std::string header() {
    return "[FIDOCAD]\nRV 0 0 " + std::to_string(BoardWidth) + " " + std::to_string(BoardHeight) + " 0\n";
}

std::string manyPads(int count) {
    std::mt19937 random(21);
    std::string d = header();
    d.reserve(static_cast<size_t>(count) * 32);
    for (int i = 0; i < count; ++i) {
        const int x = 10 * (1 + static_cast<int>(random() % 158)),
                  y = 10 * (1 + static_cast<int>(random() % 78));
        const int size = 10 + 2 * static_cast<int>(random() % 6);
        d += "PA " + std::to_string(x) + " " + std::to_string(y) + " " + std::to_string(size) + " " +
             std::to_string(size) + " 6 " + std::to_string(random() % 3) + " 1 " +
             std::to_string(1 + random() % 255) + "\n";
    }
    return d;
}

// Rows 4 units apart, each a net of segments 3 long end to end, 1 unit wide: 3 units between
// rows.
std::string manyTracks() {
    std::string d = header();
    for (int y = 4, row = 0; y < BoardHeight; y += 4, ++row)
        for (int x = 0; x + 3 <= BoardWidth; x += 3)
            d += "PL " + std::to_string(x) + " " + std::to_string(y) + " " + std::to_string(x + 3) + " " +
                 std::to_string(y) + " 1 1 " + std::to_string(1 + row % 200) + "\n";
    return d;
}

void checkText(benchmark::State& state, const std::string& text) {
    GestoreFileINI settings("");
    settings.dim_auto = true;
    for (auto _ : state) {
        FcdDrawing drawing;
        std::string error;
        if (!parseDrawing(text, settings, drawing, error)) {
            state.SkipWithError(error.c_str());
            return;
        }
        const CheckResult result = checkDrawing(drawing, settings.isolamento);
        benchmark::DoNotOptimize(result.drawingPadPairs);
        state.counters["pieces"] = static_cast<double>(drawing.pads.size() + drawing.tracks.size());
        state.counters["violations"] = static_cast<double>(result.clearance.size());
    }
}

void BM_CheckMillionPads(benchmark::State& state) {
    checkText(state, manyPads(1000000));
}
BENCHMARK(BM_CheckMillionPads)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_CheckHundredThousandTracks(benchmark::State& state) {
    checkText(state, manyTracks());
}
BENCHMARK(BM_CheckHundredThousandTracks)->Unit(benchmark::kMillisecond)->Iterations(2);

} // namespace
} // namespace zelta::bench
