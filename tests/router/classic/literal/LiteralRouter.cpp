// The reference router, each operation written out step by step with linear lists.
#include "router/classic/literal/LiteralRouter.h"

#include "core/Messages.h"
#include "core/Report.h"

#include <algorithm>
#include <cmath>

namespace zelta::literal {

namespace {

// Indexed by direction 1..8; entry 0 is the start cell's "no direction".
constexpr int32_t colChange[9] = {0, 0, 1, 1, 1, 0, -1, -1, -1};
constexpr int32_t rowChange[9] = {0, -1, -1, 0, 1, 1, 1, 0, -1};

int32_t dirBit(int d) {
    return int32_t{0x100} << (d - 1);
}

int oppositeOf(int d) {
    return ((d + 3) % 8) + 1;
}

// Moves tried from a node, by the node's dir; 0 ends a row.
constexpr int moveOrder[9][9] = {
    {1, 2, 3, 4, 5, 6, 7, 8, 0}, {5, 3, 7, 4, 6, 0}, {6, 5, 7, 4, 8, 0},
    {7, 5, 1, 6, 8, 0},          {8, 7, 1, 6, 2, 0}, {1, 7, 3, 8, 2, 0},
    {2, 1, 3, 8, 4, 0},          {3, 1, 5, 2, 4, 0}, {4, 3, 5, 2, 6, 0},
};

constexpr int32_t Neutral = 1000000;

} // namespace

int32_t LiteralRouter::estimateCost(int32_t c1, int32_t r1, int32_t c2, int32_t r2) {
    int32_t dx = c2 - c1 < 0 ? c1 - c2 : c2 - c1;
    int32_t dy = r2 - r1 < 0 ? r1 - r2 : r2 - r1;
    int32_t m = std::min(dx, dy);
    return (m * 1710) / 100 + (dx - m) * 10 + (dy - m) * 10;
}

void LiteralRouter::report(int level, const std::string& text) {
    int debug = settings_.debug;
    if (level == 1 && debug < 1)
        return;
    if (level == 2 && debug != 2)
        return;
    host_.reportLine(text);
}

void LiteralRouter::run(RunControl& control) {
    coord e{};
    bool more = workList_.first(e);
    while (more) {
        workList_.setValue(e.col, e.row, Neutral);
        more = workList_.next(e);
    }
    int32_t laps = 0;
    int32_t idleLaps = 0;
    int32_t bestValue = -999999;
    int32_t lapValue = 0;
    int32_t failures = 0;

    for (;;) {
        grid_.copyPlane(BasePlane, WorkPlane);
        routedNets.clear();
        handledPads = 0;
        lapValue = 0;
        failures = 0;

        for (;;) {
            if (!control.checkpoint()) {
                control.workerFinished();
                return;
            }
            if (!pickWorkCell())
                break;
            int32_t startEstimate = 0;
            ConnectionResult result = routeConnection(laps < fastLaps, startEstimate);
            if (result == ConnectionResult::NoTarget) {
                workList_.setValue(workCol, workRow, 2000000);
                continue;
            }
            int32_t delta = 0;
            if (result == ConnectionResult::Found) {
                delta = -(candidate.f / startEstimate);
                report(2, msg::ConnectionFound);
            } else {
                delta = -300;
                failures += 1;
                report(2, msg::ConnectionNotFound);
            }
            handledPads += 1;
            lapValue += delta + 101;
            coord pad{workCol, workRow, 0};
            workList_.find(pad);
            int32_t v = pad.value + delta;
            if (v < 1)
                v = 1;
            v = v + Neutral;
            workList_.setValue(workCol, workRow, v);
        }

        laps += 1;
        idleLaps += 1;
        report(1, strprintf(msg::LapEnd, lapValue, bestValue, failures, handledPads));

        bool improved = false;
        if (lapValue > bestValue) {
            improved = true;
            bestValue = lapValue;
            idleLaps = 0;
            grid_.copyPlane(WorkPlane, BestPlane);
            // A lap can end with one found connection and handledPads at 1 (its target's centre
            // was overwritten by another pad's area, so the path ran into no counted centre);
            // the divisor is then 0 and the score is shown as missing.
            if (lapValue >= 1 && handledPads != 0 && handledPads - 1 != 0)
                host_.setText(Field::valore, std::to_string(lapValue / (handledPads - 1)));
            else
                host_.setText(Field::valore, msg::NoScore);
            host_.setText(Field::piazzscoll, std::to_string(failures));
            if (control.onBestImproved)
                control.onBestImproved(grid_.plane(BestPlane), JumperList{});
        }

        host_.setText(Field::ciclitot, std::to_string(laps));
        host_.setText(Field::ciclivuoto, std::to_string(idleLaps));

        more = workList_.first(e);
        while (more) {
            workList_.setValue(e.col, e.row, e.value - Neutral);
            more = workList_.next(e);
        }
        workList_.sortByValue();

        if (control.onLapEnd)
            control.onLapEnd(
                LapFigures{laps, idleLaps, lapValue, bestValue, failures, handledPads, improved, false});
    }
}

bool LiteralRouter::pickWorkCell() {
    coord e{};
    bool ok = workList_.first(e);
    while (ok && e.value > 1100000)
        ok = workList_.next(e);
    workCol = e.col;
    workRow = e.row;
    if (workCol == 0 || workRow == 0) {
        report(2, msg::NoMoreWork);
        return false;
    }
    net = work(workCol, workRow) & NetMask;
    report(2, strprintf(msg::PickedWork, workCol, workRow, net));
    return true;
}

ConnectionResult LiteralRouter::routeConnection(bool fastLap, int32_t& startEstimate) {
    clearSearch();
    if (!collectTargets())
        return ConnectionResult::NoTarget;
    chooseTarget(workCol, workRow);
    report(2, strprintf(msg::TargetChosen, targetCol, targetRow));

    current = nodo{0, estimateCost(workCol, workRow, targetCol, targetRow), workCol, workRow, 0};
    startEstimate = current.f;
    openInsert(current);
    bool found = false;
    bool fastAbort = false;
    int32_t k = 0;

    while (openPop()) {
        for (const int* m = moveOrder[current.dir]; *m != 0; ++m) {
            int result = expandMove(*m);
            if (result == 2) {
                found = true;
                closedList.push_back(candidate);
                markPath();
                routedNets.push_back(net);
                break;
            }
            if (result == 1) {
                openInsert(candidate);
                if (fastLap && 2 * startEstimate < candidate.f) {
                    report(2, msg::FastLapAbort);
                    fastAbort = true;
                    break;
                }
            }
        }
        if (found || fastAbort)
            break;
        k += 1;
        if (k == retargetEvery) {
            recalculateTarget(startEstimate);
            k = 0;
        }
    }
    return found ? ConnectionResult::Found : ConnectionResult::NotFound;
}

void LiteralRouter::recalculateTarget(int32_t& startEstimate) {
    int32_t oldCol = targetCol;
    int32_t oldRow = targetRow;
    chooseTarget(candidate.col, candidate.row);
    if (targetCol == oldCol && targetRow == oldRow)
        return;
    for (nodo& n : openList)
        n.f = n.g + estimateCost(targetCol, targetRow, n.col, n.row);
    openList.sort([](const nodo& a, const nodo& b) { return a.f < b.f; }); // std::list::sort is stable
    startEstimate = estimateCost(targetCol, targetRow, workCol, workRow);
    report(2, strprintf(msg::TargetChanged, targetCol, targetRow));
}

int LiteralRouter::expandMove(int m) {
    const int32_t c0 = current.col;
    const int32_t r0 = current.row;
    const int32_t c = c0 + colChange[m];
    const int32_t r = r0 + rowChange[m];
    candidate.dir = static_cast<uint8_t>(oppositeOf(m));
    int32_t cost = (m % 2 == 1) ? 10 : 16 + diagonalPenalty;

    if (!(1 <= c && c < settings_.cols && 1 <= r && r < settings_.rows))
        return 0;

    const int32_t w = work(c, r);
    if ((w & OccupiedMask) != 0 && (w & NetMask) != net)
        return 0;

    if (m == 2 && ((work(c0, r0 - 1) & dirBit(4)) != 0 || (work(c0 + 1, r0) & dirBit(8)) != 0))
        return 0;
    if (m == 4 && ((work(c0 + 1, r0) & dirBit(6)) != 0 || (work(c0, r0 + 1) & dirBit(2)) != 0))
        return 0;
    if (m == 6 && ((work(c0, r0 + 1) & dirBit(8)) != 0 || (work(c0 - 1, r0) & dirBit(4)) != 0))
        return 0;
    if (m == 8 && ((work(c0 - 1, r0) & dirBit(2)) != 0 || (work(c0, r0 - 1) & dirBit(6)) != 0))
        return 0;
    if (overlapsForeignPad(c0, r0, c, r))
        return 0;

    if (candidate.dir != current.dir)
        cost = cost + bendPenalty + 3;

    candidate.col = c;
    candidate.row = r;
    candidate.g = current.g + cost;
    candidate.f = candidate.g + estimateCost(c, r, targetCol, targetRow);

    if (c == targetCol && r == targetRow)
        return 2;

    coord cell{c, r, 0};
    if ((w & NetMask) == net && (w & PadArea) == 0 && targetList.find(cell) &&
        estimateCost(c, r, targetCol, targetRow) >= 20) {
        targetCol = c;
        targetRow = r;
        return 2;
    }

    for (const nodo& n : closedList)
        if (n.col == c && n.row == r)
            return 0;
    return 1;
}

// The nearest approach of the step's centre line to a pad's copper, by ternary search along the
// step: the distance from a point to a convex shape is convex along a line. A pad is the set of
// points within its corner radius of its outline shrunk by that radius.
bool LiteralRouter::overlapsForeignPad(int32_t c0, int32_t r0, int32_t c, int32_t r) const {
    if (copperPads.empty())
        return false;
    const auto choice = widthChoices.find(net);
    const int32_t width = choice == widthChoices.end() || choice->second == 0
                              ? 2
                              : (choice->second >= 1 && choice->second <= 5 ? 4 : 1);
    const double ax = 10.0 * c0, ay = 10.0 * r0, bx = 10.0 * c, by = 10.0 * r;
    for (const CopperPad& p : copperPads) {
        if (p.net == net && p.net != 0)
            continue;
        const double sx = std::abs(double(p.sx)), sy = std::abs(double(p.sy));
        const double radius =
            p.style == 1 ? 0 : (p.style == 2 ? 0.3 * std::min(sx, sy) : std::min(sx, sy) / 2);
        const double hx = sx / 2 - radius, hy = sy / 2 - radius;
        // A pad farther from the step's middle than both can reach is not looked at closer.
        if (std::hypot((ax + bx) / 2 - p.x, (ay + by) / 2 - p.y) > std::hypot(sx, sy) / 2 + 8 + width)
            continue;
        auto distance = [&](double t) {
            const double x = ax + (bx - ax) * t, y = ay + (by - ay) * t;
            const double dx = std::max(0.0, std::abs(x - p.x) - hx),
                         dy = std::max(0.0, std::abs(y - p.y) - hy);
            return std::sqrt(dx * dx + dy * dy);
        };
        double lo = 0, hi = 1;
        for (int i = 0; i < 80; ++i) {
            const double m1 = lo + (hi - lo) / 3, m2 = hi - (hi - lo) / 3;
            if (distance(m1) < distance(m2))
                hi = m2;
            else
                lo = m1;
        }
        const double nearest = std::min({distance(0), distance(1), distance((lo + hi) / 2)});
        if (nearest - radius - width / 2.0 < -1e-7)
            return true;
    }
    return false;
}

void LiteralRouter::clearSearch() {
    openList.clear();
    closedList.clear();
}

void LiteralRouter::openInsert(nodo node) {
    auto same = std::find_if(openList.begin(), openList.end(),
                             [&](const nodo& n) { return n.col == node.col && n.row == node.row; });
    if (same != openList.end()) {
        if (same->f <= node.f)
            return;
        openList.remove_if([&](const nodo& n) { return n.col == node.col && n.row == node.row; });
    }
    auto before =
        std::find_if(openList.begin(), openList.end(), [&](const nodo& n) { return n.f >= node.f; });
    openList.insert(before, node);
}

bool LiteralRouter::openPop() {
    if (openList.empty())
        return false;
    current = openList.front();
    closedList.push_back(current);
    openList.pop_front();
    return true;
}

bool LiteralRouter::collectTargets() {
    targetList.clear();
    bool netRouted = std::find(routedNets.begin(), routedNets.end(), net) != routedNets.end();
    int32_t count = 0;
    if (net != 0) {
        for (int32_t c = 1; c <= settings_.cols - 1; ++c) {
            for (int32_t r = 1; r <= settings_.rows - 1; ++r) {
                int32_t w = work(c, r);
                bool qualifies = (w & NetMask) == net && (w & PadArea) == 0 &&
                                 !(c == workCol && r == workRow) &&
                                 !((w & PadCentre) != 0 && (w & TrackMask) == 0 && netRouted);
                if (qualifies) {
                    targetList.append(c, r, 0);
                    count += 1;
                }
            }
        }
    }
    report(2, strprintf(msg::TargetsFound, count));
    return count != 0;
}

void LiteralRouter::chooseTarget(int32_t col, int32_t row) {
    coord e{};
    bool ok = targetList.first(e);
    while (ok) {
        targetList.setValue(e.col, e.row, estimateCost(e.col, e.row, col, row));
        ok = targetList.next(e);
    }
    targetList.sortByValue();
    targetList.first(e);
    targetCol = e.col;
    targetRow = e.row;
}

void LiteralRouter::markPath() {
    int32_t x = targetCol;
    int32_t y = targetRow;
    for (;;) {
        auto node = std::find_if(closedList.begin(), closedList.end(),
                                 [&](const nodo& n) { return n.col == x && n.row == y; });
        if (node == closedList.end() || node->dir == 0)
            return;
        const int d = node->dir;
        work(x, y) = work(x, y) | net | dirBit(d);
        if ((work(x, y) & PadCentre) != 0) {
            coord pad{x, y, 0};
            // Every centre of a net other than 0 has its entry; a miss leaves the list alone.
            if (workList_.find(pad) && pad.value <= 1500000) {
                handledPads += 1;
                workList_.setValue(x, y, pad.value + 1000000);
            }
        }
        x += colChange[d];
        y += rowChange[d];
        if (x == workCol && y == workRow) {
            work(x, y) = work(x, y) | PathSource;
            return;
        }
    }
}

} // namespace zelta::literal
