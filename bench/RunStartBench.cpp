// The classic method's work done once per run and once per lap over the whole work list, by the
// number of pads: the priorities made neutral when a run starts, and at the end of a lap the
// priorities aged and the pads sorted. Pads fall on the cells of a full board at random, so a
// cell holds many of them, as in a drawing with more pads than cells.
#include "core/Lista_coo.h"
#include "router/classic/Aprizelta.h"

#include <benchmark/benchmark.h>

#include <random>

namespace zelta::bench {
namespace {

ListaCoord padsOnAFullBoard(int64_t pads) {
    std::mt19937 random(1);
    std::uniform_int_distribution<int32_t> col(1, 157), row(1, 77);
    ListaCoord list;
    for (int64_t i = 0; i < pads; ++i)
        list.append(col(random), row(random), NeutralPriority);
    return list;
}

void classicRunStart(benchmark::State& state) {
    ListaCoord list = padsOnAFullBoard(state.range(0));
    ApriZelta router;
    router.links.workList = &list;
    for (auto _ : state)
        router.beginRun();
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void classicLapEnd(benchmark::State& state) {
    ListaCoord list = padsOnAFullBoard(state.range(0));
    ApriZelta router;
    router.links.workList = &list;
    for (auto _ : state) {
        state.PauseTiming();
        router.beginRun();
        state.ResumeTiming();
        router.endLap();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

BENCHMARK(classicRunStart)->RangeMultiplier(10)->Range(10000, 1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(classicLapEnd)->RangeMultiplier(10)->Range(10000, 1000000)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace zelta::bench
