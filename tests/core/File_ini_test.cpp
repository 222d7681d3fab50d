// The settings file: defaults, the item-number conversions the router receives, a faithful round
// trip in the documented key order, the lines of others kept as they stood, where the file lives,
// and every way the file can be bad, unreadable or unwritable.
#include "core/File_ini.h"

#include "support/ReportText.h"
#include "support/TestFiles.h"
#include "support/Unprivileged.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

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

// The keys a newer program added at the end of [Avanzate], after those of the shared boards'
// settings files, with their defaults.
const char* NewerKeys = "ferma_vuoto=0\nmetodo=0\nponticelli=0\nponticelli_max=20\nponticelli_passi=4,6,"
                        "8\nisolamento=0.3\nlarghezza=1\npiste_esistenti=0\n";

TEST(GestoreFileINI, ANewFileHoldsTheKeysInTheirOrder) {
    ScratchDir dir;
    GestoreFileINI ini(dir.file("zelta.ini"));
    ini.dim_auto = true;
    ASSERT_TRUE(ini.writeIni()) << ini.writeError;
    EXPECT_EQ(readFile(ini.iniFile), readFile(boardPath("auto-layer0.ini")) + NewerKeys);

    // A file of nothing but our keys is ours alone: it is written as a new one.
    GestoreFileINI ours(dir.write("ours.ini", "[avanzate]\nDEBUG = 0\n[Base]\ndim_auto=1\n"));
    ASSERT_TRUE(ours.writeIni()) << ours.writeError;
    EXPECT_EQ(readFile(ours.iniFile), readFile(boardPath("auto-layer0.ini")) + NewerKeys);
}

TEST(GestoreFileINI, WritingKeepsEveryLineThatIsNotOneOfTheKeys) {
    ScratchDir dir;
    GestoreFileINI ini(dir.write("zelta.ini", "; Zelta\r\n"
                                              "\r\n"
                                              "[Base]\r\n"
                                              "  DIM_AUTO = 0 \r\n"
                                              "mm_larg_scheda=100\r\n"
                                              "colore=blu\r\n"
                                              "\r\n"
                                              "; advanced\r\n"
                                              "[Avanzate]\r\n"
                                              "colore_piste=2\r\n"
                                              "giriv=1\r\n"
                                              "[Altro]\r\n"
                                              "giriv=9\r\n"));
    ini.dim_auto = true;
    ini.mm_larg_scheda = 120;
    ini.giriv = 3;
    ASSERT_TRUE(ini.writeIni()) << ini.writeError;
    // Our keys change in place; the missing ones follow the last line of their section, in the
    // order of a new file, with the file's own line ends.
    EXPECT_EQ(readFile(ini.iniFile), "; Zelta\r\n"
                                     "\r\n"
                                     "[Base]\r\n"
                                     "  DIM_AUTO = 1 \r\n"
                                     "mm_larg_scheda=120\r\n"
                                     "colore=blu\r\n"
                                     "due_facce=0\r\n"
                                     "layer_dim=0\r\n"
                                     "mm_alt_scheda=0\r\n"
                                     "\r\n"
                                     "; advanced\r\n"
                                     "[Avanzate]\r\n"
                                     "colore_piste=2\r\n"
                                     "giriv=3\r\n"
                                     "ampg=10\r\n"
                                     "ricalct=5\r\n"
                                     "pcurva=0\r\n"
                                     "pdiag=0\r\n"
                                     "pfaccia=0\r\n"
                                     "debug=0\r\n"
                                     "ferma_vuoto=0\r\n"
                                     "metodo=0\r\n"
                                     "ponticelli=0\r\n"
                                     "ponticelli_max=20\r\n"
                                     "ponticelli_passi=4,6,8\r\n"
                                     "isolamento=0.3\r\n"
                                     "larghezza=1\r\n"
                                     "piste_esistenti=0\r\n"
                                     "[Altro]\r\n"
                                     "giriv=9\r\n");
}

