// The laps of the negotiated method: both workers route the lap, one on this thread and one on a
// helper thread, and the better legal result goes into the work plane. Only this thread touches
// the grid, and only while the helper is not running.
#include "router/NegotiatedRouter.h"

#include "router/Legality.h"

#include <algorithm>
#include <atomic>
#include <cassert>
#include <chrono>
#include <thread>

namespace zelta {

namespace {

// The two workers: the first raises the price of sharing slowly and turns freely; the second
// raises it fast and keeps its tracks straight. Their results differ enough that the better of
// the two is often better than either alone.
constexpr WorkerConfig FirstWorker{1.0, 0.5, 1.3, {0, 0}};
constexpr WorkerConfig SecondWorker{1.0, 0.5, 2.0, {3, 8}};

// Lap values: a pad joined weighs more than any track length.
constexpr int32_t JoinedPadWeight = 65536;

} // namespace

NegotiatedRouter::NegotiatedRouter()
    : first_(std::make_unique<NegotiatedWorker>(board_, FirstWorker)),
      second_(std::make_unique<NegotiatedWorker>(board_, SecondWorker)) {}

NegotiatedRouter::~NegotiatedRouter() = default;

void NegotiatedRouter::beginRun() {
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
    // The helper routes its lap beside this thread. It never calls the run control's checkpoint:
    // a pause is taken on this thread, and the helper waits while it lasts; a quit seen on this
    // thread ends the helper's lap at its next step. Lap 0 is the same for both, so only the
    // first routes it.
    std::atomic<bool> abandon{false};
    std::atomic<bool> helperBusy{lapIndex > 0};
    bool secondRouted = false;
    std::thread helper;
    if (lapIndex > 0) {
        helper = std::thread([&] {
            secondRouted = second_->routeLap(lapIndex, [&] {
                while (!abandon.load() && control.paused())
                    std::this_thread::sleep_for(std::chrono::milliseconds(2));
                return !abandon.load();
            });
            helperBusy.store(false);
        });
    }
    bool firstRouted = first_->routeLap(lapIndex, [&] { return control.checkpoint(); });
    // While the helper finishes its lap this thread keeps answering pauses and quits.
    while (firstRouted && helperBusy.load()) {
        if (!control.checkpoint())
            firstRouted = false;
        else
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    if (!firstRouted)
        abandon.store(true);
    if (helper.joinable())
        helper.join();
    if (!firstRouted)
        return std::nullopt;

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
    // The window shows value / (handledPads - 1): with this count it reads as the share of the
    // pads joined, in percent.
    lap.handledPads = static_cast<int32_t>(int64_t{board_.routablePads} * JoinedPadWeight / 100) + 1;
    // With jumpers seeded, a complete board may still be made with fewer of them.
    lap.done = (!seeded_ &&
                (score.missingConnections == 0 || lapIndex + 1 >= LapBudget || idleLaps_ >= IdleLimit)) ||
               std::max(first_->work(), second_->work()) >= WorkBudget;
    return lap;
}

void NegotiatedRouter::seedJumpers(const JumperList& jumpers) {
    buildBoard(jumpers);
    first_->reseed();
    second_->reseed();
    seeded_ = true;
}

void NegotiatedRouter::buildBoard(const JumperList& jumpers) {
    const GestoreFileINI& ini = *links.settings;
    const int32_t* base = links.grid->plane(BasePlane);
    std::copy(base, base + PlaneCells, seedPlane_.begin());
    seedList_ = *links.workList;
    board_.joinedPads.clear();
    // The reader left one end of each of the drawing's jumpers out of the work list, its centre
    // pad area, so that the classic method lays no track to it. Here both ends are pads, joined
    // already: otherwise copper is sought where the wire joins, and a new jumper laid for it.
    if (links.existingJumpers) {
        for (const Jumper& j : *links.existingJumpers) {
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
    board_.build(seedPlane_.data(), seedList_, ini.cols, ini.rows);
}

int32_t NegotiatedRouter::valueOf(const LapScore& score) const {
    const int32_t joined = board_.routablePads - score.unconnectedPads;
    const int64_t length = std::min<int64_t>(score.length / StraightCost, JoinedPadWeight - 1);
    return joined * JoinedPadWeight - static_cast<int32_t>(length);
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
