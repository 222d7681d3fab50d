// What a run left open, net by net, and why: read from the best plane once the run has stopped, the
// same for every method. A net is open when its pads are not all in one joined group; the pads
// outside its largest group are the ones not joined.
#pragma once

#include "core/Jumper.h"
#include "core/Lista_coo.h"

#include <cstdint>
#include <vector>

namespace zelta {

enum class OpenReason {
    NoPathOnFreeBoard, // not even the board without any track has a way between its pads
    BlockedByTracks,   // the other nets' tracks shut it in
    JumperLimit,       // the jumper mode laid as many jumpers as the board may have
    NoJumperSite,      // the jumper mode found no jumper to join it
};

struct OpenNet {
    int32_t net;
    std::vector<int32_t> pads; // cells of the pads outside the largest joined group
    OpenReason reason;
};

// How the jumper mode ran, for the reasons it gives.
struct JumperRun {
    bool on = false;           // jumpers could be laid
    bool limitReached = false; // as many were laid as the board may have
};

// The open nets of plane (the best plane), ascending by net number. basePlane is the board without
// tracks, workList the pads to join; existing are the drawing's jumpers, laid those of the plane.
std::vector<OpenNet> openNets(const int32_t* basePlane, const int32_t* plane, const ListaCoord& workList,
                              int32_t cols, int32_t rows, const JumperList& existing, const JumperList& laid,
                              JumperRun jumpers);

// The report's words for a reason.
const char* openReasonText(OpenReason reason);

} // namespace zelta
