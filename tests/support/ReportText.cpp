// Normalising and comparing report texts.
#include "support/ReportText.h"

#include <sstream>

namespace zelta::testing {

std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        out.push_back(line);
    return out;
}

std::string normalisedLine(const std::string& line) {
    std::string out = line;
    auto open = out.rfind('(');
    if (open != std::string::npos && out.size() > open + 4 && out.compare(out.size() - 4, 4, " ms)") == 0 &&
        out.find_first_not_of("-0123456789", open + 1) == out.size() - 4)
        out = out.substr(0, open) + "(0 ms)";
    for (const std::string prefix : {"Lettura file: ", "Scrittura file: "}) {
        if (out.compare(0, prefix.size(), prefix) == 0) {
            auto slash = out.find_last_of('/');
            if (slash != std::string::npos && slash >= prefix.size())
                out = prefix + out.substr(slash + 1);
        }
    }
    return out;
}

std::string normalisedReport(const std::string& text) {
    std::string out;
    for (const std::string& line : splitLines(text))
        out += normalisedLine(line) + "\n";
    return out;
}

std::string firstDifference(const std::string& expected, const std::string& actual) {
    const std::vector<std::string> e = splitLines(expected), a = splitLines(actual);
    for (size_t n = 0; n < e.size() || n < a.size(); ++n) {
        const std::string le = n < e.size() ? e[n] : "<end>";
        const std::string la = n < a.size() ? a[n] : "<end>";
        if (n >= e.size() || n >= a.size() || le != la)
            return "line " + std::to_string(n + 1) + ": expected \"" + le + "\", got \"" + la + "\"";
    }
    return {};
}

} // namespace zelta::testing
