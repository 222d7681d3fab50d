// Every input a fuzz target found a fault with, and the adversarial seeds they start from, replayed
// through the fuzz targets' own entries, so that the plain and sanitizer builds keep them fixed.
#include "FuzzEntries.h"

#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace zelta::fuzz {
namespace {

using testing::readFile;
using testing::sourcePath;

// The inputs kept for a target: its findings and its committed seeds, in name order.
std::vector<std::string> inputsOf(const std::string& target) {
    std::vector<std::string> files;
    for (const std::string& folder :
         {sourcePath("tests/data/fuzz-regressions/" + target), sourcePath("fuzz/corpus/" + target)}) {
        std::error_code ec;
        for (const auto& entry : std::filesystem::directory_iterator(folder, ec))
            if (entry.is_regular_file())
                files.push_back(entry.path().string());
    }
    std::sort(files.begin(), files.end());
    return files;
}

void replay(const std::string& target, const std::function<std::string(const uint8_t*, size_t)>& entry) {
    const std::vector<std::string> files = inputsOf(target);
    ASSERT_FALSE(files.empty()) << "no inputs kept for " << target;
    for (const std::string& file : files) {
        const std::string data = readFile(file);
        EXPECT_EQ(entry(reinterpret_cast<const uint8_t*>(data.data()), data.size()), "") << file;
    }
}

TEST(FuzzRegressions, FidoCadReader) {
    Workspace space;
    FcdReaderEntry entry(space);
    replay("fcd_reader", [&](const uint8_t* data, size_t size) { return entry.run(data, size); });
}

TEST(FuzzRegressions, SettingsFile) {
    Workspace space;
    replay("settings", [&](const uint8_t* data, size_t size) { return readSettingsOnce(space, data, size); });
}

TEST(FuzzRegressions, CheckReader) {
    replay("check", checkOnce);
}

} // namespace
} // namespace zelta::fuzz
