// Scratch folders for tests.
#include "support/TestFiles.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>

namespace zelta::testing {

ScratchDir::ScratchDir() {
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/zelta-test-XXXXXX";
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
}

ScratchDir::~ScratchDir() {
    std::error_code ec;
    // Folders made read-only by a test are opened up again before removal.
    for (auto& entry : std::filesystem::recursive_directory_iterator(path_, ec))
        if (entry.is_directory(ec))
            std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all,
                                         std::filesystem::perm_options::add, ec);
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add,
                                 ec);
    std::filesystem::remove_all(path_, ec);
}

std::string ScratchDir::write(const std::string& name, const std::string& content) const {
    std::string p = file(name);
    std::ofstream out(p, std::ios::binary);
    out << content;
    return p;
}

std::vector<SharedBoard> sharedBoards() {
    std::vector<SharedBoard> boards;
    std::istringstream list(readFile(boardPath("golden.list")));
    for (std::string line; std::getline(list, line);) {
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream fields(line);
        SharedBoard b;
        if (fields >> b.board >> b.settings >> b.laps)
            boards.push_back(b);
    }
    return boards;
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool fileExists(const std::string& path) {
    return std::filesystem::exists(path);
}

std::string boardPath(const std::string& name) {
    return std::string(ZELTA_DATA_DIR) + "/boards/" + name;
}
std::string goldenPath(const std::string& relative) {
    return std::string(ZELTA_DATA_DIR) + "/golden/" + relative;
}
std::string sourcePath(const std::string& relative) {
    return std::string(ZELTA_SOURCE_DIR) + "/" + relative;
}

std::string manyPadsDrawing(int pads) {
    std::string d = "[FIDOCAD]\nRV 0 0 1590 790 0\n";
    uint32_t seed = 25;
    auto next = [&seed](uint32_t n) {
        seed = seed * 1103515245u + 12345u;
        return 1 + (seed >> 16) % n;
    };
    for (int i = 0; i < pads; ++i) {
        const uint32_t col = next(157), row = next(77), net = next(250);
        d += "PA " + std::to_string(10 * col) + " " + std::to_string(10 * row) + " 16 16 6 0 1 " +
             std::to_string(net) + "\n";
    }
    return d;
}

} // namespace zelta::testing
