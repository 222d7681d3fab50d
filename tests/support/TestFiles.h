// Scratch folders and small files for tests, and the paths of the shared boards.
#pragma once

#include <string>
#include <vector>

namespace zelta::testing {

// A fresh folder, removed with everything in it when the object goes.
class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }
    // Writes content to name in the folder and returns its path.
    std::string write(const std::string& name, const std::string& content) const;

private:
    std::string path_;
};

std::string readFile(const std::string& path);
bool fileExists(const std::string& path);

// Paths of the shared test boards and expected results.
std::string boardPath(const std::string& name);
std::string goldenPath(const std::string& relative);

// The shared boards in the order of golden.list: the drawing, its settings file and the laps of
// its recorded session.
struct SharedBoard {
    std::string board;
    std::string settings;
    int laps = 0;
};
std::vector<SharedBoard> sharedBoards();
// A drawing of the given number of pads of 250 nets, at random cells of a full 159 x 79 board
// whose outline is on layer 0: many pads share a cell once they outnumber the cells.
std::string manyPadsDrawing(int pads);
std::string sourcePath(const std::string& relative);

} // namespace zelta::testing
