// The set written into a folder: every file of it, the refusals that keep the user's files, and
// what a failed read or write leaves behind.
#include "production/ProductionSet.h"

#include "core/Messages.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace zelta {
namespace {

using testing::fileExists;
using testing::readFile;
using testing::ScratchDir;
using testing::sourcePath;

const std::string RoutedBoard = "tests/data/export/dc-mixer-jumpers.fcd";

class ProductionSet : public ::testing::Test {
protected:
    ProductionSet() { settings.dim_auto = true; }
    ProductionResult write(const std::string& drawing, const std::string& folder) {
        ProductionRequest request;
        request.drawing = drawing;
        request.folder = folder;
        request.protectedFiles = protectedFiles;
        return writeProductionSet(request, settings);
    }
    // The routed board copied into the scratch folder under name.
    std::string board(const std::string& name) { return dir.write(name, readFile(sourcePath(RoutedBoard))); }

    ScratchDir dir;
    GestoreFileINI settings{"/nonexistent/zelta.ini"};
    std::vector<std::string> protectedFiles;
};

TEST_F(ProductionSet, WritesEveryFileOfTheSetIntoAFolderItMakes) {
    const std::string folder = dir.file("a/b");
    const ProductionResult r = write(board("mixer.fcd"), folder);
    ASSERT_EQ(r.outcome, ProductionOutcome::Written) << r.message;
    const std::vector<std::string> names = {
        "mixer-rame.gbr",       "mixer-contorno.gbr", "mixer.drl",        "mixer-ponticelli.gbr",
        "mixer-ponticelli.csv", "mixer-stampa.pdf",   "mixer-leggimi.txt"};
    ASSERT_EQ(r.files.size(), names.size());
    for (size_t i = 0; i < names.size(); ++i) {
        EXPECT_EQ(r.files[i], folder + "/" + names[i]);
        EXPECT_FALSE(readFile(r.files[i]).empty()) << names[i];
    }
    EXPECT_EQ(readFile(r.files[5]).rfind("%PDF-", 0), 0u);
    const std::string list = readFile(r.files[4]);
    EXPECT_EQ(std::count(list.begin(), list.end(), '\n'), 16) << "a line of names and the 15 wire links";
    const std::string readMe = readFile(r.files[6]);
    EXPECT_NE(readMe.find("\"mixer.fcd\""), std::string::npos);
    EXPECT_NE(readMe.find("Scheda: 74,93 x 99,06 mm"), std::string::npos) << "590 x 780 units";
    EXPECT_NE(readMe.find("134 piazzole"), std::string::npos);
    EXPECT_NE(readMe.find("15 ponticelli"), std::string::npos);
    EXPECT_EQ(r.padsLeftOut, 0);
    // Written whole, in place: nothing else is left in the folder.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 7);
}

TEST_F(ProductionSet, RefusesAFolderThatIsAFileAndLeavesItAsItWas) {
    const std::string notAFolder = dir.write("out", "mine");
    const ProductionResult r = write(board("mixer.fcd"), notAFolder);
    EXPECT_EQ(r.outcome, ProductionOutcome::Refused);
    EXPECT_NE(r.message.find("non è una cartella"), std::string::npos) << r.message;
    EXPECT_EQ(readFile(notAFolder), "mine");
    EXPECT_TRUE(r.files.empty());
}

TEST_F(ProductionSet, NeverReplacesTheDrawingOrTheSettingsFileWhateverTheirNames) {
    // A drawing whose own name is one of the set's: "scheda.drl" would be its drill file.
    const std::string drawing = board("scheda.drl");
    const std::string content = readFile(drawing);
    ProductionResult r = write(drawing, dir.path());
    EXPECT_EQ(r.outcome, ProductionOutcome::Refused);
    EXPECT_NE(r.message.find("non lo sovrascrive"), std::string::npos) << r.message;
    EXPECT_EQ(readFile(drawing), content);
    EXPECT_FALSE(fileExists(dir.file("scheda-rame.gbr"))) << "refused before anything is written";

    // The settings file, and a link to the drawing under a name of the set.
    protectedFiles = {dir.write("mixer-leggimi.txt", "[Base]\ndim_auto=1\n")};
    EXPECT_EQ(write(board("mixer.fcd"), dir.path()).outcome, ProductionOutcome::Refused);
    EXPECT_EQ(readFile(dir.file("mixer-leggimi.txt")), "[Base]\ndim_auto=1\n");
    protectedFiles.clear();
    const std::string other = board("other.fcd");
    ASSERT_EQ(symlink(other.c_str(), dir.file("other-stampa.pdf").c_str()), 0);
    EXPECT_EQ(write(other, dir.path()).outcome, ProductionOutcome::Refused);
    EXPECT_EQ(readFile(other), content);
}

TEST_F(ProductionSet, ADrawingThatCannotBeReadWritesNothing) {
    const std::string folder = dir.file("set");
    ProductionResult r = write(dir.file("missing.fcd"), folder);
    EXPECT_EQ(r.outcome, ProductionOutcome::ReadFailed);
    EXPECT_EQ(r.message, msg::Err101Box);
    r = write(dir.write("plain.fcd", "PA 100 100 16 16 6 0 1 1\n"), folder);
    EXPECT_EQ(r.outcome, ProductionOutcome::ReadFailed);
    EXPECT_EQ(r.message, msg::Err103Box);
    r = write(dir.write("far.fcd", "[FIDOCAD]\nRV 0 0 400 300 0\nPL 0 0 90000 0 4 1 1\n"), folder);
    EXPECT_EQ(r.outcome, ProductionOutcome::ReadFailed);
    EXPECT_NE(r.message.find("[3] Pista troppo lontana"), std::string::npos) << r.message;
    EXPECT_FALSE(fileExists(folder));
}

TEST_F(ProductionSet, AFileThatCannotBeWrittenStopsTheSetAndSaysWhich) {
    // A folder where the outline file would go: the copper is written before it, nothing after.
    ASSERT_EQ(mkdir(dir.file("mixer-contorno.gbr").c_str(), 0755), 0);
    const ProductionResult r = write(board("mixer.fcd"), dir.path());
    EXPECT_EQ(r.outcome, ProductionOutcome::WriteFailed);
    EXPECT_NE(r.message.find("mixer-contorno.gbr"), std::string::npos) << r.message;
    EXPECT_EQ(r.files, std::vector<std::string>{dir.file("mixer-rame.gbr")});
    EXPECT_FALSE(fileExists(dir.file("mixer.drl")));
}

TEST_F(ProductionSet, CopperPadsTheReaderLeavesOutAreCounted) {
    const ProductionResult r = write(dir.write("odd.fcd", "[FIDOCAD]\nRV 0 0 400 300 0\n"
                                                          "PA 100 100 16 16 6 0 1 1\n"
                                                          "PA 200 100 16 16 6 0 1\n"     // no net
                                                          "PA 900 100 16 16 6 0 1 1\n"), // off the board
                                     dir.file("set"));
    ASSERT_EQ(r.outcome, ProductionOutcome::Written) << r.message;
    EXPECT_EQ(r.padsLeftOut, 2);
    EXPECT_NE(readFile(dir.file("set/odd-leggimi.txt")).find("Attenzione: 2 piazzole"), std::string::npos);
}

} // namespace
} // namespace zelta
