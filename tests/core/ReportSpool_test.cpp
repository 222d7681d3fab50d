// The report's own file: every line kept and saved, however many; a clear starts it afresh.
#include "core/ReportSpool.h"

#include "support/TestFiles.h"

#include <gtest/gtest.h>

namespace zelta {
namespace {

using testing::readFile;
using testing::ScratchDir;

TEST(ReportSpool, SavesEveryLineSinceTheLastClear) {
    ScratchDir dir;
    ReportSpool spool;
    spool.append("dropped");
    spool.clear();
    std::string expected;
    std::vector<std::string> batch;
    for (int i = 0; i < 30000; ++i) {
        batch.push_back("riga " + std::to_string(i));
        expected += batch.back() + "\n";
    }
    spool.append(batch);
    spool.append("ultima");
    expected += "ultima\n";

    const std::string path = dir.file("report.txt");
    EXPECT_EQ(spool.saveTo(path), "");
    EXPECT_EQ(readFile(path), expected);
    // Saving does not consume the lines: more follow them, and a second save has all.
    spool.append("dopo");
    EXPECT_EQ(spool.saveTo(path), "");
    EXPECT_EQ(readFile(path), expected + "dopo\n");
}

TEST(ReportSpool, AFailedSaveSaysWhyAndLeavesTheDestination) {
    ScratchDir dir;
    ReportSpool spool;
    spool.append("riga");
    EXPECT_NE(spool.saveTo(dir.file("no/such/folder/report.txt")), "");
    const std::string kept = dir.write("kept.txt", "precious\n");
    EXPECT_NE(spool.saveTo(dir.path()), "") << "a folder is not a report file";
    EXPECT_EQ(readFile(kept), "precious\n");
}

} // namespace
} // namespace zelta
