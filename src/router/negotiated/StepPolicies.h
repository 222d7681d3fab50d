// The step policies of the path search. Strict: another net's track is a wall, as is a diagonal
// crossing any diagonal already laid. Negotiated: another net's track only costs more, the more
// nets already use the cell and the more it was contested in earlier laps. Rip-up: another net's
// track costs a fixed price, the price of moving it out of the way.
#pragma once

#include "router/grid/CellStamps.h"
#include "router/negotiated/Tracks.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace zelta {

// Costs are whole numbers so that every comparison in the search is exact; a step's cost is kept
// well inside 64 bits whatever the multipliers.
inline int64_t scaledCost(int32_t base, double factor) {
    const double cost = base * factor;
    return cost > 1e9 ? int64_t{1000000000} : static_cast<int64_t>(cost + 0.5);
}

struct StrictPolicy {
    const Tracks& tracks;
    int net;
    // Extra cost of cells contested in earlier laps (none when empty), so that reconnections keep
    // off the ground other nets fought over.
    const std::vector<float>* history = nullptr;
    SpacingView spacing{};

    int64_t stepCost(int from, int to, int move, int32_t base) const {
        if (!tracks.board.passable(to, net) || !tracks.board.stepAllowed(from, move, net))
            return -1;
        if (spacing.spacing != nullptr && spacing.conflicts(from, to, move) != 0)
            return -1;
        if (tracks.cellUsers[to] > (tracks.uses(to, net) ? 1 : 0))
            return -1;
        if (isDiagonal(move)) {
            const int slot = diagonalSlot(from, move);
            if (tracks.diagonalUsers[crossingSlot(slot)] != 0 || !tracks.board.diagonalAllowed(slot, net))
                return -1;
        }
        if (history == nullptr)
            return base;
        return scaledCost(base, 1.0 + (*history)[to]);
    }
};

struct NegotiatedPolicy {
    const Tracks& tracks;
    int net;
    const std::vector<float>& history;       // by cell
    const std::vector<float>& squareHistory; // by square
    // The own net's diagonals: crossing one is never allowed.
    const CellStamps& ownDiagonal;
    double present;
    SpacingView spacing{};

    int64_t stepCost(int from, int to, int move, int32_t base) const {
        if (!tracks.board.passable(to, net) || !tracks.board.stepAllowed(from, move, net))
            return -1;
        int others = tracks.cellUsers[to] - (tracks.uses(to, net) ? 1 : 0);
        // Other nets' tracks too close count as sharing the cell (those on it among them).
        if (spacing.spacing != nullptr)
            others = std::max(others, spacing.entering(from, to, move));
        double factor = (1.0 + history[to]) * (1.0 + present * others);
        if (isDiagonal(move)) {
            const int slot = diagonalSlot(from, move);
            const int crossing = crossingSlot(slot);
            if (ownDiagonal.has(crossing) || !tracks.board.diagonalAllowed(slot, net))
                return -1;
            factor *= (1.0 + squareHistory[slot >> 1]) * (1.0 + present * tracks.diagonalUsers[crossing]);
        }
        return scaledCost(base, factor);
    }
};

// Another net's tracks are passable at a price per cell and per crossed diagonal: the search
// finds the connection that would need the fewest other tracks moved out of its way.
struct RipUpPolicy {
    const Tracks& tracks;
    int net;
    const CellStamps& ownDiagonal;
    int32_t ripCost; // per cell of another net's track, and per diagonal crossed
    SpacingView spacing{};

    int64_t stepCost(int from, int to, int move, int32_t base) const {
        if (!tracks.board.passable(to, net) || !tracks.board.stepAllowed(from, move, net))
            return -1;
        int64_t cost = base;
        // With spacing, a step too close to other nets' tracks (on them or crossing them among
        // it) costs the price once for its middle and once for its end instead.
        const bool spaced = spacing.spacing != nullptr;
        if (!spaced && tracks.cellUsers[to] > (tracks.uses(to, net) ? 1 : 0))
            cost += ripCost;
        if (isDiagonal(move)) {
            const int slot = diagonalSlot(from, move);
            const int crossing = crossingSlot(slot);
            if (ownDiagonal.has(crossing) || !tracks.board.diagonalAllowed(slot, net))
                return -1;
            if (!spaced && tracks.diagonalUsers[crossing] != 0)
                cost += ripCost;
        }
        if (spaced)
            cost += ripCost * spacing.entering(from, to, move);
        return cost;
    }
};

} // namespace zelta
