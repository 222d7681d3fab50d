// The commands when the file system fails them: files the person made read-only. Each failure
// has its message, the program goes on (the next command works once the cause is gone), and no
// file of the person's is lost or cut.
// (An injected write failure, a missing temporary copy and /dev/full are in the writer's tests;
// an unreadable settings file and an unwritable settings folder in the settings file's tests.)
#include "core/Messages.h"
#include "core/Report.h"
#include "support/ProgramFixture.h"
#include "support/Unprivileged.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

namespace zelta {
namespace {

using testing::boardPath;
using testing::ProgramFixture;
using testing::readFile;
using testing::WithoutRootRights;

const char* Err301 = "Errore 301: Impossibile aprire file fidocad";

std::set<std::string> namesIn(const std::string& folder) {
    std::set<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(folder))
        names.insert(e.path().filename().string());
    return names;
}

class SaveFaults : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(f.open(boardPath("dip8-555.fcd")));
        f.routeLaps(1);
    }
    // A save that failed as it should: the message, the code, and the results still unsaved.
    void expectRefusedSave(const std::string& path) {
        EXPECT_FALSE(f.saveTo(path));
        EXPECT_EQ(f.host.lastMessage(), Err301);
        EXPECT_EQ(f.host.messages.back().type, MsgDlgType::mtError);
        EXPECT_TRUE(f.host.reported("Errore 301: Impossibile aprire file fcd_out"));
        EXPECT_EQ(f.program->fcd->status, StatusErr301);
        EXPECT_TRUE(f.program->fcd->resultsUnsaved);
    }
    bool savedWithTracks(const std::string& path) {
        return f.saveTo(path) && readFile(path).find("\r\nPL ") != std::string::npos;
    }

    ProgramFixture f;
    const std::string drawing = readFile(boardPath("dip8-555.fcd"));
};

TEST_F(SaveFaults, AReadOnlyDrawingIsNotReplaced) {
    // The folder lets anyone create and rename files; only the drawing's own mode protects it.
    const std::string folder = f.dir.file("shared");
    std::filesystem::create_directory(folder);
    ASSERT_EQ(chmod(folder.c_str(), 0777), 0);
    ASSERT_EQ(chmod(f.dir.path().c_str(), 0755), 0);
    const std::string precious = f.dir.write("shared/board.fcd", drawing);
    ASSERT_EQ(chmod(precious.c_str(), 0444), 0);
    {
        WithoutRootRights user;
        if (!user.active())
            GTEST_SKIP() << "cannot give up root's rights";
        expectRefusedSave(precious);
    }
    EXPECT_EQ(readFile(precious), drawing);
    EXPECT_EQ(namesIn(folder), (std::set<std::string>{"board.fcd"}));

    ASSERT_EQ(chmod(precious.c_str(), 0644), 0);
    EXPECT_TRUE(savedWithTracks(precious));
}

TEST(SettingsFaults, AReadOnlySettingsFileIsKeptAndTheWriteSaysWhy) {
    testing::ScratchDir dir;
    ASSERT_EQ(chmod(dir.path().c_str(), 0777), 0);
    const std::string content = "[Base]\nmm_larg_scheda=100\n";
    const std::string path = dir.write("zelta.ini", content);
    ASSERT_EQ(chmod(path.c_str(), 0444), 0);
    GestoreFileINI ini(path);
    ini.mm_larg_scheda = 120;
    {
        WithoutRootRights user;
        if (!user.active())
            GTEST_SKIP() << "cannot give up root's rights";
        EXPECT_FALSE(ini.writeIni());
    }
    EXPECT_EQ(ini.writeError, strprintf(msg::SettingsUnwritable, path.c_str(),
                                        (path + ": " + std::strerror(EACCES)).c_str()));
    EXPECT_EQ(readFile(path), content);
    EXPECT_EQ(namesIn(dir.path()), (std::set<std::string>{"zelta.ini"}));
    EXPECT_EQ(ini.mm_larg_scheda, 120); // the options stay in force for this session
}

} // namespace
} // namespace zelta
