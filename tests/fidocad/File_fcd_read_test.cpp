// Reading a drawing through the open command, as the person sees it: the header search, the board
// size, the pads on the grid, existing tracks, the cleaned copy in the temporary file, every error
// and warning, bad input of every kind, and the shared test boards.
#include "fidocad/File_fcd.h"

#include "app/Program.h"
#include "core/Messages.h"
#include "support/ScriptedHost.h"
#include "support/TestFiles.h"
#include "support/Unprivileged.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>
#include <ostream>
#include <random>
#include <string_view>
#include <sys/stat.h>
#include <vector>

namespace zelta {
namespace {

using testing::boardPath;
using testing::readFile;
using testing::ScratchDir;
using testing::ScriptedHost;
using testing::WithoutRootRights;

const std::string Header = "[FIDOCAD]\n";
// A pad of net 3 at (100, 50): on the 100 x 50 mm board, cell (10, 5) with a 3 x 3 area.
const std::string Pad = "PA 100 50 12 12 5 0 1 3\n";

// The person at the screen, who may take a while to answer a question.
class Person : public ScriptedHost {
public:
    ModalResult messageDlg(const std::string& text, MsgDlgType type, unsigned buttons) override {
        if (type == MsgDlgType::mtConfirmation && whileAsked)
            whileAsked();
        return ScriptedHost::messageDlg(text, type, buttons);
    }
    std::function<void()> whileAsked;
};

class ReaderTest : public ::testing::Test {
protected:
    ReaderTest() {
        makeProgram(dir.file("zelta.tmp"));
        ini().mm_larg_scheda = 100;
        ini().mm_alt_scheda = 50;
    }

    // A program whose settings come from zelta.ini in the scratch folder (defaults if none).
    void makeProgram(const std::string& tmpPath) {
        program.reset();
        program = std::make_unique<Program>(
            host, ProgramOptions{dir.file("zelta.ini"), tmpPath, [this] { return now; }});
    }

    // Writes the drawing and reads it with the open command; returns status.
    int32_t read(const std::string& drawing) { return readPath(dir.write("board.fcd", drawing)); }
    int32_t readPath(const std::string& path) {
        host.messages.clear();
        host.willOpen(path);
        program->openFcd();
        return fcd().status;
    }

    void sizeFromOutlineOn(int layer) {
        ini().dim_auto = true;
        ini().layer_dim = layer;
    }

    GestoreFileINI& ini() { return *program->settings; }
    GestoreFileFCD& fcd() { return *program->fcd; }
    int32_t cell(int c, int r) const { return program->grid->cell(WorkPlane, c, r); }
    int usedCells(int plane) const {
        const int32_t* p = program->grid->plane(plane);
        return static_cast<int>(std::count_if(p, p + PlaneCells, [](int32_t v) { return v != 0; }));
    }
    std::string tmp() const { return readFile(program->fcd->tmpPath); }
    const std::string& shown(Field f) const { return host.field(f); }
    int reportedContaining(const std::string& part) const {
        return static_cast<int>(
            std::count_if(host.report.begin(), host.report.end(),
                          [&](const std::string& l) { return l.find(part) != std::string::npos; }));
    }

    // A read that ended with one of the errors 101 to 105; Errore 105 is followed by one line
    // that gives the size found and the sizes allowed.
    void expectError(const char* reportText, const char* boxText, int32_t status) {
        EXPECT_EQ(fcd().status, status);
        const size_t last = std::string_view(reportText) == msg::Err105Report ? 2 : 1;
        ASSERT_GE(host.report.size(), last);
        EXPECT_EQ(host.report[host.report.size() - last], reportText);
        if (last == 2) {
            EXPECT_EQ(host.report.back().rfind("Dimensioni basetta: ", 0), 0u) << host.report.back();
        }
        ASSERT_EQ(host.messages.size(), 1u);
        EXPECT_EQ(host.messages[0].text, boxText);
        EXPECT_EQ(host.messages[0].type, MsgDlgType::mtError);
        EXPECT_EQ(host.messages[0].buttons, unsigned{mbOK});
        EXPECT_EQ(usedCells(BasePlane), 0);
    }

