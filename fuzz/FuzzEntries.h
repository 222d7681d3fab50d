// The three inputs Zelta takes from outside, each driven once from raw bytes: the FidoCAD reader
// (the whole open command), the settings file and the check command's reader. The fuzz targets
// and the replay of their findings in the tests share these entries.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace zelta::fuzz {

// A private folder for the files one entry writes, removed with everything in it at the end.
// Kept in memory-backed storage where there is some, since every run writes files.
class Workspace {
public:
    Workspace();
    ~Workspace();
    Workspace(const Workspace&) = delete;
    Workspace& operator=(const Workspace&) = delete;

    std::string file(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

// How the first three bytes of a drawing input set the reading, so that one input file carries
// both the settings and the drawing (printable seeds: "A00" automatic size from layer 0 with the
// existing tracks removed, "@d2" a manual board of 100 x 50 mm):
//   byte 0, bit 0: automatic board size; bit 1: answer No to the existing-tracks question;
//           bits 2-3: report detail;
//   bytes 1, 2: automatic size: the outline layer is byte 1 - '0' (byte 2 unused);
//               manual size: width and height in millimetres.
inline constexpr size_t ModeBytes = 3;

// Reads drawings through the open command of one Program, as a person opens one file after
// another: every read starts from an empty board whatever came before, so the Program is kept
// (making one per input costs more than the read).
class FcdReaderEntry {
public:
    explicit FcdReaderEntry(const Workspace& space);
    ~FcdReaderEntry();
    FcdReaderEntry(const FcdReaderEntry&) = delete;
    FcdReaderEntry& operator=(const FcdReaderEntry&) = delete;

    // One read. After a complete read, the temporary copy read again as a drawing must give the
    // same copy and the same board; the drawing saved without tracks and read back must give the
    // same board and the copy with one more empty line; and the check command's reader must find
    // the same board and pads. Returns what broke, empty when nothing did.
    std::string run(const uint8_t* data, size_t size);

private:
    struct State;
    const Workspace& space_;
    std::unique_ptr<State> state_;
};

// Reads data as the settings file. A value that is not a whole number is an expected refusal;
// a file that was read must survive being written and read again with every field unchanged.
std::string readSettingsOnce(const Workspace& space, const uint8_t* data, size_t size);

// Parses data as a routed drawing (after the mode bytes) and checks it, down to both report texts.
std::string checkOnce(const uint8_t* data, size_t size);

} // namespace zelta::fuzz
