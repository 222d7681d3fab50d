// The FidoCAD file object: reads a drawing onto the routing grid (phase 1) and writes the
// routed drawing back (phase 3), through a cleaned copy of the drawing in a temporary file.
// The commands choose the files and show the notices; this object only reads and writes.
#pragma once

#include "core/Crono.h"
#include "core/File_ini.h"
#include "core/Init_obj.h"
#include "core/Jumper.h"
#include "core/KeptTracks.h"
#include "core/Lista_coo.h"
#include "core/Notice.h"
#include "core/PlacedPad.h"
#include "core/ReportSink.h"
#include "core/SafeFile.h"
#include "fidocad/FcdRules.h"

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace zelta {

// Outcomes kept in status.
inline constexpr int32_t StatusNothingRead = -99;
inline constexpr int32_t StatusCancelled = -1;
inline constexpr int32_t StatusErr101 = -2;
inline constexpr int32_t StatusTmpFile = -3; // Errore 102 when reading, Errore 302 when writing
inline constexpr int32_t StatusErr103 = -4;
inline constexpr int32_t StatusErr104 = -8;
inline constexpr int32_t StatusErr105 = -9; // also a read interrupted by the person
inline constexpr int32_t StatusErr301 = -33;
inline constexpr int32_t StatusComplete = 0;

// How a read ended: status as kept in the object, and the notice that closes it (an error, or
// the read's completion).
struct ReadOutcome {
    int32_t status = StatusNothingRead;
    Notice notice;
    // Why the drawing could not be opened (Errore 101), in the system's words; empty otherwise.
    std::string reason = {};
};

// How a write ended; written is true once the result file is in place.
struct WriteOutcome {
    bool written = false;
    Notice notice;
    // Why the result could not be written (Errore 301, 302), in the system's words; empty otherwise.
    std::string reason = {};
};

// Whether a read with these settings keeps the drawing's copper tracks: the new methods route
// around them; the classic lays its tracks over anything, so it removes them after asking.
inline bool keepsDrawnTracks(const GestoreFileINI& settings) {
    return settings.piste_esistenti == 1 && settings.metodo != 0;
}

class GestoreFileFCD {
public:
    // The other shared objects the reader and the writer work on.
    struct Links {
        GestScheda* grid = nullptr;
        ListaCoord* workList = nullptr;
        NetTable* netTable = nullptr;
        GestoreFileINI* settings = nullptr;
        Crono* crono = nullptr;
        ReportSink* sink = nullptr;
        // Resets what belongs to other parts when a read begins: the tracer's resultsReady
        // and the processing thread, which is replaced by a new suspended one.
        std::function<void()> resetOthers;
        // When set (from any thread, or a signal handler), the read ends at the next line as
        // one the person interrupted.
        const std::atomic<bool>* stopRequested = nullptr;
    };

    explicit GestoreFileFCD(std::string temporaryPath);

    // Phase 1 in two steps. beginRead empties the figures, the report, the grid and the lists;
    // it comes before the file is chosen, so a cancelled choice leaves an empty board.
    void beginRead();
    // Reads the drawing at path. removeTracks is asked once, when the first copper track is met:
    // true removes the tracks, false interrupts the read. When the settings keep the tracks
    // (keepsDrawnTracks), nothing is asked: they stay in the copy and in keptTracks.
    ReadOutcome readFile(const std::string& path, const std::function<bool()>& removeTracks);
    // The read that ended before it began: no file was chosen.
    void cancelRead() { status = StatusCancelled; }

    // Phase 3, driven by the tracer: beginWrite, writeSegment per segment, finishWrite, endWrite.
    // beginWrite and finishWrite return false after reporting a failure, with its notice in
    // writeOutcome.
    bool beginWrite(const std::string& path);
    void writeSegment(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t width, int32_t layer,
                      int32_t net);
    // A jumper from grid cell to grid cell: its two pads on the copper layer, then its wire on the
    // component side.
    void writeJumper(const Jumper& jumper, int32_t width);
    // The drill of the jumpers' pads: that of the board's first round pad with a hole at most half
    // a jumper's pad across, else a default.
    int32_t jumperDrill() const;
    bool finishWrite();
    void endWrite();
    WriteOutcome writeOutcome;

    Links links;

    std::string fcdPath;
    std::string outPath;
    std::string tmpPath;
    std::string lineBuf;
    int32_t status = StatusNothingRead;
    int32_t warningCount = 0;
    int32_t linesWritten = 0;
    int32_t originX = 0;
    int32_t originY = 0;
    // Units between two cells of the grid as the last read placed the drawing (10, or 5 on the new
    // methods' fine lattice).
    int32_t pitch = CoarsePitch;
    // Results of a lap not written yet; set by the routing worker.
    std::atomic<bool> resultsUnsaved = false;
    // The last read ran to its end (status 0 then); a later failed save does not change it.
    bool readComplete = false;
    std::vector<std::string_view> fields;
    // The pads placed by the last read, in the order of the file.
    std::vector<PlacedPad> placedPads;
    // The jumpers the drawing already has: component-side ("PL" on layer 2) wires whose ends are
    // the centres of two placed pads of one net. The router takes each pair as joined.
    JumperList existingJumpers;
    // The copper tracks the drawing already has, when the read kept them; they stay in the
    // temporary copy, so the writer writes them back as they were.
    KeptTrackList keptTracks;
    // What the kept tracks join, as pairs of cells of one net (as a jumper joins its ends): the
    // centres of the pads a chain touches, and the ends of its tracks that lie on the grid, which
    // the read made pad centres of the net so that new tracks may end on them.
    JumperList keptJoins;

    // Test seam: the system call the writer writes with.
    SafeFileWriter::WriteFn writeFn = nullptr;

private:
    // Reports the failure and keeps its status; the notice is the command's to show.
    Notice fail(const char* reportText, const char* boxText, int32_t code);
    // A failed write: its report lines (the error, then the reason) and its outcome.
    void writeFailed(const char* reportText, const char* boxText, int32_t code, const std::string& reason);
    void report(const std::string& text) { links.sink->reportLine(text); }
    void show(Field field, const std::string& text) { links.sink->setText(field, text); }
    void placePad(int lineNumber, int& padCount);
    void joinJumperPads(const std::vector<WireEnds>& wires);
    // Gives the kept tracks their nets, reporting each chain that joins two nets; then puts them
    // on the grid: the free cells under their copper become pad area of their net (of no net, a
    // wall, for a chain of none), the ends on the grid pad centres, and keptJoins what each chain
    // joins.
    void assignKeptTrackNets();
    void placeKeptTracks();

    SafeFileWriter out_;
};

} // namespace zelta
