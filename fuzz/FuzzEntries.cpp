// The fuzz entries: each drives one input path of the program from raw bytes and checks the
// properties that must hold whatever the bytes are.
#include "FuzzEntries.h"

#include "app/Check.h"
#include "app/Program.h"
#include "core/File_ini.h"
#include "core/Messages.h"
#include "fidocad/FcdDrawing.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <unistd.h>
#include <vector>

namespace zelta::fuzz {

namespace {

std::string readWhole(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void writeWhole(const std::string& path, const char* data, size_t size) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(data, static_cast<std::streamsize>(size));
}

struct Mode {
    bool automatic = false;
    bool refuseTrackRemoval = false;
    int32_t debug = 0;
    int32_t layer = 0;
    int32_t widthMm = 0;
    int32_t heightMm = 0;

    void applyTo(GestoreFileINI& ini) const {
        ini.dim_auto = automatic;
        ini.layer_dim = layer;
        ini.mm_larg_scheda = widthMm;
        ini.mm_alt_scheda = heightMm;
        ini.debug = debug;
    }
};

// Splits the mode bytes off the input; missing ones read as zero.
Mode modeOf(const uint8_t*& data, size_t& size) {
    uint8_t b[ModeBytes] = {};
    const size_t n = size < ModeBytes ? size : ModeBytes;
    for (size_t i = 0; i < n; ++i)
        b[i] = data[i];
    data += n;
    size -= n;
    Mode m;
    m.automatic = (b[0] & 1) != 0;
    m.refuseTrackRemoval = (b[0] & 2) != 0;
    m.debug = (b[0] >> 2) & 3;
    m.layer = int32_t{b[1]} - '0';
    m.widthMm = b[1];
    m.heightMm = b[2];
    return m;
}

// The person at the window: opens and saves where told, answers the existing-tracks question
// as the mode says, and keeps only what the checks compare.
class FuzzHost : public Host {
public:
    ModalResult messageDlg(const std::string& text, MsgDlgType type, unsigned buttons) override {
        if (type == MsgDlgType::mtError)
            lastError = text;
        lastMessage = text;
        return (buttons & mbYes) ? ModalResult::mrYes : ModalResult::mrOk;
    }
    std::optional<std::string> openFileDialog(const FileDialogSpec&) override { return std::nullopt; }
    std::optional<std::string> saveFileDialog(const FileDialogSpec&) override { return std::nullopt; }
    void setText(Field field, const std::string& text) override { fields[static_cast<int>(field)] = text; }
    void reportLine(const std::string& text) override {
        if (text.find("] Warning 154:") != std::string::npos)
            ++offBoardPads;
    }
    void clearReport() override {
        offBoardPads = 0;
        tracksQuestion = false;
        lastError.clear();
    }

    const std::string& field(Field f) const { return fields[static_cast<int>(f)]; }

    bool refuseTrackRemoval = false;
    bool tracksQuestion = false;
    int offBoardPads = 0;
    std::string lastError;
    std::string lastMessage;
    std::string fields[FieldCount];
};

// What a complete read leaves behind, for comparing one read with another.
struct Board {
    std::string copy; // the temporary file
    std::vector<int32_t> basePlane;
    std::vector<coord> workList;
    NetTable nets;
    int32_t warnings;
    int32_t originX, originY, width, height;
    std::string pads;

    static Board of(const Program& p, const FuzzHost& host) {
        const int32_t* base = p.grid->plane(BasePlane);
        return {readWhole(p.fcd->tmpPath),
                std::vector<int32_t>(base, base + PlaneCells),
                p.workList->entries(),
                *p.netTable,
                p.fcd->warningCount,
                p.fcd->originX,
                p.fcd->originY,
                p.settings->boardWidth,
                p.settings->boardHeight,
                host.field(Field::piaztot)};
    }
};

bool sameEntries(const std::vector<coord>& a, const std::vector<coord>& b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i].col != b[i].col || a[i].row != b[i].row || a[i].value != b[i].value)
            return false;
    return true;
}

