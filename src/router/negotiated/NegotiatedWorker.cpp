// The laps of one worker: a strict greedy lap first, then negotiated laps in which every net is
// routed again with shared cells allowed at a price that rises from lap to lap, each followed by
// the history update, a legal copy of the result and its repair.
#include "router/negotiated/NegotiatedWorker.h"

#include <algorithm>
#include <cassert>

namespace zelta {

NegotiatedWorker::NegotiatedWorker(const NegotiatedBoard& board, WorkerConfig config)
    : board_(board), config_(config), negotiated_(board), legal_(board),
      joiner_(board, config.turns, congestion_, guard_), deadEnds_(board),
      ripUp_(board, joiner_, deadEnds_, guard_) {}

void NegotiatedWorker::beginRun() {
    negotiated_.clear();
    legal_.clear();
    std::fill(congestion_.history.begin(), congestion_.history.end(), 0.0f);
    std::fill(congestion_.squareHistory.begin(), congestion_.squareHistory.end(), 0.0f);
    congestion_.present = 0;
    joiner_.beginRun();
    ownSpacing_.reset();
    score = {};
}

void NegotiatedWorker::reseed() {
    // The nets keep their order, so the negotiated tracks stay where they were: the next lap
    // routes every net again, off the new pads.
    legal_.clear();
    joiner_.reseed();
}

bool NegotiatedWorker::routeLap(int32_t lapIndex, const std::function<bool()>& keepGoing) {
    guard_.begin(keepGoing);
    if (lapIndex == 0) {
        // Strict greedy: every net in turn, other nets' tracks as walls. A legal result that no
        // later lap can fall below, since the best lap is kept.
        legal_.clear();
        for (size_t k = 0; k < board_.nets.size() && guard_.alive(); ++k)
            joiner_.connectNet(legal_, static_cast<int>(k), NetJoiner::Mode::Strict, false);
    } else {
        negotiatedPass(lapIndex);
        if (!guard_.abandoned()) {
            updateHistory();
            legalise();
        }
        if (!guard_.abandoned())
            ripUp_.repair(legal_);
    }
    if (guard_.abandoned())
        return false;
    score = joiner_.scoreOf(legal_);
    return true;
}

void NegotiatedWorker::negotiatedPass(int32_t lapIndex) {
    // The first negotiated lap ignores congestion; from the second, sharing costs more each lap.
    double& present = congestion_.present;
    if (lapIndex <= 1)
        present = 0;
    else if (lapIndex == 2)
        present = config_.presentStart;
    else
        present = std::min(present * config_.presentGrowth, NegotiatedTuning::MaxPresent);

    for (size_t k = 0; k < board_.nets.size() && guard_.alive(); ++k) {
        negotiated_.removeNet(static_cast<int>(k));
        joiner_.connectNet(negotiated_, static_cast<int>(k), NetJoiner::Mode::Negotiated, false);
    }
}

void NegotiatedWorker::updateHistory() {
    const float gain = static_cast<float>(config_.historyGain);
    for (int i = 0; i < PlaneCells; ++i)
        if (negotiated_.cellUsers[i] > 1)
            congestion_.history[i] += gain * static_cast<float>(negotiated_.cellUsers[i] - 1);
    for (int s = 0; s < PlaneCells; ++s)
        if (negotiated_.diagonalUsers[2 * s] != 0 && negotiated_.diagonalUsers[2 * s + 1] != 0)
            congestion_.squareHistory[s] += gain;
    // With spacing, a cell of a track that another net's track comes too close to was fought
    // over as well.
    const TrackSpacing* spacing = negotiated_.spacing();
    if (spacing == nullptr)
        return;
    for (size_t k = 0; k < board_.nets.size(); ++k) {
        const NetTracks& t = negotiated_.nets[k];
        ownSpacing_.begin(*spacing, board_.widthClass[board_.nets[k].net]);
        ownSpacing_.add(t.cells.data(), static_cast<int>(t.cells.size()));
        const SpacingView view{spacing, &ownSpacing_};
        for (const PathCell& p : t.cells)
            if (negotiated_.cellUsers[p.cell] <= 1 && view.othersNear(spacing->halfOfPoint(p.cell)))
                congestion_.history[p.cell] += gain;
    }
}

void NegotiatedWorker::legalise() {
    legaliser_.keepConflictFree(negotiated_, legal_);
    for (size_t k = 0; k < board_.nets.size(); ++k)
        deadEnds_.prune(legal_, static_cast<int>(k));
    // What fell apart is joined again by strict searches.
    for (size_t k = 0; k < board_.nets.size() && guard_.alive(); ++k) {
        joiner_.connectNet(legal_, static_cast<int>(k), NetJoiner::Mode::Strict, true);
        deadEnds_.prune(legal_, static_cast<int>(k));
    }
    assert(guard_.abandoned() || legal_.legal());
}

} // namespace zelta
