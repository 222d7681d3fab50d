// Time of the jumper pass on a board of the fine lattice with the design rules: 40 two-pad nets
// scattered over 150 x 100 points 5 units apart, walled apart by long straight tracks of other
// nets, joined first by copper and then with up to 30 jumpers. The plane is laid afresh each time.
#include "core/DrawingCopper.h"
#include "core/Init_obj.h"
#include "core/Lista_coo.h"
#include "core/Units.h"
#include "router/grid/Moves.h"
#include "router/jumpers/JumperPass.h"
#include "router/model/BoardModel.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <vector>

namespace zelta::bench {
namespace {

constexpr int32_t Pitch = FinePitch;
constexpr int32_t Cols = 150;
constexpr int32_t Rows = 100;
constexpr int Nets = 40;
constexpr int WallNet = Nets + 1; // the walls' nets follow the pads'

struct FineBoard {
    FineBoard() {
        std::mt19937 random(7);
        auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
        int32_t* base = grid->plane(BasePlane);
        // Round 16-unit pads: the centre and the eight points around it lie inside the copper.
        auto pad = [&](int c, int r, int net) {
            for (int d = 1; d <= 8; ++d)
                base[GestScheda::index(c, r) + CellStep[d]] = net | PadArea;
            base[GestScheda::index(c, r)] = net | PadCentre;
            workList.append(c, r, NeutralPriority);
            pads.push_back({c * Pitch, r * Pitch, 16, 16, 8, 0, net, c, r});
            netTable[net] = 1;
        };
        auto free = [&](int c, int r) {
            for (int dc = -3; dc <= 3; ++dc)
                for (int dr = -3; dr <= 3; ++dr)
                    if (base[GestScheda::index(c + dc, r + dr)] != 0)
                        return false;
            return true;
        };
        for (int net = 1; net <= Nets; ++net) {
            for (int k = 0; k < 2; ++k) {
                int c = 0, r = 0;
                do {
                    c = pick(4, Cols - 5);
                    r = pick(4, Rows - 5);
                } while (!free(c, r));
                pad(c, r, net);
            }
        }
        std::copy(base, base + PlaneCells, routed.begin());
        // Walls: tracks across and down, marked towards their first point as paths are, stopping
        // short of anything in their way.
        for (int w = 0; w < 10; ++w) {
            const bool across = w % 2 == 0;
            const int net = WallNet + w;
            netTable[net] = 1;
            const int c0 = across ? 1 : pick(5, Cols - 6);
            const int r0 = across ? pick(5, Rows - 6) : 1;
            std::vector<int> cells;
            for (int i = 0;; ++i) {
                const int c = across ? c0 + i : c0, r = across ? r0 : r0 + i;
                if (c >= Cols - 1 || r >= Rows - 1 || routed[GestScheda::index(c, r)] != 0)
                    break;
                cells.push_back(GestScheda::index(c, r));
            }
            for (size_t i = cells.size(); i-- > 0;)
                routed[cells[i]] = net | (i == 0 ? PathSource : DirBit(across ? 7 : 1));
        }
        copper = {0, 0, Cols * Pitch, Rows * Pitch, &pads, nullptr, Pitch};
        model.build({base, &workList, Cols, Rows, &copper, &netTable, 0.3, true});
    }

    std::unique_ptr<GestScheda> grid = std::make_unique<GestScheda>();
    ListaCoord workList;
    std::vector<PlacedPad> pads;
    NetTable netTable;
    DrawingCopper copper;
    BoardModel model;
    std::vector<int32_t> routed = std::vector<int32_t>(PlaneCells, 0);
};

void jumperPassFineRules(benchmark::State& state) {
    static const FineBoard board;
    JumperPass pass;
    pass.beginRun(board.model, {}, {3 * 2, 4 * 2, 6 * 2, 8 * 2});
    std::vector<int32_t> plane(PlaneCells);
    int64_t jumpers = 0, missing = 0;
    for (auto _ : state) {
        std::copy(board.routed.begin(), board.routed.end(), plane.begin());
        pass.prepare(plane.data(), {});
        pass.joinByCopper();
        pass.joinByJumpers(30, [] { return true; });
        jumpers = static_cast<int64_t>(pass.jumpers().size());
        missing = pass.missing();
    }
    state.counters["jumpers"] = static_cast<double>(jumpers);
    state.counters["missing"] = static_cast<double>(missing);
}

BENCHMARK(jumperPassFineRules)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace zelta::bench
