#pragma once

#include "model/film.h"
#include "persistence/data_version.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace kt {

// The fixed-size records of the versions 2.0 to 2.3 with their fixed-length texts.

// 1552, 1562, 1564, 1564 bytes for the versions 0 to 3; 0 for any other.
std::size_t FixedRecordSize(int minor);
// The header record that leads a 2.3 file.
std::string FixedHeaderRecord(int main, int minor);

// A value of a film that the fixed record of a version cannot hold.
struct FixedMisfit {
    std::string field; // German field name
    long long value = 0;
    long long min = 0;
    long long max = 0;
};
std::optional<FixedMisfit> FindFixedMisfit(const TFilmV26& film, int minor);

// Appends the film's record; texts are cut to their capacity. Values must have passed
// FindFixedMisfit.
void AppendFixedRecord(std::string& out, const TFilmV26& film, int minor);
// Fills a film from one complete record (`rec` holds FixedRecordSize(minor) bytes) with the
// values the old versions imply for the fields they lack. FilmNr is left to the caller.
TFilmV26 DecodeFixedRecord(std::string_view rec, int minor);

} // namespace kt

namespace kt {

class Collection;
class Progress;

// Reads the fixed records (after the header record when there is one) into new films numbered
// 1, 2, ...; a file that ends inside a record is damaged, the films before stay.
RecordsRead ReadFixedFilms(Collection& c, std::string_view data, int minor, bool hasHeader,
                           Progress& progress);
// The whole file of version `minor` (0 to 3): the header record for 2.3, then one record per film.
std::string FixedFileBytes(const Collection& c, int main, int minor, Progress& progress);

} // namespace kt
