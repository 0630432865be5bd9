#pragma once

#include <string>
#include <vector>

namespace kt {

// The notepad's files "Memo1.TXT", "Memo2.TXT", … in one folder.
struct MemoFile {
    std::string name; // the file name as found, without the folder
    std::string text; // Windows-1252, lines separated by "\n"
};

// The folder beside the configuration file, where the notes live.
std::string MemoFolder();

// The files matching "Memo*.TXT" (any letter case) in `folder`, in numeric order of the number
// after "Memo"; names without a number come last, by name. Unreadable files are left out.
std::vector<MemoFile> LoadMemoFiles(const std::string& folder);

// The file's bytes for a text: every line ends in CR LF.
std::string MemoFileBytes(const std::string& text);

struct MemoSaveResult {
    bool ok = true;
    bool textsSaved = true; // false: a note could not be written (else only a removal failed)
    std::string file;       // the file that could not be written or removed
    std::string reason;     // German, from errno
};

// Writes the non-empty `texts` as "Memo1.TXT", "Memo2.TXT", … (each through a temporary file),
// then removes those of `loaded` that were not just written, so that a deleted or emptied page
// does not come back. A file whose content is already the same is not written again. On a write
// failure nothing is removed.
MemoSaveResult SaveMemoFiles(const std::string& folder, const std::vector<std::string>& texts,
                             const std::vector<std::string>& loaded);

} // namespace kt
