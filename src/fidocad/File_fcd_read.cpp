// Phase 1: reads a FidoCAD drawing, sizes the board, places the copper pads on the grid and
// keeps a cleaned copy of the drawing in the temporary file.
#include "fidocad/File_fcd.h"

#include "core/Messages.h"
#include "core/Report.h"
#include "core/Units.h"
#include "fidocad/BoardSize.h"
#include "fidocad/FcdRecord.h"
#include "fidocad/FcdRules.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <set>
#include <sys/stat.h>

namespace zelta {

namespace {

// Whole lines of any length; the line feed, and the carriage returns before it, are not kept.
class LineReader {
public:
    ~LineReader() { close(); }
    // Empty when open, else why not.
    std::string open(const std::string& path) {
        struct stat st;
        if (stat(path.c_str(), &st) != 0)
            return std::strerror(errno);
        if (S_ISDIR(st.st_mode))
            return std::strerror(EISDIR);
        if (!S_ISREG(st.st_mode))
            return msg::NotARegularFile;
        file_ = std::fopen(path.c_str(), "rb");
        return file_ ? std::string() : std::strerror(errno);
    }
    void close() {
        if (file_)
            std::fclose(file_);
        file_ = nullptr;
        std::free(buf_);
        buf_ = nullptr;
        cap_ = 0;
    }
    // False when nothing was left to read; a last line without a line end is returned.
    // Carriage returns at the end of a line belong to its end, however many there are and
    // whether or not a line feed follows: the temporary copy ends its lines with a bare line
    // feed, and a carriage return kept in the line would be taken for part of that line end
    // when the copy is read again.
    bool read(std::string& line) {
        ssize_t n = getline(&buf_, &cap_, file_);
        if (n <= 0) {
            line.clear();
            return false;
        }
        size_t len = static_cast<size_t>(n);
        if (buf_[len - 1] == '\n')
            --len;
        while (len > 0 && buf_[len - 1] == '\r')
            --len;
        line.assign(buf_, len);
        return true;
    }
    long tell() { return std::ftell(file_); }
    bool seek(long pos) {
        std::clearerr(file_);
        return std::fseek(file_, pos, SEEK_SET) == 0;
    }

private:
    std::FILE* file_ = nullptr;
    char* buf_ = nullptr;
    size_t cap_ = 0;
};

} // namespace

ReadOutcome GestoreFileFCD::readFile(const std::string& path, const std::function<bool()>& removeTracks) {
    GestoreFileINI& ini = *links.settings;
    Crono& crono = *links.crono;
    GestScheda& grid = *links.grid;
    auto outcome = [this](Notice notice) { return ReadOutcome{status, std::move(notice)}; };

    fcdPath = path;
    crono.reset(1);
    crono.start(1);
    show(Field::file_in, fcdPath);
    report(msg::ReadSeparator);
    report(msg::ReadingFile + fcdPath);

    LineReader in;
    if (std::string why = in.open(fcdPath); !why.empty()) {
        ReadOutcome refused = outcome(fail(msg::Err101Report, msg::Err101Box, StatusErr101));
        refused.reason = why;
        return refused;
    }
    SafeFileWriter tmp(nullptr, false);
    if (!tmp.open(tmpPath)) {
        in.close();
        return outcome(fail(msg::Err102Report, msg::Err102Box, StatusTmpFile));
    }

    // The line counter is shown in righe_in after every read; the field is brought up to date
    // before anything can show it (a question, the end of the read).
    int lineNumber = 0;
    auto showLineCount = [&] { show(Field::righe_in, std::to_string(lineNumber)); };
    auto abandon = [&](const char* reportText, const char* boxText, int32_t code) {
        showLineCount();
        in.close();
        tmp.abort();
        return outcome(fail(reportText, boxText, code));
    };

    // A stop asked for during the read ends it as the person's refusal of the tracks does.
    auto stopAsked = [this] { return links.stopRequested && links.stopRequested->load(); };
    auto interrupted = [&] {
        showLineCount();
        in.close();
        tmp.abort();
        report(msg::ReadInterrupted);
        status = StatusErr105;
        return outcome({});
    };

    bool header = false;
    for (int i = 0; i < HeaderSearchLines; ++i) {
        in.read(lineBuf); // past the end of the file this yields empty lines, still counted
        ++lineNumber;
        if (isHeaderLine(lineBuf)) {
            tmp.write(lineBuf);
            tmp.write("\n");
            header = true;
            break;
        }
    }
    if (!header)
        return abandon(msg::Err103Report, msg::Err103Box, StatusErr103);

    BoardFrame frame;
    pitch = latticePitch(ini);
    if (ini.dim_auto) {
        const long afterHeader = in.tell();
        Outline outline;
        while (in.read(lineBuf)) {
            if (stopAsked())
                return interrupted();
            splitFields(lineBuf, fields);
            outline.consider(fields, ini.layer_dim);
        }
        if (!outline.found)
            return abandon(msg::Err104Report, msg::Err104Box, StatusErr104);
        frame = outlineFrame(outline);
        in.seek(afterHeader);
    } else {
        frame = manualFrame(ini);
    }
    frame.pitch = pitch;
    originX = frame.originX;
    originY = frame.originY;
    ini.boardWidth = frame.width;
    ini.boardHeight = frame.height;
    ini.cols = frame.cols();
    ini.rows = frame.rows();
    if (!frame.fits()) {
        ReadOutcome refused = abandon(msg::Err105Report, msg::Err105Box, StatusErr105);
        report(boardSizeReport(ini.boardWidth, ini.boardHeight));
        return refused;
    }

    bool tracksAsked = false;
    const bool keepTracks = keepsDrawnTracks(ini);
    int padCount = 0;
    std::vector<WireEnds> wires;
    while (in.read(lineBuf)) {
        ++lineNumber;
        if (stopAsked())
            return interrupted();
        splitFields(lineBuf, fields);

        if (isCopperTrack(fields)) {
            // An existing track on the copper layer: kept when the settings say so, else removed
            // after asking once per read.
            if (!tracksAsked) {
                tracksAsked = true;
                report(strprintf(msg::Warn151, lineNumber));
                if (keepTracks) {
                    report(msg::TracksKept);
                } else {
                    crono.stop(1);
                    showLineCount();
                    if (!removeTracks())
                        return interrupted();
                    crono.start(1);
                }
            }
            if (!keepTracks)
                continue;
            keptTracks.push_back({fieldInt(fields, 1), fieldInt(fields, 2), fieldInt(fields, 3),
                                  fieldInt(fields, 4), fieldInt(fields, 5), lineNumber});
        }

        // Field by field into the buffered writer: a long line is never copied whole again.
        for (size_t i = 0; i < fields.size(); ++i) {
            if (i > 0)
                tmp.write(" ");
            tmp.write(fields[i]);
        }
        tmp.write("\n");

        if (isCopperPad(fields))
            placePad(lineNumber, padCount);
        else if (isComponentWire(fields))
            wires.push_back(
                {fieldInt(fields, 1), fieldInt(fields, 2), fieldInt(fields, 3), fieldInt(fields, 4)});
    }
    showLineCount();
    joinJumperPads(wires);
    assignKeptTrackNets();
    placeKeptTracks();

    in.close();
    if (!tmp.commit())
        return outcome(fail(msg::Err102Report, msg::Err102Box, StatusTmpFile));
    show(Field::warning, std::to_string(warningCount));
    show(Field::piaztot, std::to_string(padCount));
    show(Field::larg, std::to_string(unitsToMm(ini.boardWidth)));
    show(Field::alt, std::to_string(unitsToMm(ini.boardHeight)));
    show(Field::nettot, std::to_string(links.netTable->size()));
    crono.stop(1);
    crono.reset(2);
    report(strprintf(msg::ReadDone, crono.elapsed(1)));
    report(msg::ReadErrors);
    report(strprintf(msg::ReadWarnings, warningCount));
    status = StatusComplete;
    readComplete = true;
    grid.copyPlane(WorkPlane, BasePlane);
    if (warningCount == 0)
        return outcome({Notice::Kind::Information, msg::ReadCompleteClean});
    return outcome({Notice::Kind::Warning, msg::ReadCompleteWarnings});
}

void GestoreFileFCD::joinJumperPads(const std::vector<WireEnds>& wires) {
    std::vector<PadPoint> centres;
    centres.reserve(placedPads.size());
    for (const PlacedPad& p : placedPads)
        centres.push_back({p.x, p.y, p.net});
    // Pads joined by jumpers form groups; each group keeps its first pad as the one pad the
    // router connects. The others leave the work list, and their centres become pad area, so
    // that no track is laid to them: the wire joins them already.
    std::vector<size_t> group(placedPads.size());
    for (size_t i = 0; i < group.size(); ++i)
        group[i] = i;
    auto root = [&](size_t i) {
        while (group[i] != i)
            i = group[i] = group[group[i]];
        return i;
    };
    for (const auto& [a, b] : jumperPads(centres, wires)) {
        const PlacedPad& pa = placedPads[a];
        const PlacedPad& pb = placedPads[b];
        existingJumpers.push_back({pa.net, pa.col, pa.row, pb.col, pb.row});
        const size_t ra = root(a), rb = root(b);
        if (ra != rb)
            group[std::max(ra, rb)] = std::min(ra, rb);
    }
    std::vector<coord> leaving;
    for (size_t i = 0; i < placedPads.size(); ++i) {
        const PlacedPad& joined = placedPads[i];
        const PlacedPad& first = placedPads[root(i)];
        if (joined.col == first.col && joined.row == first.row)
            continue;
        leaving.push_back({joined.col, joined.row, 0});
        int32_t& centre = links.grid->cell(WorkPlane, joined.col, joined.row);
        if (centre == (joined.net | PadCentre))
            centre = joined.net | PadArea;
    }
    links.workList->removeCells(leaving);
}

void GestoreFileFCD::assignKeptTrackNets() {
    for (int32_t first : keptTrackNets(keptTracks, placedPads)) {
        const KeptTrack& t = keptTracks[first];
        // The nets the chain touches, ascending.
        std::vector<int32_t> nets;
        for (int32_t p : t.pads)
            if (placedPads[p].net != 0)
                nets.push_back(placedPads[p].net);
        std::sort(nets.begin(), nets.end());
        nets.erase(std::unique(nets.begin(), nets.end()), nets.end());
        std::string names;
        for (int32_t net : nets) {
            if (!names.empty())
                names += ", ";
            names += std::to_string(net);
        }
        report(strprintf(msg::KeptTracksShort, t.lineNumber, names.c_str()));
    }
}

void GestoreFileFCD::placeKeptTracks() {
    GestoreFileINI& ini = *links.settings;
    GestScheda& grid = *links.grid;
    // The cells of each chain that it joins: pad centres of its net, the first being its anchor.
    std::vector<std::vector<std::pair<int, int>>> chainCells(keptTracks.size());
    std::set<std::pair<int32_t, int32_t>> joined; // chain, cell
    auto joinCell = [&](const KeptTrack& t, int col, int row) {
        if (joined.insert({t.chain, GestScheda::index(col, row)}).second)
            chainCells[t.chain].push_back({col, row});
    };
    for (const KeptTrack& t : keptTracks) {
        for (int32_t p : t.pads) {
            const PlacedPad& pad = placedPads[p];
            if (t.net != 0 && pad.net == t.net &&
                grid.cell(WorkPlane, pad.col, pad.row) == (t.net | PadCentre))
                joinCell(t, pad.col, pad.row);
        }
    }
    for (const KeptTrack& t : keptTracks) {
        const TrackCopper copper = t.copper();
        const double h = copper.halfWidth;
        auto cellSpan = [this](double lo, double hi, int32_t origin, int32_t count) {
            const int first = static_cast<int>(std::ceil((lo - origin) / pitch));
            const int last = static_cast<int>(std::floor((hi - origin) / pitch));
            return std::pair{std::max(1, first), std::min(count - 1, last)};
        };
        const auto [c0, c1] = cellSpan(std::min(copper.a.x, copper.b.x) - h,
                                       std::max(copper.a.x, copper.b.x) + h, originX, ini.cols);
        const auto [r0, r1] = cellSpan(std::min(copper.a.y, copper.b.y) - h,
                                       std::max(copper.a.y, copper.b.y) + h, originY, ini.rows);
        for (int c = c0; c <= c1; ++c) {
            for (int r = r0; r <= r1; ++r) {
                const Point2 point{double(originX + c * pitch), double(originY + r * pitch)};
                if (segmentDistance(copper.a, copper.b, point, point).gap > h + GapTolerance)
                    continue;
                int32_t& cell = grid.cell(WorkPlane, c, r);
                const bool end = (point.x == copper.a.x && point.y == copper.a.y) ||
                                 (point.x == copper.b.x && point.y == copper.b.y);
                if (t.net != 0 && end && (cell == 0 || cell == (t.net | PadArea))) {
                    cell = t.net | PadCentre;
                    links.workList->append(c, r, NeutralPriority);
                    joinCell(t, c, r);
                } else if (cell == 0) {
                    cell = t.net | PadArea;
                }
            }
        }
    }
    for (size_t i = 0; i < keptTracks.size(); ++i) {
        const std::vector<std::pair<int, int>>& cells = chainCells[i];
        for (size_t k = 1; k < cells.size(); ++k)
            keptJoins.push_back(
                {keptTracks[i].net, cells[0].first, cells[0].second, cells[k].first, cells[k].second});
    }
}

void GestoreFileFCD::placePad(int lineNumber, int& padCount) {
    GestoreFileINI& ini = *links.settings;
    const PadOnGrid place = placeOnGrid(fields, {originX, originY, ini.boardWidth, ini.boardHeight, pitch});
    switch (place.placement) {
    case PadPlacement::NoNet:
        report(strprintf(msg::Warn152, lineNumber));
        ++warningCount;
        return;
    case PadPlacement::NetOutOfRange:
        report(strprintf(msg::Warn155, lineNumber, place.net));
        ++warningCount;
        return;
    case PadPlacement::OffBoard:
    case PadPlacement::Placed:
        break;
    }
    ++padCount;
    const int32_t x = fieldInt(fields, 1);
    const int32_t y = fieldInt(fields, 2);
    if (place.offGrid) {
        report(strprintf(msg::Warn153, lineNumber, x, y));
        ++warningCount;
    }
    if (place.placement == PadPlacement::OffBoard) {
        report(strprintf(msg::Warn154, lineNumber, x, y));
        ++warningCount;
        return;
    }
    const int32_t net = place.net;
    const int col = place.col;
    const int row = place.row;
    const int64_t sx = fieldInt(fields, 3);
    const int64_t sy = fieldInt(fields, 4);
    GestScheda& grid = *links.grid;
    // The pad's area is written by assignment (a later pad wins where areas meet) and is
    // clipped at the grid's edge.
    const int64_t hx = padHalfCells(sx, pitch);
    const int64_t hy = padHalfCells(sy, pitch);
    const int i0 = static_cast<int>(std::max<int64_t>(0, col - hx));
    const int i1 = static_cast<int>(std::min<int64_t>(gridColsAt(pitch) - 1, col + hx));
    const int j0 = static_cast<int>(std::max<int64_t>(0, row - hy));
    const int j1 = static_cast<int>(std::min<int64_t>(gridRowsAt(pitch) - 1, row + hy));
    for (int i = i0; i <= i1; ++i)
        for (int j = j0; j <= j1; ++j)
            grid.cell(WorkPlane, i, j) = net | PadArea;
    grid.cell(WorkPlane, col, row) = net | PadCentre;
    placedPads.push_back({x, y, static_cast<int32_t>(sx), static_cast<int32_t>(sy), fieldInt(fields, 5),
                          fieldInt(fields, 6), net, col, row});
    if (net != 0) {
        links.workList->append(col, row, NeutralPriority);
        (*links.netTable)[net] = ini.larghezza;
    }
    if (reportsAt(ini.debug, 2))
        report(strprintf(msg::PadPlaced, col, row));
}

} // namespace zelta
