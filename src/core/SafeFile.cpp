// Replace-by-rename file writing with symbolic-link following and direct writes to devices.
#include "core/SafeFile.h"

#include "core/AbortCleanup.h"
#include "core/Messages.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zelta {

namespace {

constexpr size_t FlushThreshold = 1 << 16;

std::string dirName(const std::string& path) {
    auto slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    if (slash == 0)
        return "/";
    return path.substr(0, slash);
}

// Creates a new file with a short unused name in folder: the destination's own name may already
// be as long as a name can be, so the new name does not build on it. Returns the descriptor, or
// -1 with errno set.
// Follows a chain of symbolic links to the path they finally name, even when that path
// does not exist yet (a dangling link is written through, not replaced).
std::string followLinks(std::string path) {
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st;
        if (lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return path;
        char buf[PATH_MAX];
        ssize_t n = readlink(path.c_str(), buf, sizeof buf - 1);
        if (n <= 0)
            return path;
        std::string link(buf, static_cast<size_t>(n));
        path = link.front() == '/' ? link : dirName(path) + "/" + link;
    }
    return path;
}

} // namespace

int makeFolders(const std::string& folder, mode_t mode) {
    struct stat st;
    if (stat(folder.c_str(), &st) == 0)
        return S_ISDIR(st.st_mode) ? 0 : ENOTDIR;
    const std::string parent = dirName(folder);
    if (parent != folder && parent != ".")
        if (int err = makeFolders(parent, mode); err != 0)
            return err;
    // Another process may make it at the same moment.
    if (mkdir(folder.c_str(), mode) != 0 && errno != EEXIST)
        return errno;
    return 0;
}

OutputProbe::~OutputProbe() {
    for (int fd : heldPipes_)
        ::close(fd);
}

