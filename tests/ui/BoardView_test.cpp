// The board view and the image export, driven from the main window: where the view opens, what
// it shows and when it changes, the pointer's work on it, and the export command.
#include "UiFixture.h"

#include "core/Messages.h"
#include "ui/BoardView.h"

#include <QAction>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QWheelEvent>
#include <atomic>

namespace zelta::testing {
namespace {

using BoardViewWindow = UiTest;

ui::BoardView& openView(ui::TForm1& w) {
    w.BtnBoardView->click();
    QApplication::processEvents();
    return *w.boardView;
}

QPoint onCanvas(ui::BoardView& view, QPointF board) {
    return view.canvas->toWidget(board).toPoint();
}

// The pointer passing over the canvas with no button held.
void hover(QWidget* canvas, QPoint at) {
    QMouseEvent move(QEvent::MouseMove, at, canvas->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(canvas, &move);
}

TEST_F(BoardViewWindow, OpensFromMenuOrToolbarOnTheBoardAsItIs) {
    startProgram("auto-layer0.ini");
    window().MenuBoardView->trigger();
    ASSERT_NE(window().boardView, nullptr);
    ui::BoardView& view = *window().boardView;
    EXPECT_TRUE(view.isVisible());
    EXPECT_EQ(view.windowTitle(), "Anteprima scheda");
    EXPECT_TRUE(view.picture().empty());
    EXPECT_EQ(view.summaryText(), "Nessuna scheda letta");
    view.close();

    openBoard("tiny-2nets.fcd");
    EXPECT_EQ(&openView(window()), &view);
    EXPECT_TRUE(view.isVisible());
    EXPECT_EQ(view.picture().pads.size(), 4u);
    EXPECT_FALSE(view.picture().routed);
    EXPECT_EQ(view.summaryText(), "Piazzole 4, nessun giro concluso");
    // Fitted: the whole board shows, and fills the canvas one way.
    const QRectF board(view.canvas->toWidget(QPointF(0, 0)), view.canvas->toWidget(QPointF(240, 160)));
    EXPECT_TRUE(QRectF(view.canvas->rect()).contains(board)) << "board at " << board.x() << "," << board.y();
    EXPECT_GT(std::max(board.width() / view.canvas->width(), board.height() / view.canvas->height()), 0.9);
}

TEST_F(BoardViewWindow, OpensWhollyOnTheScreenOfTheMainWindow) {
    startProgram("auto-layer0.ini");
    const QRect area = window().screen()->availableGeometry();
    // The main window in the far corner: the view may neither follow it off the screen nor
    // keep more size than the screen has.
    window().move(area.bottomRight() - QPoint(window().width() / 2, window().height() / 2));
    ui::BoardView& view = openView(window());
    EXPECT_TRUE(area.contains(view.frameGeometry())) << "view at " << view.x() << "," << view.y();

    // Moved by the person, it reopens where it was left; left off the screen, it comes back.
    view.close();
    view.move(area.topLeft() + QPoint(3, 5));
    openView(window());
    EXPECT_EQ(view.pos(), area.topLeft() + QPoint(3, 5));
    view.close();
    view.move(area.right() + 500, area.top());
    openView(window());
    EXPECT_TRUE(area.contains(view.frameGeometry())) << "view at " << view.x() << "," << view.y();
}

TEST_F(BoardViewWindow, ChangesOnlyWhenTheBestLapImproves) {
    // The tiny board scores the same in every lap: only the first improves the best.
    startProgram("auto-layer0.ini");
    openBoard("tiny-2nets.fcd");
    ui::BoardView& view = openView(window());
    const int before = view.pictureChanges();
    routeLaps(4);
    ASSERT_TRUE(waitUntil([&] { return view.picture().routed; }));
    EXPECT_EQ(view.pictureChanges(), before + 1);
    EXPECT_FALSE(view.picture().tracks.empty());
    EXPECT_TRUE(view.picture().rats.empty());
    EXPECT_EQ(view.summaryText(), "Piazzole fuori dal gruppo maggiore della loro net: 0 su 4");

    // A better lap with no tracks at all, as the worker would hand it over: one pad of each net
    // is left out.
    std::vector<int32_t> bare(PlaneCells, 0);
    program().onBestImproved(bare.data(), JumperList{});
    ASSERT_TRUE(waitUntil([&] { return view.pictureChanges() == before + 2; }));
    EXPECT_TRUE(view.picture().tracks.empty());
    EXPECT_EQ(view.picture().unconnectedCount(), 2);
    EXPECT_EQ(view.picture().rats.size(), 2u) << "one line joins the two pads of each net";
    EXPECT_EQ(view.summaryText(), "Piazzole fuori dal gruppo maggiore della loro net: 2 su 4");

    // A new read drops the lap: pads only again.
    window().stop2->click();
    openBoard("tiny-2nets.fcd");
    EXPECT_FALSE(view.picture().routed);
    EXPECT_FALSE(window().hasBestLap());
}

TEST_F(BoardViewWindow, ShowsTheBestLapNotTheLastOne) {
    startProgram("auto-layer0.ini");
    openBoard("medium-40pads.fcd");
    ui::BoardView& view = openView(window());
    const int before = view.pictureChanges();
    // Laps until one ends without improving the best, counting those that did.
    std::atomic<int> improving = 0;
    program().onLapEnd = [&](const LapFigures& lap) { improving += lap.improved; };
    program().settings->ferma_vuoto = 1; // the window stops by itself after the first idle lap
    window().start2->click();
    ASSERT_TRUE(waitUntil([&] { return !program().processing(); }, 120000));
    QApplication::processEvents();

    const int changes = view.pictureChanges() - before;
    EXPECT_GE(changes, 1);
    EXPECT_LE(changes, improving.load()) << "one change at most per improving lap";
    BoardPicture best = padsPicture(*program().fcd, *program().settings);
    addBestLap(best, program().grid->plane(BestPlane), *program().netTable);
    EXPECT_TRUE(view.picture() == best);
    BoardPicture last = padsPicture(*program().fcd, *program().settings);
    addBestLap(last, program().grid->plane(WorkPlane), *program().netTable);
    EXPECT_FALSE(view.picture() == last) << "the last lap, which did not improve, differs from the best";
}

TEST_F(BoardViewWindow, PointerTellsCellAndNetAndAClickHighlightsTheNet) {
    startProgram("auto-layer0.ini");
    openBoard("tiny-2nets.fcd");
    routeLaps(1);
    ui::BoardView& view = openView(window());
    QWidget* canvas = view.canvas;

    EXPECT_EQ(view.pointerText(), "Rotella: zoom · trascina: sposta · clic: evidenzia la net")
        << "how to use the pointer, while it is off the board";
    const QPoint pad = onCanvas(view, QPointF(60, 50)); // net 1, cell (6,5)
    hover(canvas, pad);
    EXPECT_EQ(view.pointerText(), "Cella (6,5)   net 1");
    QTest::mouseClick(canvas, Qt::LeftButton, {}, pad);
    EXPECT_EQ(view.options().highlightNet, 1);
    // A better lap of the same board keeps the highlight and the zoom.
    QWheelEvent wheel(pad, canvas->mapToGlobal(QPointF(pad)), QPoint(), QPoint(0, 240), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(canvas, &wheel);
    const double zoomed = view.canvas->pixelsPerUnit();
    std::vector<int32_t> noTracks(PlaneCells, 0);
    program().onBestImproved(noTracks.data(), JumperList{});
    ASSERT_TRUE(waitUntil([&] { return view.picture().tracks.empty(); }));
    EXPECT_EQ(view.options().highlightNet, 1);
    EXPECT_EQ(view.canvas->pixelsPerUnit(), zoomed);

    const QPoint bare = onCanvas(view, QPointF(200, 30));
    hover(canvas, bare);
    EXPECT_EQ(view.pointerText(), "Cella (20,3)");
    QTest::mouseClick(canvas, Qt::LeftButton, {}, bare);
    EXPECT_EQ(view.options().highlightNet, -1);

    hover(canvas, onCanvas(view, QPointF(-5, 80))); // outside the board
    EXPECT_EQ(view.pointerText(), QString::fromUtf8(msg::BoardViewHint));
}

TEST_F(BoardViewWindow, ShowsJumpersTellsOfThemUnderThePointerAndKeepsTheHighlightAsTheyChange) {
    // Net 1's two pads are joined by a wire drawn in the file; net 2 has to pass under it.
    startProgram("auto-layer0.ini");
    prompter.openAnswers.push_back(scratch.write("ponticello.fcd", "[FIDOCAD]\nRV 0 0 240 160 0\n"
                                                                   "PA 30 80 16 16 6 1 1 2\n"
                                                                   "PA 210 80 16 16 6 0 1 2\n"
                                                                   "PA 120 40 16 16 6 0 1 1\n"
                                                                   "PA 120 120 16 16 6 0 1 1\n"
                                                                   "PL 120 40 120 120 5 2 1\n"));
    window().start1->click();
    ASSERT_EQ(program().fcd->status, StatusComplete) << lastMessage();
    ui::BoardView& view = openView(window());
    EXPECT_EQ(view.picture().jumpers.size(), 1u);
    EXPECT_EQ(view.picture().rats.size(), 1u) << "only net 2 is still to join";
    QStringList captions;
    for (const QLabel* label : view.legend->findChildren<QLabel*>())
        captions << label->text();
    EXPECT_TRUE(captions.contains("Ponticello")) << captions.join(", ").toStdString();

    routeLaps(1);
    EXPECT_EQ(view.summaryText(), "Piazzole fuori dal gruppo maggiore della loro net: 0 su 4");
    const QPoint wire = onCanvas(view, QPointF(120, 80)); // over net 2's track
    hover(view.canvas, wire);
    EXPECT_EQ(view.pointerText(), "Cella (12,8)   ponticello della net 1");
    QTest::mouseClick(view.canvas, Qt::LeftButton, {}, wire);
    EXPECT_EQ(view.options().highlightNet, 1);

    // A lap that lays a jumper brings its end pads, yet the board is the same: the highlight stays.
    std::vector<int32_t> bare(PlaneCells, 0);
    program().onBestImproved(bare.data(), JumperList{{2, 6, 14, 16, 14}});
    ASSERT_TRUE(waitUntil([&] { return view.picture().jumpers.size() == 2; }));
    EXPECT_EQ(view.picture().pads.size(), 6u);
    EXPECT_EQ(view.options().highlightNet, 1);
}

TEST_F(BoardViewWindow, WheelZoomsAboutThePointerAndDraggingPans) {
    startProgram("auto-layer0.ini");
    openBoard("tiny-2nets.fcd");
    ui::BoardView& view = openView(window());
    ui::BoardCanvas* canvas = view.canvas;
    const QPointF at = canvas->rect().center() + QPointF(40, 15);
    const QPointF board = canvas->toBoard(at);
    const double scale = canvas->pixelsPerUnit();

    QWheelEvent wheel(at, canvas->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(canvas, &wheel);
    EXPECT_GT(canvas->pixelsPerUnit(), scale * 1.1);
    EXPECT_NEAR(canvas->toWidget(board).x(), at.x(), 0.01);
    EXPECT_NEAR(canvas->toWidget(board).y(), at.y(), 0.01);

    const QPoint from = at.toPoint();
    const QPoint to = from + QPoint(40, 25);
    QTest::mousePress(canvas, Qt::LeftButton, {}, from);
    QTest::mouseMove(canvas, from + QPoint(20, 12));
    QTest::mouseMove(canvas, to);
    QTest::mouseRelease(canvas, Qt::LeftButton, {}, to);
    EXPECT_NEAR(canvas->toWidget(board).x(), at.x() + 40, 0.01);
    EXPECT_NEAR(canvas->toWidget(board).y(), at.y() + 25, 0.01);
    EXPECT_EQ(view.options().highlightNet, -1) << "a drag is not a click";
}

TEST_F(BoardViewWindow, ExportWritesThePictureOfTheBestLapOnceALapHasEnded) {
    startProgram("auto-layer0.ini");
    openBoard("tiny-2nets.fcd");
    window().MenuExport->trigger();
    EXPECT_EQ(lastMessage(), msg::NothingToExport);
    EXPECT_TRUE(prompter.saveDialogs.empty());

    routeLaps(1);
    prompter.saveAnswers = {scratch.file("board.svg"), scratch.file("board.png"), scratch.file("board.jpg"),
                            scratch.file("gone/board.png")};
    window().MenuExport->trigger();
    ASSERT_EQ(prompter.saveDialogs.size(), 1u);
    EXPECT_EQ(prompter.saveDialogs[0].filter, msg::ExportFilter);
    EXPECT_EQ(prompter.saveDialogs[0].fileName, boardPath("tiny-2nets.png"));
    EXPECT_NE(readFile(scratch.file("board.svg")).find("<svg width=\"30mm\" height=\"20mm\""),
              std::string::npos);

    window().MenuExport->trigger();
    EXPECT_EQ(QImage(QString::fromStdString(scratch.file("board.png"))).size(), QSize(300, 200));

    const size_t shown = prompter.messages.size();
    window().MenuExport->trigger();
    ASSERT_EQ(prompter.messages.size(), shown + 1);
    EXPECT_EQ(prompter.messages.back().type, MsgDlgType::mtWarning);
    EXPECT_FALSE(fileExists(scratch.file("board.jpg")));

    window().MenuExport->trigger();
    EXPECT_EQ(prompter.messages.back().type, MsgDlgType::mtError);
    EXPECT_NE(lastMessage().find(scratch.file("gone/board.png")), std::string::npos) << lastMessage();
}

} // namespace
} // namespace zelta::testing
