// zelta: the desktop program.
#include "core/File_ini.h"
#include "ui/Startup.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    zelta::ui::initializeApplication(app);
    zelta::ui::StartupOptions options;
    const zelta::SettingsLocation settings =
        zelta::GestoreFileINI::defaultLocation(QCoreApplication::applicationFilePath().toStdString());
    options.program.iniPath = settings.writePath;
    options.program.iniReadPath = settings.readPath;
    return zelta::ui::runZelta(app, options);
}
