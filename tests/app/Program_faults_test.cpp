// The commands when the file system fails them: a disk that is really full, folders that cannot
// be written or have gone, files the person made read-only. Each failure has its message, the
// program goes on (the next command works once the cause is gone), and no file of the person's
// is lost or cut.
// (An injected write failure, a missing temporary copy and /dev/full are in the writer's tests;
// an unreadable settings file and an unwritable settings folder in the settings file's tests.)
#include "app/RoutingSession.h"
#include "core/Messages.h"
#include "core/Report.h"
#include "support/ProgramFixture.h"
#include "support/Unprivileged.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <set>
#include <sys/mount.h>
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

// A file system of a few pages of its own (a tmpfs), where a full disk is real. Needs the right
// to mount, which root in a container or a CI runner usually has.
class SmallDisk {
public:
    SmallDisk(const std::string& path, const char* size) : path_(path) {
        std::filesystem::create_directory(path);
        const std::string options = std::string("size=") + size + ",mode=0755";
        mounted_ = geteuid() == 0 &&
                   mount("tmpfs", path.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, options.c_str()) == 0;
    }
    ~SmallDisk() {
        if (mounted_)
            umount2(path_.c_str(), MNT_DETACH);
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool mounted() const { return mounted_; }
    // Takes every free byte with one file; returns its path.
    std::string fill() const {
        const std::string filler = path_ + "/filler";
        int fd = ::open(filler.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        char page[4096] = {};
        while (fd >= 0 && ::write(fd, page, sizeof page) > 0) {
        }
        ::close(fd);
        return filler;
    }

private:
    std::string path_;
    bool mounted_ = false;
};

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

TEST_F(SaveFaults, AFullDiskKeepsTheDrawingItWouldHaveReplaced) {
    SmallDisk disk(f.dir.file("disk"), "16k");
    if (!disk.mounted())
        GTEST_SKIP() << "no right to mount a small file system";
    const std::string precious = f.dir.file("disk/board.fcd");
    f.dir.write("disk/board.fcd", drawing);
    const std::string filler = disk.fill();

    expectRefusedSave(precious);
    EXPECT_EQ(readFile(precious), drawing);
    EXPECT_EQ(namesIn(f.dir.file("disk")), (std::set<std::string>{"board.fcd", "filler"}));

    ASSERT_EQ(::unlink(filler.c_str()), 0);
    EXPECT_TRUE(savedWithTracks(precious));
    EXPECT_EQ(f.program->fcd->status, StatusComplete);
}

TEST_F(SaveFaults, AFolderThatCannotBeWrittenKeepsTheDrawingInIt) {
    const std::string folder = f.dir.file("locked");
    std::filesystem::create_directory(folder);
    const std::string precious = f.dir.write("locked/board.fcd", drawing);
    ASSERT_EQ(chmod(folder.c_str(), 0555), 0);
    ASSERT_EQ(chmod(f.dir.path().c_str(), 0755), 0); // the temporary copy stays readable
    {
        WithoutRootRights user;
        if (!user.active())
            GTEST_SKIP() << "cannot give up root's rights";
        expectRefusedSave(precious);
    }
    EXPECT_EQ(readFile(precious), drawing);
    EXPECT_EQ(namesIn(folder), (std::set<std::string>{"board.fcd"}));
    EXPECT_TRUE(savedWithTracks(f.dir.file("elsewhere.fcd")));
}

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

TEST_F(SaveFaults, AFolderThatVanishedSinceTheReadIsAnErrorAndTheResultsStay) {
    // The drawing's folder goes (a removed stick, a deleted project) between reading and saving;
    // the save dialog proposes the drawing's own path.
    const std::string project = f.dir.file("project");
    std::filesystem::create_directory(project);
    ASSERT_TRUE(f.open(f.dir.write("project/board.fcd", drawing)));
    f.routeLaps(1);
    std::filesystem::remove_all(project);

    expectRefusedSave(f.program->fcd->fcdPath);
    EXPECT_FALSE(std::filesystem::exists(project));
    EXPECT_TRUE(savedWithTracks(f.dir.file("elsewhere.fcd")));
}

TEST(ReadFaults, ATemporaryCopyThatDoesNotFitIsErrore102AndTheNextReadWorks) {
    testing::ScratchDir dir;
    SmallDisk disk(dir.file("disk"), "16k");
    if (!disk.mounted())
        GTEST_SKIP() << "no right to mount a small file system";
    testing::ScriptedHost host;
    Program program(host, {dir.write("zelta.ini", testing::AutoLayer0Ini), dir.file("disk/zelta.tmp"),
                           [] { return uint32_t{0}; }});
    const std::string filler = disk.fill();

    host.willOpen(boardPath("dip8-555.fcd"));
    program.openFcd();
    EXPECT_EQ(program.fcd->status, StatusTmpFile);
    EXPECT_EQ(host.lastMessage(), "Errore 102: Impossibile aprire file temporaneo");
    EXPECT_TRUE(host.reported("Errore 102: Impossibile aprire file temporaneo"));
    EXPECT_EQ(namesIn(dir.file("disk")), (std::set<std::string>{"filler"}));
    EXPECT_FALSE(program.startProcessing());
    EXPECT_EQ(host.lastMessage(), msg::StartRefused);

    ASSERT_EQ(::unlink(filler.c_str()), 0);
    host.willOpen(boardPath("dip8-555.fcd"));
    program.openFcd();
    EXPECT_EQ(program.fcd->status, StatusComplete);
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

TEST(SettingsFaults, ASettingsPathThatIsAFolderIsNotReplacedByAFile) {
    testing::ScratchDir dir;
    const std::string path = dir.file("zelta.ini");
    std::filesystem::create_directory(path);
    dir.write("zelta.ini/keep.txt", "kept");
    GestoreFileINI ini(path);
    EXPECT_FALSE(ini.writeIni());
    EXPECT_EQ(ini.writeError, strprintf(msg::SettingsUnwritable, path.c_str(),
                                        (path + ": " + std::strerror(EISDIR)).c_str()));
    EXPECT_TRUE(std::filesystem::is_directory(path));
    EXPECT_EQ(readFile(path + "/keep.txt"), "kept");
}

} // namespace
} // namespace zelta

namespace zelta {
namespace {

// Two windows on one settings folder (the same program started twice): each keeps the cleaned
// copy of its own drawing, so saving one never writes the other's drawing, and the copies are
// gone with the programs.
TEST(TwoPrograms, EachSavesItsOwnDrawingAndLeavesNoCopyBehind) {
    testing::ScratchDir dir;
    testing::ScratchDir tmp;
    const char* previousTmp = std::getenv("TMPDIR");
    const std::string savedTmp = previousTmp ? previousTmp : "";
    ::setenv("TMPDIR", tmp.path().c_str(), 1);
    {
        const std::string ini = dir.write("zelta.ini", testing::AutoLayer0Ini);
        testing::ScriptedHost hostA, hostB;
        Program a(hostA, {ini, "", [] { return uint32_t{0}; }});
        Program b(hostB, {ini, "", [] { return uint32_t{0}; }});
        EXPECT_NE(a.fcd->tmpPath, b.fcd->tmpPath);

        ASSERT_EQ(a.openFile(boardPath("dip8-555.fcd")).status, StatusComplete);
        StopRules twoLaps;
        twoLaps.laps = 2;
        ASSERT_TRUE(RoutingSession(a).run(twoLaps).started);
        ASSERT_EQ(b.openFile(boardPath("medium-40pads.fcd")).status, StatusComplete);
        const std::string out = dir.file("a-routed.fcd");
        ASSERT_TRUE(a.saveTo(out).written);

        // The result is board A's drawing (less nothing, as it had no tracks) and A's tracks.
        const std::string drawing = readFile(boardPath("dip8-555.fcd"));
        const std::string result = readFile(out);
        auto firstPad = [](const std::string& text) {
            const size_t at = text.find("PA ");
            return text.substr(at, text.find_first_of("\r\n", at) - at);
        };
        const std::string other = readFile(boardPath("medium-40pads.fcd"));
        ASSERT_NE(firstPad(drawing), firstPad(other));
        EXPECT_NE(result.find(firstPad(drawing)), std::string::npos) << "A's own pads are in A's result";
        EXPECT_EQ(result.find(firstPad(other)), std::string::npos) << "B's drawing is not in A's result";
        EXPECT_EQ(namesIn(tmp.path()).size(), 2u) << "one copy each";
    }
    EXPECT_TRUE(namesIn(tmp.path()).empty()) << "the copies go with their programs";
    if (previousTmp)
        ::setenv("TMPDIR", savedTmp.c_str(), 1);
    else
        ::unsetenv("TMPDIR");
}

} // namespace
} // namespace zelta
