// Drawing a board picture: the substrate, the tracks at their width, the pads by their style with
// their drill holes, the jumpers' wires over them, the outline, the rat lines still to make, and a
// red ring and cross on every pad the best lap left unconnected; and the same things as samples
// for a legend. Printed, the copper alone in black on white.
#include "render/PaintBoard.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace zelta {

namespace {

const QColor Substrate(0x1d, 0x3a, 0x2e);
const QColor OutlineColour(0xe0, 0xc8, 0x7a);
const QColor NoNet(0x9a, 0xa0, 0xa6);
const QColor UnconnectedMark(0xff, 0x30, 0x30);
const QColor WireEdge(0x10, 0x12, 0x14);
const QColor PrintInk(Qt::black);
const QColor PrintPaper(Qt::white);
// Drawn lines in FidoCAD units (8 to the millimetre).
constexpr double OutlineWidth = 2.0;
constexpr double MarkWidth = 2.5;
constexpr double MarkGap = 4.0;
// The dark edge on each side of a jumper's wire, which sets it apart from the copper under it.
constexpr double WireEdgeWidth = 1.25;
// How much of the net's colour a wire keeps: the rest is white, so that it reads as lying above
// the copper, which has the full colour.
constexpr double WireColourShare = 0.45;
// The dark dot at each end of a wire, where it goes down through its pad.
constexpr double WireEndRadius = 1.25;
// Rat lines are as thin in pixels at every zoom and scale: they are no copper and have no width.
constexpr double RatPixels = 1.5;

// How much of a dimmed net's colour stays over the substrate while another net is highlighted.
constexpr double DimmedShare = 0.3;

QColor blend(const QColor& a, const QColor& b, double share) {
    return QColor::fromRgbF(static_cast<float>(a.redF() * share + b.redF() * (1 - share)),
                            static_cast<float>(a.greenF() * share + b.greenF() * (1 - share)),
                            static_cast<float>(a.blueF() * share + b.blueF() * (1 - share)));
}

struct Shade {
    QColor pad;
    QColor track;
    bool strong;
};

Shade shadeOf(int32_t net, const PaintOptions& options) {
    const QColor base = netColour(net);
    // Tracks a little darker than pads, so that a pad stands out where its tracks end.
    Shade s{base, base.darker(125), false};
    if (options.highlightNet < 0)
        return s;
    if (net == options.highlightNet)
        return {base.lighter(120), base, true};
    return {blend(s.pad, Substrate, DimmedShare), blend(s.track, Substrate, DimmedShare), false};
}

void paintTracks(QPainter& painter, const BoardPicture& picture, const PaintOptions& options, bool strong) {
    for (const PictureTrack& t : picture.tracks) {
        const Shade s = shadeOf(t.net, options);
        if (s.strong != strong)
            continue;
        painter.setPen(
            QPen(s.track, std::max(std::abs(t.width), 1), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawLine(QPointF(t.x1, t.y1), QPointF(t.x2, t.y2));
    }
}

void paintPad(QPainter& painter, const PicturePad& p, const Shade& s) {
    PadShape shape = PadShape::of(p.x, p.y, p.sizeX, p.sizeY, p.style);
    // A pad of no size still shows where it is.
    shape.sizeX = std::max(shape.sizeX, 1.0);
    shape.sizeY = std::max(shape.sizeY, 1.0);
    painter.setPen(s.strong ? QPen(Qt::white, 1.5) : QPen(Qt::NoPen));
    painter.setBrush(s.pad);
    painter.drawPath(padPath(shape));
    // The drill hole shows the substrate, when it leaves a rim of copper.
    if (p.drill > 0 && p.drill < std::min(shape.sizeX, shape.sizeY)) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(Substrate);
        painter.drawEllipse(QPointF(p.x, p.y), p.drill / 2.0, p.drill / 2.0);
    }
}

// The copper as it is made: a pad of no size has none, and every hole goes through.
void paintPrint(QPainter& painter, const BoardPicture& picture) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(PrintPaper);
    painter.drawRect(QRectF(picture.originX, picture.originY, picture.width, picture.height));
    for (const PictureTrack& t : picture.tracks) {
        painter.setPen(
            QPen(PrintInk, std::max(std::abs(t.width), 1), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawLine(QPointF(t.x1, t.y1), QPointF(t.x2, t.y2));
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(PrintInk);
    for (const PicturePad& p : picture.pads)
        if (p.sizeX != 0 && p.sizeY != 0)
            painter.drawPath(padPath(PadShape::of(p.x, p.y, p.sizeX, p.sizeY, p.style)));
    painter.setBrush(PrintPaper);
    for (const PicturePad& p : picture.pads)
        if (p.drill > 0)
            painter.drawEllipse(QPointF(p.x, p.y), p.drill / 2.0, p.drill / 2.0);
}

// A wire: a dark line, and the light core inside it; the ends are round, at the pads' centres.
void paintWire(QPainter& painter, const PictureJumper& j, const PaintOptions& options) {
    const Shade s = shadeOf(j.net, options);
    QColor edge = WireEdge;
    QColor core = blend(netColour(j.net), Qt::white, WireColourShare);
    if (s.strong) {
        edge = Qt::white;
    } else if (options.highlightNet >= 0) {
        edge = blend(edge, Substrate, DimmedShare);
        core = blend(core, Substrate, DimmedShare);
    }
    const QPointF a(j.x1, j.y1), b(j.x2, j.y2);
    painter.setPen(QPen(edge, JumperWireWidth + 2 * WireEdgeWidth, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(a, b);
    painter.setPen(QPen(core, JumperWireWidth, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(a, b);
    // Its ends go down into the holes of its pads.
    painter.setPen(Qt::NoPen);
    painter.setBrush(edge);
    for (const QPointF& end : {a, b})
        painter.drawEllipse(end, WireEndRadius, WireEndRadius);
}

void paintUnconnected(QPainter& painter, const PicturePad& p) {
    const double r = std::max(std::abs(p.sizeX), std::abs(p.sizeY)) / 2.0 + MarkGap;
    painter.setPen(QPen(UnconnectedMark, MarkWidth, Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(QPointF(p.x, p.y), r, r);
    const double a = r * 0.7;
    painter.drawLine(QPointF(p.x - a, p.y - a), QPointF(p.x + a, p.y + a));
    painter.drawLine(QPointF(p.x - a, p.y + a), QPointF(p.x + a, p.y - a));
}

void paintRats(QPainter& painter, const BoardPicture& picture, const PaintOptions& options) {
    for (bool strong : {false, true})
        for (const RatLine& r : picture.rats) {
            const Shade s = shadeOf(r.net, options);
            if (s.strong != strong)
                continue;
            QPen pen(s.pad, RatPixels, Qt::SolidLine, Qt::RoundCap);
            pen.setCosmetic(true);
            painter.setPen(pen);
            painter.drawLine(QPointF(r.x1, r.y1), QPointF(r.x2, r.y2));
        }
}

} // namespace

QPainterPath padPath(const PadShape& pad) {
    QPainterPath path;
    const QRectF box(pad.x - pad.sizeX / 2, pad.y - pad.sizeY / 2, pad.sizeX, pad.sizeY);
    const double r = pad.cornerRadius();
    if (r > 0)
        path.addRoundedRect(box, r, r);
    else
        path.addRect(box);
    return path;
}

QColor netColour(int32_t net) {
    if (net == 0)
        return NoNet;
    // Golden-ratio steps round the colour wheel: neighbouring net numbers get far-apart hues,
    // and a net's hue depends on its number alone.
    const double hue = std::fmod(0.12 + 0.6180339887498949 * net, 1.0);
    return QColor::fromHsvF(static_cast<float>(hue), 0.55f, 0.95f);
}

void paintBoard(QPainter& painter, const BoardPicture& picture, const PaintOptions& options) {
    if (picture.empty())
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    if (options.print) {
        paintPrint(painter, picture);
        painter.restore();
        return;
    }
    const QRectF board(picture.originX, picture.originY, picture.width, picture.height);
    painter.fillRect(board, Substrate);

    // The highlighted net goes over the dimmed ones.
    paintTracks(painter, picture, options, false);
    paintTracks(painter, picture, options, true);
    // Rat lines cross the tracks but end under their pads.
    paintRats(painter, picture, options);
    for (bool strong : {false, true})
        for (const PicturePad& p : picture.pads) {
            const Shade s = shadeOf(p.net, options);
            if (s.strong == strong)
                paintPad(painter, p, s);
        }
    // The wires lie on the other side of the board, above all the copper.
    for (bool strong : {false, true})
        for (const PictureJumper& j : picture.jumpers)
            if (shadeOf(j.net, options).strong == strong)
                paintWire(painter, j, options);

    painter.setPen(QPen(OutlineColour, OutlineWidth));
    painter.setBrush(Qt::NoBrush);
    const double inset = OutlineWidth / 2;
    painter.drawRect(board.adjusted(inset, inset, -inset, -inset));

    for (const PicturePad& p : picture.pads)
        if (p.unconnected)
            paintUnconnected(painter, p);
    painter.restore();
}

void paintLegendSample(QPainter& painter, LegendSample sample, const QRectF& box) {
    // A piece of board 48 x 24 units, pads 10 units across as a common through-hole pad.
    const auto pad = [](int32_t x, int32_t net) { return PicturePad{{x, 12, 10, 10, 4, 0, net, 0, 0}}; };
    BoardPicture piece;
    piece.width = 48;
    piece.height = 24;
    switch (sample) {
    case LegendSample::NetColours:
        piece.pads = {pad(10, 1), pad(24, 2), pad(38, 3)};
        break;
    case LegendSample::NoNet:
        piece.pads = {pad(24, 0)};
        break;
    case LegendSample::Unconnected:
        piece.pads = {pad(24, 4)};
        break;
    case LegendSample::Rat:
        piece.pads = {pad(7, 5), pad(41, 5)};
        piece.rats = {{7, 12, 41, 12, 5}};
        break;
    case LegendSample::Jumper:
        // Over a track of another net that it crosses.
        piece.pads = {pad(7, 6), pad(41, 6)};
        piece.tracks = {{24, 0, 24, 24, 4, 2}};
        piece.jumpers = {{7, 12, 41, 12, 6}};
        break;
    }

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.fillRect(box, Substrate);
    painter.setClipRect(box);
    painter.setTransform(fitTransform(piece, box), true);
    paintTracks(painter, piece, {}, false);
    paintRats(painter, piece, {});
    for (const PicturePad& p : piece.pads)
        paintPad(painter, p, shadeOf(p.net, {}));
    for (const PictureJumper& j : piece.jumpers)
        paintWire(painter, j, {});
    if (sample == LegendSample::Unconnected)
        paintUnconnected(painter, piece.pads.front());
    painter.restore();
}

QTransform fitTransform(const BoardPicture& picture, const QRectF& target) {
    if (picture.empty() || target.isEmpty())
        return {};
    const double scale = std::min(target.width() / picture.width, target.height() / picture.height);
    const double dx = target.center().x() - scale * (picture.originX + picture.width / 2.0);
    const double dy = target.center().y() - scale * (picture.originY + picture.height / 2.0);
    return QTransform(scale, 0, 0, scale, dx, dy);
}

} // namespace zelta
