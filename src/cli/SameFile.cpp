// Telling whether two names on the command line are one file.
#include "cli/SameFile.h"

#include <filesystem>
#include <sys/stat.h>

namespace zelta::cli {

namespace {

namespace fs = std::filesystem;

// A name that is not there yet may still be a dangling symbolic link, which the writer would
// write through: the name it leads to is the file.
fs::path throughLinks(fs::path path) {
    std::error_code ec;
    for (int hops = 0; hops < 40 && fs::is_symlink(fs::symlink_status(path, ec)); ++hops) {
        const fs::path link = fs::read_symlink(path, ec);
        if (ec)
            break;
        path = link.is_absolute() ? link : path.parent_path() / link;
    }
    return path;
}

// A key that two names share exactly when they are one file; nothing for a character device.
std::optional<std::string> identityOf(const std::string& name) {
    struct stat st;
    if (stat(name.c_str(), &st) == 0) {
        if (S_ISCHR(st.st_mode))
            return std::nullopt;
        std::string key = "inode ";
        key += std::to_string(st.st_dev);
        key += ':';
        key += std::to_string(st.st_ino);
        return key;
    }
    std::error_code ec;
    fs::path path = fs::absolute(throughLinks(name), ec);
    const fs::path normal = fs::weakly_canonical(path, ec);
    std::string key = "path ";
    key += (ec ? path.lexically_normal() : normal).string();
    return key;
}

} // namespace

std::optional<std::pair<size_t, size_t>> firstSameFile(const std::vector<NamedFile>& files) {
    std::vector<std::optional<std::string>> keys;
    for (const NamedFile& file : files)
        keys.push_back(file.path.empty() ? std::nullopt : identityOf(file.path));
    for (size_t i = 0; i < keys.size(); ++i)
        for (size_t j = i + 1; j < keys.size(); ++j)
            if ((files[i].written || files[j].written) && keys[i] && keys[j] && *keys[i] == *keys[j])
                return std::make_pair(i, j);
    return std::nullopt;
}

} // namespace zelta::cli