    uint32_t now = 1000;
    ScratchDir dir;
    Person host;
    std::unique_ptr<Program> program;
};

// ---- Where the drawing begins, and how lines are numbered

class ReadHeader : public ReaderTest {};

TEST_F(ReadHeader, LinesBeforeTheHeaderAreLeftOutButCounted) {
    ASSERT_EQ(read("first\nsecond\n" + Header + "PA 105 50 12 12 5 0 1 3\n"), StatusComplete);
    EXPECT_EQ(tmp(), Header + "PA 105 50 12 12 5 0 1 3\n");
    EXPECT_TRUE(host.reported("[4] Warning 153: Piazzola non in griglia (105,50)"));
}

TEST_F(ReadHeader, TheHeaderLineIsCopiedAsRead) {
    ASSERT_EQ(read("FJC  [FIDOCAD]  v  3\n"), StatusComplete);
    EXPECT_EQ(tmp(), "FJC  [FIDOCAD]  v  3\n");
}

TEST_F(ReadHeader, IsLookedForInTheFirstFiftyLinesOnly) {
    std::string lines;
    for (int i = 0; i < 49; ++i)
        lines += "x\n";
    ASSERT_EQ(read(lines + Header + "PA 105 50 12 12 5 0 1 3\n"), StatusComplete);
    EXPECT_TRUE(host.reported("[51] Warning 153: Piazzola non in griglia (105,50)"));

    read("x\n" + lines + Header);
    expectError(msg::Err103Report, msg::Err103Box, StatusErr103);
    EXPECT_EQ(shown(Field::righe_in), "50");
}

TEST_F(ReadHeader, AnEmptyFileHasNone) {
    read("");
    expectError(msg::Err103Report, msg::Err103Box, StatusErr103);
    EXPECT_EQ(shown(Field::righe_in), "50");
}

// ---- The board's size and origin

class ReadSize : public ReaderTest {};

TEST_F(ReadSize, ByHandInMillimetres) {
    ASSERT_EQ(read(Header), StatusComplete);
    EXPECT_EQ(ini().boardWidth, 800);
    EXPECT_EQ(ini().boardHeight, 400);
    EXPECT_EQ(ini().cols, 80);
    EXPECT_EQ(ini().rows, 40);
    EXPECT_EQ(fcd().originX, 0);
    EXPECT_EQ(fcd().originY, 0);
    EXPECT_EQ(shown(Field::larg), "100");
    EXPECT_EQ(shown(Field::alt), "50");
}

TEST_F(ReadSize, ColumnsMustLieIn3To159AndRowsIn3To79) {
    struct Case {
        int32_t mmWide, mmHigh;
        bool accepted;
    };
    // 8 units to the millimetre, 10 units to a cell: 199 mm = 159 cells, 200 mm = 160, 3 mm = 2.
    const Case cases[] = {{199, 99, true},   {4, 4, true},    {200, 50, false},       {3, 50, false},
                          {100, 100, false}, {100, 3, false}, {INT32_MAX, 50, false}, {-100, 50, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.mmWide) + " x " + std::to_string(c.mmHigh) + " mm");
        ini().mm_larg_scheda = c.mmWide;
        ini().mm_alt_scheda = c.mmHigh;
        read(Header);
        if (c.accepted)
            EXPECT_EQ(fcd().status, StatusComplete);
        else
            expectError(msg::Err105Report, msg::Err105Box, StatusErr105);
    }
}

TEST_F(ReadSize, Errore105TellsTheSizeFoundAndTheSizesAllowed) {
    // 3 cells are 30 units, 3.75 mm; 159 cells reach 1599 units, 199.875 mm; 79 cells 799, 99.875 mm.
    const std::string allowed =
        "; consentite da 3 x 3 a 159 x 79 celle (da 3,75 x 3,75 a 199,875 x 99,875 mm)";
    ini().mm_larg_scheda = 0;
    ini().mm_alt_scheda = 0;
    read(Header);
    EXPECT_EQ(host.report.back(), "Dimensioni basetta: 0 x 0 celle (0 x 0 mm)" + allowed);

    ini().mm_larg_scheda = 200;
    ini().mm_alt_scheda = -3;
    read(Header);
    EXPECT_EQ(host.report.back(), "Dimensioni basetta: 160 x -2 celle (200 x -3 mm)" + allowed);

    // An outline 1605 x 21 units: the size in millimetres is not truncated.
    sizeFromOutlineOn(0);
    read(Header + "RV 0 0 1605 21 0\n");
    EXPECT_EQ(host.report.back(), "Dimensioni basetta: 160 x 2 celle (200,625 x 2,625 mm)" + allowed);
}

TEST_F(ReadSize, FromTheOutlineRectangleOnTheChosenLayer) {
    sizeFromOutlineOn(1);
    ASSERT_EQ(read(Header + "RV 0 0 900 900 0\nRV 15 25 815 425 1\nPA 110 70 12 12 5 0 1 3\n"),
              StatusComplete);
    EXPECT_EQ(fcd().originX, 10);
    EXPECT_EQ(fcd().originY, 20);
    EXPECT_EQ(ini().boardWidth, 805);
    EXPECT_EQ(ini().boardHeight, 405);
    EXPECT_EQ(ini().cols, 80);
    EXPECT_EQ(ini().rows, 40);
    // Pads are placed relative to the origin.
    EXPECT_EQ(cell(10, 5), 0x40003);
    // The outline pass writes nothing: every line is copied once.
    EXPECT_EQ(tmp(), Header + "RV 0 0 900 900 0\nRV 15 25 815 425 1\nPA 110 70 12 12 5 0 1 3\n");
}

TEST_F(ReadSize, ALaterOutlineReplacesTheFirstOnlyWhenItsCornerIsNotBeyondIt) {
    sizeFromOutlineOn(1);
    ASSERT_EQ(read(Header + "RV 15 25 815 425 1\nRV 5 5 905 505 1\n"), StatusComplete);
    EXPECT_EQ(fcd().originX, 0);
    EXPECT_EQ(fcd().originY, 0);
    EXPECT_EQ(ini().boardWidth, 905);
    EXPECT_EQ(ini().boardHeight, 505);

    ASSERT_EQ(read(Header + "RV 15 25 815 425 1\nRV 20 5 905 505 1\n"), StatusComplete);
    EXPECT_EQ(fcd().originX, 10);
    EXPECT_EQ(fcd().originY, 20);
    EXPECT_EQ(ini().boardWidth, 805);
}

TEST_F(ReadSize, AnOutlineOnTheLastLineWithoutLineEndIsTaken) {
    sizeFromOutlineOn(1);
    ASSERT_EQ(read(Header + "RV 0 0 800 400 1"), StatusComplete);
    EXPECT_EQ(ini().cols, 80);
}

TEST_F(ReadSize, NoOutlineOnTheChosenLayerIsErrore104) {
    sizeFromOutlineOn(1);
    // A rectangle on another layer, and one whose corner lies beyond 99999.
    read(Header + "RV 0 0 800 400 0\nRV 100000 0 100800 400 1\n");
    expectError(msg::Err104Report, msg::Err104Box, StatusErr104);
}

TEST_F(ReadSize, OutlineNumbersBeyond32BitsGiveErrore105) {
    sizeFromOutlineOn(1);
    read(Header + "RV 0 0 99999999999 400 1\n");
    expectError(msg::Err105Report, msg::Err105Box, StatusErr105);
    read(Header + "RV -99999999999 -99999999999 99999999999 99999999999 1\n");
    expectError(msg::Err105Report, msg::Err105Box, StatusErr105);
}

// ---- Pads on the grid

class ReadPads : public ReaderTest {};

TEST_F(ReadPads, ACopperPadMarksItsCentreAndArea) {
    ASSERT_EQ(read(Header + Pad), StatusComplete);
    for (int c = 9; c <= 11; ++c)
        for (int r = 4; r <= 6; ++r)
            EXPECT_EQ(cell(c, r), c == 10 && r == 5 ? 0x40003 : 0x20003) << c << "," << r;
    EXPECT_EQ(usedCells(WorkPlane), 9);
    EXPECT_EQ(*program->netTable, (NetTable{{3, 1}}));
    ASSERT_EQ(program->workList->size(), 1u);
    const coord& e = program->workList->entries()[0];
    EXPECT_EQ(std::tie(e.col, e.row, e.value), std::make_tuple(10, 5, 1000000));
    EXPECT_EQ(shown(Field::piaztot), "1");
    EXPECT_EQ(shown(Field::nettot), "1");
}

TEST_F(ReadPads, HalfExtentsComeFromEachSize) {
    ASSERT_EQ(read(Header + "PA 100 50 10 30 5 0 1 3\n"), StatusComplete);
    EXPECT_EQ(cell(10, 5), 0x40003);
    EXPECT_EQ(cell(10, 4), 0x20003);
    EXPECT_EQ(cell(10, 6), 0x20003);
    EXPECT_EQ(usedCells(WorkPlane), 3);
}

TEST_F(ReadPads, ALaterPadOverwritesAnEarlierOneWhereTheyMeetCentresIncluded) {
    ASSERT_EQ(read(Header + Pad + "PA 110 50 12 12 5 0 1 4\n"), StatusComplete);
    EXPECT_EQ(cell(9, 5), 0x20003);
    EXPECT_EQ(cell(10, 5), 0x20004);
    EXPECT_EQ(cell(11, 5), 0x40004);
    EXPECT_EQ(cell(12, 5), 0x20004);
}

TEST_F(ReadPads, APadOffTheGridIsWarnedAboutAndPlacedByTruncation) {
    ASSERT_EQ(read(Header + "PA 105 50 12 12 5 0 1 3\n"), StatusComplete);
    EXPECT_TRUE(host.reported("[2] Warning 153: Piazzola non in griglia (105,50)"));
    EXPECT_EQ(cell(10, 5), 0x40003);
    EXPECT_EQ(shown(Field::warning), "1");
    EXPECT_EQ(host.report.back(), "Warning = 1");
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, msg::ReadCompleteWarnings);
    EXPECT_EQ(host.messages[0].type, MsgDlgType::mtWarning);
    EXPECT_EQ(host.messages[0].buttons, unsigned{mbOK});
}

