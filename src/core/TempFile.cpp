// Unique temporary files, so that programs working side by side never share one.
#include "core/TempFile.h"

#include <cstdlib>
#include <unistd.h>

namespace zelta {

TempFile::~TempFile() {
    if (!path_.empty())
        ::unlink(path_.c_str());
}

bool TempFile::create() {
    const char* dir = std::getenv("TMPDIR");
    std::string pattern = std::string(dir && *dir ? dir : "/tmp") + "/zelta-XXXXXX.tmp";
    int fd = mkstemps(pattern.data(), 4);
    if (fd < 0)
        return false;
    ::close(fd);
    path_ = pattern;
    return true;
}

} // namespace zelta