TEST(GestoreFileINI, WritingChangesTheLineTheReaderTakesAndAddsAMissingSectionAtTheEnd) {
    ScratchDir dir;
    GestoreFileINI ini(dir.write("zelta.ini",
                                 "\xEF\xBB\xBF[base]\nlayer_dim=3\nlayer_dim=4\n[Base]\nlayer_dim=5\n"
                                 "[Tools]\nx=1"));
    EXPECT_EQ(ini.layer_dim, 3);
    ini.layer_dim = 7;
    ASSERT_TRUE(ini.writeIni()) << ini.writeError;
    EXPECT_EQ(readFile(ini.iniFile),
              "\xEF\xBB\xBF[base]\nlayer_dim=7\nlayer_dim=4\n"
              "due_facce=0\ndim_auto=0\nmm_larg_scheda=0\nmm_alt_scheda=0\n"
              "[Base]\nlayer_dim=5\n[Tools]\nx=1\n"
              "[Avanzate]\nampg=10\ngiriv=10\nricalct=5\npcurva=0\npdiag=0\npfaccia=0\ndebug=0\n" +
                  std::string(NewerKeys));
    EXPECT_EQ(GestoreFileINI(ini.iniFile).layer_dim, 7);
}

TEST(GestoreFileINI, AFileThatCannotBeReadIsNotReplaced) {
    // Its other lines cannot be kept: writing over it would lose them.
    ScratchDir dir;
    ASSERT_EQ(chmod(dir.path().c_str(), 0777), 0);
    const std::string path = dir.write("zelta.ini", "; mine\n[Base]\ndim_auto=1\n");
    GestoreFileINI ini(path);
    ASSERT_EQ(chmod(path.c_str(), 0200), 0);
    if (chown(path.c_str(), 65534, 65534) != 0)
        GTEST_SKIP() << "cannot give the file to another user";
    {
        WithoutRootRights user;
        if (!user.active())
            GTEST_SKIP() << "cannot give up root's rights";
        EXPECT_FALSE(ini.writeIni());
    }
    EXPECT_NE(ini.writeError.find(std::strerror(EACCES)), std::string::npos) << ini.writeError;
    ASSERT_EQ(chmod(path.c_str(), 0600), 0);
    EXPECT_EQ(readFile(path), "; mine\n[Base]\ndim_auto=1\n");
}

TEST(GestoreFileINI, TheRoutingMethodIsClassicWithoutItsKeyAndSurvivesARoundTrip) {
    ScratchDir dir;
    const std::string older = readFile(boardPath("auto-layer0.ini"));
    GestoreFileINI without(dir.write("older.ini", older));
    EXPECT_EQ(without.metodo, 0);
    ASSERT_TRUE(without.writeIni()) << without.writeError;
    EXPECT_EQ(readFile(without.iniFile), older + NewerKeys);

    GestoreFileINI with(dir.write("newer.ini", older + "metodo=1\n"));
    EXPECT_EQ(with.metodo, 1);
    EXPECT_TRUE(with.dim_auto);
    ASSERT_TRUE(with.writeIni()) << with.writeError;
    EXPECT_EQ(readFile(with.iniFile),
              older + "ferma_vuoto=0\nmetodo=1\nponticelli=0\nponticelli_max=20\nponticelli_passi=4,6,8\n"
                      "isolamento=0.3\nlarghezza=1\npiste_esistenti=0\n");
    EXPECT_EQ(GestoreFileINI(with.iniFile).metodo, 1);

    ASSERT_FALSE(without.setByKey("METODO", "1"));
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
    GestoreFileINI ini(path);
    ASSERT_FALSE(ini.readOutcome.usable());
    EXPECT_EQ(ini.readOutcome.notice.kind, Notice::Kind::Error);
    const std::string& what = ini.readOutcome.notice.text;
    EXPECT_NE(what.find(path), std::string::npos) << what;
    EXPECT_NE(what.find("Avanzate"), std::string::npos) << what;
    EXPECT_NE(what.find("giriv"), std::string::npos) << what;
    EXPECT_NE(what.find("dieci"), std::string::npos) << what;
}

TEST(GestoreFileINI, TextsThatAreNotA32BitWholeNumberAreRefused) {
    ScratchDir dir;
    for (const char* bad : {"", "12abc", "3.5", "- 4", "2147483648", "-2147483649"}) {
        std::string path = dir.write("zelta.ini", std::string("[Base]\nlayer_dim=") + bad + "\n");
        EXPECT_FALSE(GestoreFileINI(path).readOutcome.usable()) << '"' << bad << '"';
    }
    GestoreFileINI ini(dir.write("zelta.ini", "[Base]\nlayer_dim=-2147483648\n"));
    EXPECT_EQ(ini.layer_dim, INT32_MIN);
    EXPECT_TRUE(ini.readOutcome.read);
    EXPECT_FALSE(ini.readOutcome.notice);
}

