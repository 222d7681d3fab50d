// Reading and writing of "zelta.ini", and the conversion of its item numbers to router values.
#include "core/File_ini.h"

#include "core/File_ini_text.h"
#include "core/Messages.h"
#include "core/Report.h"
#include "core/SafeFile.h"

#include <cerrno>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace zelta {

namespace {

// What a value outside a key's range does. The keys of the original program read every whole
// number, as their conversions say; a key added since has a range, and a value outside it is
// refused: from the file with a warning and the default, from a command with an error.
enum class OutOfRange { Read, Refused };

struct KeyDef {
    const char* section;
    const char* key;
    const char* defaultText;
    bool isBool;
    bool GestoreFileINI::*boolField;
    int32_t GestoreFileINI::*intField;
    // A list of whole numbers, written "4,6,8"; the range is that of each number.
    std::vector<int32_t> GestoreFileINI::*listField;
    OutOfRange outOfRange = OutOfRange::Read;
    double low = INT32_MIN;
    double high = INT32_MAX;
    // A decimal number, read with "." or ",", written with ".".
    double GestoreFileINI::*realField = nullptr;

    bool admits(double v) const { return outOfRange == OutOfRange::Read || (v >= low && v <= high); }
};

constexpr auto Refused = OutOfRange::Refused;

// The keys in the order of a newly written file: the one place that defines them, so a new key
// is one more line here (after the last of its section), with its range when it has one.
const KeyDef Keys[] = {
    {"Base", "due_facce", "0", true, &GestoreFileINI::due_facce, nullptr, nullptr},
    {"Base", "dim_auto", "0", true, &GestoreFileINI::dim_auto, nullptr, nullptr},
    {"Base", "layer_dim", "0", false, nullptr, &GestoreFileINI::layer_dim, nullptr},
    {"Base", "mm_larg_scheda", "0", false, nullptr, &GestoreFileINI::mm_larg_scheda, nullptr},
    {"Base", "mm_alt_scheda", "0", false, nullptr, &GestoreFileINI::mm_alt_scheda, nullptr},
    {"Avanzate", "ampg", "10", false, nullptr, &GestoreFileINI::ampg, nullptr},
    {"Avanzate", "giriv", "10", false, nullptr, &GestoreFileINI::giriv, nullptr},
    {"Avanzate", "ricalct", "5", false, nullptr, &GestoreFileINI::ricalct, nullptr},
    {"Avanzate", "pcurva", "0", false, nullptr, &GestoreFileINI::pcurva, nullptr},
    {"Avanzate", "pdiag", "0", false, nullptr, &GestoreFileINI::pdiag, nullptr},
    {"Avanzate", "pfaccia", "0", false, nullptr, &GestoreFileINI::pfaccia, nullptr},
    {"Avanzate", "debug", "0", false, nullptr, &GestoreFileINI::debug, nullptr},
    {"Avanzate", "ferma_vuoto", "0", false, nullptr, &GestoreFileINI::ferma_vuoto, nullptr, Refused, 0,
     1000000},
    {"Avanzate", "metodo", "0", false, nullptr, &GestoreFileINI::metodo, nullptr, Refused, 0, 1},
    {"Avanzate", "ponticelli", "0", true, &GestoreFileINI::ponticelli, nullptr, nullptr, Refused, 0, 1},
    {"Avanzate", "ponticelli_max", "20", false, nullptr, &GestoreFileINI::ponticelli_max, nullptr, Refused, 0,
     999},
    {"Avanzate", "ponticelli_passi", "4,6,8", false, nullptr, nullptr, &GestoreFileINI::ponticelli_passi,
     Refused, 1, 99},
    {"Avanzate", "isolamento", "0.3", false, nullptr, nullptr, nullptr, Refused, 0.05, 2,
     &GestoreFileINI::isolamento},
    {"Avanzate", "larghezza", "1", false, nullptr, &GestoreFileINI::larghezza, nullptr, Refused, 0, 1},
    {"Avanzate", "piste_esistenti", "0", false, nullptr, &GestoreFileINI::piste_esistenti, nullptr, Refused,
     0, 1},
};

// Reads the whole file at path. Returns 0 when read (a pipe or a device reads as empty, so that
// nothing waits on it), ENOENT when nothing is there (also when a file stands where a folder
// should), else the reason it cannot be read.
int readWholeFile(const std::string& path, std::string& content) {
    content.clear();
    struct stat st;
    if (stat(path.c_str(), &st) != 0)
        return errno == ENOTDIR ? ENOENT : errno;
    if (S_ISDIR(st.st_mode))
        return EISDIR;
    if (!S_ISREG(st.st_mode))
        return 0;
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    char buf[4096];
    for (;;) {
        ssize_t n = ::read(fd, buf, sizeof buf);
        if (n == 0)
            break;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            int err = errno;
            ::close(fd);
            return err;
        }
        content.append(buf, static_cast<size_t>(n));
    }
    ::close(fd);
    return 0;
}

