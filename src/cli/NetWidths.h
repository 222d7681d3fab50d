// The batch route's track widths: "--width NET=CHOICE" gives a net the width choice that the
// window's track-width dialog would ("*" for every net), after the drawing is read.
#pragma once

#include "core/Init_obj.h"

#include <optional>
#include <string>
#include <vector>

namespace zelta::cli {

struct NetWidth {
    int32_t net = 0; // 0: every net
    int32_t choice = 0;
};

// The choices as given, or nothing after a message on standard error (a malformed one, a net
// outside 1..255, a choice outside 0..5).
std::optional<std::vector<NetWidth>> parseNetWidths(const std::vector<std::string>& texts);
// Sets the choices in the net table, in the order given; false after a message when a net is not
// in the drawing.
bool applyNetWidths(NetTable& nets, const std::vector<NetWidth>& widths);

} // namespace zelta::cli
