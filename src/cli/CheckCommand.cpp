// The check command: read, analyse, print; exit status 4 when copper of two nets meets.
#include "cli/CheckCommand.h"

#include "app/Check.h"
#include "cli/RouteCommand.h"
#include "cli/Settings.h"

#include <cstdio>

namespace zelta::cli {

int runCheck(const CheckOptions& options, const std::string& executablePath) {
    std::unique_ptr<GestoreFileINI> settings;
    int status = loadSettings(options.iniPath, options.settings, executablePath, settings);
    if (status != ExitOk)
        return status;
    FcdDrawing drawing;
    std::string error;
    if (!readDrawing(options.input, *settings, drawing, error)) {
        std::fprintf(stderr, "errore: %s (%s)\n", error.c_str(), options.input.c_str());
        return ExitRead;
    }
    const CheckResult result = checkDrawing(drawing);
    const std::string report = options.json ? checkReportJson(result) : checkReportText(result);
    std::fwrite(report.data(), 1, report.size(), stdout);
    return result.shorts.empty() ? ExitOk : ExitShort;
}

} // namespace zelta::cli
