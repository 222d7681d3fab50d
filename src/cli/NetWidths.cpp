// Reading and applying the batch route's "--width NET=CHOICE" options.
#include "cli/NetWidths.h"

#include <cstdio>

namespace zelta::cli {

namespace {

// A whole number from low to high, the whole text and nothing else.
std::optional<int32_t> wholeNumber(const std::string& text, int32_t low, int32_t high) {
    if (text.empty() || text.size() > 3)
        return std::nullopt;
    int32_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    if (value < low || value > high)
        return std::nullopt;
    return value;
}

} // namespace

std::optional<std::vector<NetWidth>> parseNetWidths(const std::vector<std::string>& texts) {
    std::vector<NetWidth> widths;
    for (const std::string& text : texts) {
        const size_t eq = text.find('=');
        const std::string net = eq == std::string::npos ? text : text.substr(0, eq);
        const std::optional<int32_t> number =
            net == "*" ? std::optional<int32_t>(0) : wholeNumber(net, 1, NetMask);
        const std::optional<int32_t> choice =
            eq == std::string::npos ? std::nullopt : wholeNumber(text.substr(eq + 1), 0, 5);
        if (!number || !choice) {
            std::fprintf(stderr,
                         "zelta-cli: --width %s: si attende RETE=SCELTA, con RETE da 1 a %d (o * per tutte) "
                         "e SCELTA da 0 a 5 (0,25 0,5 1,0 1,5 2,5 Max)\n",
                         text.c_str(), NetMask);
            return std::nullopt;
        }
        widths.push_back({*number, *choice});
    }
    return widths;
}

bool applyNetWidths(NetTable& nets, const std::vector<NetWidth>& widths) {
    for (const NetWidth& w : widths) {
        if (w.net == 0) {
            for (auto& entry : nets)
                entry.second = w.choice;
            continue;
        }
        const auto at = nets.find(w.net);
        if (at == nets.end()) {
            std::fprintf(stderr, "zelta-cli: --width: la rete %d non è nel disegno\n", w.net);
            return false;
        }
        at->second = w.choice;
    }
    return true;
}

} // namespace zelta::cli
