// Building the method of a run: the method the settings name, inside the jumper mode when the
// mode is on or the drawing has jumpers.
#include "router/Methods.h"

#include "router/classic/Aprizelta.h"
#include "router/jumpers/JumperMode.h"
#include "router/negotiated/NegotiatedRouter.h"

namespace zelta {

namespace {

std::unique_ptr<RoutingMethod> namedMethod(const MethodLinks& links) {
    if (links.settings->metodo == 1) {
        auto negotiated = std::make_unique<NegotiatedRouter>();
        negotiated->links = links;
        return negotiated;
    }
    auto classic = std::make_unique<ApriZelta>();
    classic->links = links;
    classic->readSettings();
    return classic;
}

} // namespace

std::unique_ptr<RoutingMethod> makeRoutingMethod(const MethodLinks& links) {
    std::unique_ptr<RoutingMethod> method = namedMethod(links);
    // The drawing's own jumpers join their pads in either mode: the pass then lays no jumper but
    // joins the pads beyond them, which the methods cannot aim at.
    const bool drawnJumpers = links.existingJumpers != nullptr && !links.existingJumpers->empty();
    if (!links.settings->ponticelli && !drawnJumpers)
        return method;
    auto mode = std::make_unique<JumperMode>(std::move(method));
    mode->links = links;
    return mode;
}

} // namespace zelta
