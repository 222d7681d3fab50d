// Image files: an SVG holds the board's shapes at its true size, a PNG's size follows the scale,
// and a write that fails says why and leaves nothing half-written behind.
#include "render/ImageFiles.h"

#include "TinyPicture.h"
#include "render/PaintBoard.h"
#include "support/TestFiles.h"
#include "support/Unprivileged.h"

#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace zelta {
namespace {

using namespace testing;

TEST(ImageFiles, SvgHoldsTheBoardsShapesAtItsTrueSize) {
    ScratchDir dir;
    const std::string path = dir.file("board.svg");
    ASSERT_EQ(writeSvg(path, tinyPicture(), 10), "");
    const std::string text = readFile(path);
    EXPECT_NE(text.find("width=\"30mm\" height=\"20mm\""), std::string::npos);
    EXPECT_NE(text.find("viewBox=\"0 0 300 200\""), std::string::npos);

    QSvgRenderer svg(QString::fromStdString(path));
    ASSERT_TRUE(svg.isValid());
    QImage image(300, 200, QImage::Format_ARGB32);
    image.fill(Qt::black);
    {
        QPainter painter(&image);
        svg.render(&painter, QRectF(0, 0, 300, 200));
    }
    const QTransform toImage = fitTransform(tinyPicture(), QRectF(0, 0, 300, 200));
    const QColor substrate = pixelAt(image, toImage, BareBoard);
    EXPECT_NE(substrate, QColor(Qt::black));
    EXPECT_TRUE(near(pixelAt(image, toImage, PadOfNet1), netColour(1)));
    EXPECT_TRUE(near(pixelAt(image, toImage, CopperOfPadOfNet2), netColour(2)));
    EXPECT_TRUE(near(pixelAt(image, toImage, PadOfNet0), netColour(0)));
    EXPECT_NEAR(pixelAt(image, toImage, TrackOfNet1).hsvHueF(), netColour(1).hsvHueF(), 0.02);
    EXPECT_TRUE(near(pixelAt(image, toImage, BesideTheTrack), substrate));
    EXPECT_FALSE(near(pixelAt(image, toImage, OnTheOutline), substrate, 40));
    EXPECT_GT(pixelAt(image, toImage, MarkOnPadOfNet2).red(), 200);
}

TEST(ImageFiles, PngSizeFollowsTheScale) {
    ScratchDir dir;
    BoardPicture wide = tinyPicture();
    wide.width = 805; // 100.625 mm
    const struct {
        const BoardPicture picture;
        double scale;
        QSize size;
    } cases[] = {
        {tinyPicture(), 10, {300, 200}},
        {tinyPicture(), 4, {120, 80}},
        {tinyPicture(), 2.5, {75, 50}},
        {wide, 10, {1006, 200}},
    };
    for (const auto& c : cases) {
        const std::string path = dir.file("board.png");
        ASSERT_EQ(writePng(path, c.picture, c.scale), "");
        QImage image(QString::fromStdString(path));
        EXPECT_EQ(image.size(), c.size) << c.scale;
    }
}

TEST(ImageFiles, FailedWriteSaysWhyAndLeavesTheDestinationAsItWas) {
    ScratchDir dir;
    const std::string missing = dir.file("gone/board.png");
    const std::string error = writePng(missing, tinyPicture(), 10);
    EXPECT_NE(error.find(missing), std::string::npos) << error;
    EXPECT_FALSE(fileExists(missing));

    EXPECT_NE(writeSvg(dir.file("empty.svg"), BoardPicture{}, 10), "");
    EXPECT_NE(writePng(dir.file("huge.png"), tinyPicture(), MaxImageScale * 2), "");
    EXPECT_NE(writePng(dir.file("none.png"), tinyPicture(), 0), "");
    EXPECT_FALSE(fileExists(dir.file("empty.svg")) || fileExists(dir.file("huge.png")) ||
                 fileExists(dir.file("none.png")));

    // An old picture in a folder that cannot take a new file stays whole, with nothing beside it.
    std::filesystem::create_directory(dir.file("locked"));
    const std::string old = dir.write("locked/board.svg", "old picture");
    chmod(dir.file("locked").c_str(), 0555);
    {
        WithoutRootRights unprivileged;
        if (unprivileged.active()) {
            EXPECT_NE(writeSvg(old, tinyPicture(), 10), "");
        }
    }
    chmod(dir.file("locked").c_str(), 0755);
    EXPECT_EQ(readFile(old), "old picture");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.file("locked")),
                            std::filesystem::directory_iterator()),
              1);
}

} // namespace
} // namespace zelta
