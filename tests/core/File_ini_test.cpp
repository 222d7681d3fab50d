// The settings file: defaults, the item-number conversions the router receives, a faithful round
// trip in the documented key order, and every way the file can be bad, unreadable or unwritable.
#include "core/File_ini.h"

#include "support/TestFiles.h"
#include "support/Unprivileged.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <sys/stat.h>

namespace zelta {
namespace {

using testing::boardPath;
using testing::readFile;
using testing::ScratchDir;
using testing::WithoutRootRights;

// Sets or removes an environment variable for the life of the object.
class EnvVar {
public:
    EnvVar(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name))
            old_ = old;
        if (value)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
    ~EnvVar() {
        if (old_)
            setenv(name_, old_->c_str(), 1);
        else
            unsetenv(name_);
    }

private:
    const char* name_;
    std::optional<std::string> old_;
};

TEST(GestoreFileINI, WithoutAFileTheRouterGetsTheDefaultValues) {
    ScratchDir dir;
    GestoreFileINI ini(dir.file("zelta.ini"));
    EXPECT_TRUE(ini.readProblem.empty());
    EXPECT_FALSE(ini.dim_auto);
    EXPECT_EQ(ini.mm_larg_scheda, 0);
    EXPECT_EQ(fastLapsFor(ini.giriv), 10);
    EXPECT_EQ(retargetEveryFor(ini.ricalct), 10);
    EXPECT_EQ(bendPenaltyFor(ini.pcurva), -3);
    EXPECT_EQ(diagonalPenaltyFor(ini.pdiag), -5);
    EXPECT_EQ(ini.debug, 0);
}

TEST(GestoreFileINI, StoredItemNumbersBecomeRouterValues) {
    ScratchDir dir;
    GestoreFileINI ini(dir.write("zelta.ini", "[Avanzate]\ngiriv=2\nricalct=0\npcurva=3\npdiag=1\n"));
    EXPECT_EQ(fastLapsFor(ini.giriv), 5);
    EXPECT_EQ(retargetEveryFor(ini.ricalct), 0);
    EXPECT_EQ(bendPenaltyFor(ini.pcurva), 4);
    EXPECT_EQ(diagonalPenaltyFor(ini.pdiag), -2);
}

TEST(ConversionTable, EveryItemAndEveryValueBeyondTheItems) {
    const int32_t beyond[] = {-1, INT32_MIN, INT32_MAX};
    EXPECT_EQ(fastLapsFor(0), 0);
    EXPECT_EQ(fastLapsFor(1), 1);
    EXPECT_EQ(fastLapsFor(3), 10);
    EXPECT_EQ(fastLapsFor(4), 10);
    EXPECT_EQ(retargetEveryFor(1), 2);
    EXPECT_EQ(retargetEveryFor(2), 5);
    EXPECT_EQ(retargetEveryFor(3), 10);
    EXPECT_EQ(bendPenaltyFor(1), -1);
    EXPECT_EQ(bendPenaltyFor(2), 0);
    EXPECT_EQ(bendPenaltyFor(4), 8);
    EXPECT_EQ(diagonalPenaltyFor(2), 0);
    EXPECT_EQ(diagonalPenaltyFor(3), 2);
    EXPECT_EQ(diagonalPenaltyFor(4), 5);
    for (int32_t v : beyond) {
        EXPECT_EQ(fastLapsFor(v), 10) << v;
        EXPECT_EQ(retargetEveryFor(v), 10) << v;
        EXPECT_EQ(bendPenaltyFor(v), 8) << v;
        EXPECT_EQ(diagonalPenaltyFor(v), 5) << v;
    }
}

TEST(GestoreFileINI, ANewFileHoldsTheKeysInTheirOrder) {
    ScratchDir dir;
    GestoreFileINI ini(dir.file("zelta.ini"));
    ini.dim_auto = true;
    ASSERT_TRUE(ini.writeIni()) << ini.writeError;
    // The shared file was written before the routing method had a key: it comes after the others.
    EXPECT_EQ(readFile(ini.iniFile), readFile(boardPath("auto-layer0.ini")) + "metodo=0\n");
}

TEST(GestoreFileINI, TheRoutingMethodIsClassicWithoutItsKeyAndSurvivesARoundTrip) {
    ScratchDir dir;
    const std::string older = readFile(boardPath("auto-layer0.ini"));
    GestoreFileINI without(dir.write("older.ini", older));
    EXPECT_EQ(without.metodo, 0);
    ASSERT_TRUE(without.writeIni()) << without.writeError;
    EXPECT_EQ(readFile(without.iniFile), older + "metodo=0\n");

    GestoreFileINI with(dir.write("newer.ini", older + "metodo=1\n"));
    EXPECT_EQ(with.metodo, 1);
    EXPECT_TRUE(with.dim_auto);
    ASSERT_TRUE(with.writeIni()) << with.writeError;
    EXPECT_EQ(readFile(with.iniFile), older + "metodo=1\n");
    EXPECT_EQ(GestoreFileINI(with.iniFile).metodo, 1);

    ASSERT_TRUE(without.setByKey("METODO", "1"));
    EXPECT_EQ(without.metodo, 1);
}

TEST(GestoreFileINI, WritingAndReadingGivesBackEveryField) {
    ScratchDir dir;
    GestoreFileINI out(dir.file("zelta.ini"));
    out.due_facce = true;
    out.dim_auto = true;
    out.layer_dim = 15;
    out.mm_larg_scheda = 199;
    out.mm_alt_scheda = -7;
    out.ampg = 1;
    out.giriv = 3;
    out.ricalct = 2;
    out.pcurva = INT32_MIN;
    out.pdiag = INT32_MAX;
    out.pfaccia = 4;
    out.debug = 2;
    out.metodo = 1;
    ASSERT_TRUE(out.writeIni()) << out.writeError;

    GestoreFileINI in(out.iniFile);
    EXPECT_TRUE(in.due_facce);
    EXPECT_TRUE(in.dim_auto);
    EXPECT_EQ(in.layer_dim, 15);
    EXPECT_EQ(in.mm_larg_scheda, 199);
    EXPECT_EQ(in.mm_alt_scheda, -7);
    EXPECT_EQ(in.ampg, 1);
    EXPECT_EQ(in.giriv, 3);
    EXPECT_EQ(in.ricalct, 2);
    EXPECT_EQ(in.pcurva, INT32_MIN);
    EXPECT_EQ(in.pdiag, INT32_MAX);
    EXPECT_EQ(in.pfaccia, 4);
    EXPECT_EQ(in.debug, 2);
    EXPECT_EQ(in.metodo, 1);
}

TEST(GestoreFileINI, ANonZeroBoolReadsTrueAndIsWrittenAsOne) {
    ScratchDir dir;
    GestoreFileINI ini(dir.write("zelta.ini", "[Base]\ndue_facce=7\n"));
    EXPECT_TRUE(ini.due_facce);
    ASSERT_TRUE(ini.writeIni()) << ini.writeError;
    EXPECT_NE(readFile(ini.iniFile).find("\ndue_facce=1\n"), std::string::npos);
}

TEST(GestoreFileINI, CommentsBlankLinesSpacesAndKeyCaseAreTolerated) {
    ScratchDir dir;
    GestoreFileINI ini(dir.write("zelta.ini", "; settings\n\n# more\n[base]\r\n  DIM_AUTO = 1 \r\n"
                                              "Mm_Larg_Scheda=+100\n\n[AVANZATE]\ndebug= -2\n"));
    EXPECT_TRUE(ini.dim_auto);
    EXPECT_EQ(ini.mm_larg_scheda, 100);
    EXPECT_EQ(ini.debug, -2);

    GestoreFileINI marked(dir.write("marked.ini", "\xEF\xBB\xBF[Base]\nmm_larg_scheda=90\n"));
    EXPECT_EQ(marked.mm_larg_scheda, 90);
    EXPECT_TRUE(marked.readProblem.empty());
}

TEST(GestoreFileINI, AKeyCountsOnlyInItsOwnSection) {
    ScratchDir dir;
    GestoreFileINI ini(dir.write("zelta.ini", "[Avanzate]\ndim_auto=1\n[Base]\ndebug=2\n"));
    EXPECT_FALSE(ini.dim_auto);
    EXPECT_EQ(ini.debug, 0);
}

TEST(GestoreFileINI, AValueThatIsNotAWholeNumberNamesFileSectionKeyAndValue) {
    ScratchDir dir;
    std::string path = dir.write("zelta.ini", "[Avanzate]\ngiriv=dieci\n");
    try {
        GestoreFileINI ini(path);
        FAIL() << "no error";
    } catch (const SettingsError& e) {
        std::string what = e.what();
        EXPECT_NE(what.find(path), std::string::npos) << what;
        EXPECT_NE(what.find("Avanzate"), std::string::npos) << what;
        EXPECT_NE(what.find("giriv"), std::string::npos) << what;
        EXPECT_NE(what.find("dieci"), std::string::npos) << what;
    }
}

TEST(GestoreFileINI, TextsThatAreNotA32BitWholeNumberAreRefused) {
    ScratchDir dir;
    for (const char* bad : {"", "12abc", "3.5", "- 4", "2147483648", "-2147483649"}) {
        std::string path = dir.write("zelta.ini", std::string("[Base]\nlayer_dim=") + bad + "\n");
        EXPECT_THROW(GestoreFileINI ini(path), SettingsError) << '"' << bad << '"';
    }
    GestoreFileINI ini(dir.write("zelta.ini", "[Base]\nlayer_dim=-2147483648\n"));
    EXPECT_EQ(ini.layer_dim, INT32_MIN);
}

TEST(GestoreFileINI, AFolderThatCannotBeWrittenLeavesTheOldFileAndSaysWhy) {
    ScratchDir dir;
    std::string path = dir.write("zelta.ini", "[Base]\nmm_larg_scheda=5\n");
    GestoreFileINI ini(path);
    ini.mm_larg_scheda = 6;
    ASSERT_EQ(chmod(dir.path().c_str(), 0555), 0);
    {
        WithoutRootRights user;
        if (!user.active())
            GTEST_SKIP() << "cannot give up root's rights";
        EXPECT_FALSE(ini.writeIni());
    }
    EXPECT_NE(ini.writeError.find(path), std::string::npos) << ini.writeError;
    EXPECT_EQ(readFile(path), "[Base]\nmm_larg_scheda=5\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST(GestoreFileINI, ASettingsPathThatCannotBeReadGivesTheDefaultsAndSaysWhy) {
    ScratchDir dir;
    std::filesystem::create_directory(dir.file("zelta.ini"));
    GestoreFileINI folder(dir.file("zelta.ini"));
    EXPECT_FALSE(folder.readProblem.empty());
    EXPECT_EQ(folder.giriv, 10);

    std::string path = dir.write("locked.ini", "[Avanzate]\ngiriv=1\n");
    ASSERT_EQ(chmod(path.c_str(), 0), 0);
    ASSERT_EQ(chmod(dir.path().c_str(), 0755), 0);
    const std::string hidden = dir.file("hidden");
    std::filesystem::create_directory(hidden);
    ASSERT_EQ(chmod(hidden.c_str(), 0), 0);
    WithoutRootRights user;
    if (!user.active())
        GTEST_SKIP() << "cannot give up root's rights";
    GestoreFileINI locked(path);
    EXPECT_FALSE(locked.readProblem.empty());
    EXPECT_EQ(locked.giriv, 10);

    // A folder that cannot be searched hides whether the file is there: not the same as missing.
    GestoreFileINI unreachable(hidden + "/zelta.ini");
    EXPECT_FALSE(unreachable.readProblem.empty());
    GestoreFileINI missing(dir.file("absent/zelta.ini"));
    EXPECT_TRUE(missing.readProblem.empty());
}

TEST(DefaultPath, TheProgramFolderWhenItCanBeWrittenElseThePersonalConfigFolder) {
    ScratchDir dir;
    EXPECT_EQ(GestoreFileINI::defaultPath(dir.file("zelta")), dir.file("zelta.ini"));

    const std::string noFolder = dir.file("missing/zelta");
    {
        EnvVar xdg("XDG_CONFIG_HOME", "/xdg/config");
        EXPECT_EQ(GestoreFileINI::defaultPath(noFolder), "/xdg/config/zelta/zelta.ini");
    }
    EnvVar xdg("XDG_CONFIG_HOME", nullptr);
    EnvVar home("HOME", "/home/someone");
    EXPECT_EQ(GestoreFileINI::defaultPath(noFolder), "/home/someone/.config/zelta/zelta.ini");
}

} // namespace
} // namespace zelta
