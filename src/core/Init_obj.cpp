// Plane copies of the routing grid.
#include "core/Init_obj.h"

#include <algorithm>

namespace zelta {

void GestScheda::copyPlane(int from, int to) {
    if (from == to)
        return;
    std::copy_n(plane(from), PlaneCells, plane(to));
}

} // namespace zelta
