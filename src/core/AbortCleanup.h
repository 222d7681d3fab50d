// Files that a process ending at once must not leave behind: the temporary files it made, each
// listed while it exists, so that a signal handler can remove them before the process dies.
#pragma once

#include <string>

namespace zelta {

// Lists path; returns its slot, or -1 when the list is full or the path too long (the file is
// then only removed by its owner, as before).
int listForAbortCleanup(const std::string& path);
// Takes the slot's file off the list (after the file was removed, or renamed to its place).
void unlistForAbortCleanup(int slot);
// Removes every listed file. Safe in a signal handler: no allocation, no lock, only unlink.
void removeListedFiles();

} // namespace zelta
