// "zelta-cli export": the manufacturing files of a routed drawing, into one folder.
#pragma once

#include <string>
#include <vector>

namespace zelta::cli {

struct ExportOptions {
    std::string input;
    std::string folder;
    std::string iniPath;
    std::vector<std::string> settings; // KEY=VALUE
    bool mirror = false;
};

int runExport(const ExportOptions& options, const std::string& executablePath);

} // namespace zelta::cli