TEST(GestoreFileINI, AListOfLengthsIsWholeNumbersBetweenCommas) {
    ScratchDir dir;
    GestoreFileINI ini(dir.write("zelta.ini", "[Avanzate]\nponticelli_passi= 2, 10 ,12\n"));
    EXPECT_EQ(ini.ponticelli_passi, (std::vector<int32_t>{2, 10, 12}));
    ASSERT_TRUE(ini.writeIni()) << ini.writeError;
    EXPECT_NE(readFile(ini.iniFile).find("ponticelli_passi=2,10,12\n"), std::string::npos);
    for (const char* bad : {"", "4,,6", "4,6,", "quattro", "4;6"}) {
        std::string path = dir.write("zelta.ini", std::string("[Avanzate]\nponticelli_passi=") + bad + "\n");
        EXPECT_FALSE(GestoreFileINI(path).readOutcome.usable()) << '"' << bad << '"';
    }
    EXPECT_FALSE(ini.setByKey("ponticelli_passi", "6"));
    EXPECT_EQ(ini.ponticelli_passi, (std::vector<int32_t>{6}));
}

// The keys of the original program read any whole number as their conversions say; the keys
// added since refuse a value outside their range.
TEST(SettingRanges, AFileValueOutOfItsRangeIsAWarningWithTheDefaultAndTheOriginalKeysReadAny) {
    ScratchDir dir;
    const std::string path =
        dir.write("zelta.ini", "[Avanzate]\npcurva=-1\ndebug=9\nferma_vuoto=-1\nmetodo=7\nponticelli=2\n"
                               "ponticelli_max=1000\nponticelli_passi=0,-3,1000\n");
    GestoreFileINI ini(path);
    ASSERT_TRUE(ini.readOutcome.usable());
    EXPECT_EQ(ini.pcurva, -1);
    EXPECT_EQ(ini.debug, 9);
    EXPECT_EQ(ini.ferma_vuoto, 0);
    EXPECT_EQ(ini.metodo, 0);
    EXPECT_FALSE(ini.ponticelli);
    EXPECT_EQ(ini.ponticelli_max, 20);
    EXPECT_EQ(ini.ponticelli_passi, (std::vector<int32_t>{4, 6, 8}));
    EXPECT_EQ(ini.readOutcome.notice.kind, Notice::Kind::Warning);
    const std::vector<std::string> lines = testing::splitLines(ini.readOutcome.notice.text);
    ASSERT_EQ(lines.size(), 5u) << ini.readOutcome.notice.text;
    EXPECT_EQ(lines[1], "Valore fuori intervallo nel file delle opzioni " + path +
                            ": sezione [Avanzate], chiave metodo = \"7\" (ammesso da 0 a 1); si usa 0");
    EXPECT_NE(lines[4].find("ponticelli_passi = \"0,-3,1000\" (ammesso da 1 a 99); si usa 4,6,8"),
              std::string::npos)
        << lines[4];

    // At the edges of their ranges they are read in silence.
    GestoreFileINI edges(dir.write("edges.ini", "[Avanzate]\nferma_vuoto=1000000\nmetodo=1\nponticelli=1\n"
                                                "ponticelli_max=0\nponticelli_passi=1,99\n"));
    EXPECT_FALSE(edges.readOutcome.notice) << edges.readOutcome.notice.text;
    EXPECT_EQ(edges.metodo, 1);
    EXPECT_EQ(edges.ponticelli_passi, (std::vector<int32_t>{1, 99}));
}

TEST(SettingRanges, ACommandSettingIsRefusedWithKeyValueAndRangeAndChangesNothing) {
    GestoreFileINI ini("");
    struct Case {
        const char* key;
        const char* value;
        const char* said;
    };
    const Case refused[] = {
        {"metodo", "-1", "il valore di metodo (\"-1\") è fuori intervallo: ammesso da 0 a 1"},
        {"Ponticelli_Passi", "4,0",
         "il valore di Ponticelli_Passi (\"4,0\") è fuori intervallo: ammesso da 1 a 99"},
        {"ponticelli_max", "1000", "ammesso da 0 a 999"},
        {"giriv", "abc", "il valore di giriv deve essere un numero intero"},
        {"nokey", "1", "chiave sconosciuta \"nokey\""},
    };
    for (const Case& c : refused) {
        const Notice notice = ini.setByKey(c.key, c.value);
        EXPECT_EQ(notice.kind, Notice::Kind::Error) << c.key;
        EXPECT_NE(notice.text.find(c.said), std::string::npos) << notice.text;
    }
    EXPECT_EQ(ini.metodo, 0);
    EXPECT_EQ(ini.ponticelli_passi, (std::vector<int32_t>{4, 6, 8}));
    EXPECT_EQ(ini.ponticelli_max, 20);
    EXPECT_FALSE(ini.setByKey("debug", "9"));
    EXPECT_EQ(ini.debug, 9);
}

