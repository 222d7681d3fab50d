// Numeric option checks: the text is read with the same conversions the parser uses, so a value
// accepted here converts there.
#include "cli/NumberOptions.h"

#include "core/Messages.h"
#include "core/Report.h"

#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <optional>

namespace zelta::cli {

namespace {

constexpr int32_t MaxCount = std::numeric_limits<int32_t>::max();

std::optional<double> finiteNumber(const std::string& text) {
    if (text.empty())
        return std::nullopt;
    char* end = nullptr;
    const double value = static_cast<double>(std::strtold(text.c_str(), &end));
    if (end != text.c_str() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

} // namespace

std::string checkCount(const std::string& text) {
    char* end = nullptr;
    errno = 0;
    const long long value = text.empty() ? 0 : std::strtoll(text.c_str(), &end, 0);
    if (text.empty() || end != text.c_str() + text.size() || errno == ERANGE || value < 1 || value > MaxCount)
        return strprintf(msg::CliNotPositiveWhole, text.c_str(), MaxCount);
    return {};
}

std::string checkPositive(const std::string& text) {
    const std::optional<double> value = finiteNumber(text);
    if (!value || *value <= 0)
        return strprintf(msg::CliNotPositive, text.c_str());
    return {};
}

std::string checkWithin(const std::string& text, double low, double high) {
    const std::optional<double> value = finiteNumber(text);
    if (!value || *value < low || *value > high)
        return strprintf(msg::CliNotInRange, text.c_str(), low, high);
    return {};
}

} // namespace zelta::cli
