// A file of this process's own in the system's temporary folder, removed when its owner goes
// (and by a signal handler that ends the process, see AbortCleanup.h).
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
    int abortSlot_ = -1; // on the list of files a dying process removes
};

} // namespace zelta
