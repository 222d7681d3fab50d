// Placing a window by its anchor and the anchor's screen.
#include "ui/WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace zelta::ui {

namespace {

// Room for the title bar and borders of a window the window manager has not framed yet.
const QMargins UnknownFrame(8, 32, 8, 8);
// Pixels between the anchor and a window beside it, and the shift of a window over it.
constexpr int Gap = 8;
constexpr int Cascade = 40;

QScreen* screenOf(const QWidget* anchor) {
    if (anchor) {
        if (QScreen* s = QGuiApplication::screenAt(anchor->frameGeometry().center()))
            return s;
        if (QScreen* s = anchor->screen())
            return s;
    }
    return QGuiApplication::primaryScreen();
}

QMargins frameOf(const QWidget& window) {
    const QRect inner = window.geometry();
    const QRect outer = window.frameGeometry();
    const QMargins frame(inner.left() - outer.left(), inner.top() - outer.top(),
                         outer.right() - inner.right(), outer.bottom() - inner.bottom());
    return frame.isNull() ? UnknownFrame : frame;
}

} // namespace

void placeWindow(QWidget& window, const QWidget* anchor, bool placedBefore) {
    const QScreen* screen = screenOf(anchor);
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    const QMargins frame = frameOf(window);
    if (placedBefore && area.contains(window.geometry().marginsAdded(frame)))
        return;

    const QSize room = area.marginsRemoved(frame).size();
    window.resize(window.size().boundedTo(room));
    QRect outer = QRect(QPoint(), window.size()).marginsAdded(frame);
    const QRect a = anchor ? anchor->frameGeometry() : area;
    const auto within = [](int start, int length, int first, int last) {
        return std::clamp(start, first, std::max(first, last + 1 - length));
    };
    const int top = within(a.top(), outer.height(), area.top(), area.bottom());
    const int right = a.right() + 1 + Gap;
    const int left = a.left() - Gap - outer.width();
    if (right + outer.width() - 1 <= area.right())
        outer.moveTopLeft(QPoint(right, top));
    else if (left >= area.left())
        outer.moveTopLeft(QPoint(left, top));
    else
        outer.moveTopLeft(QPoint(within(a.left() + Cascade, outer.width(), area.left(), area.right()),
                                 within(a.top() + Cascade, outer.height(), area.top(), area.bottom())));
    // A top-level window's position is that of its frame.
    window.move(outer.topLeft());
}

} // namespace zelta::ui
