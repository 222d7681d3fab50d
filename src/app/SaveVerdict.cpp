// The verdict line and the warning's text from the check of a written file.
#include "app/SaveVerdict.h"

#include "core/Messages.h"
#include "core/Report.h"

namespace zelta {

SaveVerdict verdictOnSavedFile(const std::string& path, const GestoreFileINI& settings) {
    SaveVerdict verdict;
    FcdDrawing drawing;
    std::string error;
    if (!readDrawing(path, settings, drawing, error)) {
        verdict.line = strprintf(msg::SaveVerdictUnchecked, error.c_str());
        return verdict;
    }
    verdict.checked = true;
    verdict.result = checkDrawing(drawing, settings.isolamento);
    const CheckResult& r = verdict.result;
    const std::string clearance = settingMmText(r.clearanceMm);
    verdict.line = strprintf(msg::SaveVerdict, r.connectionsOpen, r.shorts.size(), clearance.c_str(),
                             r.clearanceViolations, minGapText(r).c_str(),
                             static_cast<unsigned long long>(r.drawingPadPairs), r.wiresAcrossNets);
    verdict.worrying = r.hasShorts() || r.hasViolations();
    if (verdict.worrying)
        verdict.warning = strprintf(msg::SaveVerdictWarning, r.shorts.size(), r.clearanceViolations,
                                    clearance.c_str(), minGapText(r).c_str());
    return verdict;
}

SaveVerdict reportSaveVerdict(Host& host, const std::string& path, const GestoreFileINI& settings) {
    SaveVerdict verdict = verdictOnSavedFile(path, settings);
    host.reportLine(verdict.line);
    return verdict;
}

} // namespace zelta
