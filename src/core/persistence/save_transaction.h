#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kt {

// One file of a set that is replaced as a whole.
struct FileReplacement {
    std::string target;
    std::string_view bytes;
    // When not empty and `target` exists: the current file becomes `backup`, and the older
    // generations `backup` followed by 1 .. `generations` move one up; the oldest is dropped.
    std::string backup;
    int generations = 2;
};

struct ReplaceFailure {
    enum class Stage { Write, Backup, Commit };
    Stage stage = Stage::Write;
    std::size_t index = 0;   // the replacement concerned
    std::string file;        // the name that could not be written
    int error = 0;           // errno
    std::size_t written = 0; // bytes of the new file that were written (Stage::Write)
};

// Replaces all `files` (in one folder) so that after a crash at any moment and a following
// RecoverReplace(journal) either all of them are the old files or all are the new ones, with their
// backups. Every new file and backup is first written and flushed under a temporary name; nothing
// existing is touched before that has worked. The renames are then recorded in `journal`, flushed,
// and carried out. Temporary files that earlier, interrupted runs left behind are removed after a
// successful commit. False, with the failing step, when something could not be done; before the
// commit nothing on disk has changed then.
bool ReplaceFiles(const std::vector<FileReplacement>& files, const std::string& journal,
                  ReplaceFailure& failure);

struct WriteOutcome {
    bool ok = false;
    int error = 0;           // errno of the step that failed
    std::size_t written = 0; // bytes that reached the temporary file
};

// Writes `bytes` as the file `target` without ever leaving a half-written file under that name:
// a temporary file in the same folder is written completely and flushed, then renamed into place.
WriteOutcome WriteFileSafely(const std::string& target, std::string_view bytes);

// Completes the renames of an interrupted ReplaceFiles when `journal` exists. 0, or the errno of
// the step that failed (the journal then stays for the next try); `file` names the file.
int RecoverReplace(const std::string& journal, std::string& file);

// The journal of the collection whose film data file is `dataFile`; the same for every version
// of the data file, since they share their companion files.
std::string JournalFileOf(const std::string& dataFile);

// The prefix of the temporary files made for `target`.
std::string TemporaryPrefix(const std::string& target);

} // namespace kt
