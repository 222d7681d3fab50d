// The settings of a batch run: the settings file, then each KEY=VALUE override in memory only.
#pragma once

#include "core/File_ini.h"

#include <memory>
#include <string>
#include <vector>

namespace zelta::cli {

// The settings file the batch tool uses: iniPath, or the desktop program's own.
SettingsLocation settingsLocation(const std::string& iniPath, const std::string& executablePath);
// Says on standard error which values of the settings file were out of range (read as defaults).
void printSettingsWarnings(const GestoreFileINI& settings);
// Applies KEY=VALUE overrides; false (after saying why on standard error) for a bad one.
bool applySettings(GestoreFileINI& settings, const std::vector<std::string>& assignments);
// Reads the settings file and applies the overrides; returns an exit status.
int loadSettings(const std::string& iniPath, const std::vector<std::string>& assignments,
                 const std::string& executablePath, std::unique_ptr<GestoreFileINI>& settings);

} // namespace zelta::cli
