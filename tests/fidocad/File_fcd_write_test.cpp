// The result file: the cleaned drawing, one empty line, the "PL" records; and a destination that
// is never lost, whatever fails during the save.
#include "fidocad/File_fcd.h"

#include "support/ProgramFixture.h"
#include "support/Unprivileged.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace zelta {
namespace {

using testing::ProgramFixture;
using testing::readFile;

// Two pads of net 1 on a 20 x 10 cell board with origin (100, 200): one lap joins them.
const char* TwoPads = "[FIDOCAD]\n"
                      "RV 100 200 300 300 0\n"
                      "PA 130 240 16 16 6 0 1 1\n"
                      "PA 170 240 16 16 6 0 1 1\n";

ssize_t diskFull(int, const void*, size_t) {
    errno = ENOSPC;
    return -1;
}

class WriterTest : public ::testing::Test {
protected:
    // The report line that follows text, "" when there is none.
    std::string lineAfter(const std::string& text) const {
        const std::vector<std::string>& report = f.host.report;
        for (size_t i = 0; i + 1 < report.size(); ++i)
            if (report[i] == text)
                return report[i + 1];
        return {};
    }
    void SetUp() override {
        ASSERT_TRUE(f.openText(TwoPads));
        f.routeLaps(1);
    }
    size_t filesInDir() const {
        size_t n = 0;
        for ([[maybe_unused]] auto& e : std::filesystem::directory_iterator(f.dir.path()))
            ++n;
        return n;
    }
    ProgramFixture f;
};

TEST_F(WriterTest, WritesTheCopyAnEmptyLineAndOneRecordPerSegment) {
    std::string out = f.dir.file("out.fcd");
    // Through the save command, whose dialog proposes the drawing's own path.
    f.host.willSave(out);
    f.program->save();
    // Net 1 runs straight from (3, 4) to (7, 4): one segment, shifted by the board origin.
    EXPECT_EQ(readFile(out), "[FIDOCAD]\r\n"
                             "RV 100 200 300 300 0\r\n"
                             "PA 130 240 16 16 6 0 1 1\r\n"
                             "PA 170 240 16 16 6 0 1 1\r\n"
                             "\r\n"
                             "PL 170 240 130 240 4 1 1\r\n");
    EXPECT_EQ(f.host.field(Field::righe_out), "6");
    EXPECT_EQ(f.host.field(Field::piste_out), "1");
    EXPECT_EQ(f.host.field(Field::file_out), out);
    EXPECT_TRUE(f.host.reported("Scrittura file: " + out));
    EXPECT_EQ(f.host.report.back(), "... scrittura file terminata (0 ms)");
    EXPECT_EQ(f.host.lastMessage(), "Scrittura file completata");
    EXPECT_FALSE(f.program->fcd->resultsUnsaved);
    EXPECT_EQ(f.host.saveDialogs.back().fileName, f.program->fcd->fcdPath);
}

TEST_F(WriterTest, AnEmptyTemporaryCopyGivesOneEmptyLine) {
    f.dir.write("zelta.tmp", "");
    f.program->grid->copyPlane(BasePlane, BestPlane); // no tracks
    std::string out = f.dir.file("out.fcd");
    ASSERT_TRUE(f.saveTo(out));
    EXPECT_EQ(readFile(out), "\r\n");
    EXPECT_EQ(f.host.field(Field::righe_out), "1");
}

TEST_F(WriterTest, TheDrawingsOwnPathIsReplacedByTheResult) {
    const std::string drawing = f.program->fcd->fcdPath;
    ASSERT_TRUE(f.saveTo(drawing));
    std::string result = readFile(drawing);
    EXPECT_EQ(result.rfind("[FIDOCAD]\r\nRV 100 200 300 300 0\r\n", 0), 0u);
    EXPECT_NE(result.find("PL 170 240 130 240 4 1 1\r\n"), std::string::npos);
}

TEST_F(WriterTest, AMissingTemporaryCopyLeavesTheDestinationUntouched) {
    const std::string out = f.dir.write("out.fcd", "precious drawing\n");
    const size_t files = filesInDir();
    ::unlink(f.program->fcd->tmpPath.c_str());
    EXPECT_FALSE(f.saveTo(out));
    EXPECT_EQ(readFile(out), "precious drawing\n");
    EXPECT_EQ(lineAfter("Errore 302: Impossibile aprire file temporaneo"),
              std::string("Motivo: ") + std::strerror(ENOENT));
    EXPECT_EQ(f.host.lastMessage(), "Errore 302: Impossibile aprire file temporaneo");
    EXPECT_EQ(f.host.messages.back().type, MsgDlgType::mtError);
    EXPECT_EQ(f.program->fcd->status, StatusTmpFile);
    EXPECT_EQ(filesInDir(), files - 1);
    EXPECT_TRUE(f.program->fcd->resultsUnsaved);
}

TEST_F(WriterTest, AFullDiskIsAnErrorAndTheDestinationSurvives) {
    const std::string out = f.dir.write("out.fcd", "precious drawing\n");
    const size_t files = filesInDir();
    f.program->fcd->writeFn = diskFull;
    EXPECT_FALSE(f.saveTo(out));
    EXPECT_EQ(readFile(out), "precious drawing\n");
    EXPECT_EQ(lineAfter("Errore 301: Impossibile aprire file fcd_out"),
              std::string("Motivo: ") + std::strerror(ENOSPC));
    EXPECT_EQ(f.host.lastMessage(), "Errore 301: Impossibile aprire file fidocad");
    EXPECT_EQ(f.program->fcd->status, StatusErr301);
    EXPECT_EQ(filesInDir(), files); // no half-written file left beside it
    EXPECT_EQ(f.host.field(Field::righe_out), "");

    // The next save, with the disk back, writes its tracks and completes.
    f.program->fcd->writeFn = nullptr;
    ASSERT_TRUE(f.saveTo(out));
    EXPECT_NE(readFile(out).find("PL 170 240 130 240 4 1 1\r\n"), std::string::npos);
    EXPECT_EQ(f.program->fcd->status, StatusComplete);
}

TEST_F(WriterTest, ADeviceThatRefusesWritesIsAnError) {
    if (!testing::fileExists("/dev/full"))
        GTEST_SKIP() << "no /dev/full here";
    EXPECT_FALSE(f.saveTo("/dev/full"));
    EXPECT_EQ(f.host.lastMessage(), "Errore 301: Impossibile aprire file fidocad");
}

TEST_F(WriterTest, AFolderThatDoesNotExistIsAnError) {
    EXPECT_FALSE(f.saveTo(f.dir.file("gone/out.fcd")));
    EXPECT_EQ(lineAfter("Errore 301: Impossibile aprire file fcd_out"),
              std::string("Motivo: ") + std::strerror(ENOENT));
    EXPECT_EQ(f.host.lastMessage(), "Errore 301: Impossibile aprire file fidocad");
    EXPECT_EQ(f.program->fcd->status, StatusErr301);
}

TEST_F(WriterTest, ASymbolicLinkIsFollowedAndStaysALink) {
    const std::string target = f.dir.write("real.fcd", "old\n");
    const std::string link = f.dir.file("link.fcd");
    std::filesystem::create_symlink("real.fcd", link);
    ASSERT_TRUE(f.saveTo(link));
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_NE(readFile(target).find("PL 170 240 130 240 4 1 1"), std::string::npos);
}

TEST_F(WriterTest, ADrawingWhoseFolderCannotBeWrittenIsProposedInTheDocumentsFolderElseHome) {
    // As the example installed with the program: the person may read it but not write beside it.
    namespace fs = std::filesystem;
    fs::create_directories(f.dir.file("examples"));
    fs::create_directories(f.dir.file("Documenti"));
    fs::create_directories(f.dir.file("home"));
    const std::string drawing = f.dir.file("examples/demo.fcd");
    fs::copy_file(f.program->fcd->fcdPath, drawing);
    ASSERT_TRUE(f.open(drawing));
    f.routeLaps(1);
    ASSERT_EQ(chmod(f.dir.path().c_str(), 0755), 0);
    ASSERT_EQ(chmod(f.dir.file("examples").c_str(), 0555), 0);
    ASSERT_EQ(chmod(f.dir.file("Documenti").c_str(), 0777), 0);
    ASSERT_EQ(chmod(f.dir.file("home").c_str(), 0777), 0);
    struct HomeFor {
        explicit HomeFor(const std::string& home) : old(std::getenv("HOME")) {
            saved = old ? old : "";
            setenv("HOME", home.c_str(), 1);
        }
        ~HomeFor() { old ? setenv("HOME", saved.c_str(), 1) : unsetenv("HOME"); }
        const char* old;
        std::string saved;
    };

    std::vector<std::string> proposed;
    {
        HomeFor home(f.dir.file("home"));
        testing::WithoutRootRights user;
        if (!user.active())
            GTEST_SKIP() << "cannot give up root's rights";
        // Each dialog is cancelled: only what it proposes matters here.
        f.program->documentsFolder = f.dir.file("Documenti");
        f.program->save();
        f.program->documentsFolder = f.dir.file("missing");
        f.program->save();
        f.program->documentsFolder.clear();
        f.program->save();
        for (const FileDialogSpec& d : f.host.saveDialogs)
            proposed.push_back(d.fileName);
    }
    ASSERT_EQ(chmod(f.dir.file("examples").c_str(), 0755), 0);
    EXPECT_EQ(proposed, (std::vector<std::string>{f.dir.file("Documenti/demo.fcd"),
                                                  f.dir.file("home/demo.fcd"), f.dir.file("home/demo.fcd")}));
    // Where the folder can be written, the drawing's own path stays the proposal.
    f.program->save();
    EXPECT_EQ(f.host.saveDialogs.back().fileName, drawing);
}

TEST_F(WriterTest, TheNameFieldShowsOnlyAFileThatWasWritten) {
    EXPECT_FALSE(f.saveTo(f.dir.file("gone/out.fcd")));
    EXPECT_EQ(f.host.field(Field::file_out), "");
    const std::string out = f.dir.file("out.fcd");
    ASSERT_TRUE(f.saveTo(out));
    EXPECT_EQ(f.host.field(Field::file_out), out);
    EXPECT_FALSE(f.saveTo(f.dir.file("gone/again.fcd")));
    EXPECT_EQ(f.host.field(Field::file_out), out);
}

TEST_F(WriterTest, ACancelledSaveDialogChangesNothing) {
    f.program->save();
    EXPECT_EQ(f.program->fcd->status, StatusComplete);
    EXPECT_EQ(f.host.field(Field::file_out), "");
    EXPECT_TRUE(f.program->fcd->resultsUnsaved);
}

} // namespace
} // namespace zelta
