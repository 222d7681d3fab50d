// The open nets of a routed plane: the groups of each net's pads, and whether the free board has a
// way between them at all.
#include "router/OpenNets.h"

#include "core/Messages.h"
#include "router/grid/BoardNets.h"
#include "router/grid/CellStamps.h"
#include "router/grid/Moves.h"
#include "router/grid/PadGroups.h"
#include "router/grid/PlaneGroups.h"

#include <algorithm>

namespace zelta {

namespace {

// Whether every cell of targets can be reached from sources by net on the board without tracks:
// over free cells and the net's own copper, never diagonally past a corner that is another net's
// pad centre, and across the drawing's jumpers of the net.
bool reachableOnFreeBoard(const int32_t* base, int32_t cols, int32_t rows, int net,
                          const std::vector<int32_t>& sources, const std::vector<int32_t>& targets,
                          const JumperList& existing) {
    CellStamps reached;
    std::vector<int32_t> queue;
    auto reach = [&](int cell) {
        if (!reached.has(cell)) {
            reached.set(cell);
            queue.push_back(cell);
        }
    };
    auto passable = [&](int cell) {
        const int c = cell / GridRows;
        const int r = cell % GridRows;
        if (c < 1 || c >= cols || r < 1 || r >= rows)
            return false;
        const int32_t w = base[cell];
        return (w & OccupiedMask) == 0 || (w & NetMask) == net;
    };
    auto otherPadCentre = [&](int cell) {
        return (base[cell] & PadCentre) != 0 && (base[cell] & NetMask) != net;
    };
    for (int32_t cell : sources)
        reach(cell);
    for (size_t head = 0; head < queue.size(); ++head) {
        const int cell = queue[head];
        for (const Jumper& j : existing) {
            const int a = GestScheda::index(j.col1, j.row1);
            const int b = GestScheda::index(j.col2, j.row2);
            if ((j.net & NetMask) == net && (cell == a || cell == b))
                reach(cell == a ? b : a);
        }
        for (int m = 1; m <= 8; ++m) {
            const int next = cell + CellStep[m];
            if (!passable(next))
                continue;
            if (isDiagonal(m) &&
                (otherPadCentre(cell + CellStep[m - 1]) || otherPadCentre(cell + CellStep[m % 8 + 1])))
                continue;
            reach(next);
        }
    }
    return std::all_of(targets.begin(), targets.end(), [&](int32_t cell) { return reached.has(cell); });
}

} // namespace

std::vector<OpenNet> openNets(const int32_t* basePlane, const int32_t* plane, const ListaCoord& workList,
                              int32_t cols, int32_t rows, const JumperList& existing, const JumperList& laid,
                              JumperRun jumpers) {
    BoardNets board;
    board.build(basePlane, workList, cols, rows);
    PlaneGroups planeGroups;
    planeGroups.read(plane, cols, rows, board, {&existing, &laid});
    PadGroups padGroups;
    std::vector<OpenNet> open;
    for (const BoardNets::Net& n : board.nets) {
        const auto cellOf = [&](int i) { return board.padCell(n, i); };
        if (padGroups.count(planeGroups.sets, n.padCount, cellOf) <= 1)
            continue;
        const int mainRoot = padGroups.largest([](const PadGroups::Group&) { return true; });
        OpenNet net{n.net, {}, OpenReason::BlockedByTracks};
        std::vector<int32_t> joined;
        for (int i = 0; i < n.padCount; ++i)
            (planeGroups.sets.find(cellOf(i)) == mainRoot ? joined : net.pads).push_back(cellOf(i));
        if (jumpers.on)
            net.reason = jumpers.limitReached ? OpenReason::JumperLimit : OpenReason::NoJumperSite;
        else if (!reachableOnFreeBoard(basePlane, cols, rows, n.net, joined, net.pads, existing))
            net.reason = OpenReason::NoPathOnFreeBoard;
        open.push_back(std::move(net));
    }
    std::sort(open.begin(), open.end(), [](const OpenNet& a, const OpenNet& b) { return a.net < b.net; });
    return open;
}

const char* openReasonText(OpenReason reason) {
    switch (reason) {
    case OpenReason::NoPathOnFreeBoard:
        return msg::OpenNoPath;
    case OpenReason::BlockedByTracks:
        return msg::OpenBlocked;
    case OpenReason::JumperLimit:
        return msg::OpenJumperLimit;
    case OpenReason::NoJumperSite:
        return msg::OpenNoJumperSite;
    }
    return "";
}

} // namespace zelta
