#pragma once

#include <string>
#include <string_view>

namespace kt {

// Windows-1252 <-> UTF-8. A character that Windows-1252 cannot hold becomes "?".
std::string ToCp1252(std::string_view utf8);
std::string ToUtf8(std::string_view cp1252);
// True when the bytes are well-formed UTF-8 (file names on this platform normally are).
bool IsValidUtf8(std::string_view text);
// UTF-8 for a text that may be either (a path from this platform or from a Windows file): every
// well-formed UTF-8 sequence stays, every other byte is read as Windows-1252.
std::string Utf8OrCp1252(std::string_view text);
// The Unicode code point of one Windows-1252 byte (undefined bytes map to themselves).
char32_t Cp1252ToUnicode(unsigned char c);

// Upper-casing for comparisons changes the letters a to z only.
std::string UpperAZ(std::string_view text);

namespace literals {
// "Länge"_cp: a UTF-8 source literal as Windows-1252 bytes.
inline std::string operator""_cp(const char* s, std::size_t n) {
    return ToCp1252(std::string_view(s, n));
}
} // namespace literals

} // namespace kt
