// The laps of the negotiated method: both workers route the lap, one on this thread and one on a
// helper thread, and the better legal result goes into the work plane. Only this thread touches
// the grid, and only while the helper is not running.
#include "router/negotiated/NegotiatedRouter.h"

#include "core/DrawingCopper.h"
#include "core/Units.h"
#include "router/Legality.h"
#include "router/SideBySide.h"
#include "router/grid/JumperPad.h"
#include "router/grid/LandRules.h"
#include "router/negotiated/NegotiatedTuning.h"

#include <algorithm>
#include <cassert>
#include <functional>

namespace zelta {

NegotiatedRouter::NegotiatedRouter()
    : first_(std::make_unique<NegotiatedWorker>(board_, NegotiatedTuning::FirstWorker)),
      second_(std::make_unique<NegotiatedWorker>(board_, NegotiatedTuning::SecondWorker)) {}

NegotiatedRouter::~NegotiatedRouter() = default;

void NegotiatedRouter::beginRun() {
    const GestoreFileINI& ini = *links.settings;
    model_.build({links.grid->plane(BasePlane), links.workList, ini.cols, ini.rows, links.copper,
                  links.netTable, ini.isolamento, true});
    padsWithLands_.clear();
    buildStepRules({});
    board_.firstSeededPad = -1;
    buildBoard({});
    board_.firstSeededPad = static_cast<int32_t>(board_.pads.size());
    seeded_ = false;
    first_->beginRun();
    second_->beginRun();
    haveBest_ = false;
    idleLaps_ = 0;
}

std::optional<LapOutcome> NegotiatedRouter::routeLap(RunControl& control, int32_t lapIndex) {
    // The second worker routes its lap on a helper thread. Lap 0 is the same for both, so only the
    // first routes it.
    const StoppableWork first = [&](const std::function<bool()>& keepGoing) {
        return first_->routeLap(lapIndex, keepGoing);
    };
    const StoppableWork second = [&](const std::function<bool()>& keepGoing) {
        return second_->routeLap(lapIndex, keepGoing);
    };
    const SideBySideOutcome routed = runSideBySide(control, first, lapIndex > 0 ? &second : nullptr);
    if (!routed.own)
        return std::nullopt;
    const bool secondRouted = routed.helper;

    // Ties go to the first worker, so the choice never depends on which finished first.
    const NegotiatedWorker& winner =
        secondRouted && second_->score.betterThan(first_->score) ? *second_ : *first_;
    const LapScore score = winner.score;
    writeWorkPlane(winner.result());

    const int32_t value = valueOf(score);
    if (!haveBest_ || value > bestValue_) {
        bestValue_ = value;
        haveBest_ = true;
        idleLaps_ = 0;
    } else {
        ++idleLaps_;
    }
    LapOutcome lap;
    lap.value = value;
    lap.failures = score.missingConnections;
    lap.handledPads = board_.routablePads;
    // The score shown: the share of the pads joined, in percent (none with nothing to join).
    if (board_.routablePads > 0)
        lap.score = (board_.routablePads - score.unconnectedPads) * 100 / board_.routablePads;
    // With jumpers seeded, a complete board may still be made with fewer of them.
    lap.done = (!seeded_ && (score.missingConnections == 0 || lapIndex + 1 >= NegotiatedTuning::LapBudget ||
                             idleLaps_ >= NegotiatedTuning::IdleLimit)) ||
               std::max(first_->work(), second_->work()) >= NegotiatedTuning::WorkBudget;
    return lap;
}

void NegotiatedRouter::seedJumpers(const JumperList& jumpers) {
    // A seeded jumper's lands are copper that the laps keep the clearance from, as from a pad.
    if (!jumpers.empty() || !padsWithLands_.empty()) {
        buildStepRules(jumpers);
        if (jumpers.empty())
            padsWithLands_.clear();
    }
    buildBoard(jumpers);
    first_->reseed();
    second_->reseed();
    seeded_ = true;
}

void NegotiatedRouter::buildStepRules(const JumperList& jumpers) {
    const ModelLayer& layer = model_.layer();
    board_.stepRules = layer.stepsOfNet;
    board_.spacingOn = layer.spacingOn;
    board_.spacing = &layer.spacing;
    board_.widthClass = layer.widthClass;
    if (jumpers.empty() || !model_.hasRules())
        return;
    // A seeded jumper's lands are copper as real as a pad's, for this method's laps alone.
    padsWithLands_ = padsWithLands(*model_.copper, jumpers);
    copperWithLands_ = *model_.copper;
    copperWithLands_.pads = &padsWithLands_;
    stepRules_.begin(copperWithLands_, model_.rules);
    for (int net = 1; net < NetSlots; ++net)
        if (model_.widthOfNet[net] > 0)
            board_.stepRules[net] = &stepRules_.forWidth(model_.widthOfNet[net]);
}

void NegotiatedRouter::buildBoard(const JumperList& jumpers) {
    std::copy(model_.basePlane, model_.basePlane + PlaneCells, seedPlane_.begin());
    seedList_ = *links.workList;
    board_.joinedPads.clear();
    // The reader left one end of each of the drawing's jumpers out of the work list, its centre
    // pad area, so that the classic method lays no track to it. Here both ends are pads, joined
    // already: otherwise copper is sought where the wire joins, and a new jumper laid for it.
    // The pads that the drawing's kept tracks join are pad centres of the work list already.
    for (const JumperList* joins : {links.existingJumpers, links.keptJoins}) {
        if (joins == nullptr)
            continue;
        for (const Jumper& j : *joins) {
            const int net = j.net & NetMask;
            const int a = GestScheda::index(j.col1, j.row1);
            const int b = GestScheda::index(j.col2, j.row2);
            if ((seedPlane_[a] & NetMask) != net || (seedPlane_[b] & NetMask) != net)
                continue;
            seedPlane_[a] |= PadCentre;
            seedPlane_[b] |= PadCentre;
            seedList_.append(j.col1, j.row1, NeutralPriority);
            seedList_.append(j.col2, j.row2, NeutralPriority);
            board_.joinedPads.push_back({a, b});
        }
    }
    for (const Jumper& j : jumpers) {
        const int net = j.net & NetMask;
        const int a = GestScheda::index(j.col1, j.row1);
        const int b = GestScheda::index(j.col2, j.row2);
        markJumperPad(seedPlane_.data(), a, net);
        markJumperPad(seedPlane_.data(), b, net);
        seedList_.append(j.col1, j.row1, NeutralPriority);
        seedList_.append(j.col2, j.row2, NeutralPriority);
        board_.joinedPads.push_back({a, b});
    }
    board_.build(model_, seedPlane_.data(), seedList_);
}

int32_t NegotiatedRouter::valueOf(const LapScore& score) const {
    const int32_t joined = board_.routablePads - score.unconnectedPads;
    const int64_t length =
        std::min<int64_t>(score.length / StraightCost, NegotiatedTuning::JoinedPadWeight - 1);
    return joined * NegotiatedTuning::JoinedPadWeight - static_cast<int32_t>(length);
}

void NegotiatedRouter::writeWorkPlane(const Tracks& tracks) {
    GestScheda& grid = *links.grid;
    int32_t* work = grid.plane(WorkPlane);
    std::copy(seedPlane_.begin(), seedPlane_.end(), work);
    for (size_t k = 0; k < tracks.nets.size(); ++k) {
        const int32_t net = board_.nets[k].net;
        const NetTracks& t = tracks.nets[k];
        for (const PathCell& p : t.cells)
            work[p.cell] |= net | (p.dir != 0 ? Directions[p.dir].bit : PathSource);
    }
    assert(legalityFault(seedPlane_.data(), work, board_.cols, board_.rows).empty());
}

} // namespace zelta