TEST_F(ReadPads, APadOutsideTheBoardIsCountedButNotPlaced) {
    // Columns 1..79 and rows 1..39 of the 80 x 40 board take pads.
    ASSERT_EQ(read(Header + "PA 0 50 12 12 5 0 1 3\nPA 800 50 12 12 5 0 1 3\nPA 100 400 12 12 5 0 1 3\n"
                            "PA -10 50 12 12 5 0 1 3\nPA 790 390 8 8 5 0 1 3\n"),
              StatusComplete);
    EXPECT_TRUE(host.reported("[2] Warning 154: Piazzola fuori scheda (0,50)"));
    EXPECT_TRUE(host.reported("[3] Warning 154: Piazzola fuori scheda (800,50)"));
    EXPECT_TRUE(host.reported("[4] Warning 154: Piazzola fuori scheda (100,400)"));
    EXPECT_TRUE(host.reported("[5] Warning 154: Piazzola fuori scheda (-10,50)"));
    EXPECT_EQ(cell(79, 39), 0x40003);
    EXPECT_EQ(usedCells(WorkPlane), 1);
    EXPECT_EQ(shown(Field::piaztot), "5");
    EXPECT_EQ(shown(Field::warning), "4");
    EXPECT_EQ(program->workList->size(), 1u);
}

TEST_F(ReadPads, APadWithoutANetIsPlacedButNotListed) {
    ASSERT_EQ(read(Header + "PA 100 50 12 12 5 0 1 0\n"), StatusComplete);
    EXPECT_EQ(cell(10, 5), 0x40000);
    EXPECT_EQ(cell(11, 6), 0x20000);
    EXPECT_TRUE(program->workList->empty());
    EXPECT_TRUE(program->netTable->empty());
    EXPECT_EQ(shown(Field::piaztot), "1");
    EXPECT_EQ(shown(Field::nettot), "0");
}

