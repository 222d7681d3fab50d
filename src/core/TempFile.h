// A file of this process's own in the system's temporary folder, removed when its owner goes.
#pragma once

#include <string>

namespace zelta {

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

} // namespace zelta
