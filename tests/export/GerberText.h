// Reads back what the tests need of a Gerber file: the apertures with their functions, the flashes
// and the lines, in the file's integer coordinates.
#pragma once

#include <cstdint>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace zelta::testing {

struct GerberAperture {
    std::string definition; // "C,1.651", "RoundRect,2.54X1.27X0.381"
    std::string function;   // "" when the file gives none
};

struct GerberFlash {
    int code;
    std::string aperture; // its definition
    int64_t x;
    int64_t y;
};

struct GerberLine {
    int code;
    std::string aperture;
    int64_t x1;
    int64_t y1;
    int64_t x2;
    int64_t y2;
};

struct GerberText {
    std::map<int, GerberAperture> apertures;
    std::vector<GerberFlash> flashes;
    std::vector<GerberLine> lines;
    std::vector<std::string> attributes; // "TF.FileFunction,Copper,L1,Bot", in order
    bool ended = false;                  // M02 seen
};

inline GerberText readGerber(const std::string& text) {
    GerberText g;
    std::istringstream in(text);
    std::string function;
    int current = -1;
    int64_t x = 0, y = 0;
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("G04 #@! ", 0) == 0) {
            const std::string a = line.substr(8, line.size() - 9);
            g.attributes.push_back(a);
            if (a.rfind("TA.AperFunction,", 0) == 0)
                function = a.substr(16);
            else if (a == "TD")
                function.clear();
        } else if (line.rfind("%ADD", 0) == 0) {
            size_t i = 4;
            while (isdigit(static_cast<unsigned char>(line[i])))
                ++i;
            g.apertures[std::stoi(line.substr(4, i - 4))] = {line.substr(i, line.size() - 2 - i), function};
        } else if (line.size() > 1 && line[0] == 'D' && line.back() == '*') {
            current = std::stoi(line.substr(1));
        } else if (line.size() > 1 && line[0] == 'X') {
            const size_t yAt = line.find('Y');
            const size_t dAt = line.find('D');
            const int64_t nx = std::stoll(line.substr(1, yAt - 1));
            const int64_t ny = std::stoll(line.substr(yAt + 1, dAt - yAt - 1));
            const std::string op = line.substr(dAt, 3);
            const std::string aperture = g.apertures[current].definition;
            if (op == "D03")
                g.flashes.push_back({current, aperture, nx, ny});
            else if (op == "D01")
                g.lines.push_back({current, aperture, x, y, nx, ny});
            x = nx;
            y = ny;
        } else if (line == "M02*") {
            g.ended = true;
        }
    }
    return g;
}

inline bool hasAttribute(const GerberText& g, const std::string& attribute) {
    for (const std::string& a : g.attributes)
        if (a == attribute)
            return true;
    return false;
}

} // namespace zelta::testing