// Where two reads of one board differ, beyond their temporary copies; empty when they do not.
std::string boardDifference(const Board& a, const Board& b) {
    if (a.basePlane != b.basePlane)
        return "the base plane";
    if (!sameEntries(a.workList, b.workList))
        return "the work list";
    if (a.nets != b.nets)
        return "the net table";
    if (a.warnings != b.warnings)
        return "the warning count";
    if (a.originX != b.originX || a.originY != b.originY || a.width != b.width || a.height != b.height)
        return "the board's origin or size";
    if (a.pads != b.pads)
        return "the pad count";
    return {};
}

bool open(Program& p, const std::string& path) {
    return p.openFile(path).status == StatusComplete;
}

} // namespace

Workspace::Workspace() {
    std::string base = "/tmp";
    if (const char* t = std::getenv("TMPDIR"); t && *t)
        base = t;
    else if (access("/dev/shm", W_OK) == 0)
        base = "/dev/shm";
    std::string pattern = base + "/zelta-fuzz-XXXXXX";
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot make a scratch folder in " + base);
    path_ = pattern;
}

Workspace::~Workspace() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

struct FcdReaderEntry::State {
    explicit State(const Workspace& space)
        : program(host, {space.file("zelta.ini"), space.file("zelta.tmp"), [] { return uint32_t{0}; }}) {
        program.removeTracks = [this] {
            host.tracksQuestion = true;
            return !host.refuseTrackRemoval;
        };
    }
    FuzzHost host;
    Program program;
};

FcdReaderEntry::FcdReaderEntry(const Workspace& space)
    : space_(space), state_(std::make_unique<State>(space)) {}

FcdReaderEntry::~FcdReaderEntry() = default;

std::string FcdReaderEntry::run(const uint8_t* data, size_t size) {
    const Workspace& space = space_;
    const Mode mode = modeOf(data, size);
    const std::string drawing(reinterpret_cast<const char*>(data), size);
    const std::string input = space.file("in.fcd");
    writeWhole(input, drawing.data(), drawing.size());

    FuzzHost& host = state_->host;
    Program& p = state_->program;
    host.refuseTrackRemoval = mode.refuseTrackRemoval;
    host.lastMessage.clear();
    mode.applyTo(*p.settings);

    const bool complete = open(p, input);
    const bool refused = host.tracksQuestion && mode.refuseTrackRemoval;

    // The check command must judge the drawing as the reader does.
    FcdDrawing parsed;
    std::string parseError;
    const bool parsedOk = parseDrawing(drawing, *p.settings, parsed, parseError);
    if (!refused && parsedOk != complete)
        return complete ? "the check reader refused a drawing the reader took: " + parseError
                        : "the check reader took a drawing the reader refused: " + host.lastError;
    if (!refused && !complete && parseError != host.lastError)
        return "the check reader's error \"" + parseError + "\" differs from the reader's \"" +
               host.lastError + "\"";
    if (!complete)
        return {};

    const Board first = Board::of(p, host);
    if (parsed.originX != first.originX || parsed.originY != first.originY || parsed.width != first.width ||
        parsed.height != first.height)
        return "the check reader sized the board differently";
    if (std::to_string(parsed.pads.size() + static_cast<size_t>(host.offBoardPads)) != first.pads)
        return "the check reader found " + std::to_string(parsed.pads.size()) +
               " pads on the board, the reader " + first.pads + " less " + std::to_string(host.offBoardPads) +
               " off the board";

    // The drawing saved as it was read (the best plane of a fresh read holds no tracks).
    const std::string saved = space.file("out.fcd");
    if (!p.tracer->traceAndWrite(saved).written)
        return "the save failed: " + p.fcd->writeOutcome.notice.text;

    const std::string again = space.file("again.fcd");
    writeWhole(again, first.copy.data(), first.copy.size());
    if (!open(p, again))
        return "the temporary copy read as a drawing was refused: " + host.lastMessage;
    const Board second = Board::of(p, host);
    if (second.copy != first.copy)
        return "the temporary copy read as a drawing gave a different copy";
    if (std::string d = boardDifference(first, second); !d.empty())
        return "the temporary copy read as a drawing gave a different board: " + d;

    // The writer's line that ends the copy stays as an empty record: one per read and save.
    if (!open(p, saved))
        return "the saved drawing was refused when read back: " + host.lastMessage;
    const Board third = Board::of(p, host);
    if (third.copy != first.copy + "\n")
        return "the saved drawing read back gave a different copy";
    if (std::string d = boardDifference(first, third); !d.empty())
        return "the saved drawing read back gave a different board: " + d;
    return {};
}

