// libFuzzer target: the settings file, read, written and read back.
#include "FuzzEntries.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static zelta::fuzz::Workspace space;
    const std::string finding = zelta::fuzz::readSettingsOnce(space, data, size);
    if (!finding.empty()) {
        std::fprintf(stderr, "finding: %s\n", finding.c_str());
        std::abort();
    }
    return 0;
}
