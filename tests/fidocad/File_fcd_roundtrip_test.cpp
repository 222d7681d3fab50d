// Reading what Zelta wrote: a routed result read back is the board it was routed from, and the
// temporary copy of a drawing, read as a drawing, gives itself back.
#include "fidocad/File_fcd.h"

#include "support/ProgramFixture.h"

#include <gtest/gtest.h>

#include <vector>

namespace zelta {
namespace {

using testing::boardPath;
using testing::ProgramFixture;
using testing::readFile;

// What a complete read leaves for routing, and the figures it shows.
struct ReadBoard {
    std::vector<int32_t> basePlane;
    std::vector<std::pair<int32_t, int32_t>> workCells; // in list order
    NetTable nets;
    std::vector<std::string> figures;

    explicit ReadBoard(const ProgramFixture& f)
        : basePlane(f.program->grid->plane(BasePlane), f.program->grid->plane(BasePlane) + PlaneCells),
          nets(*f.program->netTable) {
        for (const coord& e : f.program->workList->entries())
            workCells.emplace_back(e.col, e.row);
        for (Field field : {Field::warning, Field::piaztot, Field::nettot, Field::larg, Field::alt})
            figures.push_back(f.host.field(field));
    }
    bool operator==(const ReadBoard&) const = default;
};

std::string withCrLf(const std::string& text) {
    std::string out;
    for (char ch : text)
        out += ch == '\n' ? std::string("\r\n") : std::string(1, ch);
    return out;
}

// The save command is refused until a lap has ended, and reading a result back removes its tracks
// (the existing-tracks question answered Yes), so "saved again without changing anything" can
// only mean routed again exactly as before: the same board, the same options, the same number of
// laps. The router has no chance in it, so the second result must hold the very same tracks, and
// the drawing part must come through unchanged. The one difference is the writer's empty line
// after the copied drawing: read back, it is a record of the drawing like any other, so each
// read and save adds one.
TEST(RoundTrip, ARoutedResultReadBackAndRoutedAgainGivesTheSameResult) {
    ProgramFixture f;
    ASSERT_TRUE(f.open(boardPath("dip8-555.fcd")));
    const ReadBoard board(f);
    const std::string copy = readFile(f.program->fcd->tmpPath);
    f.routeLaps(3);
    const std::string first = f.dir.file("first.fcd");
    ASSERT_TRUE(f.saveTo(first));
    const std::string result = readFile(first);
    const std::string drawingPart = withCrLf(copy) + "\r\n";
    ASSERT_EQ(result.compare(0, drawingPart.size(), drawingPart), 0);
    const std::string tracks = result.substr(drawingPart.size());
    ASSERT_EQ(tracks.rfind("PL ", 0), 0u) << "the board routed to nothing";

    const size_t shown = f.host.messages.size();
    ASSERT_TRUE(f.open(first));
    int questions = 0;
    for (size_t i = shown; i < f.host.messages.size(); ++i)
        questions += f.host.messages[i].text == "Nel file sono già presenti una o più piste\n"
                                                "Confermi la loro rimozione?";
    EXPECT_EQ(questions, 1);
    EXPECT_EQ(readFile(f.program->fcd->tmpPath), copy + "\n");
    EXPECT_TRUE(ReadBoard(f) == board) << "reading the result back gave another board";

    f.routeLaps(3);
    const std::string second = f.dir.file("second.fcd");
    ASSERT_TRUE(f.saveTo(second));
    EXPECT_EQ(readFile(second), drawingPart + "\r\n" + tracks);
}

// The reader copies every record with its fields joined by single spaces; the copy read again
// must give the same copy and the same board, whatever the spacing and line ends were.
TEST(RoundTrip, TheTemporaryCopyReadAsADrawingGivesItselfBack) {
    struct Case {
        const char* name;
        std::string drawing;
        std::string copy; // worked out by hand: what the first read must write
    };
    const std::vector<Case> cases = {
        {"spacing",
         "lines before\n[FIDOCAD] keeps  its   spaces \n  RV  0 0 400  300 0  \nPA\t100 100 16 16 6 0 1 1\n"
         "PA 200 100 16 16 6 0 1 1\nTY 1 2 3\ttab\n\n   \n",
         "[FIDOCAD] keeps  its   spaces \nRV 0 0 400 300 0\nPA\t100 100 16 16 6 0 1 1\n"
         "PA 200 100 16 16 6 0 1 1\nTY 1 2 3\ttab\n\n\n"},
        // Carriage returns end a line however many there are, with or without a line feed after
        // them, and among the spaces after the last field; inside a line they are part of a
        // field. A pad whose only eighth field was a carriage return has seven fields, in the
        // first read as in the second (Warning 152 both times).
        {"carriage returns",
         "[FIDOCAD]\r\r\nRV 0 0 400 300 0\r\r\nPA 100 100 16 16 6 0 1 1\r \nPA 150 150 12 12 5 0 1 \r \n"
         "TY 1\r2  x\r\nPA 200 100 16 16 6 0 1 1 \r",
         "[FIDOCAD]\nRV 0 0 400 300 0\nPA 100 100 16 16 6 0 1 1\nPA 150 150 12 12 5 0 1\nTY 1\r2 x\n"
         "PA 200 100 16 16 6 0 1 1\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ProgramFixture f;
        ASSERT_TRUE(f.openText(c.drawing));
        ASSERT_EQ(readFile(f.program->fcd->tmpPath), c.copy);
        const ReadBoard board(f);

        ASSERT_TRUE(f.openText(c.copy, "copy.fcd"));
        EXPECT_EQ(readFile(f.program->fcd->tmpPath), c.copy);
        EXPECT_TRUE(ReadBoard(f) == board) << "the copy read as a drawing gave another board";
    }
}

TEST(RoundTrip, EveryTestBoardsCopyGivesItselfBack) {
    for (const char* name : {"passthrough-records.fcd", "with-existing-tracks.fcd", "real/dc-mixer.fcd"}) {
        SCOPED_TRACE(name);
        ProgramFixture f;
        ASSERT_TRUE(f.open(boardPath(name)));
        const std::string copy = readFile(f.program->fcd->tmpPath);
        const ReadBoard board(f);
        ASSERT_TRUE(f.openText(copy, "copy.fcd"));
        EXPECT_TRUE(readFile(f.program->fcd->tmpPath) == copy);
        EXPECT_TRUE(ReadBoard(f) == board);
    }
}

} // namespace
} // namespace zelta
