#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kt {

// The lines of a text file (Windows-1252 as it stands), without their line ends.
std::vector<std::string> TextFileLines(std::string_view bytes);

// The text of a CSV file as Windows-1252: UTF-8 (with or without byte-order mark) when the bytes
// are valid UTF-8, otherwise taken as Windows-1252.
std::string CsvText(std::string_view bytes);

// The records of a CSV text as RFC 4180 reads them, with `separator` between the fields: quoted
// fields may hold separators, line breaks and doubled quotes. Blanks in front of an unquoted
// field are dropped.
std::vector<std::vector<std::string>> CsvRecords(std::string_view text, char separator);

} // namespace kt
