// Program state over a scratch folder for tests.
#include "support/ProgramFixture.h"

#include "app/RoutingSession.h"

namespace zelta::testing {

ProgramFixture::ProgramFixture(const std::string& iniContent) {
    ProgramOptions options;
    options.iniPath = dir.write("zelta.ini", iniContent);
    options.tmpPath = dir.file("zelta.tmp");
    options.clock = [this] { return ticks; };
    program = std::make_unique<Program>(host, options);
}

bool ProgramFixture::open(const std::string& path) {
    return program->openFile(path).status == StatusComplete;
}

bool ProgramFixture::openText(const std::string& content, const std::string& name) {
    return open(dir.write(name, content));
}

void ProgramFixture::routeLaps(int laps) {
    StopRules rules;
    rules.laps = laps;
    RoutingSession(*program).run(rules);
}

bool ProgramFixture::saveTo(const std::string& path) {
    return program->saveTo(path).written;
}

} // namespace zelta::testing
