#pragma once

#include <string>
#include <string_view>

namespace kt {

constexpr int OldestDataVersion = 0;
constexpr int NewestDataVersion = 6;

// The data version that the version letter of a file name stands for: the fourth character of
// its upper-case extension, "1" to "6" for those versions, "T" for version 0 (".VDT", and also
// ".TXT"). -1 when the letter stands for no version.
int VersionOfFileName(const std::string& fileName);
// True when the upper-case extension is one of ".VDT", ".VD1" ... ".VD6".
bool HasStandardSuffix(const std::string& fileName);
// ".VDT" for 0, ".VD1" to ".VD6"; empty for any other number.
std::string ExtensionOfVersion(int minor);
// Replaces whatever extension the name had by the extension of version `minor`.
std::string ChangeToVersionExt(const std::string& fileName, int minor);

// How reading the film records of a file ended.
enum class RecordsRead { Ok, Damaged, FilmLimit };

// What the first bytes of a film data file say about its version.
struct RecognizedVersion {
    bool recognised = false;
    bool hasHeader = false;
    int main = -1; // -1 when the header holds no readable main number
    int minor = -1;
};

// Recognises the version from the first 255 bytes of a file (fewer when it is shorter).
RecognizedVersion RecognizeVersion(std::string_view data);

} // namespace kt
