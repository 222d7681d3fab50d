// Millimetres as text.
#include "export/BoardCoordinates.h"

namespace zelta {

namespace {

std::string mmWith(int64_t nm, char point) {
    // The magnitude in 64 bits unsigned: the most negative value has no positive counterpart.
    const uint64_t magnitude = nm < 0 ? uint64_t{0} - static_cast<uint64_t>(nm) : static_cast<uint64_t>(nm);
    std::string text = nm < 0 ? "-" : "";
    text += std::to_string(magnitude / NmPerMm);
    std::string decimals = std::to_string(NmPerMm + magnitude % NmPerMm).substr(1);
    decimals.erase(decimals.find_last_not_of('0') + 1);
    if (!decimals.empty())
        text += point + decimals;
    return text;
}

} // namespace

std::string mmText(int64_t nm) {
    return mmWith(nm, '.');
}

std::string mmTextItalian(int64_t nm) {
    return mmWith(nm, ',');
}

} // namespace zelta
