// Reading what Zelta wrote: the temporary copy of a drawing, read as a drawing, gives itself back.
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
