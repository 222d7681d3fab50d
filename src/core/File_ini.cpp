// Reading and writing of "zelta.ini", and the conversion of its item numbers to router values.
#include "core/File_ini.h"

#include "core/Messages.h"
#include "core/Report.h"
#include "core/SafeFile.h"

#include <array>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace zelta {

namespace {

struct KeyDef {
    const char* section;
    const char* key;
    const char* defaultText;
    bool isBool;
    bool GestoreFileINI::*boolField;
    int32_t GestoreFileINI::*intField;
};

// The keys in the order of a newly written file; a key added later goes last, so that older
// files and readers keep working.
const std::array<KeyDef, 13> Keys = {{
    {"Base", "due_facce", "0", true, &GestoreFileINI::due_facce, nullptr},
    {"Base", "dim_auto", "0", true, &GestoreFileINI::dim_auto, nullptr},
    {"Base", "layer_dim", "0", false, nullptr, &GestoreFileINI::layer_dim},
    {"Base", "mm_larg_scheda", "0", false, nullptr, &GestoreFileINI::mm_larg_scheda},
    {"Base", "mm_alt_scheda", "0", false, nullptr, &GestoreFileINI::mm_alt_scheda},
    {"Avanzate", "ampg", "10", false, nullptr, &GestoreFileINI::ampg},
    {"Avanzate", "giriv", "10", false, nullptr, &GestoreFileINI::giriv},
    {"Avanzate", "ricalct", "5", false, nullptr, &GestoreFileINI::ricalct},
    {"Avanzate", "pcurva", "0", false, nullptr, &GestoreFileINI::pcurva},
    {"Avanzate", "pdiag", "0", false, nullptr, &GestoreFileINI::pdiag},
    {"Avanzate", "pfaccia", "0", false, nullptr, &GestoreFileINI::pfaccia},
    {"Avanzate", "debug", "0", false, nullptr, &GestoreFileINI::debug},
    {"Avanzate", "metodo", "0", false, nullptr, &GestoreFileINI::metodo},
}};

std::string trim(const std::string& s) {
    size_t b = s.find_first_not_of(" \t\r");
    if (b == std::string::npos)
        return {};
    size_t e = s.find_last_not_of(" \t\r");
    return s.substr(b, e - b + 1);
}

bool sameText(const std::string& a, const char* b) {
    return strcasecmp(a.c_str(), b) == 0;
}

// One value of a profile file: the first "key=value" line of the section, keys and sections
// compared without regard to case, as the platform's profile files do.
bool lookup(const std::string& content, const char* section, const char* key, std::string& value) {
    bool inSection = false;
    size_t pos = 0;
    while (pos <= content.size()) {
        size_t end = content.find('\n', pos);
        if (end == std::string::npos)
            end = content.size();
        std::string line = trim(content.substr(pos, end - pos));
        pos = end + 1;
        if (line.empty() || line[0] == ';' || line[0] == '#')
            continue;
        if (line[0] == '[') {
            size_t close = line.find(']');
            inSection = close != std::string::npos && sameText(trim(line.substr(1, close - 1)), section);
            continue;
        }
        if (!inSection)
            continue;
        size_t eq = line.find('=');
        if (eq == std::string::npos)
            continue;
        if (sameText(trim(line.substr(0, eq)), key)) {
            value = trim(line.substr(eq + 1));
            return true;
        }
    }
    return false;
}

void store(GestoreFileINI& ini, const KeyDef& def, const std::string& text) {
    int32_t v = 0;
    if (!parseWholeNumber(text, v))
        throw SettingsError(
            strprintf(msg::SettingsBadValue, ini.iniFile.c_str(), def.section, def.key, text.c_str()));
    if (def.isBool)
        ini.*def.boolField = v != 0;
    else
        ini.*def.intField = v;
}

bool writableDir(const std::string& dir) {
    return access(dir.c_str(), W_OK | X_OK) == 0;
}

} // namespace

bool parseWholeNumber(const std::string& text, int32_t& value) {
    std::string t = trim(text);
    if (t.empty())
        return false;
    size_t i = 0;
    bool negative = false;
    if (t[0] == '+' || t[0] == '-') {
        negative = t[0] == '-';
        i = 1;
    }
    if (i == t.size())
        return false;
    int64_t v = 0;
    for (; i < t.size(); ++i) {
        if (t[i] < '0' || t[i] > '9')
            return false;
        v = v * 10 + (t[i] - '0');
        if (v > int64_t{INT32_MAX} + 1)
            return false;
    }
    if (negative)
        v = -v;
    if (v < INT32_MIN || v > INT32_MAX)
        return false;
    value = static_cast<int32_t>(v);
    return true;
}

