// An independent check of a routed drawing from the file alone: which pads its copper joins, net
// by net, where copper of two nets touches, and which copper of two nets lies closer than the
// clearance. Copper is measured as made: tracks as lines of their width with round ends, pads by
// their shape (core/PadShape.h), jumper lands as pads.
#pragma once

#include "fidocad/FcdDrawing.h"

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace zelta {

struct NetCheck {
    int32_t net;
    int pads;
    int joined; // pads in the largest group of the net
    bool complete;
};

// The lists that a hostile drawing could make as long as it has pieces of copper name at most
// this many; their counts are whole.
inline constexpr size_t MaxListedNotes = 1000;

struct ShortCheck {
    std::vector<int32_t> nets;
    // Where copper of two nets meets, at most MaxListedNotes of the places.
    std::vector<std::pair<int32_t, int32_t>> points;
};

struct JumperCheck {
    int32_t net;
    int32_t x1;
    int32_t y1;
    int32_t x2;
    int32_t y2;
    int32_t length; // in units, rounded
};

// The two pieces of copper of a pair, in this order: a track, a jumper land (a pad at a jumper
// wire's end), a pad of the drawing.
enum class PairKind { TrackTrack, TrackLand, TrackPad, LandLand, LandPad, PadPad };

// Copper of two nets closer than the clearance. netA is the net of the first piece of the kind
// (the lower net when both are of one kind); the position is where the two come closest, in
// FidoCAD units.
struct ClearanceCheck {
    int32_t netA;
    int32_t netB;
    double gapMm; // 0 where they touch or overlap
    int32_t x;
    int32_t y;
    PairKind kind;
};

// A component-side wire that is not a jumper.
struct WireCheck {
    WireKind kind;
    int32_t x1;
    int32_t y1;
    int32_t x2;
    int32_t y2;
    int32_t netA; // the net of the pad at each end, -1 where no pad's centre is
    int32_t netB;
    int lineNumber;
};

// A pad or a track named for what the check had to assume about it.
struct CopperNote {
    bool isPad;
    int32_t net;
    int32_t x1; // a pad's centre, a track's first end
    int32_t y1;
    int32_t x2; // a pad's size, a track's second end
    int32_t y2;
    int lineNumber;
};

// The clearance violations kept in the list, the worst ones; all are counted. A real board has
// far fewer; a drawing of crossing tracks could otherwise fill the memory.
inline constexpr size_t MaxListedViolations = 100000;

// Pieces of copper of two nets farther apart than this are not measured: the smallest gap is
// looked for within the clearance or this, whichever is larger.
inline constexpr double MinGapReachMm = 1.0;

struct CheckResult {
    std::vector<NetCheck> nets; // ascending net number; net 0 is not a net
    std::vector<ShortCheck> shorts;
    std::vector<JumperCheck> jumpers; // in the order of their wires
    int netsComplete = 0;
    int padsUnconnected = 0;
    int connectionsOpen = 0; // joins still missing: per net, its groups of pads less one

    double clearanceMm = 0;
    // Pairs with at least one routed piece (a track or a jumper land): all counted, the worst
    // MaxListedViolations listed worst first.
    std::vector<ClearanceCheck> clearance;
    size_t clearanceViolations = 0;
    // The smallest gap between copper of two nets, routed pieces only; none when no two lie
    // within MinGapReachMm (or the clearance).
    std::optional<double> minGapMm;
    // Pairs of the drawing's own pads closer than the clearance: worst first, at most
    // MaxListedNotes listed, all counted. The router did not make them.
    std::vector<ClearanceCheck> drawingPads;
    uint64_t drawingPadPairs = 0;

    std::vector<WireCheck> wires; // component-side wires that are not jumpers, in their order
    int wiresAcrossNets = 0;      // each one also a short
    // Pads drawn with a negative size (measured by its absolute value), at most MaxListedNotes.
    std::vector<CopperNote> negativePads;
    size_t negativePadCount = 0;
    // Copper outside the board: pads whose centre is outside (left out), tracks that leave it
    // (only their part on the board counts), at most MaxListedNotes.
    std::vector<CopperNote> outside;
    size_t outsideCount = 0;

    // Whether the routed copper breaks the rules: what the exit status of a check tells.
    bool hasShorts() const { return !shorts.empty(); }
    bool hasViolations() const { return clearanceViolations > 0; }
};

CheckResult checkDrawing(const FcdDrawing& drawing, double clearanceMm);

std::string checkReportText(const CheckResult& result);
std::string checkReportJson(const CheckResult& result);
// The JSON object printed in place of a report when the drawing cannot be read.
std::string checkErrorJson(const std::string& error, const std::string& path);

// A number of millimetres with the decimal comma, to the micrometre ("0,105"); and the shortest
// text of a setting ("0,3").
std::string mmText(double mm);
std::string settingMmText(double mm);
// The smallest gap as the reports give it: "0,105 mm", or "oltre 1 mm" when none was in reach.
std::string minGapText(const CheckResult& result);

} // namespace zelta
