// File names from the drawing's name.
#include "export/ProductionNames.h"

namespace zelta {

ProductionNames ProductionNames::of(const std::string& name) {
    return {name + "-rame.gbr",       name + "-contorno.gbr", name + ".drl",        name + "-ponticelli.gbr",
            name + "-ponticelli.csv", name + "-stampa.pdf",   name + "-leggimi.txt"};
}

std::vector<std::string> ProductionNames::all() const {
    return {copper, outline, drill, wireLinks, wireLinkList, print, readMe};
}

} // namespace zelta