TEST_F(ReadPads, ASevenFieldPadIsRefusedWithWarning152) {
    ASSERT_EQ(read(Header + "PA 100 50 12 12 5 0 1\n"), StatusComplete);
    EXPECT_TRUE(host.reported("[2] Warning 152: Versione file non corretta"));
    EXPECT_EQ(usedCells(WorkPlane), 0);
    EXPECT_EQ(shown(Field::piaztot), "0");
    EXPECT_EQ(shown(Field::warning), "1");
}

TEST_F(ReadPads, APadOnAnotherLayerIsOnlyCopied) {
    ASSERT_EQ(read(Header + "PA 100 50 12 12 5 0 2 3\n"), StatusComplete);
    EXPECT_EQ(usedCells(WorkPlane), 0);
    EXPECT_EQ(shown(Field::piaztot), "0");
    EXPECT_EQ(shown(Field::warning), "0");
    EXPECT_EQ(tmp(), Header + "PA 100 50 12 12 5 0 2 3\n");
}

TEST_F(ReadPads, ANetOutside0To255IsRefusedWithWarning155) {
    ASSERT_EQ(
        read(Header + "PA 100 50 12 12 5 0 1 256\nPA 100 50 12 12 5 0 1 -1\nPA 140 50 12 12 5 0 1 255\n"),
        StatusComplete);
    EXPECT_TRUE(host.reported("[2] Warning 155: Net non valida (256)"));
    EXPECT_TRUE(host.reported("[3] Warning 155: Net non valida (-1)"));
    EXPECT_EQ(cell(10, 5), 0);
    EXPECT_EQ(cell(14, 5), 0x400FF);
    EXPECT_EQ(*program->netTable, (NetTable{{255, 1}}));
    EXPECT_EQ(program->workList->size(), 1u);
    EXPECT_EQ(shown(Field::piaztot), "1");
    EXPECT_EQ(shown(Field::warning), "2");
}

TEST_F(ReadPads, AHugePadIsClippedAtTheGridsEdge) {
    ASSERT_EQ(read(Header + "PA 10 10 60 60 5 0 1 3\n"), StatusComplete);
    // hx = hy = 3 around (1, 1): columns and rows -2..4, of which 0..4 exist.
    EXPECT_EQ(cell(0, 0), 0x20003);
    EXPECT_EQ(usedCells(WorkPlane), 25);

    ASSERT_EQ(read(Header + "PA 100 50 99999999999 99999999999 5 0 1 3\n"), StatusComplete);
    EXPECT_EQ(usedCells(WorkPlane), gridColsAt(CoarsePitch) * gridRowsAt(CoarsePitch));
    EXPECT_EQ(cell(159, 79), 0x20003);
    EXPECT_EQ(usedCells(BestPlane), 0);
    EXPECT_EQ(usedCells(SparePlane), 0);
}

TEST_F(ReadPads, NetsAndWorkListFollowTheFileAndReplaceThoseOfTheLastRead) {
    (*program->netTable)[9] = 4;
    (*program->netTable)[3] = 5;
    program->workList->append(1, 1, 1);
    ASSERT_EQ(read(Header + Pad +
                   "PA 200 50 12 12 5 0 1 1\nPA 300 50 12 12 5 0 1 0\nPA 400 50 12 12 5 0 1 7\n"
                   "PA 200 50 12 12 5 0 1 1\n"),
              StatusComplete);
    EXPECT_EQ(*program->netTable, (NetTable{{1, 1}, {3, 1}, {7, 1}}));
    std::vector<std::tuple<int32_t, int32_t, int32_t>> list;
    for (const coord& e : program->workList->entries())
        list.emplace_back(e.col, e.row, e.value);
    EXPECT_EQ(list, (std::vector<std::tuple<int32_t, int32_t, int32_t>>{
                        {10, 5, 1000000}, {20, 5, 1000000}, {40, 5, 1000000}, {20, 5, 1000000}}));
    EXPECT_EQ(shown(Field::nettot), "3");
    EXPECT_EQ(shown(Field::piaztot), "5");
}

TEST_F(ReadPads, EachPlacedPadIsReportedOnlyAtDetailAlto) {
    ini().debug = 1;
    ASSERT_EQ(read(Header + Pad), StatusComplete);
    EXPECT_EQ(reportedContaining("Lavoro a"), 0);
    ini().debug = 2;
    ASSERT_EQ(read(Header + Pad), StatusComplete);
    EXPECT_TRUE(host.reported("Lavoro a c=10 r=5 "));
}

// ---- Tracks already in the drawing

class ReadTracks : public ReaderTest {};

const std::string TwoTracks = Header + "PL 10 10 50 10 2 1 3\nLI 0 0 10 10 0\nPL 50 10 50 50 2 1 3\n";

TEST_F(ReadTracks, AreRemovedAfterOneQuestion) {
    ASSERT_EQ(read(TwoTracks), StatusComplete);
    EXPECT_EQ(reportedContaining("Warning 151"), 1);
    EXPECT_TRUE(host.reported("[2] Warning 151: Piste già presenti"));
    ASSERT_EQ(host.messages.size(), 2u);
    EXPECT_EQ(host.messages[0].text, msg::RemoveTracksQuestion);
    EXPECT_EQ(host.messages[0].type, MsgDlgType::mtConfirmation);
    EXPECT_EQ(host.messages[0].buttons, unsigned{mbYes | mbNo});
    EXPECT_EQ(tmp(), Header + "LI 0 0 10 10 0\n");
    // Warning 151 is not counted.
    EXPECT_EQ(shown(Field::warning), "0");
    EXPECT_EQ(host.messages[1].text, msg::ReadCompleteClean);
    EXPECT_EQ(host.messages[1].type, MsgDlgType::mtInformation);
}

