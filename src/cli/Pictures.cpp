// Drawing needs the toolkit's application object, which is made only here, on the offscreen
// platform unless the environment names another.
#include "cli/Pictures.h"

#include "render/BoardPicture.h"
#include "render/ImageFiles.h"

#include <QGuiApplication>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>

namespace zelta::cli {

namespace {

// The toolkit wants a private runtime folder and, when none is named, makes runtime-<user> in
// the temporary folder and leaves it there. A run without one names a folder of its own for
// as long as the toolkit lives, and removes it afterwards.
class PrivateRuntimeFolder {
public:
    PrivateRuntimeFolder() {
        if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
            return;
        const char* tmp = std::getenv("TMPDIR");
        std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/zelta-runtime-XXXXXX";
        if (!mkdtemp(pattern.data()))
            return;
        path_ = pattern;
        qputenv("XDG_RUNTIME_DIR", path_.c_str());
    }
    ~PrivateRuntimeFolder() {
        if (path_.empty())
            return;
        qunsetenv("XDG_RUNTIME_DIR");
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    PrivateRuntimeFolder(const PrivateRuntimeFolder&) = delete;
    PrivateRuntimeFolder& operator=(const PrivateRuntimeFolder&) = delete;

private:
    std::string path_;
};

} // namespace

bool writePictures(const std::string& svgPath, const std::string& pngPath, double scale,
                   const Program& program) {
    if (svgPath.empty() && pngPath.empty())
        return true;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "zelta-cli";
    static char* argv[] = {name, nullptr};
    // The toolkit's notices about its runtime folder say nothing to a batch user: the offscreen
    // platform never uses that folder.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString& message) {
        if (!message.startsWith(QStringLiteral("QStandardPaths:")))
            std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
    });
    // Made before the application object and so removed after it.
    PrivateRuntimeFolder runtime;
    std::unique_ptr<QGuiApplication> app;
    if (!QCoreApplication::instance())
        app = std::make_unique<QGuiApplication>(argc, argv);

    BoardPicture picture = padsPicture(*program.fcd, *program.settings);
    if (program.tracer->resultsReady)
        addBestLap(picture, program.grid->plane(BestPlane), *program.netTable, program.bestJumpers);
    bool ok = true;
    auto write = [&](const std::string& path, auto writer) {
        if (path.empty())
            return;
        const std::string problem = writer(path, picture, scale);
        if (!problem.empty()) {
            std::fprintf(stderr, "zelta-cli: impossibile scrivere l'immagine %s: %s\n", path.c_str(),
                         problem.c_str());
            ok = false;
        }
    };
    write(svgPath, writeSvg);
    write(pngPath, writePng);
    return ok;
}

} // namespace zelta::cli
