// libFuzzer target: the FidoCAD reader, a whole open command with the settings taken from the
// first input bytes (see FuzzEntries.h).
#include "FuzzEntries.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static zelta::fuzz::Workspace space;
    static zelta::fuzz::FcdReaderEntry entry(space);
    const std::string finding = entry.run(data, size);
    if (!finding.empty()) {
        std::fprintf(stderr, "finding: %s\n", finding.c_str());
        std::abort();
    }
    return 0;
}
