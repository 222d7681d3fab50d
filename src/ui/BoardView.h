// The board view: a window that draws the board picture, zooms about the pointer with the wheel,
// pans by dragging, tells the cell and the net or jumper under the pointer, and highlights the net
// clicked; a legend under the board says what its colours, marks, rat lines and wires mean.
#pragma once

#include "render/BoardPicture.h"
#include "render/PaintBoard.h"

#include <QPointF>
#include <QTransform>
#include <QWidget>

class QLabel;

namespace zelta::ui {

class BoardView;

// The drawing surface of the board view.
class BoardCanvas : public QWidget {
public:
    explicit BoardCanvas(BoardView& view);

    // Board (FidoCAD units) to widget pixels and back.
    QPointF toWidget(QPointF board) const { return transform_.map(board); }
    QPointF toBoard(QPointF pixel) const { return transform_.inverted().map(pixel); }
    double pixelsPerUnit() const { return transform_.m11(); }
    void fit();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    // The transform that shows the whole board with a margin round it.
    QTransform fittedTransform() const;

    BoardView& view_;
    QTransform transform_;
    // Until the person zooms or pans, the board follows the window's size.
    bool fitted_ = true;
    bool pressed_ = false;
    bool dragging_ = false;
    QPointF pressPos_;
    QTransform pressTransform_;
};

// The legend: a sample of each thing drawn on the board beside what it means.
class BoardLegend : public QWidget {
public:
    explicit BoardLegend(QWidget* parent);
};

class BoardView : public QWidget {
    Q_OBJECT
public:
    explicit BoardView(QWidget* parent = nullptr);

    // Shows picture, keeping zoom and highlight unless the board itself changed: then it fits it.
    void setPicture(BoardPicture picture);
    const BoardPicture& picture() const { return picture_; }
    // How many times the picture was replaced by a different one.
    int pictureChanges() const { return pictureChanges_; }
    const PaintOptions& options() const { return options_; }
    void fitBoard();

    // What lies under the pointer (how to use the pointer while it is off the board), and the
    // state of the picture.
    QString pointerText() const;
    QString summaryText() const;

    // Opening the window places it on the screen of the main window.
    void setVisible(bool visible) override;

    BoardCanvas* canvas;
    BoardLegend* legend;

signals:
    void pictureChanged();

private:
    friend class BoardCanvas;
    void pointerAt(QPointF board);
    void pointerGone();
    void clickedAt(QPointF board, double slack);
    void showSummary();

    BoardPicture picture_;
    PaintOptions options_;
    int pictureChanges_ = 0;
    bool placed_ = false;
    QLabel* pointer_;
    QLabel* summary_;
};

} // namespace zelta::ui