TEST(GestoreFileINI, TheClearanceIsADecimalWithPointOrCommaAndBothRulesHaveARange) {
    ScratchDir dir;
    GestoreFileINI none(dir.file("none.ini"));
    EXPECT_DOUBLE_EQ(none.isolamento, 0.3);
    EXPECT_EQ(none.larghezza, 1) << "what the reader gave every net before the key existed";

    for (const auto& [text, value] : {std::pair{"0,25", 0.25}, std::pair{" 0.254 ", 0.254},
                                      std::pair{"2", 2.0}, std::pair{"+.05", 0.05}, std::pair{"1.", 1.0}}) {
        GestoreFileINI ini(dir.write("zelta.ini", std::string("[Avanzate]\nisolamento=") + text + "\n"));
        EXPECT_DOUBLE_EQ(ini.isolamento, value) << text;
        EXPECT_FALSE(ini.readOutcome.notice) << text;
        // Written back with a point, as the shortest text that reads the same.
        ASSERT_TRUE(ini.writeIni()) << ini.writeError;
        EXPECT_EQ(GestoreFileINI(ini.iniFile).isolamento, value) << text;
    }
    GestoreFileINI written(dir.write("zelta.ini", "[Avanzate]\nisolamento=0,25\nlarghezza=0\n"));
    ASSERT_TRUE(written.writeIni()) << written.writeError;
    EXPECT_NE(readFile(written.iniFile).find("isolamento=0.25\nlarghezza=0\n"), std::string::npos);

    for (const char* bad : {"", "0,2,5", "0.2.5", "1e-1", "inf", "nan", "0x1", "- 0.3", "--1", "0,3mm"}) {
        const std::string path = dir.write("zelta.ini", std::string("[Avanzate]\nisolamento=") + bad + "\n");
        EXPECT_FALSE(GestoreFileINI(path).readOutcome.usable()) << '"' << bad << '"';
    }

    // Out of range in a file: the default, with a warning that names file, section, key, value and
    // range.
    const std::string path = dir.write("zelta.ini", "[Avanzate]\nisolamento=0,04\nlarghezza=-1\n");
    GestoreFileINI outside(path);
    EXPECT_DOUBLE_EQ(outside.isolamento, 0.3);
    EXPECT_EQ(outside.larghezza, 1);
    const std::vector<std::string> lines = testing::splitLines(outside.readOutcome.notice.text);
    ASSERT_EQ(lines.size(), 2u) << outside.readOutcome.notice.text;
    EXPECT_EQ(lines[0],
              "Valore fuori intervallo nel file delle opzioni " + path +
                  ": sezione [Avanzate], chiave isolamento = \"0,04\" (ammesso da 0.05 a 2); si usa 0.3");
    EXPECT_NE(lines[1].find("chiave larghezza = \"-1\" (ammesso da 0 a 1); si usa 1"), std::string::npos);

    // From the command line a value out of range is refused and changes nothing.
    EXPECT_NE(outside.setByKey("isolamento", "2.001").text.find("ammesso da 0.05 a 2"), std::string::npos);
    EXPECT_EQ(outside.setByKey("LARGHEZZA", "2").kind, Notice::Kind::Error);
    EXPECT_NE(outside.setByKey("isolamento", "0,3mm").text.find("deve essere un numero (con"),
              std::string::npos);
    EXPECT_DOUBLE_EQ(outside.isolamento, 0.3);
    EXPECT_FALSE(outside.setByKey("isolamento", "0,05"));
    EXPECT_DOUBLE_EQ(outside.isolamento, 0.05);
}

