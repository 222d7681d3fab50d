// One worker of the negotiated method: its own tracks, congestion prices and searches. Lap 0 is a
// strict greedy pass; every later lap routes the nets again with shared cells allowed at a price,
// makes a legal copy of the result and repairs it by rip-up and retry. The worker never touches
// the shared grid, so two of them can route side by side.
#pragma once

#include "router/negotiated/DeadEnds.h"
#include "router/negotiated/LapGuard.h"
#include "router/negotiated/Legaliser.h"
#include "router/negotiated/NegotiatedBoard.h"
#include "router/negotiated/NegotiatedTuning.h"
#include "router/negotiated/NetJoiner.h"
#include "router/negotiated/RipUp.h"
#include "router/negotiated/Tracks.h"

#include <cstdint>
#include <functional>

namespace zelta {

class NegotiatedWorker {
public:
    NegotiatedWorker(const NegotiatedBoard& board, WorkerConfig config);

    void beginRun();
    // After the board was built again with other jumpers: the history and the negotiated tracks
    // kept, the legal ones gone.
    void reseed();
    // Routes one lap; its legal result is in result() and its score in score. keepGoing is asked
    // before every search (it may block while a pause lasts); once it says no, the lap is
    // abandoned and false returned, and the worker's state is good only for a new beginRun.
    bool routeLap(int32_t lapIndex, const std::function<bool()>& keepGoing);
    const Tracks& result() const { return legal_; }
    // Search work since beginRun.
    int64_t work() const { return joiner_.work(); }
    LapScore score;

private:
    void negotiatedPass(int32_t lapIndex);
    void updateHistory();
    // Makes legal_ from negotiated_: drops conflicting branches, then joins again strictly.
    void legalise();

    const NegotiatedBoard& board_;
    WorkerConfig config_;
    LapGuard guard_;
    Congestion congestion_;
    Tracks negotiated_;
    Tracks legal_;
    NetJoiner joiner_;
    DeadEnds deadEnds_;
    Legaliser legaliser_;
    RipUp ripUp_;
    OwnTrackSpacing ownSpacing_; // for the history's spacing conflicts
};

} // namespace zelta