TEST_F(ReadTracks, RefusingTheirRemovalEndsTheRead) {
    host.messageAnswers.push_back(ModalResult::mrNo);
    read(Header + Pad + "PL 10 10 50 10 2 1 3\n");
    EXPECT_EQ(fcd().status, StatusErr105);
    ASSERT_GE(host.report.size(), 2u);
    EXPECT_EQ(host.report.back(), msg::ReadInterrupted);
    EXPECT_EQ(host.report[host.report.size() - 2], "[3] Warning 151: Piste già presenti");
    EXPECT_EQ(host.messages.size(), 1u);
    // The pad placed so far stays on the work plane; the base plane stays empty.
    EXPECT_EQ(cell(10, 5), 0x40003);
    EXPECT_EQ(usedCells(BasePlane), 0);
}

TEST_F(ReadTracks, TheTimeSpentOnTheQuestionIsNotCounted) {
    host.whileAsked = [this] { now += 5000; };
    ASSERT_EQ(read(TwoTracks), StatusComplete);
    EXPECT_TRUE(host.reported("...lettura file terminata (0 ms)"));
}

// ---- Tracks kept for a new method (piste_esistenti=1)

class KeepTracks : public ReaderTest {
protected:
    KeepTracks() {
        ini().metodo = 1;
        ini().piste_esistenti = 1;
    }
};

// Two pads of net 3, cells (10, 5) and (20, 5), and one of net 4 at cell (15, 10).
const std::string ThreePads = Header + Pad + "PA 200 50 12 12 5 0 1 3\nPA 150 100 12 12 5 0 1 4\n";

TEST_F(KeepTracks, StayInTheCopyWithoutAQuestionAsCopperOfTheNetTheyTouch) {
    const std::string tracks = "PL 100 50 200 50 4 1 3\nPL 300 200 350 200 4 1 7\n";
    ASSERT_EQ(read(ThreePads + tracks), StatusComplete);
    EXPECT_TRUE(host.reported("[5] Warning 151: Piste già presenti"));
    EXPECT_TRUE(host.reported(msg::TracksKept));
    ASSERT_EQ(host.messages.size(), 1u) << "no question, only the closing box";
    EXPECT_EQ(host.messages[0].text, msg::ReadCompleteClean);
    EXPECT_EQ(tmp(), ThreePads + tracks);

    ASSERT_EQ(fcd().keptTracks.size(), 2u);
    EXPECT_EQ(fcd().keptTracks[0].net, 3);
    EXPECT_EQ(fcd().keptTracks[1].net, 0) << "it touches no pad";
    // Between the pads the track is pad area of net 3; the track of no net is a wall of no net.
    EXPECT_EQ(cell(15, 5), 3 | PadArea);
    EXPECT_EQ(cell(32, 20), PadArea);
    EXPECT_EQ(cell(32, 21), 0);
    EXPECT_EQ(fcd().keptJoins, (JumperList{{3, 10, 5, 20, 5}}));
    // The routers start from the base plane.
    EXPECT_EQ(program->grid->cell(BasePlane, 15, 5), 3 | PadArea);
}

TEST_F(KeepTracks, AnEndOnTheGridBecomesAPadOfTheNetJoinedToIt) {
    ASSERT_EQ(read(ThreePads + "PL 200 50 300 50 4 1 3\nPL 300 50 300 150 4 1 3\n"), StatusComplete);
    EXPECT_EQ(cell(30, 5), 3 | PadCentre);
    EXPECT_EQ(cell(30, 15), 3 | PadCentre);
    EXPECT_EQ(fcd().keptJoins, (JumperList{{3, 20, 5, 30, 5}, {3, 20, 5, 30, 15}}));
    EXPECT_EQ(program->workList->entries().back().col, 30);
}

TEST_F(KeepTracks, AChainThatJoinsTwoNetsIsReportedAndBelongsToNone) {
    ASSERT_EQ(read(ThreePads + "PL 100 50 100 100 4 1 3\nPL 100 100 150 100 4 1 3\n"), StatusComplete);
    EXPECT_TRUE(
        host.reported("[5] Piste già presenti in cortocircuito tra le net 3, 4: trattate come rame di "
                      "nessuna net"));
    EXPECT_EQ(reportedContaining("cortocircuito"), 1);
    for (const KeptTrack& t : fcd().keptTracks) {
        EXPECT_EQ(t.net, 0);
        EXPECT_TRUE(t.shorted);
    }
    EXPECT_TRUE(fcd().keptJoins.empty());
    EXPECT_EQ(cell(10, 8), PadArea);
}

TEST_F(KeepTracks, TheClassicStillAsksAndAClassicStartAfterAKeepingReadIsRefused) {
    ini().metodo = 0;
    ASSERT_EQ(read(ThreePads + "PL 100 50 200 50 4 1 3\n"), StatusComplete);
    ASSERT_EQ(host.messages.size(), 2u);
    EXPECT_EQ(host.messages[0].text, msg::RemoveTracksQuestion);
    EXPECT_FALSE(host.reported(msg::TracksKept));
    EXPECT_TRUE(fcd().keptTracks.empty());
    EXPECT_EQ(tmp(), ThreePads);

    // Read for the negotiated method, then the classic chosen before the start: the classic would
    // lay its tracks over the kept ones, so the drawing must be read again.
    ini().metodo = 1;
    ASSERT_EQ(read(ThreePads + "PL 100 50 200 50 4 1 3\n"), StatusComplete);
    ini().metodo = 0;
    host.messages.clear();
    EXPECT_FALSE(program->startProcessing());
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, msg::KeptTracksClassic);
    EXPECT_FALSE(program->processing());
}

