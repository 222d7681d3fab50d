// The routing methods as the settings name them: the classic laps with priorities (metodo=0), the
// negotiated method (metodo=1), and the jumper mode around either (ponticelli=1, or a drawing that
// has jumpers of its own). The application builds the method of a run here and knows nothing else
// of the methods.
#pragma once

#include "router/RoutingMethod.h"

#include <memory>

namespace zelta {

// The method the settings name for a run about to begin, reading the settings as they are now.
std::unique_ptr<RoutingMethod> makeRoutingMethod(const MethodLinks& links);

} // namespace zelta
