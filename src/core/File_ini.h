// The program's options and the figures of the loaded board, kept in the settings file "zelta.ini".
#pragma once

#include "core/Init_obj.h"
#include "core/Notice.h"

#include <cstdint>
#include <string>
#include <vector>

namespace zelta {

// How a read of the settings file ended.
struct SettingsOutcome {
    // The file was there and was read. A file that is missing gives every key its default, and
    // so does one that cannot be read (readProblem says why).
    bool read = false;
    // Error: a value is not a whole number, and the settings must not be used. Warning: what the
    // person is to know of settings that are used: a file that cannot be read, or values out of
    // their range that took the default (a line each).
    Notice notice;

    bool usable() const { return notice.kind != Notice::Kind::Error; }
};

// Where the settings are read from and where they are written. The two differ only while the
// person has no settings file of their own: the shipped file gives the first values, the
// person's own receives the writes.
struct SettingsLocation {
    std::string readPath;
    std::string writePath;
};

class GestoreFileINI {
public:
    // Reads the file at path (missing file or key: defaults), which writeIni then replaces; how
    // the read ended is in readOutcome.
    explicit GestoreFileINI(std::string path);
    explicit GestoreFileINI(const SettingsLocation& location);

    // An installed program (its shipped settings in ../share/zelta/ from its folder) writes the
    // person's own file, $XDG_CONFIG_HOME/zelta/zelta.ini (~/.config/zelta when the variable is
    // unset), whoever runs it, and reads the shipped one until that exists. A program run from
    // its build folder keeps "zelta.ini" beside itself, or in the person's folder when its own
    // cannot be written (then reading one beside itself until the person's exists).
    static SettingsLocation defaultLocation(const std::string& executablePath);
    // The same with the answer to "can the executable's folder be written?" given.
    static SettingsLocation defaultLocation(const std::string& executablePath, bool programFolderWritable);

    SettingsOutcome readIni();
    // Writes every key into iniFile, creating its folder when missing. Every line of the
    // file that is not one of the keys (comments, other keys and sections) stays as it stood;
    // a first write takes those lines from the file read. False when the file could not be
    // written (see writeError).
    bool writeIni();

    // Sets one option by its key, as the settings file would. An unknown key, a value that is
    // not a number of the key's kind and one out of the key's range are refused with an error notice, and
    // the option keeps its value.
    Notice setByKey(const std::string& key, const std::string& value);

    std::string iniFile;
    // The file the values were read from: iniFile, or the one shipped beside the program.
    std::string readFrom;
    bool optionsChanged = false;
    bool due_facce = false;
    bool dim_auto = false;
    int32_t mm_larg_scheda = 0;
    int32_t mm_alt_scheda = 0;
    int32_t layer_dim = 0;
    int32_t ampg = 10;
    int32_t giriv = 10;
    int32_t ricalct = 5;
    int32_t pcurva = 0;
    int32_t pdiag = 0;
    int32_t pfaccia = 0;
    int32_t debug = 0;
    // The desktop program stops processing by itself after this many laps without a better one;
    // 0 (or less) never.
    int32_t ferma_vuoto = 0;
    int32_t metodo = 0; // routing method: 0 classic laps, 1 negotiated
    // Jumpers: whether the router may lay them, at most how many on a board, and the lengths
    // allowed in steps of 10 units, whatever the pitch of the grid.
    bool ponticelli = false;
    int32_t ponticelli_max = 20;
    std::vector<int32_t> ponticelli_passi = {4, 6, 8};
    // Design rules: the clearance between copper of different nets in millimetres, and the
    // track-width choice every net gets when a drawing is read (0 "0,25", 1 "0,5").
    double isolamento = 0.3;
    int32_t larghezza = 1;
    // The copper tracks a drawing already has: 0 asks to remove them when it is read, 1 keeps them
    // for the new methods, which route around them (the classic still asks).
    int32_t piste_esistenti = 0;
    int32_t boardWidth = 0;
    int32_t boardHeight = 0;
    int32_t cols = 0;
    int32_t rows = 0;

    // How the constructor's read ended.
    SettingsOutcome readOutcome;
    // Why the file could not be read (it exists but is unreadable); empty when it was read.
    std::string readProblem;
    std::string writeError;
};

// Units between two routing points for a run with these settings: "5x5" (ampg 0) is the fine
// lattice of the new methods; the classic always routes its 10-unit grid.
inline int32_t latticePitch(const GestoreFileINI& settings) {
    return settings.metodo != 0 && settings.ampg == 0 ? FinePitch : CoarsePitch;
}

// Whole-number conversion of a settings text: optional spaces, optional sign, decimal digits,
// within 32 bits. Returns false for anything else.
bool parseWholeNumber(const std::string& text, int32_t& value);

// A decimal number with "." or "," before its decimals (optional spaces and sign); false for
// anything else, infinities and NaN included.
bool parseDecimalNumber(const std::string& text, double& value);

// Engine values of the stored item numbers.
int32_t fastLapsFor(int32_t giriv);
int32_t retargetEveryFor(int32_t ricalct);
int32_t bendPenaltyFor(int32_t pcurva);
int32_t diagonalPenaltyFor(int32_t pdiag);

} // namespace zelta
