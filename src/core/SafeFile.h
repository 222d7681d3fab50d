// Writes a file so that its destination ends up either with the whole new content or untouched:
// the content goes to a new file beside the destination, which replaces it only once it is
// completely written and flushed to disk.
#pragma once

#include <string>
#include <string_view>
#include <sys/types.h>

namespace zelta {

// Creates folder and its missing parents, each with mode (less the umask). Returns 0 when the
// folder is there afterwards, else the reason (an errno value).
int makeFolders(const std::string& folder, mode_t mode);

class SafeFileWriter {
public:
    // The system call used for every write; tests put a failing one in its place.
    using WriteFn = ssize_t (*)(int, const void*, size_t);

    // sync: flush the new file to disk before it replaces the destination.
    explicit SafeFileWriter(WriteFn writeFn = nullptr, bool sync = true);
    ~SafeFileWriter();
    SafeFileWriter(const SafeFileWriter&) = delete;
    SafeFileWriter& operator=(const SafeFileWriter&) = delete;

    // Prepares to replace destination. A symbolic link is followed (the link stays a link);
    // a destination that exists and is not a regular file (a device, a pipe) is written directly,
    // and a pipe that nobody reads is refused rather than waited for;
    // one that this process may not write (a read-only file) is refused. The new file takes the
    // mode and, where the process may give it, the owner of the file it replaces. A file with
    // other hard links is replaced too: the destination is always whole, old or new, and the
    // other names keep the previous content (copying into the shared file would leave it half
    // written if the copy broke off).
    bool open(const std::string& destination);
    void write(std::string_view data);
    // Flushes, syncs and puts the new file in place. On failure the destination is untouched.
    bool commit();
    // Drops the new file; the destination stays as it was.
    void abort();

    void setWriteFn(WriteFn writeFn) { writeFn_ = writeFn ? writeFn : defaultWrite; }
    static ssize_t defaultWrite(int fd, const void* data, size_t size);
    // After a failure: the file and the system's reason ("path: reason"), and the reason alone.
    const std::string& error() const { return error_; }
    const std::string& reason() const { return reason_; }

private:
    bool flushBuffer();
    void fail(const std::string& what, int err);
    void failWith(const std::string& what, const std::string& reason);

    WriteFn writeFn_;
    bool sync_;
    int fd_ = -1;
    bool direct_ = false;
    bool failed_ = false;
    std::string target_;
    std::string tempPath_;
    std::string buffer_;
    std::string error_;
    std::string reason_;
};

} // namespace zelta
