// The desktop program under SIGTERM and SIGINT: started as a child on the offscreen platform with
// a drawing, signalled once the drawing is read (its message box still open), and judged by its
// exit status and by what it leaves in its temporary folder.
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace zelta::testing {
namespace {

using Clock = std::chrono::steady_clock;

// The cleaned copy of the drawing that the read writes, once the event loop runs.
bool drawingRead(const std::string& folder) {
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec))
        if (entry.path().extension() == ".tmp" && std::filesystem::file_size(entry.path(), ec) > 0)
            return true;
    return false;
}

std::vector<std::string> leftBehind(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec))
        if (entry.path().filename().string().rfind("zelta-", 0) == 0)
            names.push_back(entry.path().filename().string());
    return names;
}

// Runs the program on a board, sends it sig once the drawing is read, and returns its wait status
// (-1 when it did not end within the limit).
int runAndSignal(const ScratchDir& dir, int sig) {
    const std::string tmp = dir.file("tmp");
    std::filesystem::create_directories(tmp);
    std::vector<std::string> env = {"TMPDIR=" + tmp, "QT_QPA_PLATFORM=offscreen"};
    for (char** e = environ; *e; ++e)
        if (std::strncmp(*e, "TMPDIR=", 7) != 0 && std::strncmp(*e, "QT_QPA_PLATFORM=", 16) != 0)
            env.emplace_back(*e);
    std::vector<std::string> args = {ZELTA_GUI, boardPath("tiny-2nets.fcd")};
    std::vector<char*> argp, envp;
    for (std::string& a : args)
        argp.push_back(a.data());
    argp.push_back(nullptr);
    for (std::string& e : env)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = -1;
    const int spawned = posix_spawn(&pid, ZELTA_GUI, &actions, nullptr, argp.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return -1;

    int status = -1;
    const auto deadline = Clock::now() + std::chrono::seconds(60);
    while (!drawingRead(tmp) && Clock::now() < deadline && waitpid(pid, &status, WNOHANG) == 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    ::kill(pid, sig);
    while (Clock::now() < deadline) {
        if (waitpid(pid, &status, WNOHANG) == pid)
            return status;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    ::kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    return -1;
}

TEST(QuitOnSignal, TheProgramEndsWithTheSignalsStatusAndLeavesNoCopyOfTheDrawing) {
    for (int sig : {SIGTERM, SIGINT}) {
        ScratchDir dir;
        const int status = runAndSignal(dir, sig);
        ASSERT_TRUE(status != -1 && WIFEXITED(status)) << "signal " << sig << ", wait status " << status;
        EXPECT_EQ(WEXITSTATUS(status), 128 + sig);
        EXPECT_TRUE(leftBehind(dir.file("tmp")).empty()) << leftBehind(dir.file("tmp")).front();
    }
}

} // namespace
} // namespace zelta::testing
