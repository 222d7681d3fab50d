// The copper of a board printed at its true size on an A4 page, black on white, under the board's
// name and over a 50 mm scale bar that shows whether the printer kept the scale.
#pragma once

#include "render/BoardPicture.h"

#include <QByteArray>
#include <QString>

namespace zelta {

// The scale bar's length and height, millimetres.
inline constexpr double ScaleBarMm = 50.0;
inline constexpr double ScaleBarHeightMm = 2.0;
// Blank paper around everything on the page, millimetres.
inline constexpr double PrintMarginMm = 15.0;

// The page as a PDF document: landscape when the board is wider than high. Mirrored, the whole
// page is its mirror image, text included, as a print laid face down on the copper needs. Empty
// when the document could not be made.
QByteArray copperPrintPdf(const BoardPicture& picture, const QString& name, bool mirror);

} // namespace zelta
