#pragma once

#include "model/collection.h"

#include <string>
#include <string_view>
#include <vector>

namespace kt {

class Progress;

// The file beside `dataFile` with the same name and extension `ext` (".CDT", ".LNA", ...): an
// existing one whatever the letter case of its name, else the name with `ext` as given.
std::string CompanionFile(const std::string& dataFile, const std::string& ext);
// The existing file of that name in another letter case ("filme.cdt" for "Filme.CDT"), else
// `fileName` itself.
std::string ExistingCaseVariant(const std::string& fileName);

// The cassette file: 8-byte records, slot order. Trailing bytes of an incomplete record are
// ignored; beyond 5000 records the rest is left and ActError becomes 14.
std::string CassetteFileBytes(const Collection& c);
void ReadCassetteRecords(Collection& c, std::string_view bytes, Progress& progress);

// Borrower files: one entry a line, CR LF after each. A line break inside an entry is written
// as the control character VT (0x0B) and read back as CR LF, so entries stay paired.
std::string LenderFileBytes(const std::vector<std::string>& entries);
std::vector<std::string> ParseLenderFile(std::string_view bytes);

// Adds the borrower of every lent film whose name (without blanks, upper case) is not yet listed.
void MergeLenders(Collection& c);

// The warning shown when the cassette file of a data file is missing.
std::string MissingCassetteFileText(const std::string& cassetteFile);

} // namespace kt
