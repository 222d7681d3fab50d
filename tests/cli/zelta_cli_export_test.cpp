// "zelta-cli export" end to end: the files it writes and names, and its exit statuses.
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>

namespace zelta {
namespace {

using testing::fileExists;
using testing::readFile;
using testing::ScratchDir;
using testing::sourcePath;

struct CliRun {
    int exit;
    std::string out;
    std::string err;
};

CliRun cli(const ScratchDir& dir, const std::vector<std::string>& args) {
    std::string cmd = "'";
    cmd += ZELTA_CLI;
    cmd += "'";
    for (const std::string& a : args) {
        cmd += " '";
        cmd += a;
        cmd += "'";
    }
    // Appended piece by piece: a literal before a temporary trips GCC 12's restrict check at -O3.
    cmd += " > '";
    cmd += dir.file("stdout");
    cmd += "' 2> '";
    cmd += dir.file("stderr");
    cmd += "' < /dev/null";
    const int status = std::system(cmd.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, readFile(dir.file("stdout")),
            readFile(dir.file("stderr"))};
}

class ExportCommand : public ::testing::Test {
protected:
    std::string board(const std::string& name) {
        return dir.write(name, readFile(sourcePath("tests/data/export/dc-mixer-jumpers.fcd")));
    }
    ScratchDir dir;
    const std::string ini = sourcePath("tests/data/boards/auto-layer0.ini");
};

TEST_F(ExportCommand, WritesTheSetAndNamesEachFileOnStandardOutput) {
    const CliRun r =
        cli(dir, {"export", board("mixer.fcd"), "--out", dir.file("set"), "--ini", ini, "--mirror"});
    EXPECT_EQ(r.exit, 0) << r.err;
    EXPECT_EQ(r.err, "");
    std::string expected;
    for (const char* name : {"mixer-rame.gbr", "mixer-contorno.gbr", "mixer.drl", "mixer-ponticelli.gbr",
                             "mixer-ponticelli.csv", "mixer-stampa.pdf", "mixer-leggimi.txt"}) {
        expected += dir.file("set/") + name + "\n";
        EXPECT_TRUE(fileExists(dir.file("set/") + name)) << name;
    }
    EXPECT_EQ(r.out, expected);
    EXPECT_NE(readFile(dir.file("set/mixer-leggimi.txt")).find("speculare rispetto al disegno"),
              std::string::npos);
}

TEST_F(ExportCommand, ExitStatusesAreThoseOfRoute) {
    const std::string drawing = board("mixer.fcd");
    EXPECT_EQ(cli(dir, {"export", drawing, "--ini", ini}).exit, 1) << "--out is required";
    EXPECT_EQ(cli(dir, {"export", drawing, "--out", dir.file("set"), "--ini", ini, "--set", "nokey=1"}).exit,
              1);

    const std::string file = dir.write("file", "mine");
    CliRun r = cli(dir, {"export", drawing, "--out", file, "--ini", ini});
    EXPECT_EQ(r.exit, 1);
    EXPECT_NE(r.err.find("non è una cartella"), std::string::npos) << r.err;
    EXPECT_EQ(readFile(file), "mine");

    // The drawing would be its own drill file.
    const std::string named = board("scheda.drl");
    r = cli(dir, {"export", named, "--out", dir.path(), "--ini", ini});
    EXPECT_EQ(r.exit, 1);
    EXPECT_EQ(readFile(named), readFile(drawing));
    EXPECT_EQ(r.out, "");

    // The settings file would be the read-me.
    const std::string settings = dir.write("mixer-leggimi.txt", readFile(ini));
    r = cli(dir, {"export", drawing, "--out", dir.path(), "--ini", settings});
    EXPECT_EQ(r.exit, 1);
    EXPECT_EQ(readFile(settings), readFile(ini));

    r = cli(dir, {"export", dir.file("missing.fcd"), "--out", dir.file("set"), "--ini", ini});
    EXPECT_EQ(r.exit, 2);
    EXPECT_NE(r.err.find("Errore 101"), std::string::npos) << r.err;
    EXPECT_FALSE(fileExists(dir.file("set")));

    ASSERT_EQ(mkdir(dir.file("out").c_str(), 0755), 0);
    ASSERT_EQ(mkdir(dir.file("out/mixer-stampa.pdf").c_str(), 0755), 0);
    r = cli(dir, {"export", drawing, "--out", dir.file("out"), "--ini", ini});
    EXPECT_EQ(r.exit, 3);
    EXPECT_NE(r.err.find("mixer-stampa.pdf"), std::string::npos) << r.err;
}

} // namespace
} // namespace zelta
