// A whole program state over a scratch folder: settings file, temporary file and drawings live
// there, and the person is a ScriptedHost.
#pragma once

#include "app/Program.h"
#include "support/ScriptedHost.h"
#include "support/TestFiles.h"

#include <memory>
#include <string>

namespace zelta::testing {

// Settings with the board sized automatically from the outline on layer 0.
inline const char* AutoLayer0Ini = "[Base]\ndim_auto=1\nlayer_dim=0\n[Avanzate]\ndebug=0\n";

class ProgramFixture {
public:
    explicit ProgramFixture(const std::string& iniContent = AutoLayer0Ini);

    // Reads the drawing at path (answering Yes to any question); true when the read completed.
    bool open(const std::string& path);
    // Writes content as a drawing in the scratch folder and reads it.
    bool openText(const std::string& content, const std::string& name = "board.fcd");
    // Starts routing and returns once exactly laps laps have ended and processing has stopped.
    void routeLaps(int laps);
    // Saves to path, answering the save dialog; true when the save completed.
    bool saveTo(const std::string& path);

    ScratchDir dir;
    ScriptedHost host;
    // The stopwatch's clock: it stands still unless a test moves it.
    uint32_t ticks = 1000;
    std::unique_ptr<Program> program;
};

} // namespace zelta::testing
