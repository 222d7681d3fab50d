// The check's verdict on a drawing just written: one report line after every save, in the window
// and in the batch tool. The fronts add it once the program's save has returned, so the program's
// own report of a session stays as it was.
#pragma once

#include "app/Check.h"
#include "app/Host.h"
#include "core/File_ini.h"

#include <string>

namespace zelta {

struct SaveVerdict {
    bool checked = false; // the written file could be read back
    std::string line;     // the report line
    // Shorts or clearance violations: the window says so in a warning box, with this text.
    bool worrying = false;
    std::string warning;
    CheckResult result;
};

// Reads back the file at path with the settings' board rules and checks it.
SaveVerdict verdictOnSavedFile(const std::string& path, const GestoreFileINI& settings);

// The same, with its line put in the host's report.
SaveVerdict reportSaveVerdict(Host& host, const std::string& path, const GestoreFileINI& settings);

} // namespace zelta