TEST(GestoreFileINI, KeepingTheDrawingsTracksIsOffByDefaultAndTakesZeroOrOne) {
    ScratchDir dir;
    EXPECT_EQ(GestoreFileINI(dir.file("none.ini")).piste_esistenti, 0) << "the read asks, as it always did";
    GestoreFileINI kept(dir.write("zelta.ini", "[Avanzate]\npiste_esistenti=1\n"));
    EXPECT_EQ(kept.piste_esistenti, 1);
    ASSERT_TRUE(kept.writeIni()) << kept.writeError;
    EXPECT_NE(readFile(kept.iniFile).find("larghezza=1\npiste_esistenti=1\n"), std::string::npos);

    GestoreFileINI outside(dir.write("zelta.ini", "[Avanzate]\npiste_esistenti=2\n"));
    EXPECT_EQ(outside.piste_esistenti, 0);
    EXPECT_NE(
        outside.readOutcome.notice.text.find("chiave piste_esistenti = \"2\" (ammesso da 0 a 1); si usa 0"),
        std::string::npos)
        << outside.readOutcome.notice.text;
    EXPECT_EQ(outside.setByKey("piste_esistenti", "-1").kind, Notice::Kind::Error);
    EXPECT_FALSE(outside.setByKey("piste_esistenti", "1"));
    EXPECT_EQ(outside.piste_esistenti, 1);
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
    EXPECT_FALSE(unreachable.readOutcome.read);
    EXPECT_EQ(unreachable.readOutcome.notice.kind, Notice::Kind::Warning);
    GestoreFileINI missing(dir.file("absent/zelta.ini"));
    EXPECT_TRUE(missing.readProblem.empty());
    EXPECT_FALSE(missing.readOutcome.read);
    EXPECT_FALSE(missing.readOutcome.notice);
}

TEST(DefaultLocation, TheProgramFolderWhenItCanBeWrittenElseThePersonalConfigFolder) {
    ScratchDir dir;
    const std::string exe = dir.file("zelta");
    EXPECT_EQ(GestoreFileINI::defaultLocation(exe, true).readPath, dir.file("zelta.ini"));
    EXPECT_EQ(GestoreFileINI::defaultLocation(exe, true).writePath, dir.file("zelta.ini"));
    {
        EnvVar xdg("XDG_CONFIG_HOME", "/xdg/config");
        SettingsLocation where = GestoreFileINI::defaultLocation(exe, false);
        EXPECT_EQ(where.readPath, "/xdg/config/zelta/zelta.ini");
        EXPECT_EQ(where.writePath, "/xdg/config/zelta/zelta.ini");
    }
    EnvVar xdg("XDG_CONFIG_HOME", nullptr);
    EnvVar home("HOME", "/home/someone");
    EXPECT_EQ(GestoreFileINI::defaultLocation(dir.file("missing/zelta")).writePath,
              "/home/someone/.config/zelta/zelta.ini");

    ASSERT_EQ(chmod(dir.path().c_str(), 0555), 0);
    WithoutRootRights user;
    if (!user.active())
        GTEST_SKIP() << "cannot give up root's rights";
    EXPECT_EQ(GestoreFileINI::defaultLocation(exe).writePath, "/home/someone/.config/zelta/zelta.ini");
}

TEST(DefaultLocation, TheFileShippedBesideAReadOnlyProgramIsReadUntilThePersonOwnsOne) {
    ScratchDir dir;
    const std::string exe = dir.file("bin/zelta");
    std::filesystem::create_directory(dir.file("bin"));
    EnvVar xdg("XDG_CONFIG_HOME", dir.file("config").c_str());
    const std::string personal = dir.file("config/zelta/zelta.ini");
    EXPECT_EQ(GestoreFileINI::defaultLocation(exe, false).readPath, personal);

    const std::string shipped = dir.write("bin/zelta.ini", "; shipped\n[Base]\nmm_larg_scheda=80\n");
    SettingsLocation where = GestoreFileINI::defaultLocation(exe, false);
    EXPECT_EQ(where.readPath, shipped);
    EXPECT_EQ(where.writePath, personal);

    GestoreFileINI ini(where);
    EXPECT_EQ(ini.mm_larg_scheda, 80);
    ini.mm_larg_scheda = 90;
    ASSERT_TRUE(ini.writeIni()) << ini.writeError;
    EXPECT_EQ(readFile(shipped), "; shipped\n[Base]\nmm_larg_scheda=80\n");
    EXPECT_EQ(GestoreFileINI(personal).mm_larg_scheda, 90);
    // The shipped file's other lines come along into the person's own.
    EXPECT_EQ(readFile(personal).rfind("; shipped\n", 0), 0u);

    where = GestoreFileINI::defaultLocation(exe, false);
    EXPECT_EQ(where.readPath, personal);
    EXPECT_EQ(where.writePath, personal);
}

