// zelta: the desktop program. A drawing named on the command line is opened at once.
#include "core/File_ini.h"
#include "ui/CommandLine.h"
#include "ui/Startup.h"

#include <QApplication>
#include <QStandardPaths>

#include <cstdio>
#include <string>
#include <vector>

namespace {

std::vector<std::string> argumentsOf(int argc, char** argv) {
    return std::vector<std::string>(argv, argv + argc);
}

} // namespace

int main(int argc, char** argv) {
    // Answered before the toolkit starts: without a display it would end the program first.
    switch (zelta::ui::earlyAnswer(argumentsOf(argc, argv))) {
    case zelta::ui::EarlyAnswer::Help:
        std::fputs(zelta::ui::helpText().c_str(), stdout);
        return 0;
    case zelta::ui::EarlyAnswer::Version:
        std::fputs(zelta::ui::versionText().c_str(), stdout);
        return 0;
    case zelta::ui::EarlyAnswer::None:
        break;
    }
    QApplication app(argc, argv);
    // The toolkit has taken its own options out of argv.
    const zelta::ui::StartArguments start = zelta::ui::startArguments(argumentsOf(argc, argv));
    if (!start.unknownOption.empty()) {
        std::fputs(zelta::ui::unknownOptionText(start.unknownOption).c_str(), stderr);
        return 1;
    }
    zelta::ui::initializeApplication(app);
    zelta::ui::StartupOptions options;
    const zelta::SettingsLocation settings =
        zelta::GestoreFileINI::defaultLocation(QCoreApplication::applicationFilePath().toStdString());
    options.program.iniPath = settings.writePath;
    options.program.iniReadPath = settings.readPath;
    options.program.documentsFolder =
        QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation).toStdString();
    options.drawing = zelta::ui::drawingPath(start.drawing);
    return zelta::ui::runZelta(app, options);
}
