// The board view's window, its drawing surface and the pointer's work on it.
#include "ui/BoardView.h"

#include "core/Messages.h"
#include "core/Report.h"
#include "ui/WindowPlacement.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

namespace zelta::ui {

namespace {

const QColor Surround(0x2a, 0x2d, 0x31);
// Pixels left round the board when it is fitted, and how far the pointer may miss copper.
constexpr double FitMargin = 12;
constexpr double PickSlackPixels = 3;
// Zoom limits, as multiples of the fitted scale.
constexpr double MinZoom = 0.5;
constexpr double MaxZoom = 60;

QString text(const std::string& s) {
    return QString::fromStdString(s);
}

} // namespace

BoardCanvas::BoardCanvas(BoardView& view) : QWidget(&view), view_(view) {
    setObjectName(QStringLiteral("canvas"));
    setMouseTracking(true);
    setMinimumSize(200, 120);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

QTransform BoardCanvas::fittedTransform() const {
    return fitTransform(view_.picture(),
                        QRectF(rect()).adjusted(FitMargin, FitMargin, -FitMargin, -FitMargin));
}

void BoardCanvas::fit() {
    fitted_ = true;
    transform_ = fittedTransform();
    update();
}

void BoardCanvas::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Surround);
    painter.setTransform(transform_);
    paintBoard(painter, view_.picture(), view_.options());
}

void BoardCanvas::resizeEvent(QResizeEvent*) {
    if (fitted_)
        fit();
}

void BoardCanvas::wheelEvent(QWheelEvent* event) {
    const double base = fittedTransform().m11();
    if (view_.picture().empty() || base <= 0)
        return;
    // One notch of a common wheel (120) zooms by about a fifth.
    const double wanted = transform_.m11() * std::pow(1.0015, event->angleDelta().y());
    const double scale = std::clamp(wanted, base * MinZoom, base * MaxZoom);
    const QPointF pixel = event->position();
    const QPointF board = toBoard(pixel);
    // The board point under the pointer stays under it.
    transform_ = QTransform(scale, 0, 0, scale, pixel.x() - scale * board.x(), pixel.y() - scale * board.y());
    fitted_ = false;
    update();
    event->accept();
}

void BoardCanvas::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    pressed_ = true;
    dragging_ = false;
    pressPos_ = event->position();
    pressTransform_ = transform_;
}

void BoardCanvas::mouseMoveEvent(QMouseEvent* event) {
    if (pressed_) {
        const QPointF moved = event->position() - pressPos_;
        if (!dragging_ && moved.manhattanLength() >= QApplication::startDragDistance())
            dragging_ = true;
        if (dragging_) {
            transform_ = pressTransform_ * QTransform::fromTranslate(moved.x(), moved.y());
            fitted_ = false;
            update();
        }
    }
    view_.pointerAt(toBoard(event->position()));
}

void BoardCanvas::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !pressed_)
        return;
    pressed_ = false;
    if (!dragging_)
        view_.clickedAt(toBoard(event->position()), PickSlackPixels / std::max(pixelsPerUnit(), 1e-9));
    dragging_ = false;
}

void BoardCanvas::leaveEvent(QEvent*) {
    view_.pointerGone();
}

BoardView::BoardView(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("BoardView"));
    setWindowTitle(QString::fromUtf8(msg::BoardViewTitle));
    canvas = new BoardCanvas(*this);
    legend = new BoardLegend(this);
    pointer_ = new QLabel(this);
    pointer_->setObjectName(QStringLiteral("pointer"));
    summary_ = new QLabel(this);
    summary_->setObjectName(QStringLiteral("summary"));
    summary_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto* status = new QHBoxLayout;
    status->setContentsMargins(6, 2, 6, 4);
    status->setSpacing(16);
    status->addWidget(pointer_, 1);
    status->addWidget(summary_);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(canvas, 1);
    column->addWidget(legend);
    column->addLayout(status);
    resize(900, 560);
    showSummary();
    pointerGone();
}

void BoardView::setVisible(bool visible) {
    if (visible && !isVisible()) {
        placeWindow(*this, parentWidget(), placed_);
        placed_ = true;
    }
    QWidget::setVisible(visible);
}

void BoardView::setPicture(BoardPicture picture) {
    if (picture == picture_)
        return;
    // A new lap changes tracks, marks and the pads of its jumpers; a new read may change the board
    // and the pads it placed.
    const auto readPads = [](const BoardPicture& p) {
        std::vector<PlacedPad> pads;
        for (const PicturePad& pad : p.pads)
            if (!pad.laidWithJumper)
                pads.push_back(pad);
        return pads;
    };
    const bool sameBoard = picture.originX == picture_.originX && picture.originY == picture_.originY &&
                           picture.width == picture_.width && picture.height == picture_.height &&
                           readPads(picture) == readPads(picture_);
    picture_ = std::move(picture);
    ++pictureChanges_;
    if (!sameBoard) {
        options_.highlightNet = -1;
        canvas->fit();
    }
    showSummary();
    canvas->update();
    emit pictureChanged();
}

void BoardView::fitBoard() {
    canvas->fit();
}

QString BoardView::pointerText() const {
    return pointer_->text();
}

QString BoardView::summaryText() const {
    return summary_->text();
}

void BoardView::pointerAt(QPointF board) {
    const BoardPicture& p = picture_;
    if (p.empty() || board.x() < p.originX || board.y() < p.originY || board.x() > p.originX + p.width ||
        board.y() > p.originY + p.height) {
        pointerGone();
        return;
    }
    const int col = static_cast<int>(std::lround((board.x() - p.originX) / p.pitch));
    const int row = static_cast<int>(std::lround((board.y() - p.originY) / p.pitch));
    std::string line = strprintf(msg::BoardViewCell, col, row);
    if (const int jumper = jumperAt(p, board.x(), board.y(), 0); jumper >= 0)
        line += "   " + strprintf(msg::BoardViewJumper, p.jumpers[jumper].net);
    else if (const int32_t net = netAt(p, board.x(), board.y(), 0); net >= 0)
        line += "   " + strprintf(msg::BoardViewNet, net);
    pointer_->setForegroundRole(QPalette::WindowText);
    pointer_->setText(text(line));
}

void BoardView::pointerGone() {
    // The hint is greyed, so that it does not read as a figure of the board.
    pointer_->setForegroundRole(QPalette::PlaceholderText);
    pointer_->setText(QString::fromUtf8(msg::BoardViewHint));
}

void BoardView::clickedAt(QPointF board, double slack) {
    const int32_t net = netAt(picture_, board.x(), board.y(), slack);
    // Net 0 is no net: clicking it, like clicking bare board, clears the highlight.
    options_.highlightNet = net > 0 ? net : -1;
    canvas->update();
}

void BoardView::showSummary() {
    if (picture_.empty()) {
        summary_->setText(QString::fromUtf8(msg::BoardViewNothingRead));
        return;
    }
    const int pads = static_cast<int>(std::count_if(picture_.pads.begin(), picture_.pads.end(),
                                                    [](const PicturePad& p) { return p.net != 0; }));
    summary_->setText(picture_.routed
                          ? text(strprintf(msg::BoardViewBestLap, picture_.unconnectedCount(), pads))
                          : text(strprintf(msg::BoardViewPadsOnly, pads)));
}

} // namespace zelta::ui
