// Where the program's own windows open: on the screen of the window they belong to, and never
// out of that screen's reach.
#pragma once

class QWidget;

namespace zelta::ui {

// Places window, about to be shown, within the available area of the screen that holds anchor
// (the primary screen without an anchor), shrinking it if the area is smaller: beside the anchor,
// right or else left, where there is room, else over it a little down and right of its corner.
// A window placed before keeps its place if that still lies wholly within the area.
void placeWindow(QWidget& window, const QWidget* anchor, bool placedBefore);

} // namespace zelta::ui
