// Names on one command line that are one file: an output written over the drawing, the settings
// or another output would lose it, so the batch route refuses them before it touches anything.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace zelta::cli {

struct NamedFile {
    std::string role; // how the message calls it: an option, or what the file is for
    std::string path; // empty: not given
    bool written;     // false for a file that is only read
};

// The first two of files that name the same file, at least one of them written, by position;
// nothing when there are none. A file
// that exists is known by its device and inode (so links and other spellings meet); a name not
// there yet by its absolute path with the links of its existing folders resolved. Character
// devices are left out: writing twice to /dev/null or a terminal loses nothing.
std::optional<std::pair<size_t, size_t>> firstSameFile(const std::vector<NamedFile>& files);

} // namespace zelta::cli