// Whole numbers separated by commas, at least one.
bool parseNumberList(const std::string& text, std::vector<int32_t>& values) {
    values.clear();
    size_t start = 0;
    for (;;) {
        const size_t comma = text.find(',', start);
        int32_t v = 0;
        if (!parseWholeNumber(
                text.substr(start, comma == std::string::npos ? std::string::npos : comma - start), v))
            return false;
        values.push_back(v);
        if (comma == std::string::npos)
            return true;
        start = comma + 1;
    }
}

std::string numberListText(const std::vector<int32_t>& values) {
    // Appended piece by piece: GCC 12 at -O3 warns falsely (-Wrestrict) on a literal added to a
    // temporary string here.
    std::string text;
    for (size_t i = 0; i < values.size(); ++i) {
        if (i > 0)
            text += ',';
        text.append(std::to_string(values[i]));
    }
    return text;
}

// A number as the settings file writes it: the shortest text that reads back the same, with ".".
std::string decimalText(double value) {
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, value).ptr;
    return std::string(text, end);
}

enum class ValueCheck { Fits, NotANumber, OutOfRange };

// Reads text as the value of def's key and stores it when it fits.
ValueCheck store(GestoreFileINI& ini, const KeyDef& def, const std::string& text) {
    if (def.listField) {
        std::vector<int32_t> values;
        if (!parseNumberList(text, values))
            return ValueCheck::NotANumber;
        for (int32_t v : values)
            if (!def.admits(v))
                return ValueCheck::OutOfRange;
        ini.*def.listField = std::move(values);
        return ValueCheck::Fits;
    }
    if (def.realField) {
        double number = 0;
        if (!parseDecimalNumber(text, number))
            return ValueCheck::NotANumber;
        if (!def.admits(number))
            return ValueCheck::OutOfRange;
        ini.*def.realField = number;
        return ValueCheck::Fits;
    }
    int32_t v = 0;
    if (!parseWholeNumber(text, v))
        return ValueCheck::NotANumber;
    if (!def.admits(v))
        return ValueCheck::OutOfRange;
    if (def.isBool)
        ini.*def.boolField = v != 0;
    else
        ini.*def.intField = v;
    return ValueCheck::Fits;
}

// "from 1 to 99", as the messages say it.
std::string rangeText(const KeyDef& def) {
    return strprintf(msg::SettingRange, def.low, def.high);
}

// Asked for the effective user, who is the one that will write.
bool writableFolder(const std::string& dir) {
    return faccessat(AT_FDCWD, dir.c_str(), W_OK | X_OK, AT_EACCESS) == 0;
}

// The executable's folder: "." for a bare name, "" for the root.
std::string programFolder(const std::string& executablePath) {
    auto slash = executablePath.find_last_of('/');
    return slash == std::string::npos ? "." : executablePath.substr(0, slash);
}

bool isRegularFile(const std::string& path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

} // namespace

