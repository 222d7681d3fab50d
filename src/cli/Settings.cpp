// Settings of batch runs.
#include "cli/Settings.h"

#include "cli/RouteCommand.h"

#include <cstdio>

namespace zelta::cli {

SettingsLocation settingsLocation(const std::string& iniPath, const std::string& executablePath) {
    return iniPath.empty() ? GestoreFileINI::defaultLocation(executablePath)
                           : SettingsLocation{iniPath, iniPath};
}

void printSettingsWarnings(const GestoreFileINI& settings) {
    for (const std::string& warning : settings.readWarnings)
        std::fprintf(stderr, "zelta-cli: %s\n", warning.c_str());
}

bool applySettings(GestoreFileINI& settings, const std::vector<std::string>& assignments) {
    for (const std::string& assignment : assignments) {
        auto eq = assignment.find('=');
        if (eq == std::string::npos || eq == 0) {
            std::fprintf(stderr, "zelta-cli: --set vuole CHIAVE=VALORE, non \"%s\"\n", assignment.c_str());
            return false;
        }
        std::string key = assignment.substr(0, eq);
        try {
            if (!settings.setByKey(key, assignment.substr(eq + 1))) {
                std::fprintf(stderr, "zelta-cli: chiave sconosciuta \"%s\"\n", key.c_str());
                return false;
            }
        } catch (const SettingsError& e) {
            std::fprintf(stderr, "zelta-cli: %s\n", e.what());
            return false;
        }
    }
    return true;
}

int loadSettings(const std::string& iniPath, const std::vector<std::string>& assignments,
                 const std::string& executablePath, std::unique_ptr<GestoreFileINI>& settings) {
    try {
        settings = std::make_unique<GestoreFileINI>(settingsLocation(iniPath, executablePath));
    } catch (const SettingsError& e) {
        std::fprintf(stderr, "zelta-cli: %s\n", e.what());
        return ExitRead;
    }
    if (!settings->readProblem.empty())
        std::fprintf(stderr, "zelta-cli: %s: %s\n", settings->readFrom.c_str(),
                     settings->readProblem.c_str());
    printSettingsWarnings(*settings);
    return applySettings(*settings, assignments) ? ExitOk : ExitUsage;
}

} // namespace zelta::cli
