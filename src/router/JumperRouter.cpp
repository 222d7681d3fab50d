// One lap in the jumper mode: the method's lap, the jumper pass where the lap could still become
// the best, and the lap's value by open connections, jumpers and length.
#include "router/JumperRouter.h"

#include "router/LapDriver.h"

#include <algorithm>
#include <limits>

namespace zelta {

namespace {

// The lengths a jumper may have: those asked for, from 3 steps (shorter ones would put the areas of
// its two pads on each other) up to what fits on the board, each once, shortest first.
std::vector<int32_t> usableLengths(const std::vector<int32_t>& asked, int32_t cols, int32_t rows) {
    std::vector<int32_t> lengths;
    for (int32_t l : asked)
        if (l >= 3 && l < std::max(cols, rows))
            lengths.push_back(l);
    std::sort(lengths.begin(), lengths.end());
    lengths.erase(std::unique(lengths.begin(), lengths.end()), lengths.end());
    return lengths;
}

} // namespace

void JumperRouter::beginRun() {
    inner->beginRun();
    const GestoreFileINI& ini = *links.settings;
    static const JumperList none;
    const JumperList& existing = links.existingJumpers ? *links.existingJumpers : none;
    pass_.beginRun(links.grid->plane(BasePlane), *links.workList, existing, ini.cols, ini.rows,
                   usableLengths(ini.ponticelli_passi, ini.cols, ini.rows));
    // The drawing's jumpers count against the board's limit.
    budget_ = std::max<int32_t>(0, ini.ponticelli_max - static_cast<int32_t>(existing.size()));
    haveBest_ = false;
    haveMethodBest_ = false;
}

int32_t JumperRouter::valueOf(int32_t open, int32_t jumpers, int64_t length) const {
    const int64_t value = int64_t{pass_.connections() - open} * ConnectionWeight -
                          int64_t{jumpers} * JumperWeight - std::min<int64_t>(length, LengthCap);
    return static_cast<int32_t>(
        std::clamp<int64_t>(value, WorstValue + 1, std::numeric_limits<int32_t>::max()));
}

std::optional<LapOutcome> JumperRouter::routeLap(RunControl& control, int32_t lapIndex) {
    std::optional<LapOutcome> lap = inner->routeLap(control, lapIndex);
    if (!lap)
        return lap;
    const bool methodsBest = !haveMethodBest_ || lap->value > methodBest_;
    if (methodsBest) {
        methodBest_ = lap->value;
        haveMethodBest_ = true;
    }
    pass_.prepare(links.grid->plane(WorkPlane));
    // The pass only adds tracks (moving some costs jumpers, which outweigh length) and every join
    // it cannot make by copper takes a jumper at least: a lap whose best possible value is no
    // better than the best lap's is left as it is.
    auto couldBeBest = [&](int32_t jumpersAtLeast) {
        const int32_t laid = std::min(jumpersAtLeast, budget_);
        return !haveBest_ || valueOf(jumpersAtLeast - laid, laid, pass_.trackLength()) > bestValue_;
    };
    if ((methodsBest || pass_.work() < PassWorkBudget) && pass_.missing() > 0 && couldBeBest(0)) {
        auto keepGoing = [&] { return control.checkpoint(); };
        pass_.joinByCopper();
        if (pass_.missing() > 0 && budget_ > 0 && couldBeBest(pass_.missing()) &&
            !pass_.joinByJumpers(budget_, keepGoing))
            return std::nullopt;
        if (pass_.missing() > 0 && couldBeBest(0) && !pass_.joinByRipUp(budget_, keepGoing))
            return std::nullopt;
        if (!pass_.jumpers().empty())
            pass_.shedJumpers(keepGoing);
    }

    const int32_t jumpers = static_cast<int32_t>(pass_.jumpers().size());
    lap->value = valueOf(pass_.missing(), jumpers, pass_.trackLength());
    lap->failures = pass_.missing();
    lap->jumpers = jumpers;
    // The window shows value / (handledPads - 1): with this count it reads as the share of the
    // connections made, in percent, less a little for each jumper.
    lap->handledPads = static_cast<int32_t>(std::min<int64_t>(
        int64_t{pass_.connections()} * ConnectionWeight / 100 + 1, std::numeric_limits<int32_t>::max()));
    if (!haveBest_ || lap->value > bestValue_) {
        bestValue_ = lap->value;
        haveBest_ = true;
    }
    return lap;
}

} // namespace zelta