bool parseWholeNumber(const std::string& text, int32_t& value) {
    std::string t = trimSpaces(text);
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

bool parseDecimalNumber(const std::string& text, double& value) {
    std::string t = trimSpaces(text);
    size_t i = 0;
    bool negative = false;
    if (!t.empty() && (t[0] == '+' || t[0] == '-')) {
        negative = t[0] == '-';
        i = 1;
    }
    // Digits with at most one separator, "." or ","; no exponent, no words such as "inf".
    int digits = 0, separators = 0;
    for (size_t k = i; k < t.size(); ++k) {
        if (t[k] == '.' || t[k] == ',') {
            t[k] = '.';
            ++separators;
        } else if (t[k] >= '0' && t[k] <= '9') {
            ++digits;
        } else {
            return false;
        }
    }
    if (digits == 0 || separators > 1)
        return false;
    double v = 0;
    const auto [end, error] = std::from_chars(t.data() + i, t.data() + t.size(), v, std::chars_format::fixed);
    if (error != std::errc() || end != t.data() + t.size() || !std::isfinite(v))
        return false;
    value = negative ? -v : v;
    return true;
}

GestoreFileINI::GestoreFileINI(std::string path) : GestoreFileINI(SettingsLocation{path, path}) {}

GestoreFileINI::GestoreFileINI(const SettingsLocation& location)
    : iniFile(location.writePath), readFrom(location.readPath) {
    readOutcome = readIni();
    optionsChanged = false;
}

SettingsLocation GestoreFileINI::defaultLocation(const std::string& executablePath) {
    const std::string folder = programFolder(executablePath);
    return defaultLocation(executablePath, writableFolder(folder.empty() ? "/" : folder));
}

SettingsLocation GestoreFileINI::defaultLocation(const std::string& executablePath,
                                                 bool programFolderWritable) {
    const std::string folder = programFolder(executablePath);
    // An installed program keeps its shipped settings where it keeps its data (bin/../share/zelta)
    // and never writes beside itself: that folder belongs to the package, and a file written
    // there would give everyone the choices of whoever ran it first, and outlive the package.
    const std::string installed = folder + "/../share/zelta/zelta.ini";
    const bool isInstalled = isRegularFile(installed);
    std::string target = folder + "/zelta.ini";
    if (isInstalled || !programFolderWritable) {
        // Built by construction, not assignment: GCC 12 at -O3 warns falsely (-Wrestrict) on
        // assigning a literal to a std::string here.
        const char* xdg = std::getenv("XDG_CONFIG_HOME");
        const char* home = std::getenv("HOME");
        const std::string config = xdg && *xdg     ? std::string(xdg)
                                   : home && *home ? std::string(home) + "/.config"
                                                   : std::string(".");
        target = config + "/zelta/zelta.ini";
    }
    // A file that is there but out of reach is still the one to read: its problem is told,
    // rather than the shipped values silently taking its place.
    struct stat st;
    if (stat(target.c_str(), &st) == 0 || (errno != ENOENT && errno != ENOTDIR))
        return {target, target};
    // Until the settings are first written, the shipped ones give the first values.
    const std::string shipped = isInstalled ? installed : folder + "/zelta.ini";
    if (isRegularFile(shipped))
        return {shipped, target};
    return {target, target};
}

SettingsOutcome GestoreFileINI::readIni() {
    SettingsOutcome outcome;
    readProblem.clear();
    std::string content;
    // A missing file means defaults; a file that is there but out of reach is a problem to
    // tell, or its values would be lost at the next write.
    int err = readWholeFile(readFrom, content);
    outcome.read = err == 0;
    std::string warnings;
    auto warn = [&](const std::string& line) { warnings += (warnings.empty() ? "" : "\n") + line; };
    if (err != 0 && err != ENOENT) {
        readProblem = std::strerror(err);
        warn(strprintf(msg::SettingsUnreadable, readFrom.c_str(), readProblem.c_str()));
    }
    // Editors on some systems start a text file with a byte order mark; it is not part of the
    // first section's name.
    if (content.compare(0, 3, "\xEF\xBB\xBF") == 0)
        content.erase(0, 3);
    for (const KeyDef& def : Keys) {
        std::string text = def.defaultText;
        findProfileValue(content, def.section, def.key, text);
        switch (store(*this, def, text)) {
        case ValueCheck::Fits:
            break;
        case ValueCheck::NotANumber:
            outcome.notice = {Notice::Kind::Error,
                              strprintf(def.realField ? msg::SettingsBadDecimal : msg::SettingsBadValue,
                                        readFrom.c_str(), def.section, def.key, text.c_str())};
            return outcome;
        case ValueCheck::OutOfRange:
            warn(strprintf(msg::SettingsOutOfRange, readFrom.c_str(), def.section, def.key, text.c_str(),
                           rangeText(def).c_str(), def.defaultText));
            store(*this, def, def.defaultText);
            break;
        }
    }
    if (!warnings.empty())
        outcome.notice = {Notice::Kind::Warning, warnings};
    return outcome;
}

Notice GestoreFileINI::setByKey(const std::string& key, const std::string& value) {
    for (const KeyDef& def : Keys) {
        if (!sameName(key, def.key))
            continue;
        switch (store(*this, def, value)) {
        case ValueCheck::Fits:
            return {};
        case ValueCheck::NotANumber:
            return {Notice::Kind::Error,
                    strprintf(def.realField ? msg::SettingNotDecimal : msg::SettingNotWhole, key.c_str())};
        case ValueCheck::OutOfRange:
            return {Notice::Kind::Error,
                    strprintf(msg::SettingOutOfRange, key.c_str(), value.c_str(), rangeText(def).c_str())};
        }
    }
    return {Notice::Kind::Error, strprintf(msg::SettingUnknownKey, key.c_str())};
}

bool GestoreFileINI::writeIni() {
    writeError.clear();
    auto failed = [this](const std::string& path, int err) {
        writeError =
            strprintf(msg::SettingsUnwritable, iniFile.c_str(), (path + ": " + std::strerror(err)).c_str());
        return false;
    };
    // The lines that are not ours come from the file being replaced or, when there is none yet,
    // from the file the values were read from. A file that is there but cannot be read is not
    // replaced, or its other lines would be lost; a shipped file that cannot be read only has no
    // lines to lend, and must not keep the person from saving their own settings.
    std::string current;
    int err = readWholeFile(iniFile, current);
    if (err != 0 && err != ENOENT)
        return failed(iniFile, err);
    if (err == ENOENT && readFrom != iniFile && readWholeFile(readFrom, current) != 0)
        current.clear();

    std::vector<ProfileValue> values;
    for (const KeyDef& def : Keys) {
        if (def.listField) {
            values.push_back({def.section, def.key, numberListText(this->*def.listField)});
            continue;
        }
        if (def.realField) {
            values.push_back({def.section, def.key, decimalText(this->*def.realField)});
            continue;
        }
        int32_t v = def.isBool ? (this->*def.boolField ? 1 : 0) : this->*def.intField;
        values.push_back({def.section, def.key, strprintf("%i", v)});
    }
    const std::string content = profileWithValues(current, values);

    // The folder of a personal settings file may not exist yet; it is private to its user.
    auto slash = iniFile.find_last_of('/');
    if (slash != std::string::npos && slash > 0) {
        const std::string folder = iniFile.substr(0, slash);
        if (int made = makeFolders(folder, 0700); made != 0)
            return failed(folder, made);
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
