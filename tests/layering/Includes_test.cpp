// The folders of src/ depend one way: core below router and fidocad, which stand beside each other;
// tracer and export (the manufacturing files' writers) on fidocad; app on router and tracer, with
// render beside app; production above export and render; the two fronts (cli, ui) on top. A file
// may include headers of its own folder and of folders below it, never of a folder above it or
// beside it; the engine folders include no toolkit header. Inside src/router, the rooms of the
// routing methods (classic/, negotiated/, jumpers/) never include each other; they and the files of
// src/router/ itself may include the shared kit grid/, which includes no room and nothing of
// src/router/ itself, and the board model model/, which includes only grid/; only the factory (Methods.cpp)
// includes the rooms, and no file outside src/router includes anything below src/router/.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// Height of each folder; folders of one height stand beside each other.
const std::map<std::string, int> Height = {
    {"core", 0}, {"router", 1}, {"fidocad", 1},    {"tracer", 2}, {"export", 2},
    {"app", 3},  {"render", 3}, {"production", 4}, {"cli", 5},    {"ui", 5},
};
const std::vector<std::string> MethodRooms = {"classic", "negotiated", "jumpers"};
const std::string SharedKit = "grid";
const std::string ModelRoom = "model";
const std::vector<std::string> EngineFolders = {"core", "router", "fidocad", "tracer", "export", "app"};

struct Include {
    std::string file;
    int line;
    std::string header;
};

std::vector<Include> includesIn(const fs::path& file) {
    std::vector<Include> found;
    std::ifstream in(file);
    std::string text;
    for (int line = 1; std::getline(in, text); ++line) {
        const size_t at = text.find("#include");
        if (at == std::string::npos || text.find_first_not_of(" \t") != at)
            continue;
        const size_t open = text.find_first_of("\"<", at);
        const size_t close = open == std::string::npos ? open : text.find_first_of("\">", open + 1);
        if (close != std::string::npos)
            found.push_back({file.string(), line, text.substr(open, close - open + 1)});
    }
    return found;
}

// The folder of src/ that a quoted header names ("router/X.h" -> router), or "".
std::string folderOf(const std::string& header) {
    if (header.front() != '"')
        return {};
    const size_t slash = header.find('/');
    return slash == std::string::npos ? std::string() : header.substr(1, slash - 1);
}

std::vector<std::string> layeringFaults() {
    std::vector<std::string> faults;
    const fs::path src = fs::path(ZELTA_SOURCE_DIR) / "src";
    for (const auto& [folder, height] : Height) {
        const bool engine =
            std::find(EngineFolders.begin(), EngineFolders.end(), folder) != EngineFolders.end();
        for (const auto& entry : fs::recursive_directory_iterator(src / folder)) {
            const std::string ext = entry.path().extension().string();
            if (ext != ".h" && ext != ".cpp")
                continue;
            for (const Include& inc : includesIn(entry.path())) {
                const std::string where =
                    inc.file + ":" + std::to_string(inc.line) + " includes " + inc.header;
                const std::string target = folderOf(inc.header);
                const auto other = Height.find(target);
                if (other != Height.end() && target != folder && other->second >= height)
                    faults.push_back(where);
                if (engine && inc.header.size() > 2 && inc.header[0] == '<' && inc.header[1] == 'Q')
                    faults.push_back(where + " (a toolkit header in the engine)");
            }
        }
    }
    return faults;
}

// The room of src/router that a path below src/router/ lies in ("classic", "grid", ...), or ""
// for a file of src/router/ itself.
std::string roomOfPath(const fs::path& relative) {
    auto it = relative.begin();
    const std::string first = it->string();
    return ++it == relative.end() ? std::string() : first;
}

// The room that a quoted router header names ("router/grid/X.h" -> grid), "" for a header of
// src/router/ itself; nullopt when the header is not a router header.
std::optional<std::string> roomOfHeader(const std::string& header) {
    const std::string prefix = "\"router/";
    if (header.rfind(prefix, 0) != 0)
        return std::nullopt;
    const std::string rest = header.substr(prefix.size());
    const size_t slash = rest.find('/');
    return slash == std::string::npos ? std::string() : rest.substr(0, slash);
}

bool isMethodRoom(const std::string& room) {
    return std::find(MethodRooms.begin(), MethodRooms.end(), room) != MethodRooms.end();
}

std::vector<std::string> routerRoomFaults() {
    std::vector<std::string> faults;
    const fs::path src = fs::path(ZELTA_SOURCE_DIR) / "src";
    for (const auto& entry : fs::recursive_directory_iterator(src)) {
        const std::string ext = entry.path().extension().string();
        if (ext != ".h" && ext != ".cpp")
            continue;
        const fs::path relative = fs::relative(entry.path(), src);
        const bool inRouter = *relative.begin() == "router";
        const std::string room = inRouter ? roomOfPath(fs::relative(entry.path(), src / "router")) : "";
        const bool factory = inRouter && relative == fs::path("router") / "Methods.cpp";
        for (const Include& inc : includesIn(entry.path())) {
            const std::optional<std::string> target = roomOfHeader(inc.header);
            if (!target)
                continue;
            const std::string where = inc.file + ":" + std::to_string(inc.line) + " includes " + inc.header;
            if (!inRouter) {
                if (!target->empty())
                    faults.push_back(where + " (outside src/router, only its own headers)");
            } else if (room == SharedKit) {
                if (*target != SharedKit)
                    faults.push_back(where + " (the shared kit includes only itself)");
            } else if (room == ModelRoom) {
                if (*target != SharedKit && *target != ModelRoom)
                    faults.push_back(where + " (the board model includes only the shared kit and itself)");
            } else if (isMethodRoom(*target) && *target != room && !factory) {
                faults.push_back(where + (room.empty() ? " (only the factory includes a method)"
                                                       : " (one method's room includes another's)"));
            }
        }
    }
    return faults;
}

TEST(Layering, NoFileIncludesAHeaderFromAFolderAboveOrBesideItsOwn) {
    const std::vector<std::string> faults = layeringFaults();
    std::string list;
    for (const std::string& f : faults)
        list += "\n  " + f;
    EXPECT_TRUE(faults.empty()) << "includes against the layering:" << list;
}

TEST(Layering, MethodRoomsOfTheRouterIncludeOnlyTheSharedKitAndTheMethodInterface) {
    const std::vector<std::string> faults = routerRoomFaults();
    std::string list;
    for (const std::string& f : faults)
        list += "\n  " + f;
    EXPECT_TRUE(faults.empty()) << "includes against the router's rooms:" << list;
}

TEST(Layering, TheRouterRoomsAreTheOnesTheRulesName) {
    // A room added without a rule here would escape the test above.
    std::vector<std::string> rooms;
    for (const auto& entry : fs::directory_iterator(fs::path(ZELTA_SOURCE_DIR) / "src" / "router"))
        if (entry.is_directory())
            rooms.push_back(entry.path().filename().string());
    std::sort(rooms.begin(), rooms.end());
    EXPECT_EQ(rooms, (std::vector<std::string>{"classic", "grid", "jumpers", "model", "negotiated"}));
}

} // namespace
