// The program's options and the figures of the loaded board, kept in the settings file "zelta.ini".
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace zelta {

// A value in the settings file that is not a whole number.
class SettingsError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class GestoreFileINI {
public:
    // Reads the file at path (missing file or key: defaults). Throws SettingsError on a bad value.
    explicit GestoreFileINI(std::string path);

    // "zelta.ini" in the executable's folder when that folder is writable, else in
    // $XDG_CONFIG_HOME/zelta (~/.config/zelta when the variable is unset).
    static std::string defaultPath(const std::string& executablePath);

    void readIni();
    // Writes every key; false when the file could not be written (see writeError).
    bool writeIni();

    // Sets one option by its key, as the settings file would; false for an unknown key.
    // Throws SettingsError when value is not a whole number.
    bool setByKey(const std::string& key, const std::string& value);

    std::string iniFile;
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
    int32_t metodo = 0; // routing method: 0 classic laps, 1 negotiated
    int32_t boardWidth = 0;
    int32_t boardHeight = 0;
    int32_t cols = 0;
    int32_t rows = 0;

    // Why the file could not be read (it exists but is unreadable); empty when it was read.
    std::string readProblem;
    std::string writeError;
};

// Whole-number conversion of a settings text: optional spaces, optional sign, decimal digits,
// within 32 bits. Returns false for anything else.
bool parseWholeNumber(const std::string& text, int32_t& value);

// Engine values of the stored item numbers.
int32_t fastLapsFor(int32_t giriv);
int32_t retargetEveryFor(int32_t ricalct);
int32_t bendPenaltyFor(int32_t pcurva);
int32_t diagonalPenaltyFor(int32_t pdiag);

} // namespace zelta
