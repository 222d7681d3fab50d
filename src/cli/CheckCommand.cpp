// The check command: read, measure, print; the exit status tells shorts from clearance violations.
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
        // Whoever reads the JSON gets an object that says why, not an empty output.
        if (options.json) {
            const std::string json = checkErrorJson(error, options.input);
            std::fwrite(json.data(), 1, json.size(), stdout);
        }
        return ExitRead;
    }
    const CheckResult result = checkDrawing(drawing, settings->isolamento);
    const std::string report = options.json ? checkReportJson(result) : checkReportText(result);
    std::fwrite(report.data(), 1, report.size(), stdout);
    return result.hasShorts() ? ExitShort : result.hasViolations() ? ExitClearance : ExitOk;
}

} // namespace zelta::cli
