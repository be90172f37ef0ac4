#pragma once

// What a save asks of the file system, as SaveCallsShim.cc sees it: the flushes and renames made
// on the program's data files (names beginning with "Lexivan", their temporary files included)
// and the flushes of directories, in call order.

#include <functional>
#include <string>
#include <vector>

namespace tellaria::test {

// Starts recording afresh; until then nothing is recorded.
void StartRecordingSaveCalls();
// The calls since the start, each as one of:
//   "sync <name> <size>"  a flush (fsync or fdatasync) of a data file, with its size then
//   "rename <from> <to>"  a rename onto a data file that succeeded
//   "sync <path>/"        a flush of a directory, by its full path
// A temporary file's name is given without its unique part, as "<name>.tmp".
std::vector<std::string> RecordedSaveCalls();

// Runs `hook` once, right after the next successful rename onto a data file, before the rename
// returns to the save that made it.
void AfterNextRename(std::function<void()> hook);

} // namespace tellaria::test