std::string OutputProbe::check(const std::string& destination) {
    if (destination.empty())
        return std::strerror(ENOENT);
    // The same rules as SafeFileWriter::open, asked instead of done.
    struct stat st;
    const bool exists = stat(destination.c_str(), &st) == 0;
    if (!exists && errno != ENOENT)
        return std::strerror(errno);
    if (exists && S_ISDIR(st.st_mode))
        return std::strerror(EISDIR);
    if (exists && !S_ISREG(st.st_mode)) {
        const int fd = ::open(destination.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            return errno == ENXIO && S_ISFIFO(st.st_mode) ? msg::PipeWithoutReader : std::strerror(errno);
        if (S_ISFIFO(st.st_mode))
            heldPipes_.push_back(fd);
        else
            ::close(fd);
        return {};
    }
    const std::string target = followLinks(destination);
    if (exists && faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0)
        return std::strerror(errno);
    // The new file is made beside the destination and renamed over it.
    const std::string folder = dirName(target);
    struct stat fst;
    if (stat(folder.c_str(), &fst) != 0)
        return std::strerror(errno);
    if (!S_ISDIR(fst.st_mode))
        return std::strerror(ENOTDIR);
    if (faccessat(AT_FDCWD, folder.c_str(), W_OK | X_OK, AT_EACCESS) != 0)
        return std::strerror(errno);
    return {};
}

ssize_t SafeFileWriter::defaultWrite(int fd, const void* data, size_t size) {
    return ::write(fd, data, size);
}

SafeFileWriter::SafeFileWriter(WriteFn writeFn, bool sync)
    : writeFn_(writeFn ? writeFn : defaultWrite), sync_(sync) {}

SafeFileWriter::~SafeFileWriter() {
    abort();
}

void SafeFileWriter::fail(const std::string& what, int err) {
    failWith(what, std::strerror(err));
}

void SafeFileWriter::failWith(const std::string& what, const std::string& reason) {
    if (!failed_) {
        reason_ = reason;
        error_ = what + ": " + reason_;
    }
    failed_ = true;
}

bool SafeFileWriter::open(const std::string& destination) {
    abort();
    failed_ = false;
    error_.clear();
    reason_.clear();
    buffer_.clear();
    if (destination.empty()) {
        fail("(nome vuoto)", ENOENT);
        return false;
    }

    struct stat st;
    bool exists = stat(destination.c_str(), &st) == 0;
    if (exists && S_ISDIR(st.st_mode)) {
        fail(destination, EISDIR);
        return false;
    }
    if (exists && !S_ISREG(st.st_mode)) {
        direct_ = true;
        target_ = destination;
        // Opened without waiting: a pipe that nobody reads would hold a blocking open for ever.
        // The writes that follow wait as usual, for a reader that is there.
        fd_ = ::open(destination.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd_ < 0) {
            if (errno == ENXIO && S_ISFIFO(st.st_mode))
                failWith(destination, msg::PipeWithoutReader);
            else
                fail(destination, errno);
            return false;
        }
        const int flags = fcntl(fd_, F_GETFL);
        if (flags < 0 || fcntl(fd_, F_SETFL, flags & ~O_NONBLOCK) < 0) {
            fail(destination, errno);
            ::close(fd_);
            fd_ = -1;
            return false;
        }
        return true;
    }

    direct_ = false;
    target_ = followLinks(destination);
    // Renaming over a file needs only the folder's permission; a file its owner made read-only
    // is refused as an open for writing would refuse it.
    if (exists && faccessat(AT_FDCWD, target_.c_str(), W_OK, AT_EACCESS) != 0) {
        fail(target_, errno);
        return false;
    }
    // A new file starts private and takes the old file's owner before its mode, since a change
    // of owner clears the set-id bits. Without an old file, the usual mode for a new file.
    std::string temp;
    fd_ = createListedFile(dirName(target_) + "/.zelta-", 8, "", exists ? 0600 : 0666, temp, abortSlot_);
    if (fd_ < 0) {
        fail(target_, errno);
        return false;
    }
    tempPath_ = temp;
    if (exists) {
        // Only a privileged process may give a file away; a failure leaves it this user's.
        [[maybe_unused]] int owned = fchown(fd_, st.st_uid, st.st_gid);
        fchmod(fd_, st.st_mode & 07777);
    }
    return true;
}

void SafeFileWriter::write(std::string_view data) {
    if (fd_ < 0 || failed_)
        return;
    buffer_.append(data);
    if (buffer_.size() >= FlushThreshold)
        flushBuffer();
}

bool SafeFileWriter::flushBuffer() {
    size_t done = 0;
    while (done < buffer_.size() && !failed_) {
        ssize_t n = writeFn_(fd_, buffer_.data() + done, buffer_.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            fail(target_, errno);
        } else if (n == 0) {
            fail(target_, ENOSPC);
        } else {
            done += static_cast<size_t>(n);
        }
    }
    buffer_.clear();
    return !failed_;
}

bool SafeFileWriter::commit() {
    if (fd_ < 0) {
        fail(target_.empty() ? "(nessun file)" : target_, EBADF);
        return false;
    }
    flushBuffer();
    if (!failed_ && !direct_ && sync_ && fsync(fd_) != 0)
        fail(target_, errno);
    if (::close(fd_) != 0 && !failed_)
        fail(target_, errno);
    fd_ = -1;
    if (!failed_ && !direct_ && std::rename(tempPath_.c_str(), target_.c_str()) != 0)
        fail(target_, errno);
    if (failed_) {
        if (!direct_ && !tempPath_.empty())
            ::unlink(tempPath_.c_str());
        forgetTemporary();
        return false;
    }
    forgetTemporary();
    return true;
}

void SafeFileWriter::forgetTemporary() {
    unlistForAbortCleanup(abortSlot_);
    abortSlot_ = -1;
    tempPath_.clear();
}

void SafeFileWriter::abort() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    if (!tempPath_.empty()) {
        ::unlink(tempPath_.c_str());
        forgetTemporary();
    }
    buffer_.clear();
}

} // namespace zelta
