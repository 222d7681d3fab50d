// The legal part of a negotiated routing state: branches of different nets that share a cell or
// cross diagonals conflict; the branch with the most conflicts goes first until none is left, and
// the rest is kept.
#pragma once

#include "router/negotiated/Tracks.h"

#include <cstdint>
#include <utility>
#include <vector>

namespace zelta {

class Legaliser {
public:
    // Makes to the branches of from that are kept; to is then legal.
    void keepConflictFree(const Tracks& from, Tracks& to);

private:
    struct BranchRef {
        int32_t netIdx;
        int32_t branch;
        int32_t length;
    };
    struct Incidence {
        int32_t where; // a contested cell, or a diagonal slot whose square has both diagonals
        int32_t branch;
        bool operator<(const Incidence& o) const {
            return where != o.where ? where < o.where : branch < o.branch;
        }
    };
    // With spacing: the pairs of branches of different nets whose tracks come too close.
    void addSpacingConflicts(const Tracks& from, const TrackSpacing& spacing);

    struct HalfEntry {
        int32_t h;
        int32_t branch;
        int32_t cls;
        bool operator<(const HalfEntry& o) const { return h != o.h ? h < o.h : branch < o.branch; }
    };
    std::vector<HalfEntry> halfEntries_;
    std::vector<int32_t> firstAt_; // by half point: its first entry, -1 for none
    std::vector<BranchRef> branches_;
    std::vector<Incidence> cellIncidences_;
    std::vector<Incidence> squareIncidences_;
    std::vector<std::pair<int32_t, int32_t>> conflicts_;
    std::vector<int32_t> conflictCount_;
    std::vector<uint8_t> dropped_;
};

} // namespace zelta
