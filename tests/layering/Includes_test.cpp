// The folders of src/ depend one way: core <- router <- fidocad <- tracer <- app, with export (the
// manufacturing files' writers) beside tracer, render beside app, production above export and
// render, and the two fronts (cli, ui) on top. A file may include headers of its own folder and of
// folders below it, never of a folder above it or beside it; the engine folders include no
// toolkit header.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// Height of each folder; folders of one height stand beside each other.
const std::map<std::string, int> Height = {
    {"core", 0}, {"router", 1}, {"fidocad", 2},    {"tracer", 3}, {"export", 3},
    {"app", 4},  {"render", 4}, {"production", 5}, {"cli", 6},    {"ui", 6},
};
const std::vector<std::string> EngineFolders = {"core", "router", "fidocad", "tracer", "export", "app"};

struct Include {
    std::string file;
    int line;
    std::string header;
};

std::vector<Include> includesIn(const fs::path& file) {
    std::vector<Include> found;
    std::ifstream in(file);
    std::string text;
    for (int line = 1; std::getline(in, text); ++line) {
        const size_t at = text.find("#include");
        if (at == std::string::npos || text.find_first_not_of(" \t") != at)
            continue;
        const size_t open = text.find_first_of("\"<", at);
        const size_t close = open == std::string::npos ? open : text.find_first_of("\">", open + 1);
        if (close != std::string::npos)
            found.push_back({file.string(), line, text.substr(open, close - open + 1)});
    }
    return found;
}

// The folder of src/ that a quoted header names ("router/X.h" -> router), or "".
std::string folderOf(const std::string& header) {
    if (header.front() != '"')
        return {};
    const size_t slash = header.find('/');
    return slash == std::string::npos ? std::string() : header.substr(1, slash - 1);
}

std::vector<std::string> layeringFaults() {
    std::vector<std::string> faults;
    const fs::path src = fs::path(ZELTA_SOURCE_DIR) / "src";
    for (const auto& [folder, height] : Height) {
        const bool engine =
            std::find(EngineFolders.begin(), EngineFolders.end(), folder) != EngineFolders.end();
        for (const auto& entry : fs::recursive_directory_iterator(src / folder)) {
            const std::string ext = entry.path().extension().string();
            if (ext != ".h" && ext != ".cpp")
                continue;
            for (const Include& inc : includesIn(entry.path())) {
                const std::string where =
                    inc.file + ":" + std::to_string(inc.line) + " includes " + inc.header;
                const std::string target = folderOf(inc.header);
                const auto other = Height.find(target);
                if (other != Height.end() && target != folder && other->second >= height)
                    faults.push_back(where);
                if (engine && inc.header.size() > 2 && inc.header[0] == '<' && inc.header[1] == 'Q')
                    faults.push_back(where + " (a toolkit header in the engine)");
            }
        }
    }
    return faults;
}

TEST(Layering, NoFileIncludesAHeaderFromAFolderAboveOrBesideItsOwn) {
    const std::vector<std::string> faults = layeringFaults();
    std::string list;
    for (const std::string& f : faults)
        list += "\n  " + f;
    EXPECT_TRUE(faults.empty()) << "includes against the layering:" << list;
}

} // namespace
