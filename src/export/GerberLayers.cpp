// The copper, profile and wire-link layers in board coordinates.
#include "export/GerberLayers.h"
#include "export/Joined.h"

#include "core/PadShape.h"
#include "export/BoardCoordinates.h"
#include "export/GerberWriter.h"

#include <cmath>
#include <cstdlib>

namespace zelta {

namespace {

int padAperture(GerberWriter& gerber, const DrawnPad& pad) {
    const PadShape shape = PadShape::of(pad.x, pad.y, pad.sizeX, pad.sizeY, pad.style);
    const int64_t w = unitsToNm(std::llround(shape.sizeX));
    const int64_t h = unitsToNm(std::llround(shape.sizeY));
    // A pad without a hole is soldered on the surface.
    const std::string function = pad.drill > 0 ? "ComponentPad" : "SMDPad,CuDef";
    switch (shape.style) {
    case PadStyle::Rectangle:
        return gerber.rectangle(w, h, function);
    case PadStyle::RoundedRectangle:
        return gerber.roundedRectangle(w, h, std::llround(shape.cornerRadius() * NmPerUnit), function);
    case PadStyle::Oval:
        break;
    }
    return gerber.obround(w, h, function);
}

} // namespace

int32_t copperTrackWidth(int32_t width) {
    const int64_t magnitude = std::llabs(int64_t{width});
    return magnitude < 1 ? 1 : static_cast<int32_t>(std::min<int64_t>(magnitude, INT32_MAX));
}

std::string copperGerber(const FcdDrawing& drawing, const std::string& name) {
    const BoardCoordinates at = BoardCoordinates::of(drawing);
    GerberWriter gerber("Copper,L1,Bot", joined({"Zelta: rame lato saldature di ", name}));
    for (const DrawnTrack& t : drawing.tracks) {
        const int aperture = gerber.circle(unitsToNm(copperTrackWidth(t.width)), "Conductor");
        gerber.line(aperture, at.x(t.x1), at.y(t.y1), at.x(t.x2), at.y(t.y2));
    }
    for (const DrawnPad& p : drawing.pads) {
        if (p.sizeX == 0 || p.sizeY == 0)
            continue;
        gerber.flash(padAperture(gerber, p), at.x(p.x), at.y(p.y));
    }
    return gerber.text();
}

std::string outlineGerber(const FcdDrawing& drawing, const std::string& name) {
    const BoardCoordinates at = BoardCoordinates::of(drawing);
    GerberWriter gerber("Profile,NP", joined({"Zelta: contorno di ", name}));
    const int aperture = gerber.circle(ProfileLineNm, "Profile");
    const int64_t w = at.widthNm(), h = at.heightNm();
    gerber.line(aperture, 0, 0, w, 0);
    gerber.line(aperture, w, 0, w, h);
    gerber.line(aperture, w, h, 0, h);
    gerber.line(aperture, 0, h, 0, 0);
    return gerber.text();
}

std::string wireLinkGerber(const FcdDrawing& drawing, const std::string& name) {
    const BoardCoordinates at = BoardCoordinates::of(drawing);
    GerberWriter gerber("Legend,Top", joined({"Zelta: ponticelli sul lato componenti di ", name}));
    // Defined on a board without links too: a file with no aperture reads as an older format.
    const int aperture = gerber.circle(WireLinkLineNm, "");
    for (const DrawnJumper& j : drawing.jumpers)
        gerber.line(aperture, at.x(j.x1), at.y(j.y1), at.x(j.x2), at.y(j.y2));
    return gerber.text();
}

} // namespace zelta
