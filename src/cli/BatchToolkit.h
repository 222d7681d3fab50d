// The toolkit's application object for the batch commands that draw (pictures, the print), made
// without a display: the offscreen platform unless the environment names another.
#pragma once

#include <QGuiApplication>

#include <memory>
#include <string>

namespace zelta::cli {

// While it lives, the toolkit may draw. When the process has an application object already (a
// test), that one serves and nothing is made.
class BatchToolkit {
public:
    BatchToolkit();
    ~BatchToolkit();
    BatchToolkit(const BatchToolkit&) = delete;
    BatchToolkit& operator=(const BatchToolkit&) = delete;

private:
    // The toolkit wants a private runtime folder and, when none is named, makes runtime-<user> in
    // the temporary folder and leaves it there. A run without one names a folder of its own for
    // as long as the toolkit lives, and removes it afterwards: made before the application object
    // and so removed after it.
    std::string runtimeFolder_;
    std::unique_ptr<QGuiApplication> app_;
};

} // namespace zelta::cli