// ---- The cleaned copy in the temporary file

class ReadCopy : public ReaderTest {};

TEST_F(ReadCopy, FieldsAreJoinedBySingleSpaces) {
    ASSERT_EQ(read(Header + "LI  10   20 30 40 0  \n   TY 1 2 x\n    \n\nFCJ\t1  2\nPL 1 2 3 4 5 2\n"),
              StatusComplete);
    EXPECT_EQ(tmp(), Header + "LI 10 20 30 40 0\nTY 1 2 x\n\n\nFCJ\t1 2\nPL 1 2 3 4 5 2\n");
    EXPECT_EQ(shown(Field::righe_in), "7");
}

TEST_F(ReadCopy, CarriageReturnsBeforeLineFeedsAreDropped) {
    ASSERT_EQ(read("[FIDOCAD]\r\nPA 100 50 12 12 5 0 1 3\r\nLI 1 2\r\n"), StatusComplete);
    EXPECT_EQ(tmp(), Header + Pad + "LI 1 2\n");
    EXPECT_EQ(cell(10, 5), 0x40003);
}

TEST_F(ReadCopy, ALastLineWithoutLineEndIsReadAndCopied) {
    ASSERT_EQ(read(Header + "PA 100 50 12 12 5 0 1 3"), StatusComplete);
    EXPECT_EQ(cell(10, 5), 0x40003);
    EXPECT_EQ(tmp(), Header + Pad);
    EXPECT_EQ(shown(Field::righe_in), "2");
}

// ---- Errors, cancelling, and what a read leaves behind

class ReadOutcome : public ReaderTest {};

TEST_F(ReadOutcome, ACompleteReadFillsTheFiguresAndTheReport) {
    for (int f = 0; f < FieldCount; ++f)
        host.setText(static_cast<Field>(f), "old");
    const std::string path = dir.write("board.fcd", Header + Pad + "PA 200 50 12 12 5 0 1 4\n");
    ASSERT_EQ(readPath(path), StatusComplete);
    EXPECT_EQ(shown(Field::file_in), path);
    EXPECT_EQ(shown(Field::righe_in), "3");
    EXPECT_EQ(shown(Field::warning), "0");
    EXPECT_EQ(shown(Field::piaztot), "2");
    EXPECT_EQ(shown(Field::nettot), "2");
    EXPECT_EQ(shown(Field::larg), "100");
    EXPECT_EQ(shown(Field::alt), "50");
    for (Field f : {Field::ciclitot, Field::ciclivuoto, Field::piazzscoll, Field::valore, Field::file_out,
                    Field::piste_out, Field::righe_out})
        EXPECT_EQ(shown(f), "") << fieldName(f);
    EXPECT_EQ(host.report,
              (std::vector<std::string>{"-------------------------------", "Lettura file: " + path,
                                        "...lettura file terminata (0 ms)", "Errori  = 0", "Warning = 0"}));
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, msg::ReadCompleteClean);
    EXPECT_EQ(host.messages[0].type, MsgDlgType::mtInformation);
    EXPECT_EQ(host.messages[0].buttons, unsigned{mbOK});
}

TEST_F(ReadOutcome, TheBasePlaneHoldsTheCompleteReadAndIsEmptiedByAFailedOne) {
    ASSERT_EQ(read(Header + Pad), StatusComplete);
    const GestScheda& grid = *program->grid;
    EXPECT_TRUE(std::equal(grid.plane(BasePlane), grid.plane(BasePlane) + PlaneCells, grid.plane(WorkPlane)));
    EXPECT_EQ(usedCells(BasePlane), 9);

    ini().mm_larg_scheda = 3;
    read(Header + Pad);
    EXPECT_EQ(usedCells(BasePlane), 0);
}

TEST_F(ReadOutcome, CancellingTheFileChoiceLeavesAnEmptyBoard) {
    ASSERT_EQ(read(Header + Pad), StatusComplete);
    program->openFcd(); // no answer queued: the person cancels
    EXPECT_EQ(fcd().status, StatusCancelled);
    EXPECT_EQ(usedCells(WorkPlane), 0);
    EXPECT_EQ(usedCells(BasePlane), 0);
    EXPECT_TRUE(program->netTable->empty());
    EXPECT_TRUE(program->workList->empty());
    EXPECT_TRUE(host.report.empty());
    EXPECT_EQ(shown(Field::piaztot), "");
    ASSERT_EQ(host.openDialogs.size(), 2u);
    EXPECT_EQ(host.openDialogs[1].defaultExt, "fcd");
    EXPECT_EQ(host.openDialogs[1].filter, "Fidocad files|*.fcd|Tutti i files|*.*");
}

