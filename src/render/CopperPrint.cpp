// Laying out the print: the name and the size at the top, the board centred under them with a
// hairline round its edge, the scale bar at the bottom of everything.
#include "render/CopperPrint.h"

#include "core/Messages.h"
#include "core/Report.h"
#include "core/Units.h"
#include "render/PaintBoard.h"

#include <QBuffer>
#include <QFont>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

namespace zelta {

namespace {

// Dots per inch of the document's coordinates: a hundredth of a millimetre is well below what a
// printer shows.
constexpr int PrintResolution = 2400;
constexpr double MmPerInch = 25.4;
constexpr double PointsPerInch = 72;
constexpr double TitlePoints = 14;
constexpr double SubtitlePoints = 9;
constexpr double LabelPoints = 9;
// Space between the blocks of the page, and the board's edge line, millimetres.
constexpr double GapMm = 6.0;
constexpr double EdgeLineMm = 0.1;

// A size with a decimal comma, to the hundredth of a millimetre.
QString millimetres(double mm) {
    return QString::number(mm, 'f', 2).replace(QLatin1Char('.'), QLatin1Char(','));
}

} // namespace

QByteArray copperPrintPdf(const BoardPicture& picture, const QString& name, bool mirror) {
    if (picture.empty())
        return {};
    const double boardWidthMm = picture.width * MmPerUnit;
    const double boardHeightMm = picture.height * MmPerUnit;

    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&buffer);
        pdf.setResolution(PrintResolution);
        pdf.setCreator(QStringLiteral("Zelta"));
        pdf.setTitle(name);
        const auto orientation =
            boardWidthMm > boardHeightMm ? QPageLayout::Landscape : QPageLayout::Portrait;
        pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), orientation, QMarginsF(0, 0, 0, 0)));
        QPainter painter;
        if (!painter.begin(&pdf))
            return {};
        const double dotsPerMm = PrintResolution / MmPerInch;
        // The page as the document has it (whole points), which is what a reader shows and mirrors.
        const double pageWidthMm = pdf.pageLayout().fullRectPoints().width() * MmPerInch / PointsPerInch;
        // Page millimetres to the device, through the mirror when there is one.
        QTransform page = QTransform::fromScale(dotsPerMm, dotsPerMm);
        if (mirror)
            page *= QTransform(-1, 0, 0, 1, pageWidthMm * dotsPerMm, 0);

        auto text = [&](const QString& line, double points, bool bold, double topMm) {
            QFont font(QStringLiteral("DejaVu Sans"));
            font.setPointSizeF(points);
            font.setBold(bold);
            painter.setFont(font);
            painter.setPen(Qt::black);
            const double heightMm = QFontMetricsF(font, &pdf).height() / dotsPerMm;
            painter.setTransform(page);
            painter.scale(1 / dotsPerMm, 1 / dotsPerMm);
            painter.drawText(QRectF(PrintMarginMm * dotsPerMm, topMm * dotsPerMm,
                                    (pageWidthMm - 2 * PrintMarginMm) * dotsPerMm, heightMm * dotsPerMm),
                             Qt::AlignHCenter | Qt::AlignTop, line);
            return topMm + heightMm;
        };

        double top = text(name, TitlePoints, true, PrintMarginMm);
        // The same words on a mirrored page: their mirror image says that it is one.
        const QString subtitle = QString::fromStdString(
            strprintf(msg::PrintSubtitle, millimetres(boardWidthMm).toUtf8().constData(),
                      millimetres(boardHeightMm).toUtf8().constData()));
        top = text(subtitle, SubtitlePoints, false, top) + GapMm;

        // The board at 1:1, centred across the page.
        const double boardLeft = (pageWidthMm - boardWidthMm) / 2;
        painter.setTransform(page);
        painter.save();
        painter.translate(boardLeft, top);
        painter.scale(MmPerUnit, MmPerUnit);
        painter.translate(-picture.originX, -picture.originY);
        PaintOptions print;
        print.print = true;
        paintBoard(painter, picture, print);
        painter.restore();
        painter.setPen(QPen(Qt::black, EdgeLineMm));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRectF(boardLeft, top, boardWidthMm, boardHeightMm));
        top += boardHeightMm + GapMm;

        top = text(QString::fromUtf8(msg::PrintScaleBar), LabelPoints, false, top);
        painter.setTransform(page);
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::black);
        painter.drawRect(QRectF((pageWidthMm - ScaleBarMm) / 2, top + 1, ScaleBarMm, ScaleBarHeightMm));
        if (!painter.end())
            return {};
    }
    return bytes;
}

} // namespace zelta
