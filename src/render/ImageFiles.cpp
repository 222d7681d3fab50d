// Writing board pictures: the picture is drawn into memory first and reaches its destination
// through the safe writer, so a failure never leaves a part of an image behind.
#include "render/ImageFiles.h"

#include "core/Messages.h"
#include "core/Report.h"
#include "core/SafeFile.h"
#include "core/Units.h"
#include "render/PaintBoard.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>
#include <cmath>

namespace zelta {

namespace {

std::string checkInput(const BoardPicture& picture, double scale) {
    if (picture.empty())
        return msg::ImageNoBoard;
    if (!(scale > 0 && scale <= MaxImageScale))
        return strprintf(msg::ImageBadScale, scale);
    return {};
}

std::string writeBytes(const std::string& path, const QByteArray& bytes) {
    SafeFileWriter out;
    if (!out.open(path))
        return out.error();
    out.write(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
    if (!out.commit())
        return out.error();
    return {};
}

} // namespace

QSize imageSize(const BoardPicture& picture, double scale) {
    const auto pixels = [scale](int32_t units) {
        return std::max(1, static_cast<int>(std::lround(units * scale / UnitsPerMm)));
    };
    return {pixels(picture.width), pixels(picture.height)};
}

std::string writeSvg(const std::string& path, const BoardPicture& picture, double scale) {
    if (std::string problem = checkInput(picture, scale); !problem.empty())
        return problem;
    const QSize size = imageSize(picture, scale);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    // Dots per inch that make the drawing's size in millimetres the board's.
    svg.setResolution(static_cast<int>(std::lround(scale * 25.4)));
    svg.setTitle(QString::fromUtf8(msg::BoardViewTitle));
    QPainter painter;
    if (!painter.begin(&svg))
        return msg::ImageEncodeFailed;
    painter.setTransform(fitTransform(picture, QRectF(QPointF(0, 0), QSizeF(size))));
    paintBoard(painter, picture);
    painter.end();
    return writeBytes(path, bytes);
}

std::string writePng(const std::string& path, const BoardPicture& picture, double scale) {
    if (std::string problem = checkInput(picture, scale); !problem.empty())
        return problem;
    const QSize size = imageSize(picture, scale);
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        return msg::ImageEncodeFailed;
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setTransform(fitTransform(picture, QRectF(QPointF(0, 0), QSizeF(size))));
        paintBoard(painter, picture);
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG"))
        return msg::ImageEncodeFailed;
    return writeBytes(path, bytes);
}

} // namespace zelta
