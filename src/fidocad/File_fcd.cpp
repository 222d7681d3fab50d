// The FidoCAD file object's construction, the reset that begins a read, and failures.
#include "fidocad/File_fcd.h"

#include "core/Messages.h"

namespace zelta {

GestoreFileFCD::GestoreFileFCD(std::string temporaryPath) : tmpPath(std::move(temporaryPath)) {}

void GestoreFileFCD::beginRead() {
    resultsUnsaved = false;
    readComplete = false;
    links.workList->clear();
    links.netTable->clear();
    placedPads.clear();
    existingJumpers.clear();
    keptTracks.clear();
    keptJoins.clear();
    warningCount = 0;
    for (int f = 0; f < FieldCount; ++f)
        show(static_cast<Field>(f), "");
    links.sink->clearReport();
    links.grid->clear();
    if (links.resetOthers)
        links.resetOthers();
    links.settings->optionsChanged = false;
    originX = 99999;
    originY = 99999;
}

Notice GestoreFileFCD::fail(const char* reportText, const char* boxText, int32_t code) {
    report(reportText);
    status = code;
    return {Notice::Kind::Error, boxText};
}

} // namespace zelta
