// The painter: net colours, and what each kind of copper and each rat line looks like in a drawn
// picture.
#include "render/PaintBoard.h"

#include "TinyPicture.h"

#include <QPainter>
#include <gtest/gtest.h>

namespace zelta {
namespace {

using namespace testing;

struct Drawn {
    QImage image;
    QTransform toImage;
};

// The tiny board at two pixels per unit, with a black band of 10 pixels left and right.
Drawn draw(const PaintOptions& options = {}) {
    const BoardPicture picture = tinyPicture();
    Drawn d{QImage(500, 320, QImage::Format_ARGB32), {}};
    d.image.fill(Qt::black);
    d.toImage = fitTransform(picture, QRectF(0, 0, 500, 320));
    QPainter painter(&d.image);
    painter.setTransform(d.toImage);
    paintBoard(painter, picture, options);
    return d;
}

TEST(PaintBoard, NetColoursAreStableAndNeighbouringNetsFarApart) {
    EXPECT_EQ(netColour(7), netColour(7));
    EXPECT_LT(netColour(0).hsvSaturation(), 30) << "net 0 is grey";
    for (int net = 1; net < 255; ++net) {
        EXPECT_GT(netColour(net).hsvSaturation(), 100) << net;
        const double step = std::abs(netColour(net).hsvHueF() - netColour(net + 1).hsvHueF());
        EXPECT_GT(std::min(step, 1 - step), 0.3) << net;
    }
}

TEST(PaintBoard, DrawsPadsTracksAtWidthOutlineAndUnconnectedMarks) {
    const Drawn d = draw();
    const QColor substrate = pixelAt(d.image, d.toImage, BareBoard);
    EXPECT_NE(substrate, QColor(Qt::black)) << "the board is filled";
    EXPECT_EQ(pixelAt(d.image, d.toImage, QPointF(97, 130)), QColor(Qt::black)) << "nothing outside it";

    EXPECT_TRUE(near(pixelAt(d.image, d.toImage, PadOfNet1), netColour(1)));
    EXPECT_TRUE(near(pixelAt(d.image, d.toImage, CopperOfPadOfNet2), netColour(2)));
    EXPECT_TRUE(near(pixelAt(d.image, d.toImage, PadOfNet0), netColour(0)));
    const QColor track = pixelAt(d.image, d.toImage, TrackOfNet1);
    EXPECT_NEAR(track.hsvHueF(), netColour(1).hsvHueF(), 0.02);
    EXPECT_TRUE(near(pixelAt(d.image, d.toImage, BesideTheTrack), substrate)) << "4 units wide, not more";

    const QColor outline = pixelAt(d.image, d.toImage, OnTheOutline);
    EXPECT_FALSE(near(outline, substrate, 40));
    const QColor mark = pixelAt(d.image, d.toImage, MarkOnPadOfNet2);
    EXPECT_GT(mark.red(), 200);
    EXPECT_LT(mark.green(), 80);
    EXPECT_LT(mark.blue(), 80);
}

TEST(PaintBoard, RatLinesAreThinAtEveryScaleInTheirNetsColour) {
    BoardPicture picture = tinyPicture();
    picture.rats = {{300, 90, 300, 200, 2}};
    for (double pixelsPerUnit : {2.0, 8.0}) {
        // Half a pixel across, so that the line's middle falls in the middle of a pixel.
        const QTransform toImage = QTransform::fromScale(pixelsPerUnit, pixelsPerUnit) *
                                   QTransform::fromTranslate(-100 * pixelsPerUnit + 0.5, -50 * pixelsPerUnit);
        QImage image(static_cast<int>(240 * pixelsPerUnit), static_cast<int>(160 * pixelsPerUnit),
                     QImage::Format_ARGB32);
        QPainter painter(&image);
        painter.setTransform(toImage);
        paintBoard(painter, picture);
        painter.end();
        const QColor substrate = pixelAt(image, toImage, BareBoard);
        EXPECT_TRUE(near(pixelAt(image, toImage, QPointF(300, 150)), netColour(2))) << pixelsPerUnit;
        // Two pixels beside it there is bare board, however large the scale.
        const QPointF beside = toImage.inverted().map(toImage.map(QPointF(300, 150)) + QPointF(2, 0));
        EXPECT_TRUE(near(pixelAt(image, toImage, beside), substrate)) << pixelsPerUnit;
    }
}

TEST(PaintBoard, AJumpersWireIsLightWithADarkEdgeOverTheCopper) {
    // A wire of net 5 from pad to pad across the track of net 1.
    BoardPicture picture = tinyPicture();
    picture.pads.push_back({{200, 60, 16, 16, 6, 0, 5, 10, 1}});
    picture.pads.push_back({{200, 120, 16, 16, 6, 0, 5, 10, 7}});
    picture.jumpers = {{200, 60, 200, 120, 5}};
    const QTransform toImage = fitTransform(picture, QRectF(0, 0, 500, 320));
    QImage image(500, 320, QImage::Format_ARGB32);
    QPainter painter(&image);
    painter.setTransform(toImage);
    paintBoard(painter, picture);
    painter.end();

    const QColor track = pixelAt(image, toImage, QPointF(170, 90));
    for (QPointF onWire : {QPointF(200, 90), QPointF(200, 65), QPointF(200, 105)}) {
        const QColor core = pixelAt(image, toImage, onWire);
        EXPECT_GT(core.lightness(), track.lightness() + 40) << "over the track and the pads";
        EXPECT_NEAR(core.hsvHueF(), netColour(5).hsvHueF(), 0.05);
    }
    // Beside the core, 2.5 units from its middle, the edge; past the edge, the track again.
    EXPECT_LT(pixelAt(image, toImage, QPointF(203.2, 90)).value(), 60);
    EXPECT_TRUE(near(pixelAt(image, toImage, QPointF(205, 90)), track));
}

TEST(PaintBoard, HighlightedNetStandsOutAndTheOthersAreDimmed) {
    const Drawn plain = draw();
    const Drawn lit = draw({1});
    const QColor substrate = pixelAt(plain.image, plain.toImage, BareBoard);
    auto distance = [&](const QColor& c) {
        return std::abs(c.red() - substrate.red()) + std::abs(c.green() - substrate.green()) +
               std::abs(c.blue() - substrate.blue());
    };
    for (QPointF other : {CopperOfPadOfNet2, PadOfNet0})
        EXPECT_LT(distance(pixelAt(lit.image, lit.toImage, other)),
                  distance(pixelAt(plain.image, plain.toImage, other)) / 2);
    for (QPointF own : {PadOfNet1, TrackOfNet1})
        EXPECT_GE(distance(pixelAt(lit.image, lit.toImage, own)),
                  distance(pixelAt(plain.image, plain.toImage, own)));
    // The marks of unconnected pads stay in full view.
    EXPECT_EQ(pixelAt(lit.image, lit.toImage, MarkOnPadOfNet2),
              pixelAt(plain.image, plain.toImage, MarkOnPadOfNet2));
}

// The tiny board with one more pad of net 3, drawn at eight pixels per unit.
Drawn drawWithPad(const PicturePad& pad, const PaintOptions& options = {}) {
    BoardPicture picture = tinyPicture();
    picture.pads.push_back(pad);
    Drawn d{QImage(240 * 8, 160 * 8, QImage::Format_ARGB32), {}};
    d.image.fill(Qt::black);
    d.toImage = fitTransform(picture, QRectF(0, 0, d.image.width(), d.image.height()));
    QPainter painter(&d.image);
    painter.setTransform(d.toImage);
    paintBoard(painter, picture, options);
    return d;
}

TEST(PaintBoard, EachPadStyleHasTheCopperItsStyleMeans) {
    // A 30 x 10 pad at (250, 140): half circles of radius 5 at its ends for an oval, square corners
    // for a rectangle, corners of radius 3 for a rounded rectangle.
    auto copperAt = [](int style, QPointF at) {
        const Drawn d = drawWithPad({{250, 140, 30, 10, 0, style, 3, 15, 9}});
        return near(pixelAt(d.image, d.toImage, at), netColour(3), 20);
    };
    const QPointF straightEdge(260.5, 144.5); // inside an obround, outside an ellipse 30 x 10
    const QPointF pastTheRoundEnd(264.3, 144.3);
    const QPointF inTheCorner(264.7, 144.7);
    const QPointF insideTheRoundedCorner(263.5, 143.5);
    EXPECT_TRUE(copperAt(0, straightEdge)) << "an oval is an obround, not an ellipse";
    EXPECT_FALSE(copperAt(0, pastTheRoundEnd));
    EXPECT_TRUE(copperAt(1, inTheCorner));
    EXPECT_FALSE(copperAt(2, inTheCorner));
    EXPECT_TRUE(copperAt(2, insideTheRoundedCorner));
    EXPECT_TRUE(copperAt(9, straightEdge)) << "an unknown style is an oval";
    const Drawn negative = drawWithPad({{250, 140, -30, -10, 0, 1, 3, 15, 9}});
    EXPECT_TRUE(near(pixelAt(negative.image, negative.toImage, inTheCorner), netColour(3), 20))
        << "a negative size counts by its magnitude";
}

TEST(PaintBoard, PrintedTheCopperIsBlackOnWhiteWithEveryHoleAndNothingElse) {
    PaintOptions print;
    print.print = true;
    // A hole as wide as its pad: in the view a pad shows whole, in copper nothing is left of it.
    const Drawn d = drawWithPad({{250, 140, 12, 12, 12, 0, 3, 15, 9}}, print);
    const QColor black(Qt::black), white(Qt::white);
    EXPECT_EQ(pixelAt(d.image, d.toImage, PadOfNet1), black);
    EXPECT_EQ(pixelAt(d.image, d.toImage, TrackOfNet1), black);
    EXPECT_EQ(pixelAt(d.image, d.toImage, PadOfNet0), black);
    EXPECT_EQ(pixelAt(d.image, d.toImage, QPointF(300, 90)), white) << "the hole of the pad of net 2";
    EXPECT_EQ(pixelAt(d.image, d.toImage, CopperOfPadOfNet2), black);
    EXPECT_EQ(pixelAt(d.image, d.toImage, QPointF(250, 140)), white);
    for (QPointF nothing : {BareBoard, OnTheOutline, MarkOnPadOfNet2, BesideTheTrack})
        EXPECT_EQ(pixelAt(d.image, d.toImage, nothing), white) << nothing.x() << "," << nothing.y();
}

} // namespace
} // namespace zelta
