// The set as the trade's own viewer reads it: gerbv takes every Gerber and drill file without a
// word, and its picture of the copper and the holes is Zelta's picture of the drawing.
#include "production/ProductionSet.h"

#include "render/DrawingPicture.h"
#include "render/PaintBoard.h"
#include "support/TestFiles.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include <cstdlib>

namespace zelta {
namespace {

using testing::readFile;
using testing::ScratchDir;
using testing::sourcePath;

// Pixels per millimetre of both pictures: 254 dots per inch.
constexpr int Dpi = 508;
constexpr double PixelsPerMm = Dpi / 25.4;
// The widest and highest picture the viewer draws.
constexpr int MaxViewerPixels = 2000;

// Runs gerbv with arguments; its standard error, or "exit N" when it failed. The command is
// appended piece by piece: a literal before a temporary trips GCC 12's restrict check at -O3.
std::string gerbv(const ScratchDir& dir, const std::vector<std::string>& arguments) {
    const std::string err = dir.file("gerbv.err");
    std::string command = "gerbv";
    for (const std::string& a : arguments) {
        command += " '";
        command += a;
        command += "'";
    }
    command += " > /dev/null 2> '";
    command += err;
    command += "'";
    const int status = std::system(command.c_str());
    std::string said = readFile(err);
    if (status != 0) {
        said += "exit ";
        said += std::to_string(status);
    }
    return said;
}

struct Exported {
    FcdDrawing drawing;
    ProductionResult result;
};

Exported exportBoard(const ScratchDir& dir, const std::string& drawing, const std::string& settingsFile) {
    const GestoreFileINI settings(settingsFile);
    Exported e;
    std::string error;
    EXPECT_TRUE(readDrawing(drawing, settings, e.drawing, error)) << error;
    e.result = writeProductionSet({drawing, dir.file("set"), false, {}}, settings);
    EXPECT_EQ(e.result.outcome, ProductionOutcome::Written) << e.result.message;
    return e;
}

// How far two copper pictures agree: over every pixel, and over the pixels that either calls copper.
struct Agreement {
    double pixels;
    double copper;
};

Agreement compare(const QImage& viewer, const QImage& own) {
    long same = 0, union_ = 0, both = 0;
    for (int y = 0; y < viewer.height(); ++y)
        for (int x = 0; x < viewer.width(); ++x) {
            const bool a = qGray(viewer.pixel(x, y)) >= 128; // the viewer draws copper light on black
            const bool b = qGray(own.pixel(x, y)) < 128;     // the print, black on white
            same += a == b;
            union_ += a || b;
            both += a && b;
        }
    return {double(same) / (viewer.width() * viewer.height()), double(both) / union_};
}

// The viewer's picture of the copper with the holes over it in the background's colour, and
// Zelta's print of the same drawing, both with row 0 `height` pixels above the board's lower edge.
Agreement viewerAgainstZelta(const ScratchDir& dir, const Exported& e) {
    const FcdDrawing& d = e.drawing;
    const int width = static_cast<int>(d.width * 0.127 * PixelsPerMm);
    const int height = static_cast<int>(d.height * 0.127 * PixelsPerMm);
    // The viewer draws at most 2000 pixels across: a larger board is drawn a piece at a time.
    QImage viewer(width, height, QImage::Format_RGB32);
    viewer.fill(Qt::red);
    for (int top = 0; top < height; top += MaxViewerPixels)
        for (int left = 0; left < width; left += MaxViewerPixels) {
            const int w = std::min(MaxViewerPixels, width - left),
                      h = std::min(MaxViewerPixels, height - top);
            char origin[64], window[64];
            std::snprintf(origin, sizeof origin, "%.6fx%.6f", double(left) / Dpi,
                          double(height - top - h) / Dpi);
            std::snprintf(window, sizeof window, "%dx%d", w, h);
            const std::string png = dir.file("gerbv.png");
            EXPECT_EQ(gerbv(dir, {"-x", "png", std::string("--dpi=").append(std::to_string(Dpi)), "-B", "0",
                                  "-O", origin, "-w", window, "-b", "#000000", "-f", "#000000ff", "-f",
                                  "#ffffffff", "-o", png, e.result.files[2], e.result.files[0]}),
                      "");
            const QImage piece(QString::fromStdString(png));
            EXPECT_EQ(piece.size(), QSize(w, h));
            QPainter(&viewer).drawImage(left, top, piece);
        }

    QImage own(width, height, QImage::Format_RGB32);
    own.fill(Qt::white);
    QPainter painter(&own);
    const double scale = 0.127 * PixelsPerMm;
    painter.setTransform(
        QTransform(scale, 0, 0, scale, -d.originX * scale, height - (d.originY + d.height) * scale));
    PaintOptions print;
    print.print = true;
    paintBoard(painter, drawingPicture(d), print);
    painter.end();
    return compare(viewer, own);
}

struct RoutedBoard {
    std::string drawing; // under tests/data
    std::string settings;
};

void PrintTo(const RoutedBoard& b, std::ostream* os) {
    *os << b.drawing;
}

// A routed real board with wire links, and every shared board as the classic method routed it in
// its recorded session.
std::vector<RoutedBoard> routedBoards() {
    std::vector<RoutedBoard> boards = {{"export/dc-mixer-jumpers.fcd", "boards/auto-layer0.ini"}};
    for (const char* name : {"tiny-2nets", "dip8-555", "medium-40pads", "manual-size-100x50",
                             "with-existing-tracks", "passthrough-records", "dense-150pads",
                             "large-full-grid", "real/555-die", "real/dc-mixer", "real/opamp-tester"})
        boards.push_back({std::string("golden/") + name + "/default/out.fcd",
                          std::string("golden/") + name + "/default/settings.ini"});
    return boards;
}

std::string data(const std::string& relative) {
    return sourcePath("tests/data/" + relative);
}

class GerberViewer : public ::testing::TestWithParam<RoutedBoard> {};

TEST_P(GerberViewer, ReadsEveryFileWithoutAWordAndItsPictureOfCopperAndHolesIsZeltas) {
    ScratchDir dir;
    const Exported e = exportBoard(dir, data(GetParam().drawing), data(GetParam().settings));
    ASSERT_EQ(e.result.files.size(), 7u);
    for (const std::string& file : e.result.files) {
        const std::string ext = file.substr(file.rfind('.'));
        if (ext == ".gbr" || ext == ".drl") {
            EXPECT_EQ(gerbv(dir, {"-x", "png", "-o", dir.file("view.png"), file}), "") << file;
        }
    }
    const Agreement a = viewerAgainstZelta(dir, e);
    EXPECT_GE(a.pixels, 0.99);
    EXPECT_GE(a.copper, 0.95) << "the copper itself, not only the bare board, agrees";
    RecordProperty("pixels", std::to_string(a.pixels));
    RecordProperty("copper", std::to_string(a.copper));
}

INSTANTIATE_TEST_SUITE_P(RoutedBoards, GerberViewer, ::testing::ValuesIn(routedBoards()));

TEST(GerberViewerStyles, ReadsAPadOfEveryStyleAndATrackOfNoWidthWithoutAWord) {
    ScratchDir dir;
    const std::string drawing = dir.write(
        "styles.fcd", "[FIDOCAD]\nRV 0 0 400 300 0\nPA 100 100 16 16 6 0 1 1\n"
                      "PA 150 100 20 12 6 0 1 1\nPA 200 100 16 16 6 1 1 2\nPA 250 100 20 10 8 2 1 2\n"
                      "PA 300 100 16 16 0 1 1 3\nPL 100 100 150 100 0 1 1\n");
    const Exported e = exportBoard(dir, drawing, data("boards/auto-layer0.ini"));
    for (const std::string& file : e.result.files) {
        const std::string ext = file.substr(file.rfind('.'));
        if (ext == ".gbr" || ext == ".drl") {
            EXPECT_EQ(gerbv(dir, {"-x", "png", "-o", dir.file("view.png"), file}), "") << file;
        }
    }
    const Agreement a = viewerAgainstZelta(dir, e);
    EXPECT_GE(a.pixels, 0.99);
    EXPECT_GE(a.copper, 0.95);
}

} // namespace
} // namespace zelta
