// The toolkit made for a batch command, and what it leaves to tidy.
#include "cli/BatchToolkit.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace zelta::cli {

BatchToolkit::BatchToolkit() {
    if (QCoreApplication::instance())
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The toolkit's notices about its runtime folder say nothing to a batch user: the offscreen
    // platform never uses that folder.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString& message) {
        if (!message.startsWith(QStringLiteral("QStandardPaths:")))
            std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
    });
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const char* tmp = std::getenv("TMPDIR");
        std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/zelta-runtime-XXXXXX";
        if (mkdtemp(pattern.data())) {
            runtimeFolder_ = pattern;
            qputenv("XDG_RUNTIME_DIR", runtimeFolder_.c_str());
        }
    }
    static int argc = 1;
    static char name[] = "zelta-cli";
    static char* argv[] = {name, nullptr};
    app_ = std::make_unique<QGuiApplication>(argc, argv);
}

BatchToolkit::~BatchToolkit() {
    app_.reset();
    if (runtimeFolder_.empty())
        return;
    qunsetenv("XDG_RUNTIME_DIR");
    std::error_code ignored;
    std::filesystem::remove_all(runtimeFolder_, ignored);
}

} // namespace zelta::cli
