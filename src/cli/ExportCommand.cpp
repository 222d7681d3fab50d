// The export command: settings, the set of files, and the paths written on standard output.
#include "cli/ExportCommand.h"

#include "cli/RouteCommand.h"
#include "cli/Settings.h"
#include "core/Messages.h"
#include "core/Report.h"
#include "production/ProductionSet.h"

#include <QGuiApplication>

#include <cstdio>
#include <memory>

namespace zelta::cli {

namespace {

// The print is drawn with the toolkit, whose application object is made here, on the offscreen
// platform unless the environment names another: a batch run needs no display.
std::unique_ptr<QGuiApplication> guiApplication() {
    if (QCoreApplication::instance())
        return nullptr;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "zelta-cli";
    static char* argv[] = {name, nullptr};
    // The toolkit's notice about a missing runtime folder says nothing to a batch user.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString& message) {
        if (!message.startsWith(QStringLiteral("QStandardPaths:")))
            std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
    });
    return std::make_unique<QGuiApplication>(argc, argv);
}

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
    const auto app = guiApplication();

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
