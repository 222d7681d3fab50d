// Writes a file so that its destination ends up either with the whole new content or untouched:
// the content goes to a new file beside the destination, which replaces it only once it is
// completely written and flushed to disk.
#pragma once

#include <string>
#include <string_view>
#include <sys/types.h>
#include <vector>

namespace zelta {

// Creates folder and its missing parents, each with mode (less the umask). Returns 0 when the
// folder is there afterwards, else the reason (an errno value).
int makeFolders(const std::string& folder, mode_t mode);

// Finds out, before anything is written, whether SafeFileWriter::open would refuse a
// destination, without creating, truncating or writing it. A pipe is opened to learn whether
// anything reads it, and stays open while the probe lives: closing the only writer of a pipe
// would end the input of the program that reads it.
class OutputProbe {
public:
    OutputProbe() = default;
    ~OutputProbe();
    OutputProbe(const OutputProbe&) = delete;
    OutputProbe& operator=(const OutputProbe&) = delete;

    // Empty when destination can be written, else the reason (the system's words).
    std::string check(const std::string& destination);

private:
    std::vector<int> heldPipes_;
};

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
    // Passes on what is buffered, so that the reader of a pipe or a device gets it now; false
    // after a failure.
    bool flush() { return flushBuffer(); }
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
    // The new file is gone, or in the destination's place: nothing left to remove.
    void forgetTemporary();
    void fail(const std::string& what, int err);
    void failWith(const std::string& what, const std::string& reason);

    WriteFn writeFn_;
    bool sync_;
    int fd_ = -1;
    bool direct_ = false;
    bool failed_ = false;
    std::string target_;
    std::string tempPath_;
    int abortSlot_ = -1; // the new file's place on the list a dying process removes
    std::string buffer_;
    std::string error_;
    std::string reason_;
};

} // namespace zelta
