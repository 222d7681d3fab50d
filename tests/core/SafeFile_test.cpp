// Replacing a file by rename: the destination keeps its mode, owner and link, any legal name can
// be written, a failed write leaves it and its folder as they were and says why, and what cannot
// be renamed over is written in place.
#include "core/SafeFile.h"

#include "core/AbortCleanup.h"
#include "core/Messages.h"
#include "core/TempFile.h"
#include "support/TestFiles.h"
#include "support/Unprivileged.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <thread>
#include <unistd.h>

namespace zelta {
namespace {

using testing::readFile;
using testing::ScratchDir;

bool replace(const std::string& path, const std::string& content, SafeFileWriter::WriteFn fn = nullptr) {
    SafeFileWriter out(fn, false);
    if (!out.open(path))
        return false;
    out.write(content);
    return out.commit();
}

ssize_t diskFull(int, const void*, size_t) {
    errno = ENOSPC;
    return -1;
}

int entriesIn(const std::string& folder) {
    int n = 0;
    for ([[maybe_unused]] auto& e : std::filesystem::directory_iterator(folder))
        ++n;
    return n;
}

TEST(SafeFileWriter, ReplacingAFileKeepsItsMode) {
    ScratchDir dir;
    std::string path = dir.write("a.txt", "old");
    ASSERT_EQ(chmod(path.c_str(), 0640), 0);
    ASSERT_TRUE(replace(path, "new"));
    EXPECT_EQ(readFile(path), "new");
    struct stat st;
    ASSERT_EQ(stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
}

TEST(SafeFileWriter, ReplacingAFileKeepsItsOwner) {
    if (geteuid() != 0)
        GTEST_SKIP() << "only root can make a file of another user";
    ScratchDir dir;
    std::string path = dir.write("a.txt", "old");
    ASSERT_EQ(chown(path.c_str(), 65534, 65534), 0);
    // Set after the change of owner, which clears it.
    ASSERT_EQ(chmod(path.c_str(), 02640), 0);
    ASSERT_TRUE(replace(path, "new"));
    EXPECT_EQ(readFile(path), "new");
    struct stat st;
    ASSERT_EQ(stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_uid, 65534u);
    EXPECT_EQ(st.st_gid, 65534u);
    EXPECT_EQ(st.st_mode & 07777, 02640u);
}

TEST(SafeFileWriter, AFileWithTheLongestLegalNameCanBeWrittenAndReplaced) {
    ScratchDir dir;
    for (size_t length : {250, 255}) {
        std::string path = dir.file(std::string(length, 'n'));
        ASSERT_TRUE(replace(path, "first")) << length;
        ASSERT_TRUE(replace(path, "second")) << length;
        EXPECT_EQ(readFile(path), "second");
    }
    EXPECT_EQ(entriesIn(dir.path()), 2);
}

TEST(SafeFileWriter, ASymbolicLinkIsFollowedAndStaysALink) {
    ScratchDir dir;
    std::string target = dir.write("real.txt", "old");
    std::string link = dir.file("link.txt");
    ASSERT_EQ(symlink("real.txt", link.c_str()), 0);
    ASSERT_TRUE(replace(link, "new"));
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(std::filesystem::read_symlink(link), "real.txt");
    EXPECT_EQ(readFile(target), "new");
}

TEST(SafeFileWriter, AFailedWriteLeavesTheDestinationAndNoTemporaryFile) {
    ScratchDir dir;
    std::string path = dir.write("a.txt", "old");
    SafeFileWriter out(diskFull, false);
    ASSERT_TRUE(out.open(path));
    out.write("new");
    EXPECT_FALSE(out.commit());
    EXPECT_FALSE(out.error().empty());
    EXPECT_EQ(readFile(path), "old");
    EXPECT_EQ(entriesIn(dir.path()), 1);
}

TEST(SafeFileWriter, EveryFailureGivesTheSystemsReason) {
    ScratchDir dir;
    auto reasonOf = [](const std::string& path, SafeFileWriter::WriteFn fn = nullptr) {
        SafeFileWriter out(fn, false);
        if (out.open(path)) {
            out.write("new");
            if (out.commit())
                return std::string("written");
        }
        EXPECT_NE(out.error().find(out.reason()), std::string::npos) << out.error();
        return out.reason();
    };
    EXPECT_EQ(reasonOf(dir.path()), std::strerror(EISDIR));
    EXPECT_EQ(reasonOf(dir.file("missing/a.txt")), std::strerror(ENOENT));
    EXPECT_EQ(reasonOf(dir.file("a.txt"), diskFull), std::strerror(ENOSPC));
    if (::access("/dev/full", W_OK) == 0) {
        EXPECT_EQ(reasonOf("/dev/full"), std::strerror(ENOSPC));
    }

    SafeFileWriter unopened;
    EXPECT_FALSE(unopened.commit());
    EXPECT_EQ(unopened.reason(), std::strerror(EBADF));
}

TEST(SafeFileWriter, APipeIsWrittenInPlace) {
    ScratchDir dir;
    std::string fifo = dir.file("pipe");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    // Our own read end lets the writer open the pipe without waiting for a reader.
    int readEnd = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(readEnd, 0);
    ASSERT_TRUE(replace(fifo, "through the pipe"));
    char buf[64] = {};
    ssize_t n = ::read(readEnd, buf, sizeof buf);
    ::close(readEnd);
    EXPECT_EQ(std::string(buf, n > 0 ? static_cast<size_t>(n) : 0), "through the pipe");
    EXPECT_TRUE(std::filesystem::is_fifo(fifo));
    EXPECT_EQ(entriesIn(dir.path()), 1);
}

TEST(SafeFileWriter, APipeThatNobodyReadsIsRefusedAtOnce) {
    ScratchDir dir;
    std::string fifo = dir.file("pipe");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    // A writer that waited for a reader is let go after a while, so that it fails here instead
    // of holding the suite.
    std::atomic<bool> done = false;
    std::thread rescuer([&] {
        for (int i = 0; i < 500 && !done; ++i)
            usleep(10000);
        if (!done)
            ::close(::open(fifo.c_str(), O_RDONLY | O_NONBLOCK));
    });
    SafeFileWriter out(nullptr, false);
    const bool opened = out.open(fifo);
    done = true;
    rescuer.join();
    EXPECT_FALSE(opened);
    EXPECT_EQ(out.reason(), msg::PipeWithoutReader);
    EXPECT_TRUE(std::filesystem::is_fifo(fifo));
    EXPECT_EQ(entriesIn(dir.path()), 1);
}

TEST(SafeFileWriter, ADeviceIsWrittenInPlace) {
    // A private copy of the null device: a writer that renamed over it would not harm the
    // system's own.
    ScratchDir dir;
    std::string device = dir.file("null");
    if (mknod(device.c_str(), S_IFCHR | 0666, makedev(1, 3)) != 0)
        GTEST_SKIP() << "no right to make a device node";
    ASSERT_TRUE(replace(device, "discarded"));
    EXPECT_TRUE(std::filesystem::is_character_file(device));
    EXPECT_EQ(entriesIn(dir.path()), 1);
}

TEST(OutputProbe, RefusesWhatTheWriterWouldRefuseAndTouchesNothing) {
    ScratchDir dir;
    const std::string existing = dir.write("old.txt", "old");
    std::filesystem::create_directory(dir.file("folder"));
    const std::string fifo = dir.file("pipe");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    OutputProbe probe;
    EXPECT_EQ(probe.check(dir.file("new.txt")), "");
    EXPECT_EQ(probe.check(existing), "");
    EXPECT_EQ(probe.check("/dev/null"), "");
    EXPECT_EQ(probe.check(dir.file("missing/a.txt")), std::strerror(ENOENT));
    EXPECT_EQ(probe.check(existing + "/a.txt"), std::strerror(ENOTDIR));
    EXPECT_EQ(probe.check(dir.file("folder")), std::strerror(EISDIR));
    EXPECT_EQ(probe.check(fifo), msg::PipeWithoutReader);
    EXPECT_EQ(readFile(existing), "old");
    EXPECT_FALSE(testing::fileExists(dir.file("new.txt")));
    EXPECT_EQ(entriesIn(dir.path()), 3);

    const std::string locked = dir.file("locked");
    std::filesystem::create_directory(locked);
    const std::string readOnly = dir.write("folder/read-only.txt", "kept");
    ASSERT_EQ(chmod(locked.c_str(), 0555), 0);
    ASSERT_EQ(chmod(readOnly.c_str(), 0444), 0);
    testing::WithoutRootRights user;
    if (!user.active())
        GTEST_SKIP() << "cannot give up root's rights";
    EXPECT_EQ(probe.check(locked + "/a.txt"), std::strerror(EACCES));
    EXPECT_EQ(probe.check(readOnly), std::strerror(EACCES));
}

TEST(OutputProbe, KeepsAReadPipeOpenUntilItGoes) {
    // A reader of the pipe sees the end of its input only once the probe and every writer are
    // gone: the check alone must not end it.
    ScratchDir dir;
    const std::string fifo = dir.file("pipe");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const int readEnd = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(readEnd, 0);
    char buf[8];
    {
        OutputProbe probe;
        ASSERT_EQ(probe.check(fifo), "");
        errno = 0;
        EXPECT_EQ(::read(readEnd, buf, sizeof buf), -1) << "no end of input while the probe holds the pipe";
        EXPECT_EQ(errno, EAGAIN);
    }
    EXPECT_EQ(::read(readEnd, buf, sizeof buf), 0);
    ::close(readEnd);
}

TEST(AbortCleanup, ADyingProcessLeavesNoNewFileOfAWriteInProgressNorATemporaryFile) {
    ScratchDir dir;
    const std::string path = dir.write("a.txt", "old");
    SafeFileWriter out(nullptr, false);
    ASSERT_TRUE(out.open(path));
    out.write("half");
    EXPECT_EQ(entriesIn(dir.path()), 2);
    {
        const std::string tmpdir = dir.file("tmp");
        std::filesystem::create_directory(tmpdir);
        setenv("TMPDIR", tmpdir.c_str(), 1);
        TempFile copy;
        const bool made = copy.create();
        unsetenv("TMPDIR");
        ASSERT_TRUE(made);
        EXPECT_EQ(entriesIn(tmpdir), 1);
        // What a signal handler does before the process dies.
        removeListedFiles();
        EXPECT_EQ(entriesIn(tmpdir), 0);
    }
    EXPECT_EQ(entriesIn(dir.path()), 2) << "only the tmp folder and the destination are left";
    EXPECT_FALSE(out.commit());
    EXPECT_EQ(readFile(path), "old");

    // A write that ended is off the list: its destination stays.
    ASSERT_TRUE(replace(path, "new"));
    removeListedFiles();
    EXPECT_EQ(readFile(path), "new");
}

} // namespace
} // namespace zelta
