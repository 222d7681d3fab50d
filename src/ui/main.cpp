// zelta: the desktop program. A drawing named on the command line is opened at once.
#include "core/File_ini.h"
#include "ui/Startup.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    zelta::ui::initializeApplication(app);
    zelta::ui::StartupOptions options;
    options.program.iniPath =
        zelta::GestoreFileINI::defaultPath(QCoreApplication::applicationFilePath().toStdString());
    options.drawing = zelta::ui::drawingFromArguments(QCoreApplication::arguments());
    return zelta::ui::runZelta(app, options);
}
