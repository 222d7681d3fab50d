// One lap in the jumper mode: the method's lap, the jumper pass where the lap could still become
// the best (two ways at once, the better kept), and the lap's value by open connections, jumpers
// and length.
#include "router/jumpers/JumperMode.h"

#include "core/Units.h"
#include "router/LapDriver.h"
#include "router/SideBySide.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace zelta {

namespace {

// The lengths a jumper may have, in cells of the grid's pitch: those asked for (in 10-unit steps),
// from 3 such steps (shorter ones would put the areas of its two pads on each other) up to what
// fits on the board, each once, shortest first.
std::vector<int32_t> usableLengths(const std::vector<int32_t>& asked, int32_t cols, int32_t rows,
                                   int32_t pitch) {
    const int32_t cellsPerStep = CoarsePitch / pitch;
    std::vector<int32_t> lengths;
    for (int32_t l : asked)
        if (l >= 3 && int64_t{l} * cellsPerStep < std::max(cols, rows))
            lengths.push_back(l * cellsPerStep);
    std::sort(lengths.begin(), lengths.end());
    lengths.erase(std::unique(lengths.begin(), lengths.end()), lengths.end());
    return lengths;
}

} // namespace

void JumperMode::beginRun() {
    inner->beginRun();
    const GestoreFileINI& ini = *links.settings;
    static const JumperList none;
    const JumperList& existing = links.existingJumpers ? *links.existingJumpers : none;
    const JumperList& kept = links.keptJoins ? *links.keptJoins : none;
    // The pass routes on the method's model of the board; a method that routes on the planes alone
    // keeps no clearance, and the model built here has no rules but the drawing's kept tracks.
    const BoardModel* model = inner->boardModel();
    if (model == nullptr) {
        ownModel_.build({links.grid->plane(BasePlane), links.workList, ini.cols, ini.rows, links.copper,
                         links.netTable, ini.isolamento, inner->keepsClearance()});
        model = &ownModel_;
    }
    const std::vector<int32_t> lengths =
        usableLengths(ini.ponticelli_passi, ini.cols, ini.rows, model->lattice.pitch);
    for (JumperPass* pass : {&pass_, &other_})
        pass->beginRun(*model, existing, lengths, kept);
    // The drawing's jumpers count against the board's limit; with the mode off none is laid.
    budget_ =
        ini.ponticelli ? std::max<int32_t>(0, ini.ponticelli_max - static_cast<int32_t>(existing.size())) : 0;
    haveBest_ = false;
    haveMethodBest_ = false;
    bestJumpers_.clear();
    seeded_.clear();
    leftOut_ = 0;
    seeding_ = false;
    seededLaps_ = 0;
}

int32_t JumperMode::valueOf(int32_t open, int32_t jumpers, int64_t length) const {
    const int64_t value = int64_t{pass_.connections() - open} * JumperTuning::ConnectionWeight -
                          int64_t{jumpers} * JumperTuning::JumperWeight -
                          std::min<int64_t>(length, JumperTuning::LengthCap);
    return static_cast<int32_t>(
        std::clamp<int64_t>(value, WorstValue + 1, std::numeric_limits<int32_t>::max()));
}

bool JumperMode::couldBeBest(int32_t jumpersAtLeast, int64_t length) const {
    // The pass only adds tracks (moving some costs jumpers, which outweigh length).
    const int32_t laid = std::min(jumpersAtLeast, budget_);
    return !haveBest_ || valueOf(jumpersAtLeast - laid, laid, length) > bestValue_;
}

bool JumperMode::finishPass(JumperPass& pass, bool firstWithoutJumpers,
                            const std::function<bool()>& keepGoing) {
    if (firstWithoutJumpers && pass.missing() > 0 && !pass.joinByRipUp(0, keepGoing))
        return false;
    if (pass.missing() > 0 && budget_ > 0 && couldBeBest(pass.missing(), pass.trackLength()) &&
        !pass.joinByJumpers(budget_, keepGoing))
        return false;
    if (pass.missing() > 0 && couldBeBest(0, pass.trackLength()) && !pass.joinByRipUp(budget_, keepGoing))
        return false;
    if (!pass.jumpers().empty())
        pass.shedJumpers(keepGoing);
    return true;
}

