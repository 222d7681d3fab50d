// A file of the batch run's own in the system's temporary folder, removed when the run ends.
#pragma once

#include <string>

namespace zelta::cli {

class TempFile {
public:
    TempFile() = default;
    ~TempFile();
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    bool create();
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

} // namespace zelta::cli