TEST(DefaultLocation, AnInstalledProgramWritesThePersonsOwnFileEvenWhereItsFolderCanBeWritten) {
    // bin/zelta with its shipped settings in share/zelta, as the package lays them out; root can
    // write bin/, and nothing may be written there.
    ScratchDir dir;
    std::filesystem::create_directories(dir.file("usr/bin"));
    std::filesystem::create_directories(dir.file("usr/share/zelta"));
    const std::string exe = dir.file("usr/bin/zelta");
    const std::string shipped = dir.write("usr/share/zelta/zelta.ini", "[Base]\ndim_auto=1\n");
    const std::string beside = dir.write("usr/bin/zelta.ini", "[Base]\nmm_larg_scheda=70\n");
    EnvVar xdg("XDG_CONFIG_HOME", dir.file("root/.config").c_str());
    const std::string personal = dir.file("root/.config/zelta/zelta.ini");

    for (bool writable : {true, false}) {
        SettingsLocation where = GestoreFileINI::defaultLocation(exe, writable);
        EXPECT_EQ(where.writePath, personal) << writable;
        // A file left beside the program by an earlier version is not read either.
        EXPECT_EQ(where.readPath, dir.file("usr/bin/../share/zelta/zelta.ini")) << writable;
    }
    GestoreFileINI ini(GestoreFileINI::defaultLocation(exe, true));
    EXPECT_TRUE(ini.dim_auto);
    EXPECT_EQ(ini.mm_larg_scheda, 0);
    ini.mm_larg_scheda = 90;
    ASSERT_TRUE(ini.writeIni()) << ini.writeError;
    EXPECT_EQ(readFile(shipped), "[Base]\ndim_auto=1\n");
    EXPECT_EQ(readFile(beside), "[Base]\nmm_larg_scheda=70\n");
    EXPECT_EQ(GestoreFileINI(GestoreFileINI::defaultLocation(exe, true)).mm_larg_scheda, 90);

    // Another person starts from the shipped values, not from root's.
    EnvVar other("XDG_CONFIG_HOME", dir.file("someone/.config").c_str());
    SettingsLocation theirs = GestoreFileINI::defaultLocation(exe, true);
    EXPECT_EQ(theirs.writePath, dir.file("someone/.config/zelta/zelta.ini"));
    EXPECT_EQ(GestoreFileINI(theirs).mm_larg_scheda, 0);
}

TEST(DefaultLocation, TheShippedSettingsSizeTheBoardByItsOutlineAndStopARunThatNoLongerImproves) {
    // Without them a run goes on until Stop; with them the desktop program stops by itself, late
    // enough for the improvements that come after long idle stretches on the shared boards.
    GestoreFileINI shipped(std::string(ZELTA_SOURCE_DIR) + "/packaging/zelta.ini");
    EXPECT_TRUE(shipped.readProblem.empty()) << shipped.readProblem;
    EXPECT_TRUE(shipped.dim_auto);
    EXPECT_GE(shipped.ferma_vuoto, 1700);
    // The negotiated method on the fine lattice: the fewest pads left open on the shared boards.
    EXPECT_EQ(latticePitch(shipped), FinePitch);
    EXPECT_EQ(GestoreFileINI("").ferma_vuoto, 0);
}

TEST(DefaultLocation, TheMissingConfigFoldersAreMadePrivateWhenTheSettingsAreWritten) {
    ScratchDir dir;
    const std::string path = dir.file("home/.config/zelta/zelta.ini");
    GestoreFileINI ini(path);
    ASSERT_TRUE(ini.writeIni()) << ini.writeError;
    EXPECT_EQ(GestoreFileINI(path).giriv, 10);
    struct stat st;
    ASSERT_EQ(stat(dir.file("home/.config/zelta").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0077, 0u);

    // A folder that cannot be made is named with the reason.
    ASSERT_EQ(chmod(dir.path().c_str(), 0555), 0);
    GestoreFileINI blocked(dir.file("other/zelta/zelta.ini"));
    {
        WithoutRootRights user;
        if (!user.active())
            GTEST_SKIP() << "cannot give up root's rights";
        EXPECT_FALSE(blocked.writeIni());
    }
    EXPECT_NE(blocked.writeError.find(std::strerror(EACCES)), std::string::npos) << blocked.writeError;
}

} // namespace
} // namespace zelta