std::optional<LapOutcome> JumperMode::routeLap(RunControl& control, int32_t lapIndex) {
    // The method lays its next laps out around the best lap's jumpers, so that its tracks make
    // room for them; the pass then adds what is still missing and takes away what copper can do
    // without.
    if (seeding_) {
        // The best lap's jumpers, less one in turn; every so many laps none is left out.
        JumperList next = bestJumpers_;
        const size_t drop = leftOut_++ % (next.size() + 1);
        if (drop < next.size())
            next.erase(next.begin() + static_cast<std::ptrdiff_t>(drop));
        if (next != seeded_) {
            inner->seedJumpers(next);
            seeded_ = std::move(next);
            // The method's values now measure another board.
            haveMethodBest_ = false;
        }
    }
    std::optional<LapOutcome> lap = inner->routeLap(control, lapIndex);
    if (!lap)
        return lap;
    const bool methodsBest = !haveMethodBest_ || lap->value > methodBest_;
    if (methodsBest) {
        methodBest_ = lap->value;
        haveMethodBest_ = true;
    }
    int32_t* work = links.grid->plane(WorkPlane);
    pass_.prepare(work, seeded_);
    // A lap whose best possible value is no better than the best lap's is left as it is.
    const bool inBudget = seeding_ || this->work() < JumperTuning::PassWorkBudget ||
                          (methodsBest && this->work() < 2 * JumperTuning::PassWorkBudget);
    if (inBudget && pass_.missing() > 0 && couldBeBest(0, pass_.trackLength())) {
        pass_.joinByCopper();
        if (pass_.missing() > 0) {
            // The other pass, on a helper thread, first moves tracks to join by copper alone, then
            // lays jumpers; this one lays jumpers first.
            std::copy(work, work + PlaneCells, otherPlane_.begin());
            other_.prepare(otherPlane_.data(), seeded_);
            const StoppableWork own = [&](const std::function<bool()>& keepGoing) {
                return finishPass(pass_, false, keepGoing);
            };
            const StoppableWork other = [&](const std::function<bool()>& keepGoing) {
                return finishPass(other_, true, keepGoing);
            };
            const SideBySideOutcome finished = runSideBySide(control, own, &other);
            if (!finished.own || !finished.helper)
                return std::nullopt;
            // Ties go to this pass, so the choice never depends on which finished first.
            if (valueOf(other_) > valueOf(pass_))
                pass_.restore(otherPlane_, other_.jumpers());
        }
    } else if (pass_.missing() == 0 && !pass_.jumpers().empty()) {
        pass_.shedJumpers([&] { return control.checkpoint(); });
    }

    lap->value = valueOf(pass_);
    lap->failures = pass_.missing();
    // The board holds the drawing's jumpers and those of the lap alike.
    lap->jumpers = static_cast<int32_t>(pass_.jumpers().size() +
                                        (links.existingJumpers ? links.existingJumpers->size() : 0));
    // The pads of the nets to join; the score shown is the share of the connections made, in
    // percent.
    lap->handledPads = pass_.connections() + pass_.nets();
    if (pass_.connections() > 0)
        lap->score = (pass_.connections() - pass_.missing()) * 100 / pass_.connections();
    if (!haveBest_ || lap->value > bestValue_) {
        bestValue_ = lap->value;
        haveBest_ = true;
        bestJumpers_ = pass_.jumpers();
        leftOut_ = 0;
    }
    if (seeding_) {
        ++seededLaps_;
        lap->done = lap->done || leftOut_ > bestJumpers_.size() || seededLaps_ >= JumperTuning::SeededLaps;
    } else if (budget_ > 0 && !bestJumpers_.empty() && inner->takesSeededJumpers() &&
               (lap->done || this->work() >= JumperTuning::SeedAfterWork)) {
        seeding_ = true;
        lap->done = false;
    }
    return lap;
}

} // namespace zelta
