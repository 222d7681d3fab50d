// Unique temporary files, so that programs working side by side never share one.
#include "core/TempFile.h"

#include "core/AbortCleanup.h"

#include <cstdlib>
#include <unistd.h>

namespace zelta {

TempFile::~TempFile() {
    if (!path_.empty())
        ::unlink(path_.c_str());
    unlistForAbortCleanup(abortSlot_);
}

bool TempFile::create(const char* suffix) {
    const char* dir = std::getenv("TMPDIR");
    std::string path;
    const int fd = createListedFile(std::string(dir && *dir ? dir : "/tmp") + "/zelta-", 6, suffix, 0600,
                                    path, abortSlot_);
    if (fd < 0)
        return false;
    ::close(fd);
    path_ = path;
    return true;
}

} // namespace zelta
