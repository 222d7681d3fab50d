// The tracks of every net in one routing state: each net's branches (one found path each, from
// its far end back to the cell where it joined the net), and how many nets use each cell and
// each diagonal of a square. A legal state has no cell shared between nets and no square whose
// two diagonals are both used.
#pragma once

#include "router/grid/PathCell.h"
#include "router/negotiated/NegotiatedBoard.h"
#include "router/negotiated/NetSpacing.h"

#include <array>
#include <cstdint>
#include <vector>

namespace zelta {

struct Branch {
    int32_t first; // into NetTracks::cells
    int32_t length;
};

struct NetTracks {
    std::vector<PathCell> cells; // the branches' cells, branch after branch
    std::vector<Branch> branches;
};

class Tracks {
public:
    explicit Tracks(const NegotiatedBoard& board);

    // Back to no tracks at all (sized for the board's nets).
    void clear();
    // A path from its far end back to a cell the net already holds (or to one of its pads).
    void addBranch(int netIdx, const PathCell* path, int length);
    void addBranch(int netIdx, const std::vector<PathCell>& path) {
        addBranch(netIdx, path.data(), static_cast<int>(path.size()));
    }
    // Takes every track of the net away.
    void removeNet(int netIdx);

    // Whether the state is legal: no cell is shared between two nets, no diagonal crosses
    // another one, and with spacing on no two nets' tracks come too close.
    bool legal() const;
    // Total length of the tracks in step-cost units.
    int64_t length() const;

    const NegotiatedBoard& board;
    std::vector<NetTracks> nets; // by position in board.nets
    // Nets whose tracks use each cell.
    std::array<uint16_t, PlaneCells> cellUsers{};
    // Tracks on each diagonal slot of a square.
    std::array<uint16_t, SquareSlots> diagonalUsers{};

    // Whether the tracks of net (a net number) use the cell.
    bool uses(int cell, int net) const { return (netBits_[cell][net >> 6] >> (net & 63)) & 1; }
    // The spacing counts of this state's tracks; null when the board needs none.
    const TrackSpacing* spacing() const { return board.spacingOn ? &spacing_ : nullptr; }

private:
    void paintSpacing(int net, const PathCell& p, int delta);

    TrackSpacing spacing_;
    // Which nets use each cell, so that a cell two branches of a net share counts once.
    std::vector<std::array<uint64_t, 4>> netBits_;
};

} // namespace zelta
