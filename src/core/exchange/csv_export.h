#pragma once

#include <string>
#include <string_view>

namespace kt {

class Collection;
class FilmList;
class Progress;
class UserDialogs;

// One field: quoted, with its quotes doubled, when it holds ";", a quote or a line break.
std::string CsvField(std::string_view utf8);

// The list as a CSV file: the header row and one line per listed film with the shown columns in
// grid order, ";" between fields, UTF-8 with a byte-order mark, CR LF. The form LibreOffice and a
// German Excel open without asking.
std::string CsvBytes(const FilmList& list, Progress* progress = nullptr);

// Writes the CSV export to `file` as ExportTextFile does (network check, safe write, messages).
bool ExportCsvFile(Collection& c, const FilmList& list, const std::string& file, UserDialogs& ui,
                   Progress& progress);

// True for a name ending in ".csv" (any letter case).
bool IsCsvFileName(const std::string& fileName);

} // namespace kt
