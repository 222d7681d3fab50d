// The laps of one worker: a strict greedy lap first, then negotiated laps in which every net is
// routed again with shared cells allowed at a price that rises from lap to lap, each followed by
// the history update, a legal copy of the result and its repair.
#include "router/NegotiatedWorker.h"

#include <algorithm>

namespace zelta {

namespace {
// The present-congestion factor stops growing here: beyond it a shared cell is as good as a wall.
constexpr double MaxPresent = 1000.0;
// Depth of the repair's tries: a net pushed aside may push one more in turn.
constexpr int RipDepth = 2;
} // namespace

NegotiatedWorker::NegotiatedWorker(const NegotiatedBoard& board, WorkerConfig config)
    : board_(board), config_(config), negotiated_(board), legal_(board), search_(config.turns),
      ripLevels_(RipDepth) {
    leaves_.reserve(PlaneCells);
    pruneCells_.reserve(PlaneCells);
}

void NegotiatedWorker::beginRun() {
    negotiated_.clear();
    legal_.clear();
    std::fill(history_.begin(), history_.end(), 0.0f);
    std::fill(squareHistory_.begin(), squareHistory_.end(), 0.0f);
    present_ = 0;
    search_.resetWork();
    padTried_.assign(board_.pads.size(), 0);
    groupPads_.reserve(board_.pads.size());
    score = {};
}

void NegotiatedWorker::reseed() {
    // The nets keep their order, so the negotiated tracks stay where they were: the next lap
    // routes every net again, off the new pads.
    legal_.clear();
    padTried_.assign(board_.pads.size(), 0);
    groupPads_.reserve(board_.pads.size());
}

bool NegotiatedWorker::routeLap(int32_t lapIndex, const std::function<bool()>& keepGoing) {
    keepGoing_ = &keepGoing;
    abandoned_ = false;
    if (lapIndex == 0) {
        // Strict greedy: every net in turn, other nets' tracks as walls. A legal result that no
        // later lap can fall below, since the best lap is kept.
        legal_.clear();
        for (size_t k = 0; k < board_.nets.size() && alive(); ++k)
            connectNet(legal_, static_cast<int>(k), Mode::Strict, false);
    } else {
        negotiatedPass(lapIndex);
        if (!abandoned_) {
            updateHistory();
            legalise();
        }
        if (!abandoned_)
            repair(legal_);
    }
    if (abandoned_)
        return false;
    score = scoreOf(legal_);
    return true;
}

void NegotiatedWorker::negotiatedPass(int32_t lapIndex) {
    // The first negotiated lap ignores congestion; from the second, sharing costs more each lap.
    if (lapIndex <= 1)
        present_ = 0;
    else if (lapIndex == 2)
        present_ = config_.presentStart;
    else
        present_ = std::min(present_ * config_.presentGrowth, MaxPresent);

    for (size_t k = 0; k < board_.nets.size() && alive(); ++k) {
        negotiated_.removeNet(static_cast<int>(k));
        connectNet(negotiated_, static_cast<int>(k), Mode::Negotiated, false);
    }
}

void NegotiatedWorker::updateHistory() {
    const float gain = static_cast<float>(config_.historyGain);
    for (int i = 0; i < PlaneCells; ++i)
        if (negotiated_.cellUsers[i] > 1)
            history_[i] += gain * static_cast<float>(negotiated_.cellUsers[i] - 1);
    for (int s = 0; s < PlaneCells; ++s)
        if (negotiated_.diagonalUsers[2 * s] != 0 && negotiated_.diagonalUsers[2 * s + 1] != 0)
            squareHistory_[s] += gain;
}

} // namespace zelta