std::string readSettingsOnce(const Workspace& space, const uint8_t* data, size_t size) {
    const std::string path = space.file("zelta.ini");
    writeWhole(path, reinterpret_cast<const char*>(data), size);
    GestoreFileINI ini(path);
    // A value that is not a whole number: the program says so and ends, as it should.
    if (!ini.readOutcome.usable())
        return {};
    if (!ini.readProblem.empty())
        return "a readable file was reported unreadable: " + ini.readProblem;
    if (!ini.readOutcome.read)
        return "a file that is there was not read";
    ini.iniFile = space.file("written.ini");
    if (!ini.writeIni())
        return "the settings could not be written: " + ini.writeError;
    GestoreFileINI back(ini.iniFile);
    const bool same = back.due_facce == ini.due_facce && back.dim_auto == ini.dim_auto &&
                      back.layer_dim == ini.layer_dim && back.mm_larg_scheda == ini.mm_larg_scheda &&
                      back.mm_alt_scheda == ini.mm_alt_scheda && back.ampg == ini.ampg &&
                      back.giriv == ini.giriv && back.ricalct == ini.ricalct && back.pcurva == ini.pcurva &&
                      back.pdiag == ini.pdiag && back.pfaccia == ini.pfaccia && back.debug == ini.debug &&
                      back.ferma_vuoto == ini.ferma_vuoto && back.metodo == ini.metodo &&
                      back.ponticelli == ini.ponticelli && back.ponticelli_max == ini.ponticelli_max &&
                      back.ponticelli_passi == ini.ponticelli_passi && back.isolamento == ini.isolamento &&
                      back.larghezza == ini.larghezza;
    if (!same)
        return "the settings written and read back differ";
    if (back.readOutcome.notice)
        return "the settings written were not read back in silence: " + back.readOutcome.notice.text;
    return {};
}

std::string checkOnce(const uint8_t* data, size_t size) {
    const Mode mode = modeOf(data, size);
    GestoreFileINI settings(""); // no file: the defaults, then the mode
    mode.applyTo(settings);
    FcdDrawing drawing;
    std::string error;
    if (!parseDrawing(std::string(reinterpret_cast<const char*>(data), size), settings, drawing, error))
        return error.empty() ? "a refused drawing without a reason" : std::string();

    const CheckResult result = checkDrawing(drawing, settings.isolamento);
    int complete = 0, unconnected = 0;
    int32_t previous = 0;
    for (const NetCheck& n : result.nets) {
        if (n.net <= previous)
            return "nets out of order, or net 0 listed";
        if (n.joined < 1 || n.joined > n.pads || n.complete != (n.joined == n.pads))
            return "a net joins more pads than it has";
        previous = n.net;
        complete += n.complete;
        unconnected += n.pads - n.joined;
    }
    if (complete != result.netsComplete || unconnected != result.padsUnconnected)
        return "the summary does not add up";
    for (const ShortCheck& s : result.shorts)
        if (s.nets.size() < 2)
            return "a short with fewer than two nets";
    for (const auto* list : {&result.clearance, &result.drawingPads})
        for (size_t i = 0; i < list->size(); ++i) {
            const ClearanceCheck& c = (*list)[i];
            if (c.netA == c.netB || !(c.gapMm >= 0) || !(c.gapMm < result.clearanceMm))
                return "a clearance finding of one net, or not closer than the clearance";
            if (i > 0 && c.gapMm < (*list)[i - 1].gapMm)
                return "clearance findings not worst first";
        }
    if (result.clearance.size() > result.clearanceViolations)
        return "more clearance violations listed than counted";
    if (result.drawingPads.size() > result.drawingPadPairs || result.drawingPads.size() > MaxListedNotes)
        return "more pairs of the drawing's pads listed than counted";
    if (checkReportText(result).empty() || checkReportJson(result).empty())
        return "an empty report";
    return {};
}

} // namespace zelta::fuzz