TEST_F(ReadOutcome, UnsavedResultsAreOnlyDroppedWhenThePersonAgrees) {
    ASSERT_EQ(read(Header + Pad), StatusComplete);
    fcd().resultsUnsaved = true;
    ini().optionsChanged = true;

    host.messages.clear();
    host.messageAnswers.push_back(ModalResult::mrNo);
    program->openFcd();
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, msg::UnsavedResults);
    EXPECT_EQ(host.messages[0].type, MsgDlgType::mtConfirmation);
    EXPECT_EQ(host.messages[0].buttons, unsigned{mbYes | mbNo});
    EXPECT_EQ(host.openDialogs.size(), 1u);
    EXPECT_EQ(cell(10, 5), 0x40003);

    ASSERT_EQ(read(Header), StatusComplete);
    EXPECT_EQ(host.messages[0].text, msg::UnsavedResults);
    EXPECT_FALSE(fcd().resultsUnsaved);
    EXPECT_FALSE(ini().optionsChanged);
}

TEST_F(ReadOutcome, EachReadStartsTheProcessingTimeAfresh) {
    program->crono->start(2);
    now += 700;
    program->crono->stop(2);
    ASSERT_EQ(read(Header), StatusComplete);
    EXPECT_EQ(program->crono->elapsed(2), 0);
}

TEST_F(ReadOutcome, AFileThatCannotBeOpenedIsErrore101) {
    const std::string missing = dir.file("missing.fcd");
    readPath(missing);
    expectError(msg::Err101Report, msg::Err101Box, StatusErr101);
    EXPECT_EQ(host.report, (std::vector<std::string>{"-------------------------------",
                                                     "Lettura file: " + missing, msg::Err101Report}));
    EXPECT_EQ(shown(Field::file_in), missing);

    readPath(dir.path());
    expectError(msg::Err101Report, msg::Err101Box, StatusErr101);

    // A pipe would hold the read until something is written into it.
    const std::string pipe = dir.file("pipe.fcd");
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    readPath(pipe);
    expectError(msg::Err101Report, msg::Err101Box, StatusErr101);

    const std::string locked = dir.write("locked.fcd", Header);
    ASSERT_EQ(chmod(locked.c_str(), 0), 0);
    ASSERT_EQ(chmod(dir.path().c_str(), 0755), 0);
    WithoutRootRights user;
    if (!user.active())
        GTEST_SKIP() << "cannot give up root's rights";
    readPath(locked);
    expectError(msg::Err101Report, msg::Err101Box, StatusErr101);
}

TEST_F(ReadOutcome, Errore101SaysWhyInTheSystemsWords) {
    EXPECT_EQ(program->openFile(dir.file("missing.fcd")).reason, std::strerror(ENOENT));
    EXPECT_EQ(program->openFile(dir.path()).reason, std::strerror(EISDIR));
    std::filesystem::create_symlink("b.fcd", dir.file("a.fcd"));
    std::filesystem::create_symlink("a.fcd", dir.file("b.fcd"));
    EXPECT_EQ(program->openFile(dir.file("a.fcd")).reason, std::strerror(ELOOP));
    const std::string pipe = dir.file("pipe.fcd");
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_EQ(program->openFile(pipe).reason, msg::NotARegularFile);
    EXPECT_EQ(program->openFile(dir.write("fine.fcd", Header + Pad)).reason, "");

    const std::string locked = dir.write("locked.fcd", Header);
    ASSERT_EQ(chmod(locked.c_str(), 0), 0);
    ASSERT_EQ(chmod(dir.path().c_str(), 0755), 0);
    WithoutRootRights user;
    if (!user.active())
        GTEST_SKIP() << "cannot give up root's rights";
    EXPECT_EQ(program->openFile(locked).reason, std::strerror(EACCES));
}

TEST_F(ReadOutcome, AStopAskedForDuringTheReadEndsItAsTheTracksRefusalDoes) {
    // Asked before the first record: the read ends there, in either way of sizing the board.
    std::atomic<bool> stop = true;
    for (const bool outline : {false, true}) {
        ProgramOptions options{dir.file("zelta.ini"), dir.file("zelta.tmp"), [this] { return now; }};
        options.stopRequested = &stop;
        Program stopped(host, options);
        stopped.settings->mm_larg_scheda = 100;
        stopped.settings->mm_alt_scheda = 50;
        stopped.settings->dim_auto = outline;
        host.report.clear();
        const zelta::ReadOutcome read =
            stopped.openFile(dir.write("board.fcd", Header + "RV 0 0 1000 500 0\n" + Pad + Pad));
        EXPECT_EQ(read.status, StatusErr105) << outline;
        EXPECT_FALSE(read.notice) << outline;
        ASSERT_FALSE(host.report.empty());
        EXPECT_EQ(host.report.back(), msg::ReadInterrupted) << outline;
        EXPECT_TRUE(stopped.workList->empty()) << outline;
        EXPECT_FALSE(stopped.startProcessing());
    }
}

TEST_F(ReadOutcome, ATemporaryFileThatCannotBeWrittenIsErrore102) {
    makeProgram(dir.file("no-such-folder/zelta.tmp"));
    ini().mm_larg_scheda = 100;
    ini().mm_alt_scheda = 50;
    read(Header + Pad);
    expectError(msg::Err102Report, msg::Err102Box, StatusTmpFile);
}

// ---- Input of every kind ends with a clear outcome

class ReadBadInput : public ReaderTest {};

TEST_F(ReadBadInput, BinaryBytes) {
    std::mt19937 random(151);
    std::string bytes(64 * 1024, '\0');
    for (char& b : bytes)
        b = static_cast<char>(random());
    read(bytes);
    expectError(msg::Err103Report, msg::Err103Box, StatusErr103);
    EXPECT_EQ(read(Header + bytes), StatusComplete);
}

