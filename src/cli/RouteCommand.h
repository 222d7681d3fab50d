// "zelta-cli route": the desktop session without the clicks, from drawing to routed drawing.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace zelta::cli {

// Exit statuses of the batch tool.
inline constexpr int ExitOk = 0;
inline constexpr int ExitUsage = 1;
inline constexpr int ExitRead = 2;
inline constexpr int ExitWrite = 3;
inline constexpr int ExitShort = 4;
// A check that finds copper of two nets closer than the clearance, and no short.
inline constexpr int ExitClearance = 5;
// A route that SIGINT, SIGTERM or SIGHUP stopped exits with 128 plus the signal's number (130,
// 143, 129), as a shell reports a command the signal ended.

struct RouteOptions {
    std::string input;
    std::string output;
    std::optional<int> laps;
    std::optional<int> idle;
    std::optional<double> seconds;
    std::string iniPath;
    std::vector<std::string> settings; // KEY=VALUE
    std::vector<std::string> widths;   // NET=CHOICE, NET "*" for every net
    bool replaceTracks = false;
    std::string reportPath;
    bool quiet = false;
    // Pictures of the best lap; scale in pixels per millimetre.
    std::string svgPath;
    std::string pngPath;
    double scale = 10;
    // The figures of the result and of the run, as JSON.
    std::string jsonPath;
};

int runRoute(const RouteOptions& options, const std::string& executablePath);

} // namespace zelta::cli
