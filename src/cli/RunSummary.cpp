// The figures of a routed drawing, from the best lap and from the check of the file written.
#include "cli/RunSummary.h"

#include "app/Check.h"
#include "core/Messages.h"
#include "core/Report.h"
#include "fidocad/FcdDrawing.h"

#include <algorithm>
#include <climits>
#include <sys/stat.h>

namespace zelta::cli {

namespace {

// Each figure with its words in the line and its name in the JSON file, in the order shown: a
// new figure is one more line here.
struct Figure {
    const char* words;
    const char* name;
    int RunSummary::*value;
};
const Figure Figures[] = {
    {"connessioni aperte", "connectionsOpen", &RunSummary::connectionsOpen},
    {"piazzole scollegate", "padsUnconnected", &RunSummary::padsUnconnected},
    {"ponticelli", "jumpers", &RunSummary::jumpers},
    {"cortocircuiti", "shorts", &RunSummary::shorts},
    {"violazioni isolamento", "clearanceViolations", &RunSummary::clearanceViolations},
};

std::string jsonText(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\')
            out += {'\\', c};
        else if (static_cast<unsigned char>(c) < 0x20)
            out += strprintf("\\u%04x", static_cast<unsigned>(c));
        else
            out += c;
    }
    return out + "\"";
}

} // namespace

bool canCheckWritten(const std::string& path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

RunSummary summarizeResult(const SaveVerdict& verdict, int connectionsOpen) {
    RunSummary summary;
    summary.connectionsOpen = connectionsOpen;
    if (!verdict.checked)
        return summary;
    const CheckResult& checked = verdict.result;
    summary.padsUnconnected = checked.padsUnconnected;
    summary.jumpers = static_cast<int>(checked.jumpers.size());
    summary.shorts = static_cast<int>(checked.shorts.size());
    summary.clearanceViolations = static_cast<int>(std::min<size_t>(checked.clearanceViolations, INT_MAX));
    return summary;
}

std::string summaryLine(const RunSummary& summary) {
    std::string line = msg::CliSummary;
    for (size_t i = 0; i < std::size(Figures); ++i) {
        const int value = summary.*Figures[i].value;
        line += strprintf("%s%s %s", i ? ", " : "", Figures[i].words,
                          value < 0 ? "-" : std::to_string(value).c_str());
    }
    return line;
}

std::string summaryJson(const RunSummary& summary, const RunFacts& facts) {
    std::string out = strprintf(
        "{\"output\":%s,\"written\":%s,\"exitStatus\":%d,\"method\":%d,\"jumperMode\":%s,\"laps\":%d,"
        "\"bestLap\":%d,\"seconds\":%.3f",
        jsonText(facts.output).c_str(), facts.written ? "true" : "false", facts.exitStatus, facts.method,
        facts.jumperMode ? "true" : "false", facts.laps, facts.bestLap, facts.seconds);
    for (const Figure& f : Figures) {
        const int value = summary.*f.value;
        out += strprintf(",\"%s\":%s", f.name, value < 0 ? "null" : std::to_string(value).c_str());
    }
    return out + "}\n";
}

} // namespace zelta::cli