TEST_F(ReadBadInput, TwoHundredThousandLines) {
    std::string drawing = Header;
    for (int i = 0; i < 200000; ++i)
        drawing += "LI 100 50 200 50 0\n";
    ASSERT_EQ(read(drawing), StatusComplete);
    EXPECT_EQ(shown(Field::righe_in), "200001");
    EXPECT_TRUE(tmp() == drawing); // not EXPECT_EQ: its message would print megabytes
}

TEST_F(ReadBadInput, ALineOfTenMegabytesIsCopiedWhole) {
    // 100,000 fields of 99 characters each.
    std::string drawing = Header + "TY";
    drawing.reserve(10 * 1024 * 1024 + 200);
    while (drawing.size() < 10 * 1024 * 1024) {
        drawing += ' ';
        drawing.append(99, 'x');
    }
    drawing += '\n';
    ASSERT_EQ(read(drawing), StatusComplete);
    EXPECT_TRUE(tmp() == drawing);
}

TEST_F(ReadBadInput, NumbersBeyond32BitsSaturate) {
    ASSERT_EQ(read(Header + "PA 99999999999 50 12 12 5 0 1 3\nPA 100 -99999999999 12 12 5 0 1 3\n"),
              StatusComplete);
    EXPECT_TRUE(host.reported("[2] Warning 154: Piazzola fuori scheda (2147483647,50)"));
    EXPECT_TRUE(host.reported("[3] Warning 154: Piazzola fuori scheda (100,-2147483648)"));
    EXPECT_EQ(usedCells(WorkPlane), 0);
    EXPECT_EQ(shown(Field::piaztot), "2");
}

TEST_F(ReadBadInput, MissingFieldsReadAsZeroNotAsThoseOfAnEarlierLine) {
    ASSERT_EQ(read(Header + Pad + "PA 120 50\nPL 1 2 3 4 5\n"), StatusComplete);
    EXPECT_EQ(shown(Field::piaztot), "1");
    EXPECT_EQ(cell(12, 5), 0);           // the second record places nothing
    EXPECT_EQ(host.messages.size(), 1u); // no question about tracks
    EXPECT_EQ(tmp(), Header + Pad + "PA 120 50\nPL 1 2 3 4 5\n");
}

// ---- The shared test boards

struct Board {
    const char* file;
    const char* settings;
    int32_t cols, rows, originX, originY;
    int pads, nets, listed;
};

// gtest prints a parameter's bytes unless told how; the board's name says all.
void PrintTo(const Board& b, std::ostream* os) {
    *os << b.file;
}

class ReadBoards : public ReaderTest, public ::testing::WithParamInterface<Board> {};

TEST_P(ReadBoards, ReadWithoutAnErrorAndGiveTheirFigures) {
    const Board& b = GetParam();
    dir.write("zelta.ini", readFile(boardPath(b.settings)));
    makeProgram(dir.file("zelta.tmp"));
    ASSERT_EQ(readPath(boardPath(b.file)), StatusComplete);
    EXPECT_EQ(shown(Field::warning), "0");
    EXPECT_EQ(ini().cols, b.cols);
    EXPECT_EQ(ini().rows, b.rows);
    EXPECT_EQ(fcd().originX, b.originX);
    EXPECT_EQ(fcd().originY, b.originY);
    EXPECT_EQ(shown(Field::piaztot), std::to_string(b.pads));
    EXPECT_EQ(shown(Field::nettot), std::to_string(b.nets));
    EXPECT_EQ(program->workList->size(), static_cast<size_t>(b.listed));
}

INSTANTIATE_TEST_SUITE_P(
    Shared, ReadBoards,
    ::testing::Values(Board{"tiny-2nets.fcd", "auto-layer0.ini", 24, 16, 0, 0, 4, 2, 4},
                      Board{"dip8-555.fcd", "auto-layer0.ini", 40, 30, 0, 0, 23, 7, 23},
                      Board{"medium-40pads.fcd", "auto-layer0.ini", 60, 40, 0, 0, 44, 20, 44},
                      Board{"manual-size-100x50.fcd", "manual-100x50.ini", 80, 40, 0, 0, 68, 26, 68},
                      Board{"with-existing-tracks.fcd", "auto-layer0.ini", 70, 45, 0, 0, 62, 24, 62},
                      Board{"passthrough-records.fcd", "auto-layer0.ini", 70, 45, 0, 0, 52, 21, 52},
                      Board{"dense-150pads.fcd", "auto-layer0.ini", 100, 60, 0, 0, 155, 59, 155},
                      Board{"large-full-grid.fcd", "auto-layer0.ini", 159, 79, 0, 0, 192, 63, 188},
                      Board{"real/555-die.fcd", "auto-layer0.ini", 70, 37, 580, 330, 99, 34, 95},
                      Board{"real/dc-mixer.fcd", "auto-layer0.ini", 59, 78, 730, 470, 104, 26, 102},
                      Board{"real/opamp-tester.fcd", "auto-layer0.ini", 49, 48, 1010, 270, 75, 20, 75}),
    [](const ::testing::TestParamInfo<Board>& info) {
        std::string name = info.param.file;
        name = name.substr(0, name.find('.'));
        std::replace_if(
            name.begin(), name.end(), [](char ch) { return !std::isalnum(ch); }, '_');
        return name;
    });

} // namespace
} // namespace zelta
