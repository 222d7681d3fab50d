// The button glyphs and the logo, drawn from the program's own vector images.
#pragma once

#include <QIcon>
#include <QPixmap>

namespace zelta::ui {

// name: "open", "save", "start", "stop", "widths", "options", "board", "help", "ok", "abort".
QIcon glyph(const char* name);
QPixmap logo(int size);

} // namespace zelta::ui
