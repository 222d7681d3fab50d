// Where a connection may end (the net's other pads, or once the net has a connection in this
// lap, its tracks and joined pads), which target is nearest, and the marking of a found path.
#include "router/classic/Aprizelta.h"

#include "core/Messages.h"
#include "core/Report.h"

namespace zelta {

bool ApriZelta::collectTargets() {
    TargetList& targets = targetList;
    targets.clear();
    const bool netRouted = routedNets[net & NetMask];
    int count = 0;
    if (net != 0) {
        const GestoreFileINI& ini = *links.settings;
        const int32_t* work = links.grid->plane(WorkPlane);
        for (int c = 1; c < ini.cols; ++c) {
            const int32_t* column = work + GestScheda::index(c, 0);
            for (int r = 1; r < ini.rows; ++r) {
                const int32_t w = column[r];
                if ((w & NetMask) != net || (w & PadArea) != 0)
                    continue;
                if (c == workCol && r == workRow)
                    continue;
                if ((w & PadCentre) != 0 && (w & TrackMask) == 0 && netRouted)
                    continue;
                targets.append(c, r);
                ++count;
            }
        }
    }
    report(2, msg::TargetsFound, count);
    return count != 0;
}

void ApriZelta::chooseTarget(int32_t col, int32_t row) {
    targetList.choose(col, row, targetCol, targetRow);
}

void ApriZelta::markPath() {
    int32_t* work = links.grid->plane(WorkPlane);
    ListaCoord& workList = *links.workList;
    int32_t x = targetCol;
    int32_t y = targetRow;
    for (;;) {
        const int idx = GestScheda::index(x, y);
        if (!closedList.contains(idx))
            return;
        const int dir = closedList.dirAt(idx);
        if (dir == 0)
            return;
        work[idx] |= net | Directions[dir].bit;
        if ((work[idx] & PadCentre) != 0) {
            coord pad{x, y, 0};
            if (workList.find(pad) && pad.value <= RaisedAbove) {
                ++handledPads;
                workList.setValue(x, y, pad.value + NeutralPriority);
            }
        }
        x += Directions[dir].dc;
        y += Directions[dir].dr;
        if (x == workCol && y == workRow) {
            work[GestScheda::index(x, y)] |= PathSource;
            return;
        }
    }
}

} // namespace zelta
