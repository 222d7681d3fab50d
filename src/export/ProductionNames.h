// The names of the manufacturing files of a drawing NAME: each says what it holds.
#pragma once

#include <string>
#include <vector>

namespace zelta {

struct ProductionNames {
    std::string copper;       // NAME-rame.gbr
    std::string outline;      // NAME-contorno.gbr
    std::string drill;        // NAME.drl
    std::string wireLinks;    // NAME-ponticelli.gbr
    std::string wireLinkList; // NAME-ponticelli.csv
    std::string print;        // NAME-stampa.pdf
    std::string readMe;       // NAME-leggimi.txt

    static ProductionNames of(const std::string& name);
    // All of them, in the order they are written and listed.
    std::vector<std::string> all() const;
};

} // namespace zelta
