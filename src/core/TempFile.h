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

    // A new empty file "zelta-XXXXXX<suffix>" in $TMPDIR (else /tmp); false when none could be made.
    bool create(const char* suffix = ".tmp");
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

} // namespace zelta
