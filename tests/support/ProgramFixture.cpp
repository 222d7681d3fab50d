// Program state over a scratch folder for tests.
#include "support/ProgramFixture.h"

#include <condition_variable>
#include <mutex>

namespace zelta::testing {

ProgramFixture::ProgramFixture(const std::string& iniContent) {
    ProgramOptions options;
    options.iniPath = dir.write("zelta.ini", iniContent);
    options.clock = [this] { return ticks; };
    program = std::make_unique<Program>(host, options);
}

bool ProgramFixture::open(const std::string& path) {
    host.willOpen(path);
    program->openFcd();
    return program->fcd->status == StatusComplete;
}

bool ProgramFixture::openText(const std::string& content, const std::string& name) {
    return open(dir.write(name, content));
}

void ProgramFixture::routeLaps(int laps) {
    program->onLapEnd = [this, laps](const LapFigures& figures) {
        if (figures.laps >= laps)
            program->thread->control.pauseAtNextCheckpoint();
    };
    if (!program->startProcessing())
        return;
    program->thread->waitUntilPaused();
    program->stopProcessing();
    program->onLapEnd = nullptr;
}

bool ProgramFixture::saveTo(const std::string& path) {
    host.willSave(path);
    const size_t shown = host.messages.size();
    program->save();
    for (size_t i = shown; i < host.messages.size(); ++i)
        if (host.messages[i].text == "Scrittura file completata")
            return true;
    return false;
}

} // namespace zelta::testing
