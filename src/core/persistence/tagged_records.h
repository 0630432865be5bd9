#pragma once

#include "model/film.h"
#include "persistence/data_version.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace kt {

// The record form of the versions 2.4 to 2.6: a header "Kassotek2.6#" and one record per film,
// each a run of fields led by its own length.

std::string TaggedHeader(int main, int minor);
// Offset of the first record when `data` starts with a valid header: "Kassotek" in this case,
// a "#" within the next 12 bytes and a number between; npos otherwise.
std::size_t TaggedRecordsStart(std::string_view data);

// The RecLength that the film's record has in version `minor` (4 to 6).
int64_t TaggedRecordLength(const TFilmV26& film, int minor);
// Appends the film's record and stores its RecLength in the film.
void AppendTaggedRecord(std::string& out, TFilmV26& film, int minor);

// Reads the record at `pos` into `film`, whose fields that the version lacks keep their values.
// False when the record is damaged: a RecLength below 4 or past the end, a field, text or picture
// running past the record, a negative length, a picture count that cannot fit. On success `next`
// is the position of the following record (bytes after the fields of the version are skipped).
bool ReadTaggedRecord(std::string_view data, std::size_t pos, int minor, TFilmV26& film, std::size_t& next);

} // namespace kt

namespace kt {

class Collection;
class Progress;

// Reads the records from `first` to the end into new films (numbered 1, 2, ... in slot order)
// and adds their categories to the category list. Damaged: the films before stay.
RecordsRead ReadTaggedFilms(Collection& c, std::string_view data, std::size_t first, int minor,
                            Progress& progress);
// The whole file of version `minor`: header and one record per film; RecLength is stored.
std::string TaggedFileBytes(Collection& c, int main, int minor, Progress& progress);

} // namespace kt
