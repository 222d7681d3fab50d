// zelta: the desktop program. A drawing named on the command line is opened at once.
#include "core/File_ini.h"
#include "ui/Startup.h"

#include <QApplication>
#include <QStandardPaths>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    zelta::ui::initializeApplication(app);
    zelta::ui::StartupOptions options;
    const zelta::SettingsLocation settings =
        zelta::GestoreFileINI::defaultLocation(QCoreApplication::applicationFilePath().toStdString());
    options.program.iniPath = settings.writePath;
    options.program.iniReadPath = settings.readPath;
    options.program.documentsFolder =
        QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation).toStdString();
    options.drawing = zelta::ui::drawingFromArguments(QCoreApplication::arguments());
    return zelta::ui::runZelta(app, options);
}
