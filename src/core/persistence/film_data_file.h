#pragma once

#include <string>
#include <string_view>

namespace kt {

class Collection;
class UserDialogs;
class Progress;

// Replaces the collection in memory by the film data file and its companions (cassettes,
// borrowers). The caller sets c.DataVerMinor to the version it expects (from the file name);
// a header in the file decides. On failure c.ActError holds the reason and `errorText` the file
// or step name for ErrorText. The file is read into a collection of its own that replaces `c` only
// when the load succeeds, or when a damaged file's readable films are taken (then it has no file
// name and is unsaved); `replaced` tells whether `c` now holds what was read.
bool Load_Video_Data(Collection& c, const std::string& fileName, std::string& errorText, UserDialogs& ui,
                     Progress& progress, bool* replaced = nullptr);

// Writes the collection in version c.DataVerMinor: the film data, cassette and borrower files and
// the backups are replaced as one set, or nothing changes. `fileName` may come back changed to the extension of the version written.
bool Save_Video_Data(Collection& c, std::string& fileName, std::string& errorText, UserDialogs& ui,
                     Progress& progress);

// The part of the load that works on the bytes of the film data file: the version, the version
// question and the film records. `fileName` names the file in texts.
bool LoadFilmRecords(Collection& c, std::string_view data, const std::string& fileName,
                     std::string& errorText, UserDialogs& ui, Progress& progress);

} // namespace kt
