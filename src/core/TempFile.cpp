// Unique temporary files, so that programs working side by side never share one.
#include "core/TempFile.h"

#include "core/AbortCleanup.h"

#include <cstdlib>
#include <cstring>
#include <unistd.h>

namespace zelta {

TempFile::~TempFile() {
    if (!path_.empty())
        ::unlink(path_.c_str());
    unlistForAbortCleanup(abortSlot_);
}

bool TempFile::create(const char* suffix) {
    const char* dir = std::getenv("TMPDIR");
    std::string pattern = std::string(dir && *dir ? dir : "/tmp") + "/zelta-XXXXXX" + suffix;
    int fd = mkstemps(pattern.data(), static_cast<int>(std::strlen(suffix)));
    if (fd < 0)
        return false;
    ::close(fd);
    path_ = pattern;
    abortSlot_ = listForAbortCleanup(path_);
    return true;
}

} // namespace zelta
