// "zelta-cli check": verifies a routed drawing from the file alone.
#pragma once

#include <string>
#include <vector>

namespace zelta::cli {

struct CheckOptions {
    std::string input;
    std::string iniPath;
    std::vector<std::string> settings; // KEY=VALUE
    bool json = false;
};

int runCheck(const CheckOptions& options, const std::string& executablePath);

} // namespace zelta::cli
