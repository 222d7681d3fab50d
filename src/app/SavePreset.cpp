// The save dialog's proposed file name.
#include "app/SavePreset.h"

#include <fcntl.h>
#include <unistd.h>

namespace zelta {

namespace {

// Asked for the effective user, who is the one that will write (a new file beside the
// destination, which then replaces it).
bool writableFolder(const std::string& folder) {
    return !folder.empty() && faccessat(AT_FDCWD, folder.c_str(), W_OK | X_OK, AT_EACCESS) == 0;
}

} // namespace

std::string savePreset(const std::string& drawing, const std::string& documents, const std::string& home) {
    const size_t slash = drawing.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "." : drawing.substr(0, slash == 0 ? 1 : slash);
    if (drawing.empty() || writableFolder(folder))
        return drawing;
    const std::string name = slash == std::string::npos ? drawing : drawing.substr(slash + 1);
    for (const std::string& other : {documents, home})
        if (writableFolder(other))
            return other + (other.back() == '/' ? "" : "/") + name;
    return drawing;
}

} // namespace zelta
