// Where a window opens by its anchor: beside it where there is room, and always wholly within the
// available area of the anchor's screen.
#include "ui/HelpWindow.h"
#include "ui/WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <gtest/gtest.h>

namespace zelta::ui {
namespace {

TEST(WindowPlacement, BesideTheAnchorWhereThereIsRoomAndNeverOffTheScreen) {
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    QWidget anchor;
    QWidget window;

    anchor.setGeometry(QRect(area.topLeft() + QPoint(10, 60), QSize(120, 100)));
    window.resize(200, 150);
    placeWindow(window, &anchor, false);
    EXPECT_GT(window.x(), anchor.frameGeometry().right()) << "on its right";
    EXPECT_EQ(window.y(), anchor.y());

    // Low on the right edge: on its left, moved up to fit.
    anchor.move(area.right() - 150, area.bottom() - 120);
    placeWindow(window, &anchor, false);
    EXPECT_LT(window.frameGeometry().right(), anchor.x());
    EXPECT_TRUE(area.contains(window.frameGeometry()));

    // No room either side, and larger than the screen.
    anchor.setGeometry(area.adjusted(area.width() / 3, area.height() - 50, -area.width() / 3, 0));
    window.resize(area.width() * 2, area.height() * 2);
    placeWindow(window, &anchor, false);
    EXPECT_TRUE(area.contains(window.frameGeometry()))
        << window.x() << "," << window.y() << " " << window.width() << "x" << window.height();
    // The frame the window manager has yet to add fits as well.
    EXPECT_LT(window.height(), area.height());
}

TEST(WindowPlacement, HelpOpensBesideTheWindowThatAskedForIt) {
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    QWidget asking;
    asking.setGeometry(QRect(area.topLeft() + QPoint(10, 40), QSize(140, 140)));
    asking.show();
    HelpWindow help;
    help.showContents();
    EXPECT_TRUE(area.contains(help.frameGeometry())) << help.x() << "," << help.y();
    EXPECT_GT(help.frameGeometry().left(), asking.frameGeometry().right());
}

} // namespace
} // namespace zelta::ui
