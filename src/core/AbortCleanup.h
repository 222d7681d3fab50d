// Files that a process ending at once must not leave behind: the temporary files it made, each
// listed while it exists, so that a signal handler can remove them before the process dies.
#pragma once

#include <string>
#include <sys/types.h>

namespace zelta {

// Lists path; returns its slot, or -1 when the list is full or the path too long (the file is
// then only removed by its owner, as before).
int listForAbortCleanup(const std::string& path);
// Takes the slot's file off the list (after the file was removed, or renamed to its place).
void unlistForAbortCleanup(int slot);
// Creates a new file named stem + `letters` random letters and digits + suffix (O_EXCL, so never
// one that exists), listed from before it exists until unlistForAbortCleanup(slot): a signal at
// any moment finds it on the list. Returns the open descriptor (path and slot set), or -1 with
// errno.
int createListedFile(const std::string& stem, int letters, const char* suffix, mode_t mode, std::string& path,
                     int& slot);
// Removes every listed file. Safe in a signal handler: no allocation, no lock, only unlink.
void removeListedFiles();

} // namespace zelta
