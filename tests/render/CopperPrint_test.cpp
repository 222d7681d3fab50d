// The 1:1 print as a printer gets it: its page rendered by a PDF rasteriser, the scale bar
// measured, and the mirrored page against the plain one.
#include "render/CopperPrint.h"

#include "TinyPicture.h"
#include "support/TestFiles.h"

#include <QImage>
#include <QTransform>
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

namespace zelta {
namespace {

using testing::ScratchDir;

// Pixels per millimetre of the rendered pages: at 216 dots per inch a page of whole points is
// whole pixels wide, so that its mirror image falls on the same pixels.
constexpr int Dpi = 216;
constexpr double PixelsPerMm = Dpi / 25.4;

// The page rendered in grey levels; a null image when the rasteriser failed.
QImage renderPage(const ScratchDir& dir, const QByteArray& pdf, const std::string& name) {
    const std::string path = dir.file(name + ".pdf");
    std::ofstream(path, std::ios::binary).write(pdf.constData(), pdf.size());
    // Appended piece by piece: a literal before a temporary trips GCC 12's restrict check at -O3.
    std::string command = "pdftoppm -r ";
    for (const std::string& piece :
         {std::to_string(Dpi), std::string(" -gray -png -singlefile '"), path, std::string("' '"),
          dir.file(name), std::string("' 2> '"), dir.file(name + ".err"), std::string("'")})
        command += piece;
    if (std::system(command.c_str()) != 0)
        return {};
    return QImage(QString::fromStdString(dir.file(name + ".png"))).convertToFormat(QImage::Format_Grayscale8);
}

bool dark(const QImage& image, int x, int y) {
    return qGray(image.pixel(x, y)) < 128;
}

TEST(CopperPrint, TheScaleBarMeasuresFiftyMillimetresAndTheBoardItsOwnSize) {
    ScratchDir dir;
    const QImage page =
        renderPage(dir, copperPrintPdf(testing::tinyPicture(), QStringLiteral("piccola"), false), "p");
    ASSERT_FALSE(page.isNull()) << testing::readFile(dir.file("p.err"));
    EXPECT_NEAR(page.width() / PixelsPerMm, 297, 0.5) << "a board wider than high lies on a landscape A4";
    EXPECT_NEAR(page.height() / PixelsPerMm, 210, 0.5);

    // The bar is the lowest thing on the page; its middle row is a millimetre above its lower edge.
    int bottom = -1;
    for (int y = page.height() - 1; y >= 0 && bottom < 0; --y)
        for (int x = 0; x < page.width() && bottom < 0; ++x)
            if (dark(page, x, y))
                bottom = y;
    ASSERT_GT(bottom, 0);
    const int row = bottom - static_cast<int>(PixelsPerMm);
    int longest = 0;
    for (int x = 0, run = 0; x < page.width(); ++x) {
        run = dark(page, x, row) ? run + 1 : 0;
        longest = std::max(longest, run);
    }
    EXPECT_NEAR(longest / PixelsPerMm, 50.0, 0.2);

    // The board at the same scale: the line round its edge is its 160 units (20.32 mm) high, the
    // longest upright line on the page.
    int tallest = 0;
    for (int x = 0; x < page.width(); ++x)
        for (int y = 0, run = 0; y < page.height(); ++y) {
            run = dark(page, x, y) ? run + 1 : 0;
            tallest = std::max(tallest, run);
        }
    EXPECT_NEAR(tallest / PixelsPerMm, 20.32, 0.2);
}

TEST(CopperPrint, TheMirroredPageIsTheMirrorImageOfThePlainOne) {
    ScratchDir dir;
    const BoardPicture picture = testing::tinyPicture();
    const QImage plain = renderPage(dir, copperPrintPdf(picture, QStringLiteral("piccola"), false), "plain");
    const QImage mirrored =
        renderPage(dir, copperPrintPdf(picture, QStringLiteral("piccola"), true), "mirrored");
    ASSERT_FALSE(plain.isNull());
    ASSERT_EQ(plain.size(), mirrored.size());
    const QImage flipped = mirrored.transformed(QTransform::fromScale(-1, 1));
    // Ink in one picture with no ink within a pixel of it in the other: a rasteriser may round the
    // edges of thin lines one pixel apart in a mirror image, but nothing lies further off.
    auto inkNear = [](const QImage& image, int x, int y) {
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if (image.valid(x + dx, y + dy) && dark(image, x + dx, y + dy))
                    return true;
        return false;
    };
    long inked = 0, stray = 0, differ = 0;
    for (int y = 0; y < plain.height(); ++y)
        for (int x = 0; x < plain.width(); ++x) {
            const bool a = dark(plain, x, y), b = dark(flipped, x, y);
            inked += a || b;
            differ += a != b;
            stray += (a && !inkNear(flipped, x, y)) || (b && !inkNear(plain, x, y));
        }
    EXPECT_GT(inked, 0);
    EXPECT_LE(double(stray) / inked, 0.001) << "everything printed lies where its mirror image is";
    long unflipped = 0;
    for (int y = 0; y < plain.height(); ++y)
        for (int x = 0; x < plain.width(); ++x)
            unflipped += dark(plain, x, y) != dark(mirrored, x, y);
    EXPECT_GT(unflipped, differ * 10) << "a mirrored page is not the same page";
}

TEST(CopperPrint, NoBoardNoPage) {
    EXPECT_TRUE(copperPrintPdf(BoardPicture{}, QStringLiteral("vuota"), false).isEmpty());
}

} // namespace
} // namespace zelta