GestoreFileINI::GestoreFileINI(std::string path) : iniFile(std::move(path)) {
    readIni();
    optionsChanged = false;
}

std::string GestoreFileINI::defaultPath(const std::string& executablePath) {
    auto slash = executablePath.find_last_of('/');
    std::string exeDir = slash == std::string::npos ? "." : executablePath.substr(0, slash);
    if (!exeDir.empty() && writableDir(exeDir))
        return exeDir + "/zelta.ini";
    // Built by construction, not assignment: GCC 12 at -O3 warns falsely (-Wrestrict) on
    // assigning a literal to a std::string here.
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    const char* home = std::getenv("HOME");
    const std::string config = xdg && *xdg     ? std::string(xdg)
                               : home && *home ? std::string(home) + "/.config"
                                               : std::string(".");
    return config + "/zelta/zelta.ini";
}

void GestoreFileINI::readIni() {
    readProblem.clear();
    std::string content;
    struct stat st;
    if (stat(iniFile.c_str(), &st) == 0) {
        std::ifstream in;
        if (S_ISDIR(st.st_mode)) {
            readProblem = std::strerror(EISDIR);
        } else {
            in.open(iniFile, std::ios::binary);
            if (!in)
                readProblem = std::strerror(errno ? errno : EACCES);
            else
                content.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        }
    } else if (errno != ENOENT && errno != ENOTDIR) {
        // A missing file means defaults; a file that is there but out of reach is a problem to
        // tell, or its values would be lost at the next write.
        readProblem = std::strerror(errno);
    }
    // Editors on some systems start a text file with a byte order mark; it is not part of the
    // first section's name.
    if (content.compare(0, 3, "\xEF\xBB\xBF") == 0)
        content.erase(0, 3);
    for (const KeyDef& def : Keys) {
        std::string text = def.defaultText;
        lookup(content, def.section, def.key, text);
        store(*this, def, text);
    }
}

bool GestoreFileINI::setByKey(const std::string& key, const std::string& value) {
    for (const KeyDef& def : Keys) {
        if (sameText(key, def.key)) {
            store(*this, def, value);
            return true;
        }
    }
    return false;
}

bool GestoreFileINI::writeIni() {
    writeError.clear();
    std::string content;
    const char* section = "";
    for (const KeyDef& def : Keys) {
        if (std::strcmp(section, def.section) != 0) {
            section = def.section;
            content += strprintf("[%s]\n", section);
        }
        int32_t v = def.isBool ? (this->*def.boolField ? 1 : 0) : this->*def.intField;
        content += strprintf("%s=%i\n", def.key, v);
    }
    // The folder of a per-user settings file may not exist yet.
    auto slash = iniFile.find_last_of('/');
    if (slash != std::string::npos && slash > 0) {
        std::string dir = iniFile.substr(0, slash);
        struct stat st;
        if (stat(dir.c_str(), &st) != 0) {
            std::string partial;
            for (size_t i = 1; i <= dir.size(); ++i) {
                if (i == dir.size() || dir[i] == '/') {
                    partial = dir.substr(0, i);
                    mkdir(partial.c_str(), 0777);
                }
            }
        }
    }
    SafeFileWriter out;
    if (!out.open(iniFile)) {
        writeError = strprintf(msg::SettingsUnwritable, iniFile.c_str(), out.error().c_str());
        return false;
    }
    out.write(content);
    if (!out.commit()) {
        writeError = strprintf(msg::SettingsUnwritable, iniFile.c_str(), out.error().c_str());
        return false;
    }
    return true;
}

int32_t fastLapsFor(int32_t giriv) {
    switch (giriv) {
    case 0:
        return 0;
    case 1:
        return 1;
    case 2:
        return 5;
    default:
        return 10;
    }
}

int32_t retargetEveryFor(int32_t ricalct) {
    switch (ricalct) {
    case 0:
        return 0;
    case 1:
        return 2;
    case 2:
        return 5;
    default:
        return 10;
    }
}

int32_t bendPenaltyFor(int32_t pcurva) {
    switch (pcurva) {
    case 0:
        return -3;
    case 1:
        return -1;
    case 2:
        return 0;
    case 3:
        return 4;
    default:
        return 8;
    }
}

int32_t diagonalPenaltyFor(int32_t pdiag) {
    switch (pdiag) {
    case 0:
        return -5;
    case 1:
        return -2;
    case 2:
        return 0;
    case 3:
        return 2;
    default:
        return 5;
    }
}

} // namespace zelta
