// zelta: the desktop program.
#include "core/File_ini.h"
#include "ui/Startup.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    zelta::ui::initializeApplication(app);
    zelta::ui::StartupOptions options;
    options.program.iniPath =
        zelta::GestoreFileINI::defaultPath(QCoreApplication::applicationFilePath().toStdString());
    return zelta::ui::runZelta(app, options);
}
