// The export command: settings, the set of files, and the paths written on standard output.
#include "cli/ExportCommand.h"

#include "cli/BatchToolkit.h"
#include "cli/RouteCommand.h"
#include "cli/Settings.h"
#include "core/Messages.h"
#include "core/Report.h"
#include "production/ProductionSet.h"

#include <cstdio>

namespace zelta::cli {

namespace {

int exitStatus(ProductionOutcome outcome) {
    switch (outcome) {
    case ProductionOutcome::Written:
        return ExitOk;
    case ProductionOutcome::Refused:
        return ExitUsage;
    case ProductionOutcome::ReadFailed:
        return ExitRead;
    case ProductionOutcome::WriteFailed:
        break;
    }
    return ExitWrite;
}

} // namespace

int runExport(const ExportOptions& options, const std::string& executablePath) {
    std::unique_ptr<GestoreFileINI> settings;
    const int status = loadSettings(options.iniPath, options.settings, executablePath, settings);
    if (status != ExitOk)
        return status;
    // The print is drawn with the toolkit.
    const BatchToolkit toolkit;

    ProductionRequest request;
    request.drawing = options.input;
    request.folder = options.folder;
    request.mirror = options.mirror;
    request.protectedFiles = {settings->iniFile, settings->readFrom};
    const ProductionResult result = writeProductionSet(request, *settings);
    if (result.padsLeftOut > 0)
        std::fprintf(stderr, "zelta-cli: %s\n",
                     strprintf(msg::ProductionPadsLeftOut, result.padsLeftOut).c_str());
    for (const std::string& file : result.files)
        std::printf("%s\n", file.c_str());
    if (result.outcome == ProductionOutcome::ReadFailed)
        std::fprintf(stderr, "errore: %s (%s)\n", result.message.c_str(), options.input.c_str());
    else if (result.outcome != ProductionOutcome::Written)
        std::fprintf(stderr, "zelta-cli: %s\n", result.message.c_str());
    return exitStatus(result.outcome);
}

} // namespace zelta::cli
