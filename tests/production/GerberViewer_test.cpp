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

std::string quoted(const std::string& s) {
    return "'" + s + "'";
}

// Runs gerbv with arguments; its standard error, or "exit N" when it failed.
std::string gerbv(const ScratchDir& dir, const std::string& arguments) {
    const std::string err = dir.file("gerbv.err");
    const int status = std::system(("gerbv " + arguments + " 2> " + quoted(err) + " > /dev/null").c_str());
    std::string said = readFile(err);
    if (status != 0)
        said += "exit " + std::to_string(status);
    return said;
}

struct Exported {
    FcdDrawing drawing;
    ProductionResult result;
};

Exported exportBoard(const ScratchDir& dir, const std::string& drawing) {
    GestoreFileINI settings("/nonexistent/zelta.ini");
    settings.dim_auto = true;
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

TEST(GerberViewer, ReadsEveryGerberAndDrillFileWithoutAWord) {
    ScratchDir dir;
    // A routed real board, and a drawing with a pad of every style and a track of no width.
    for (const std::string& drawing :
         {sourcePath("tests/data/export/dc-mixer-jumpers.fcd"),
          dir.write("styles.fcd",
                    "[FIDOCAD]\nRV 0 0 400 300 0\nPA 100 100 16 16 6 0 1 1\n"
                    "PA 150 100 20 12 6 0 1 1\nPA 200 100 16 16 6 1 1 2\nPA 250 100 20 10 8 2 1 2\n"
                    "PA 300 100 16 16 0 1 1 3\nPL 100 100 150 100 0 1 1\n")}) {
        const Exported e = exportBoard(dir, drawing);
        for (const std::string& file : e.result.files) {
            const std::string ext = file.substr(file.rfind('.'));
            if (ext == ".gbr" || ext == ".drl") {
                EXPECT_EQ(gerbv(dir, "-x png -o " + quoted(dir.file("view.png")) + " " + quoted(file)), "")
                    << file;
            }
        }
    }
}

TEST(GerberViewer, ItsPictureOfTheCopperAndHolesIsZeltasOnARoutedRealBoard) {
    ScratchDir dir;
    const Exported e = exportBoard(dir, sourcePath("tests/data/export/dc-mixer-jumpers.fcd"));
    ASSERT_EQ(e.result.files.size(), 7u);
    const FcdDrawing& d = e.drawing;
    // Whole pixels inside the board, from its lower-left corner.
    const int width = static_cast<int>(d.width * 0.127 * PixelsPerMm);
    const int height = static_cast<int>(d.height * 0.127 * PixelsPerMm);

    // The holes over the copper, in the background's colour.
    const std::string png = dir.file("gerbv.png");
    ASSERT_EQ(gerbv(dir, "-x png --dpi=" + std::to_string(Dpi) + " -O 0x0 -B 0 -w " + std::to_string(width) +
                             "x" + std::to_string(height) +
                             " -b '#000000' -f '#000000ff' -f '#ffffffff' -o " + quoted(png) + " " +
                             quoted(e.result.files[2]) + " " + quoted(e.result.files[0])),
              "");
    const QImage viewer(QString::fromStdString(png));
    ASSERT_EQ(viewer.size(), QSize(width, height));

    // Zelta's picture of the same drawing, printed: pixel row 0 is `height` pixels above the lower
    // edge, as in the viewer's picture.
    QImage own(width, height, QImage::Format_RGB32);
    own.fill(Qt::white);
    {
        QPainter painter(&own);
        const double scale = 0.127 * PixelsPerMm;
        painter.setTransform(
            QTransform(scale, 0, 0, scale, -d.originX * scale, height - (d.originY + d.height) * scale));
        PaintOptions print;
        print.print = true;
        paintBoard(painter, drawingPicture(d), print);
    }
    const Agreement a = compare(viewer, own);
    EXPECT_GE(a.pixels, 0.99);
    EXPECT_GE(a.copper, 0.95) << "the copper itself, not only the bare board, agrees";
    RecordProperty("pixels", std::to_string(a.pixels));
    RecordProperty("copper", std::to_string(a.copper));
}

} // namespace
} // namespace zelta
