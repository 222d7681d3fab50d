// Phase 3: the result file, a copy of the cleaned drawing followed by one "PL" record per
// track segment. The drawing at the destination is replaced only once the whole result is
// written, so a failed save never loses it.
#include "fidocad/File_fcd.h"

#include "core/Messages.h"
#include "core/Report.h"
#include "core/Units.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sys/stat.h>
#include <utility>

namespace zelta {

namespace {

// Returns 0, or the system's reason (an errno value) why path could not be read.
int readWhole(const std::string& path, std::string& content) {
    struct stat st;
    if (stat(path.c_str(), &st) != 0)
        return errno;
    if (S_ISDIR(st.st_mode))
        return EISDIR;
    errno = 0;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return errno != 0 ? errno : EIO;
    content.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return in.bad() ? EIO : 0;
}

} // namespace

bool GestoreFileFCD::beginWrite(const std::string& path) {
    writeOutcome = {};
    outPath = path;

    links.crono->reset(3);
    links.crono->start(3);
    report(msg::WritingFile + outPath);

    // The temporary copy is read before the destination is touched.
    std::string copy;
    if (int err = readWhole(tmpPath, copy); err != 0) {
        writeFailed(msg::Err302Report, msg::Err302Box, StatusTmpFile, std::strerror(err));
        return false;
    }
    out_.setWriteFn(writeFn);
    if (!out_.open(outPath)) {
        writeFailed(msg::Err301Report, msg::Err301Box, StatusErr301, out_.reason());
        return false;
    }

    // Every line of the copy with a CR LF line end; the read that meets the end of the copy
    // yields one more, empty, line, which is written and counted like the others.
    linesWritten = 0;
    size_t pos = 0;
    while (true) {
        size_t end = copy.find('\n', pos);
        std::string_view line(copy.data() + pos, (end == std::string::npos ? copy.size() : end) - pos);
        out_.write(line);
        out_.write("\r\n");
        ++linesWritten;
        if (end == std::string::npos)
            break;
        pos = end + 1;
    }
    // A save that follows a complete read writes its tracks even after an earlier save failed.
    if (readComplete)
        status = StatusComplete;
    return true;
}

void GestoreFileFCD::writeSegment(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t width,
                                  int32_t layer, int32_t net) {
    if (status != StatusComplete)
        return;
    out_.write(strprintf("PL %lld %lld %lld %lld %d %d %d\r\n", static_cast<long long>(int64_t{x1} + originX),
                         static_cast<long long>(int64_t{y1} + originY),
                         static_cast<long long>(int64_t{x2} + originX),
                         static_cast<long long>(int64_t{y2} + originY), width, layer, net));
    ++linesWritten;
}

int32_t GestoreFileFCD::jumperDrill() const {
    // A round pad whose hole would take more than half of a jumper's pad (a mounting hole) would
    // leave the jumper's pad no copper to solder to.
    for (const PlacedPad& p : placedPads)
        if (p.style == 0 && p.drill > 0 && 2 * p.drill <= JumperPadSize)
            return p.drill;
    return JumperDefaultDrill;
}

void GestoreFileFCD::writeJumper(const Jumper& j, int32_t width) {
    if (status != StatusComplete)
        return;
    const int64_t x1 = int64_t{originX} + cellToUnits(j.col1, pitch),
                  y1 = int64_t{originY} + cellToUnits(j.row1, pitch);
    const int64_t x2 = int64_t{originX} + cellToUnits(j.col2, pitch),
                  y2 = int64_t{originY} + cellToUnits(j.row2, pitch);
    const int32_t drill = jumperDrill();
    for (const auto& [x, y] : {std::pair{x1, y1}, std::pair{x2, y2}})
        out_.write(strprintf("PA %lld %lld %d %d %d 0 1 %d\r\n", static_cast<long long>(x),
                             static_cast<long long>(y), JumperPadSize, JumperPadSize, drill, j.net));
    out_.write(strprintf("PL %lld %lld %lld %lld %d %d %d\r\n", static_cast<long long>(x1),
                         static_cast<long long>(y1), static_cast<long long>(x2), static_cast<long long>(y2),
                         width, JumperLayer, j.net));
    linesWritten += 3;
}

bool GestoreFileFCD::finishWrite() {
    if (out_.commit())
        return true;
    writeFailed(msg::Err301Report, msg::Err301Box, StatusErr301, out_.reason());
    return false;
}

void GestoreFileFCD::writeFailed(const char* reportText, const char* boxText, int32_t code,
                                 const std::string& reason) {
    writeOutcome.notice = fail(reportText, boxText, code);
    writeOutcome.reason = reason;
    report(strprintf(msg::FailureReason, reason.c_str()));
}

void GestoreFileFCD::endWrite() {
    // Only a file that was written is named: after a failure the field keeps the last one.
    show(Field::file_out, outPath);
    show(Field::righe_out, std::to_string(linesWritten));
    resultsUnsaved = false;
    links.crono->stop(3);
    report(strprintf(msg::WriteDone, links.crono->elapsed(3)));
    writeOutcome = {true, {Notice::Kind::Information, msg::WriteComplete}};
}

} // namespace zelta
