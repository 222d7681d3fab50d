// The board picture's model: unconnected pads and rat lines from a plane's steps and jumpers,
// tracks joined at the writer's coordinates and widths, the best lap's jumpers with their pads,
// what lies under a point, and pictures of a real read and routing.
#include "render/BoardPicture.h"

#include "app/Check.h"
#include "fidocad/FcdDrawing.h"
#include "support/ProgramFixture.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <set>
#include <tuple>

namespace zelta {
namespace {

using Plane = std::vector<int32_t>;

// Records steps from (c, r) in direction d, n times, each from the cell the last one reached.
void lay(Plane& plane, int c, int r, int d, int n, int32_t net) {
    for (int i = 0; i < n; ++i) {
        plane[GestScheda::index(c, r)] |= net | Directions[d].bit;
        c += Directions[d].dc;
        r += Directions[d].dr;
    }
}

PicturePad padAt(int col, int row, int32_t net) {
    return {{10 * col, 10 * row, 16, 16, 6, 0, net, col, row}};
}

TEST(BoardPicture, PadsOutsideTheLargestGroupOfTheirNetAreUnconnected) {
    Plane plane(PlaneCells, 0);
    const std::vector<PicturePad> pads = {
        padAt(2, 2, 1),   padAt(6, 2, 1),   padAt(10, 10, 1), // two joined eastwards, one alone
        padAt(2, 6, 2),   padAt(4, 6, 2),                     // no track: the first pad's group wins
        padAt(8, 8, 0),                                       // net 0 is no net
        padAt(12, 2, 3),                                      // a net of one pad
        padAt(20, 20, 4), padAt(23, 20, 4),                   // joined by steps laid from the far end
        padAt(30, 30, 5), padAt(32, 32, 5),                   // joined diagonally
    };
    lay(plane, 2, 2, 3, 4, 1);
    lay(plane, 23, 20, 7, 3, 4);
    lay(plane, 30, 30, 4, 2, 5);
    // A track of net 6 running past the lone pad of net 1 does not join it to anything.
    lay(plane, 9, 11, 3, 3, 6);

    const std::vector<bool> expected = {false, false, true,  false, true, false,
                                        false, false, false, false, false};
    EXPECT_EQ(unconnectedPads(pads, padGroups(pads, plane.data())), expected);
}

TEST(BoardPicture, RatLinesJoinTheNearestPadsOfTheGroupsTheCopperLeavesApart) {
    Plane plane(PlaneCells, 0);
    const std::vector<PicturePad> pads = {
        padAt(2, 2, 1),   padAt(6, 2, 1), // joined by a track
        padAt(6, 8, 1),                   // 60 below the second, 72 from the first
        padAt(14, 2, 1),                  // 80 east of the second, 100 from the third
        padAt(20, 10, 2), padAt(24, 10, 2), padAt(20, 14, 2), padAt(24, 14, 2), // a square 40 wide
        padAt(30, 2, 3),  padAt(30, 2, 3), // two pads on one cell are joined
        padAt(40, 2, 0),  padAt(44, 2, 0), // net 0 is no net
        padAt(50, 2, 4),  padAt(52, 2, 4), // joined by a track
        padAt(400, 2, 5), padAt(60, 2, 5), // the first lies off the grid
    };
    // Three sides of the square join its corners, all as long: the pads' order picks which.
    lay(plane, 2, 2, 3, 4, 1);
    lay(plane, 50, 2, 3, 2, 4);

    const std::vector<RatLine> expected = {
        {60, 20, 60, 80, 1},     {60, 20, 140, 20, 1},    {200, 100, 240, 100, 2},
        {200, 100, 200, 140, 2}, {240, 100, 240, 140, 2},
    };
    const std::vector<int> groups = padGroups(pads, plane.data());
    EXPECT_EQ(ratLines(pads, groups), expected);

    // With no copper at all every pad is its own group, bar those that share a cell.
    const std::vector<RatLine> bare = ratLines(pads, padGroups(pads, nullptr));
    const std::vector<RatLine> expectedBare = {
        {20, 20, 60, 20, 1},     {60, 20, 60, 80, 1},     {60, 20, 140, 20, 1},  {200, 100, 240, 100, 2},
        {200, 100, 200, 140, 2}, {240, 100, 240, 140, 2}, {500, 20, 520, 20, 4},
    };
    EXPECT_EQ(bare, expectedBare);
}

TEST(BoardPicture, AJumperJoinsTheGroupsOfThePadsOfItsNetAtItsEnds) {
    Plane plane(PlaneCells, 0);
    const std::vector<PicturePad> pads = {
        padAt(2, 2, 1), padAt(12, 2, 1), padAt(12, 8, 1), // the last two joined by a track
        padAt(2, 8, 2), padAt(20, 8, 2),
    };
    lay(plane, 12, 2, 5, 6, 1);
    const std::vector<PictureJumper> jumpers = {
        {20, 20, 120, 20, 1}, // joins the first pad to the track's group
        {20, 80, 200, 80, 1}, // its ends are on pads of net 2: it joins nothing
    };
    const std::vector<int> groups = padGroups(pads, plane.data(), jumpers);
    EXPECT_EQ(groups, (std::vector<int>{0, 0, 0, 3, 4}));
    EXPECT_EQ(unconnectedPads(pads, groups), (std::vector<bool>{false, false, false, false, true}));
    EXPECT_EQ(ratLines(pads, groups), (std::vector<RatLine>{{20, 80, 200, 80, 2}}));

    // Before a lap the jumpers alone join.
    EXPECT_EQ(padGroups(pads, nullptr, jumpers), (std::vector<int>{0, 0, 2, 3, 4}));
}

TEST(BoardPicture, TheBestLapsJumpersGetTheirWiresAndTheEndPadsTheDrawingLacks) {
    // Net 3 runs from the pad at cell (2,5) by a jumper over net 4's track to cell (14,5), then by
    // a track to the pad at (20,5). Origin (100, 50).
    BoardPicture p;
    p.originX = 100;
    p.originY = 50;
    p.width = 300;
    p.height = 200;
    p.cols = 30;
    p.rows = 20;
    p.jumperDrill = 7;
    const auto pad = [&p](int col, int row, int32_t net) {
        return PicturePad{{p.originX + 10 * col, p.originY + 10 * row, 12, 12, 5, 0, net, col, row}};
    };
    p.pads = {pad(2, 5, 3), pad(20, 5, 3), pad(10, 2, 4), pad(10, 9, 4)};
    Plane plane(PlaneCells, 0);
    lay(plane, 10, 2, 5, 7, 4);
    lay(plane, 14, 5, 3, 6, 3);
    BoardPicture without = p;
    addBestLap(without, plane.data(), {});
    EXPECT_EQ(without.unconnectedCount(), 1) << "the tracks alone leave net 3 apart";

    addBestLap(p, plane.data(), {}, {{3, 2, 5, 14, 5}});
    ASSERT_EQ(p.pads.size(), 5u);
    PicturePad laid{{240, 100, 16, 16, 7, 0, 3, 14, 5}};
    laid.laidWithJumper = true;
    EXPECT_EQ(p.pads[4], laid) << "a 16 x 16 round pad at the free end, none at the pad's";
    EXPECT_EQ(p.jumpers, (std::vector<PictureJumper>{{120, 100, 240, 100, 3}}));
    EXPECT_EQ(p.unconnectedCount(), 0);
    EXPECT_TRUE(p.rats.empty());

    // The wire lies over net 4's track, which shows beside it.
    EXPECT_EQ(jumperAt(p, 200, 102, 0), 0);
    EXPECT_EQ(netAt(p, 200, 102, 0), 3);
    EXPECT_EQ(jumperAt(p, 200, 104, 0), -1);
    EXPECT_EQ(netAt(p, 200, 104, 0), 4);
    EXPECT_EQ(netAt(p, 170, 104, 0), -1);
}

using Track = std::tuple<int32_t, int32_t, int32_t, int32_t, int32_t, int32_t>;

// Segments with their ends in reading order, whichever end a segment starts from.
std::set<Track> asSet(const std::vector<PictureTrack>& tracks) {
    std::set<Track> s;
    for (const PictureTrack& t : tracks)
        if (std::tie(t.y1, t.x1) <= std::tie(t.y2, t.x2))
            s.insert({t.x1, t.y1, t.x2, t.y2, t.width, t.net});
        else
            s.insert({t.x2, t.y2, t.x1, t.y1, t.width, t.net});
    return s;
}

TEST(BoardPicture, TracksAreStraightRunsAtTheWritersCoordinatesAndWidths) {
    Plane plane(PlaneCells, 0);
    lay(plane, 2, 2, 3, 3, 5);  // east from (2,2) to (5,2)
    lay(plane, 3, 2, 7, 1, 5);  // one of those steps again, from its other cell
    lay(plane, 5, 2, 4, 2, 5);  // then diagonally down to (7,4)
    lay(plane, 10, 8, 1, 3, 3); // north from (10,8) to (10,5)
    lay(plane, 14, 3, 5, 1, 4); // a net missing from the table
    // Steps outside the scanned part of the board are not drawn, as they are not written.
    lay(plane, 25, 5, 3, 1, 5);
    const NetTable nets = {{5, 1}, {3, 0}};

    const std::set<Track> expected = {
        {120, 220, 150, 220, 4, 5},
        {150, 220, 170, 240, 4, 5},
        {200, 250, 200, 280, 2, 3},
        {240, 230, 240, 240, 2, 4},
    };
    EXPECT_EQ(asSet(planeTracks(plane.data(), nets, 20, 15, 100, 200)), expected);
}

TEST(BoardPicture, NetUnderAPointPrefersPadsThenTracksWithinTheirWidth) {
    BoardPicture p;
    p.width = 300;
    p.height = 200;
    p.pads = {{{40, 40, 16, 10, 6, 1, 7, 4, 4}}};
    p.tracks = {{40, 40, 140, 40, 4, 7}, {100, 20, 100, 120, 2, 9}};
    EXPECT_EQ(netAt(p, 47, 44, 0), 7);   // inside the pad's rectangle
    EXPECT_EQ(netAt(p, 40, 47, 0), -1);  // above it, 16 wide but 10 high
    EXPECT_EQ(netAt(p, 100, 21, 0), 9);  // on the narrow track
    EXPECT_EQ(netAt(p, 102, 80, 0), -1); // beside it
    EXPECT_EQ(netAt(p, 102, 80, 1.5), 9);
    EXPECT_EQ(netAt(p, 120, 41.9, 0), 7);
    EXPECT_EQ(netAt(p, 200, 150, 0), -1);
}

// Unit steps of segments, so that two ways of joining the same copper compare equal.
std::set<Track> unitSteps(const std::vector<PictureTrack>& tracks) {
    std::set<Track> steps;
    for (const PictureTrack& t : tracks) {
        const int n = std::max(std::abs(t.x2 - t.x1), std::abs(t.y2 - t.y1)) / 10;
        const int dx = (t.x2 - t.x1) / std::max(n, 1), dy = (t.y2 - t.y1) / std::max(n, 1);
        for (int i = 0; i < n; ++i) {
            int32_t x1 = t.x1 + i * dx, y1 = t.y1 + i * dy, x2 = x1 + dx, y2 = y1 + dy;
            if (std::tie(x2, y2) < std::tie(x1, y1)) {
                std::swap(x1, x2);
                std::swap(y1, y2);
            }
            steps.insert({x1, y1, x2, y2, t.width, t.net});
        }
    }
    return steps;
}

TEST(BoardPicture, ShowsWhatTheReadPlacedAndWhatTheSavedBoardHolds) {
    testing::ProgramFixture f;
    EXPECT_TRUE(padsPicture(*f.program->fcd, *f.program->settings).empty()) << "nothing read yet";
    ASSERT_TRUE(f.open(testing::boardPath("dense-150pads.fcd")));
    BoardPicture picture = padsPicture(*f.program->fcd, *f.program->settings);
    EXPECT_EQ(picture.width, 1000);
    EXPECT_EQ(picture.height, 600);
    EXPECT_EQ(picture.pads.size(), 155u);
    EXPECT_EQ(picture.pads.front().sizeX, 10); // the slim IC pads keep their size
    EXPECT_EQ(picture.pads.front().sizeY, 16);
    EXPECT_FALSE(picture.routed);
    EXPECT_FALSE(picture.rats.empty()) << "before a lap every connection is still to make";

    f.routeLaps(3);
    addBestLap(picture, f.program->grid->plane(BestPlane), *f.program->netTable);
    const std::string saved = f.dir.file("out.fcd");
    ASSERT_TRUE(f.saveTo(saved));

    // The independent check of the saved file finds the same copper and the same unconnected pads.
    FcdDrawing drawing;
    std::string error;
    ASSERT_TRUE(readDrawing(saved, *f.program->settings, drawing, error)) << error;
    std::vector<PictureTrack> written;
    for (const DrawnTrack& t : drawing.tracks)
        written.push_back({t.x1, t.y1, t.x2, t.y2, t.width, t.net});
    EXPECT_EQ(unitSteps(picture.tracks), unitSteps(written));
    const CheckResult check = checkDrawing(drawing, f.program->settings->isolamento);
    EXPECT_GT(check.padsUnconnected, 0) << "three laps do not finish this board";
    EXPECT_EQ(picture.unconnectedCount(), check.padsUnconnected);
    EXPECT_FALSE(picture.rats.empty()) << "the pads left out are still to be joined";
}

TEST(BoardPicture, ShowsTheJumpersOfTheDrawingReadAndTakesTheirPadsAsJoined) {
    // Net 1: pads at (50,50), (150,50) and (250,150), the last two joined by a wire; net 2: two pads.
    testing::ProgramFixture f;
    ASSERT_TRUE(f.openText("[FIDOCAD]\nRV 0 0 300 200 0\n"
                           "PA 50 50 16 16 6 0 1 1\nPA 150 50 16 16 6 0 1 1\nPA 250 150 16 16 6 0 1 1\n"
                           "PA 50 150 16 16 6 0 1 2\nPA 150 150 16 16 6 0 1 2\n"
                           "PL 250 150 150 50 4 2 1\n"));
    BoardPicture picture = padsPicture(*f.program->fcd, *f.program->settings);
    EXPECT_EQ(picture.jumpers, (std::vector<PictureJumper>{{250, 150, 150, 50, 1}}));
    EXPECT_EQ(picture.rats, (std::vector<RatLine>{{50, 50, 150, 50, 1}, {50, 150, 150, 150, 2}}));

    f.routeLaps(1);
    addBestLap(picture, f.program->grid->plane(BestPlane), *f.program->netTable, f.program->bestJumpers);
    EXPECT_EQ(picture.pads.size(), 5u);
    EXPECT_EQ(picture.jumpers.size(), 1u);
    EXPECT_EQ(picture.unconnectedCount(), 0) << "the router joined one pad of the wire's, as it had to";
    EXPECT_TRUE(picture.rats.empty());
}

TEST(BoardPicture, ShowsTheTracksTheDrawingKeptAsTracksAndTakesTheirPadsAsJoined) {
    // Net 1: pads at (50,50), (150,50) and (250,150), the last two joined by a kept track; net 2: two
    // pads.
    testing::ProgramFixture f(std::string(testing::AutoLayer0Ini) + "metodo=1\npiste_esistenti=1\n");
    ASSERT_TRUE(f.openText("[FIDOCAD]\nRV 0 0 300 200 0\n"
                           "PA 50 50 16 16 6 0 1 1\nPA 150 50 16 16 6 0 1 1\nPA 250 150 16 16 6 0 1 1\n"
                           "PA 50 150 16 16 6 0 1 2\nPA 150 150 16 16 6 0 1 2\n"
                           "PL 150 50 250 150 4 1 1\n"));
    BoardPicture picture = padsPicture(*f.program->fcd, *f.program->settings);
    EXPECT_EQ(picture.tracks, (std::vector<PictureTrack>{{150, 50, 250, 150, 4, 1}}));
    EXPECT_TRUE(picture.jumpers.empty());
    EXPECT_EQ(picture.rats, (std::vector<RatLine>{{50, 50, 150, 50, 1}, {50, 150, 150, 150, 2}}));

    f.routeLaps(1);
    addBestLap(picture, f.program->grid->plane(BestPlane), *f.program->netTable, f.program->bestJumpers);
    ASSERT_GE(picture.tracks.size(), 3u);
    EXPECT_EQ(picture.tracks.front(), (PictureTrack{150, 50, 250, 150, 4, 1})) << "kept, and drawn once";
    EXPECT_EQ(std::count(picture.tracks.begin(), picture.tracks.end(), picture.tracks.front()), 1);
    EXPECT_EQ(picture.unconnectedCount(), 0);
    EXPECT_TRUE(picture.rats.empty());
}

} // namespace
} // namespace zelta
